#pragma once
// Paths that end the process (the fatal error path) are tested in a child: the test
// program starts itself again to run one named scenario and reports what it printed and
// how it ended.
#include <string>

using ChildScenario = void (*)();

struct ChildResult {
    unsigned long exitCode;
    std::string output;
};

// Registers a scenario under a name; use K_CHILD_SCENARIO.
bool registerChildScenario(const char* Name, ChildScenario Scenario);
// Runs the scenario in a new process of this program and waits for it to end.
ChildResult runChildScenario(const char* Name);
// Called by the test main: runs the scenario named on the command line and gives the
// exit code, or −1 when the program was not started for a scenario.
int runChildScenarioIfAsked();

#define K_CHILD_SCENARIO(Name)                                                      \
    static void childScenario_##Name();                                             \
    static const bool childScenarioRegistered_##Name =                              \
        registerChildScenario(#Name, &childScenario_##Name);                        \
    static void childScenario_##Name()
