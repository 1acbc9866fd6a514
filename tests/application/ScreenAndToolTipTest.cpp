// The two kernel services that need the application's windows: the display mode, which
// changes only for an application with a main window, and a tooltip over a window.
#include "application/NativeWindowWin32.h"
#include "foundation/KGraphicRectangle.h"
#include "tests/application/ApplicationTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <commctrl.h>

TEST(KernelServices, TheDisplayModeNeedsAMainWindowAndATooltipANativeWindow)
{
    ApplicationScope<> application;
    const auto width = short(knsGetScreenWidth()), height = short(knsGetScreenHeight());
    {
        ReportCatcher catcher;
        EXPECT_FALSE(knsChangeScreenSettings(width, height, short(knsGetScreenDepth())));
        EXPECT_EQ(catcher.codes(), std::vector<int>{9});
    }
    EXPECT_EQ(knsCreateToolTip(*KWindowPtr(new KWindow), KGraphicRectangle(), "help"), nullptr);
    application->createMainWindow(*KWindow::getClassRecord());
    // The mode the screen already has is no change.
    EXPECT_TRUE(knsChangeScreenSettings(width, height, short(knsGetScreenDepth())));
    auto tip = static_cast<HWND>(knsCreateToolTip(application->getMainWindow(), KGraphicRectangle(), "help"));
    EXPECT_EQ(GetWindow(tip, GW_OWNER), application->getMainWindow().getNativeWindow());
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    knsDestroyNativeWindow(tip);
    application->closeMainWindow();
}
