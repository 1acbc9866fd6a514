#include "tests/robustness/RunningChild.h"

#include "tests/robustness/ScratchFiles.h"

#include <cstring>
#include <sstream>
#include <stdexcept>

#include <windows.h>

namespace {
const char kReader[] = "--reader=";
const char kSeeds[] = "--seeds=";
const char kProgress[] = "--progress=";
const char kInputs[] = "--inputs=";
const char kFrom[] = "--from=";
const char kTo[] = "--to=";

std::string quoted(const std::string& Text) { return "\"" + Text + "\""; }

std::string hex(unsigned long Value)
{
    std::ostringstream text;
    text << "0x" << std::hex << Value;
    return text.str();
}
} // namespace

RunningChild::RunningChild(ChildOrder Order, int Slot)
    : m_order(std::move(Order))
{
    m_order.progressName = "Local\\robustness-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(Slot);
    m_progress = std::make_unique<SharedProgressMapping>(m_order.progressName, true);
    m_progress->get()->current = -1;

    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string commandLine = quoted(program) + " --child " + kReader + m_order.reader + " " + kSeeds
                            + quoted(m_order.seedFolder) + " " + kProgress + m_order.progressName + " " + kFrom
                            + std::to_string(m_order.from) + " " + kTo + std::to_string(m_order.to);
    if (!m_order.inputFolder.empty())
        commandLine += std::string(" ") + kInputs + quoted(m_order.inputFolder);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        throw std::runtime_error("cannot start a child: " + commandLine);
    CloseHandle(process.hThread);
    m_process = process.hProcess;
}

RunningChild::~RunningChild()
{
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, INFINITE);
    }
    const std::string scratch = scratchFolderOfChild(GetProcessId(m_process));
    if (!scratch.empty())
        removeScratchFolder(scratch);
    CloseHandle(m_process);
}

void RunningChild::stopAsHung()
{
    m_stoppedAsHung = true;
    TerminateProcess(m_process, 0xC0DE0004u);
    WaitForSingleObject(m_process, INFINITE);
}

ChildEnd RunningChild::end() const
{
    const SharedProgress& progress = *m_progress->get();
    DWORD exitCode = 0;
    GetExitCodeProcess(m_process, &exitCode);
    ChildEnd end;
    end.finished = progress.finished != 0 && exitCode == 0;
    end.current = progress.current < 0 ? m_order.from : static_cast<uint64_t>(progress.current);
    end.loaded = progress.loaded;
    end.refused = progress.refused;
    end.message = progress.message;
    end.where = progress.where;
    if (end.finished)
        return end;
    end.kind = static_cast<FailureKind>(progress.failureKind);
    if (m_stoppedAsHung) {
        end.kind = FailureKind::Hang;
        end.message = "no progress within the watchdog's limit";
    } else if (end.kind == FailureKind::Crash) {
        end.message = "exception " + hex(progress.exceptionCode);
    } else if (end.kind == FailureKind::None) {
        // The fatal path ends the process with exit code 1 after its stop box; any other
        // end the child did not see coming is a crash.
        end.kind = exitCode == 1 ? FailureKind::Fatal : FailureKind::Crash;
        if (end.kind == FailureKind::Crash)
            end.message = "exit code " + hex(exitCode);
    }
    return end;
}

bool takeSwitch(const char* Argument, const char* Switch, std::string& Value)
{
    const size_t length = std::strlen(Switch);
    if (std::strncmp(Argument, Switch, length) != 0)
        return false;
    Value = Argument + length;
    return true;
}

ChildOrder parseChildOrder(int Argc, char** Argv)
{
    ChildOrder order;
    std::string value;
    for (int i = 1; i < Argc; ++i) {
        if (takeSwitch(Argv[i], kReader, value))
            order.reader = value;
        else if (takeSwitch(Argv[i], kSeeds, value))
            order.seedFolder = value;
        else if (takeSwitch(Argv[i], kProgress, value))
            order.progressName = value;
        else if (takeSwitch(Argv[i], kInputs, value))
            order.inputFolder = value;
        else if (takeSwitch(Argv[i], kFrom, value))
            order.from = std::stoull(value);
        else if (takeSwitch(Argv[i], kTo, value))
            order.to = std::stoull(value);
    }
    return order;
}
