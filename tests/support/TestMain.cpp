// The one entry point of every test program: the layers it is built with are installed,
// the framework's kernel is entered and its classes registered as the program does at
// start, then reports and message boxes are turned over to the tests.
#include <gtest/gtest.h>

#include "foundation/KernelFunctions.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/SuiteClasses.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    installSuiteLayers();
    knsEnterKernel();
    installTestReportHooks();
    registerAllTestClasses();
    if (int code = runChildScenarioIfAsked(); code >= 0)
        return code;
    return RUN_ALL_TESTS();
}
