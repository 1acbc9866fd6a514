// The entry point of the multimedia tests: the framework's kernel and classes as in every
// test program, and the media layer's classes, which the multimedia library registers in
// the program.
#include <gtest/gtest.h>

#include "application/FrameworkClasses.h"
#include "foundation/KernelFunctions.h"
#include "multimedia/MultimediaClasses.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ReportCatcher.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    knsEnterKernel();
    installTestReportHooks();
    kksRegisterFrameworkClasses();
    kksRegisterMultimediaClasses();
    kksRegisterSoundHiliteClasses();
    if (int code = runChildScenarioIfAsked(); code >= 0)
        return code;
    return RUN_ALL_TESTS();
}
