#include "tests/robustness/ChildBatch.h"

#include "tests/robustness/InputReader.h"
#include "tests/robustness/RunnerEnvironment.h"
#include "tests/robustness/ScratchFiles.h"
#include "tests/robustness/SeedSet.h"
#include "tests/robustness/SharedProgress.h"

#include <csignal>
#include <cstdio>
#include <exception>
#include <string>

#include <windows.h>

namespace {
SharedProgress* s_progress = nullptr;

// Ends the process at once, past every handler and destructor that might run into the
// same damage again.
[[noreturn]] void endWith(FailureKind Kind, unsigned ExitCode)
{
    s_progress->failureKind = static_cast<long>(Kind);
    TerminateProcess(GetCurrentProcess(), ExitCode);
    for (;;) {
    }
}

// The faulting address and the return addresses up the frame-pointer chain of the
// faulting code, for the map of the build to name.
std::string faultChain(const EXCEPTION_POINTERS& Exception)
{
    char address[16];
    std::snprintf(address, sizeof address, "%p ", Exception.ExceptionRecord->ExceptionAddress);
    std::string chain = address;
    auto** frame = reinterpret_cast<void**>(Exception.ContextRecord->Ebp);
    for (int depth = 0; depth < 24 && frame && !IsBadReadPtr(frame, 2 * sizeof(void*)) && frame[1]; ++depth) {
        std::snprintf(address, sizeof address, "%p ", frame[1]);
        chain += address;
        frame = static_cast<void**>(frame[0]);
    }
    return chain;
}

LONG WINAPI onUncaughtException(EXCEPTION_POINTERS* Exception)
{
    s_progress->exceptionCode = Exception->ExceptionRecord->ExceptionCode;
    s_progress->setWhere(faultChain(*Exception));
    endWith(FailureKind::Crash, 0xC0DE0002u);
}

void onAbort(int) { endWith(FailureKind::Abort, 0xC0DE0003u); }

void onTerminate()
{
    s_progress->setMessage("an exception left the reader");
    endWith(FailureKind::Abort, 0xC0DE0003u);
}

// A crash must come back to the parent as a failure, not as a debugger or a box.
void catchEveryEnd()
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(&onUncaughtException);
    std::signal(SIGABRT, &onAbort);
    std::set_terminate(&onTerminate);
}

InputReader* findReader(std::vector<std::unique_ptr<InputReader>>& Readers, const std::string& Name)
{
    for (std::unique_ptr<InputReader>& reader : Readers) {
        if (reader->name() == Name)
            return reader.get();
    }
    return nullptr;
}
} // namespace

int runChildBatch(const ChildOrder& Order)
{
    SharedProgressMapping mapping(Order.progressName, false);
    s_progress = mapping.get();
    s_progress->current = -1;
    catchEveryEnd();
    enterProgramEnvironment();
    keepMessagesIn(s_progress);

    std::vector<std::unique_ptr<InputReader>> readers = makeAllReaders();
    InputReader* reader = findReader(readers, Order.reader);
    if (!reader) {
        std::fprintf(stderr, "no reader %s\n", Order.reader.c_str());
        return 2;
    }
    const std::string scratch = scratchFolderOfChild();
    reader->prepare(scratch);
    const DamageMaker maker = Order.inputFolder.empty() ? seedSetOf(*reader, Order.seedFolder) : DamageMaker({}, {}, "");
    const std::vector<std::string> files = inputFilesIn(Order.inputFolder);

    for (uint64_t index = Order.from; index < Order.to; ++index) {
        s_progress->current = static_cast<long>(index);
        const Bytes input = Order.inputFolder.empty() ? maker.make(index) : readFileBytes(files.at(index));
        try {
            if (reader->open(input) == Outcome::Loaded)
                ++s_progress->loaded;
            else
                ++s_progress->refused;
        } catch (const StepBoundExceeded& bound) {
            s_progress->setMessage(bound.what());
            endWith(FailureKind::Hang, 0xC0DE0004u);
        } catch (const BrokenRefusal& broken) {
            s_progress->setMessage(broken.what() + std::string(" (last message: ") + lastMessage() + ")");
            endWith(FailureKind::Broken, 0xC0DE0005u);
        } catch (const std::exception& escaped) {
            s_progress->setMessage(std::string("an exception left the reader: ") + escaped.what());
            endWith(FailureKind::Abort, 0xC0DE0003u);
        }
    }
    // What the reader still holds goes now, while a failure is still this batch's.
    readers.clear();
    removeScratchFolder(scratch);
    s_progress->finished = 1;
    // The program's own teardown is no part of reading files.
    TerminateProcess(GetCurrentProcess(), 0);
    return 0;
}
