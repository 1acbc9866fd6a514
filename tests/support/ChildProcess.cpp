#include "tests/support/ChildProcess.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <stdexcept>

#include <windows.h>

namespace {
const char kScenarioSwitch[] = "--child-scenario=";

std::map<std::string, ChildScenario>& scenarios()
{
    static std::map<std::string, ChildScenario> registry;
    return registry;
}
} // namespace

bool registerChildScenario(const char* Name, ChildScenario Scenario)
{
    scenarios()[Name] = Scenario;
    return true;
}

int runChildScenarioIfAsked()
{
    const char* commandLine = GetCommandLineA();
    const char* found = std::strstr(commandLine, kScenarioSwitch);
    if (!found)
        return -1;
    std::string name = found + sizeof kScenarioSwitch - 1;
    name = name.substr(0, name.find_first_of(" \""));
    auto scenario = scenarios().find(name);
    if (scenario == scenarios().end()) {
        std::printf("no scenario %s\n", name.c_str());
        return 99;
    }
    scenario->second();
    std::fflush(stdout);
    return 0;
}

ChildResult runChildScenario(const char* Name)
{
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string commandLine = std::string("\"") + program + "\" " + kScenarioSwitch + Name;

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        throw std::runtime_error("no pipe for the child");
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        throw std::runtime_error("cannot start the child");
    CloseHandle(writeEnd);

    ChildResult result{0, ""};
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        // The child's standard output is in text mode: lines end in CR LF.
        for (DWORD i = 0; i < got; ++i) {
            if (buffer[i] != '\r')
                result.output += buffer[i];
        }
    }
    CloseHandle(readEnd);
    // The pipe closes when the child ends; the wait is a safety net, not a timing.
    WaitForSingleObject(process.hProcess, 60000);
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return result;
}
