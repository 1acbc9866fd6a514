// The two kernel services that need the application's windows: changing the display mode,
// which asks for a main window, and a tooltip over a window.
#include "foundation/KGraphicRectangle.h"
#include "tests/application/ApplicationTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

TEST(KernelServices, TheDisplayModeChangesOnlyForAnApplicationWithAMainWindow)
{
    ApplicationScope<> application;
    const auto width = short(knsGetScreenWidth()), height = short(knsGetScreenHeight());
    const auto depth = short(knsGetScreenDepth());
    {
        ReportCatcher catcher;
        EXPECT_FALSE(knsChangeScreenSettings(width, height, depth));
        EXPECT_TRUE(catcher.caught(9, "knsChangeScreenSettings"));
    }
    application->createMainWindow(*KWindow::getClassRecord());
    // The mode the screen already has is no change.
    EXPECT_TRUE(knsChangeScreenSettings(width, height, depth));
    application->closeMainWindow();
}

TEST(KernelServices, ATooltipNeedsTheWindowsNativeWindow)
{
    ApplicationScope<> application;
    KWindowPtr window = new KWindow;
    EXPECT_EQ(knsCreateToolTip(*window, KGraphicRectangle(), "help"), nullptr);
    window->open(KWindow::OpenHidden);
    void* tip = knsCreateToolTip(*window, KGraphicRectangle(), "help");
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(GetWindow(static_cast<HWND>(tip), GW_OWNER), window->getNativeWindow());
    EXPECT_EQ(SendMessageA(static_cast<HWND>(tip), TTM_GETTOOLCOUNT, 0, 0), 1);
    knsDestroyNativeWindow(tip);
    window->close();
}

} // namespace
