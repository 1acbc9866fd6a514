// The fatal path: boxes by the severity, a failure code for the fatal reports, and the
// application that tells the user itself.
#include "application/KApplication.h"
#include "foundation/ErrorTable.h"
#include "foundation/KernelFunctions.h"
#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Children run in message-box mode with a presenter that prints each box.
int printBox(const char* Caption, const char* Text, unsigned Flags)
{
    std::printf("box [%s] [%s] %s\n", Caption, Text, (Flags & 0x10) ? "stop" : (Flags & 0x40) ? "information" : "other");
    std::fflush(stdout);
    return 1;
}

void enterMessageBoxMode()
{
    knsSetMessageBoxPresenter(&printBox);
    kksSetErrorMode(kErrorModeMessageBox);
}

K_CHILD_SCENARIO(SeveritiesOneToThree)
{
    enterMessageBoxMode();
    kksReportError(57, "load");
    kksReportError(63, "register");
    std::printf("still running\n");
    kksReportError(18, "KThing& KThingPtr::getObject() const");
    std::printf("never here\n");
}

K_CHILD_SCENARIO(UnknownCodeIsFatal)
{
    enterMessageBoxMode();
    kksReportError(200, "somewhere");
    std::printf("never here\n");
}

class TellingApplication : public KApplication {
public:
    bool handleFatalError(const char* Caption, const char* Text) override
    {
        std::printf("told [%s] [%s]\n", Caption, Text);
        std::fflush(stdout);
        return true;
    }
};

K_CHILD_SCENARIO(ApplicationTellsTheUserItself)
{
    enterMessageBoxMode();
    new TellingApplication;
    kksReportError(19, "KMemory::allocate");
    std::printf("never here\n");
}

TEST(FatalPath, BoxesByTheSeverityAndAFailureCodeForTheFatalOnes)
{
    const struct {
        const char* scenario;
        unsigned exitCode;
        const char* output;
    } cases[] = {
        // Severities 1 and 2 show an information box and go on; 3 shows a stop box.
        {"SeveritiesOneToThree", unsigned(kFatalExitCode),
         "box [load] [Unsupported Format!] information\n"
         "box [register] [File Type Already Exists] information\n"
         "still running\n"
         "box [KThing& KThingPtr::getObject() const] [Pointer NULL!] stop\n"},
        {"UnknownCodeIsFatal", unsigned(kFatalExitCode), "box [somewhere] [Unknown Fatal Error] stop\n"},
        // The application's hook replaces the box, but the process still ends.
        {"ApplicationTellsTheUserItself", unsigned(kFatalExitCode), "told [KMemory::allocate] [Out Of Memory!]\n"},
    };
    for (const auto& c : cases) {
        ChildResult child = runChildScenario(c.scenario);
        EXPECT_EQ(child.exitCode, c.exitCode) << c.scenario;
        EXPECT_EQ(child.output, c.output) << c.scenario;
    }
    EXPECT_NE(kFatalExitCode, 0);
}

} // namespace
