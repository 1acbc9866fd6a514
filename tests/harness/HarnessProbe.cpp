// A test program that ends the way the environment variable K_HARNESS_PROBE asks, for the
// check that the test runner fails every run that did not end in GoogleTest's summary:
//   (unset)    both tests pass;
//   crash      the second test writes through a null pointer;
//   terminate  the second test ends the process with exit code 0, its log cut short;
//   wait       the second test waits until something from outside ends the process;
//   fewer      only the first test runs, and the program says all is well.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include <windows.h>

namespace {

bool modeIs(const char* Mode)
{
    const char* mode = std::getenv("K_HARNESS_PROBE");
    return mode && std::strcmp(mode, Mode) == 0;
}

TEST(HarnessProbe, Passes) {}

TEST(HarnessProbe, EndsAsAsked)
{
    if (modeIs("crash")) {
        volatile int* nowhere = nullptr;
        *nowhere = 1;
    }
    if (modeIs("terminate"))
        TerminateProcess(GetCurrentProcess(), 0);
    if (modeIs("wait"))
        WaitForSingleObject(CreateEventA(nullptr, TRUE, FALSE, nullptr), INFINITE);
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (modeIs("fewer") && !testing::GTEST_FLAG(list_tests))
        testing::GTEST_FLAG(filter) = "HarnessProbe.Passes";
    return RUN_ALL_TESTS();
}
