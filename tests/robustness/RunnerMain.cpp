// The robustness runner: every document reader and image decoder of the program opens
// deterministically damaged copies of its seed files, in the program's own error mode, in
// child processes that may crash, end through the fatal path or hang without taking the
// run with them. Any of these is a failure; a clean refusal or a load is not.
//
//   robustness_runner [--readers=a,b] [--count=N] [--count-READER=N] [--start=I]
//                     [--batch=N] [--jobs=N] [--work=FOLDER] [--summary=FILE]
//                     [--watchdog=SECONDS]
//   robustness_runner --replay=FILE --reader=NAME [--work=FOLDER]
//   robustness_runner --minimize=FILE --reader=NAME --out=FILE [--work=FOLDER]
//   robustness_runner --make=I --reader=NAME --out=FILE [--work=FOLDER]
//   robustness_runner --list
#include "tests/robustness/Campaign.h"
#include "tests/robustness/ChildBatch.h"
#include "tests/robustness/InputMinimizer.h"
#include "tests/robustness/InputReader.h"
#include "tests/robustness/RunnerEnvironment.h"
#include "tests/robustness/RunningChild.h"
#include "tests/robustness/SeedSet.h"

#include <cstdio>
#include <cstring>
#include <sstream>

#include <windows.h>

namespace {

std::vector<std::string> splitList(const std::string& Text)
{
    std::vector<std::string> items;
    std::istringstream in(Text);
    for (std::string item; std::getline(in, item, ',');) {
        if (!item.empty())
            items.push_back(item);
    }
    return items;
}

// The program's own teardown is no part of reading files, and it expects the start-up
// the player makes; the runner leaves without it.
[[noreturn]] void leaveWith(int Code)
{
    std::fflush(stdout);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(Code));
    for (;;) {
    }
}

int run(int argc, char** argv);

// Writes the reader's damaged input with the number, as a run would open it: for kept
// examples of what the readers must refuse or read.
int makeInput(const std::string& Name, uint64_t Index, const std::string& Output, const std::string& WorkFolder)
{
    for (std::unique_ptr<InputReader>& reader : makeAllReaders()) {
        if (reader->name() != Name)
            continue;
        const std::string seedRoot = WorkFolder + "/seeds";
        makeFolder(seedRoot);
        writeSeedsOf(*reader, seedRoot);
        writeFileBytes(Output, seedSetOf(*reader, seedRoot).make(Index));
        return 0;
    }
    std::fprintf(stderr, "robustness_runner: no reader %s\n", Name.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        leaveWith(run(argc, argv));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "robustness_runner: %s\n", error.what());
        leaveWith(2);
    }
}

namespace {

int run(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--child") == 0)
            return runChildBatch(parseChildOrder(argc, argv));
    }
    enterProgramEnvironment();

    CampaignOptions options;
    options.workFolder = buildFolder() + "/robustness";
    std::string replay, minimize, make, output, reader, value;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--list") == 0) {
            for (const auto& known : makeAllReaders())
                std::printf("%s\n", known->name().c_str());
            return 0;
        }
        if (takeSwitch(argument, "--readers=", value))
            options.readers = splitList(value);
        else if (takeSwitch(argument, "--count-", value) && value.find('=') != std::string::npos)
            options.counts[value.substr(0, value.find('='))] = std::stoull(value.substr(value.find('=') + 1));
        else if (takeSwitch(argument, "--count=", value))
            options.count = std::stoull(value);
        else if (takeSwitch(argument, "--start=", value))
            options.start = std::stoull(value);
        else if (takeSwitch(argument, "--batch=", value))
            options.batch = std::max<uint64_t>(1, std::stoull(value));
        else if (takeSwitch(argument, "--jobs=", value))
            options.jobs = std::stoi(value);
        else if (takeSwitch(argument, "--work=", value))
            options.workFolder = value;
        else if (takeSwitch(argument, "--summary=", value))
            options.summaryFile = value;
        else if (takeSwitch(argument, "--watchdog=", value))
            options.watchdogSeconds = static_cast<unsigned>(std::stoul(value));
        else if (takeSwitch(argument, "--replay=", value))
            replay = value;
        else if (takeSwitch(argument, "--minimize=", value))
            minimize = value;
        else if (takeSwitch(argument, "--make=", value))
            make = value;
        else if (takeSwitch(argument, "--out=", value))
            output = value;
        else if (takeSwitch(argument, "--reader=", value))
            reader = value;
        else {
            std::fprintf(stderr, "robustness_runner: unknown argument %s\n", argument);
            return 2;
        }
    }
    makeFolder(options.workFolder);
    if (!replay.empty())
        return replayInput(reader, replay, options.workFolder);
    if (!make.empty() && !output.empty())
        return makeInput(reader, std::stoull(make), output, options.workFolder);
    if (!minimize.empty())
        return minimizeInput(reader, minimize, output.empty() ? minimize + ".min" : output, options.workFolder);
    return runCampaign(options);
}

} // namespace
