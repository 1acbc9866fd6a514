// The error table, the report modes and the fatal path.
#include "foundation/ErrorTable.h"
#include "foundation/KernelFunctions.h"
#include "application/KApplication.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <utility>
#include <vector>

namespace {

TEST(ErrorTable, HoldsEveryCodeWithItsTextAndSeverity)
{
    struct Row {
        int code;
        const char* text;
        int severity;
    };
    const Row rows[] = {
        {0, "No Error", 0}, {1, "Unknown Fatal Error", 3}, {3, "Object Not On Heap!", 3},
        {11, "This Methode Should Not Be Called!", 3}, {18, "Pointer NULL!", 3},
        {29, "Class name collision; change class name!", 3}, {41, "An unknown error occured!", 3},
        {50, "Error Copying File", 1}, {56, "Sound Not Paused", 1}, {57, "Unsupported Format!", 2},
        {58, "Unsupported Mode!", 3}, {63, "File Type Already Exists", 1}, {73, "No Menu", 3},
        {78, "No Parent Manu", 3}, {83, "No Menu", 3}, {91, "No Window", 3}, {95, "No Window", 3},
        {96, "No Menu", 3}, {105, "Page Already Open", 3},
    };
    for (const Row& row : rows) {
        const KErrorRecord* record = kksFindErrorRecord(static_cast<uint8>(row.code));
        ASSERT_NE(record, nullptr) << row.code;
        EXPECT_EQ(record->code, row.code);
        EXPECT_STREQ(record->text, row.text) << row.code;
        EXPECT_EQ(record->severity, row.severity) << row.code;
        EXPECT_EQ(record->group, 0);
    }
    int count = 0;
    for (int code = 0; code < 256; ++code)
        count += kksFindErrorRecord(static_cast<uint8>(code)) != nullptr;
    EXPECT_EQ(count, 106);
}

TEST(ErrorTable, MapsOperatingSystemErrors)
{
    const std::pair<int16, int> cases[] = {{0, 0},   {2, 33},   {3, 33},   {55, 33},  {267, 33}, {29, 37},
                                           {30, 38}, {38, 40},  {39, 36},  {112, 36}, {110, 39}, {5, 41}};
    for (const auto& [native, code] : cases)
        EXPECT_EQ(kksMapNativeError(native), code) << native;
}

TEST(ErrorTable, HookModeHandsEveryReportButCodeZeroToTheHook)
{
    ReportCatcher catcher;
    kksReportError(0, "nothing");
    kksReportError(57, "bool KImage::createFromFile(...)");
    kksReportError(200, "beyond the table");
    EXPECT_EQ(catcher.codes(), (std::vector<int>{57, 200}));
    EXPECT_TRUE(catcher.boxes().empty());
}

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

K_CHILD_SCENARIO(SeverityTwoShowsAndGoesOn)
{
    enterMessageBoxMode();
    kksReportError(57, "load");
    kksReportError(63, "register");
    std::printf("still running\n");
}

K_CHILD_SCENARIO(SeverityThreeEndsTheProcess)
{
    enterMessageBoxMode();
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
        {"SeverityTwoShowsAndGoesOn", 0,
         "box [load] [Unsupported Format!] information\n"
         "box [register] [File Type Already Exists] information\n"
         "still running\n"},
        {"SeverityThreeEndsTheProcess", unsigned(kFatalExitCode),
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
