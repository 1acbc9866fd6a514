// Display modes as the full-screen window asks for them: the mode in use is granted
// without touching the display, and a restore without a change does nothing.
#include "application/OperatingSystemWin32.h"
#include "foundation/KBag.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayModes, TheModeInUseIsGrantedWithoutAChange)
{
    long width = 0, height = 0, depth = 0;
    getScreenInfoWin32(&width, &height, &depth);
    ASSERT_GT(width, 0);

    // A platform call would answer a message box here, which no test expects.
    EXPECT_TRUE(changeDisplayModeWin32(short(width), short(height), short(depth)));
    restoreDisplayModeWin32();

    long afterWidth = 0, afterHeight = 0, afterDepth = 0;
    getScreenInfoWin32(&afterWidth, &afterHeight, &afterDepth);
    EXPECT_EQ(afterWidth, width);
    EXPECT_EQ(afterHeight, height);
    EXPECT_EQ(afterDepth, depth);

    const KBag modes = enumDisplayModesWin32(short(width), short(height), short(depth));
    ASSERT_GE(modes.getCount(), 3);
    EXPECT_EQ(modes.getDirectDataAt(0), width);
}

} // namespace
