// What the display shows: the splash picture with its text at (5, height - 20), then a
// main window that draws through its device; and the cursor's display count. Pixels are
// read back from the screen.
#include "application/CursorDisplayWin32.h"
#include "application/SplashWindowWin32.h"
#include "foundation/OperatingSystemWin32.h"
#include "graphics/KColor.h"
#include "tests/application/WindowTestSupport.h"

#include <gtest/gtest.h>

namespace {

// What a window drew reaches the display the next time the thread looks at its
// messages, as it does in the program's loop.
void letTheDisplayCatchUp()
{
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
}

COLORREF screenPixel(long H, long V)
{
    letTheDisplayCatchUp();
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, H, V);
    ReleaseDC(nullptr, screen);
    return pixel;
}

// Dark pixels in a band of the screen: text drawn in black.
int darkPixels(long Left, long Top, long Width, long Height)
{
    letTheDisplayCatchUp();
    HDC screen = GetDC(nullptr);
    int dark = 0;
    for (long v = Top; v < Top + Height; ++v) {
        for (long h = Left; h < Left + Width; ++h) {
            const COLORREF pixel = GetPixel(screen, h, v);
            if (GetRValue(pixel) < 80 && GetGValue(pixel) < 80 && GetBValue(pixel) < 80)
                ++dark;
        }
    }
    ReleaseDC(nullptr, screen);
    return dark;
}

// The pixel of the splash picture itself at (H, V).
COLORREF picturePixel(long H, long V)
{
    auto bitmap = static_cast<HBITMAP>(LoadImageA(static_cast<HINSTANCE>(knsGetInstance()),
                                                  MAKEINTRESOURCEA(kSplashBitmapResource), IMAGE_BITMAP, 0, 0, 0));
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const COLORREF pixel = GetPixel(memory, H, V);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return pixel;
}

class RedWindow : public KWindow {
public:
    bool draw(KWindowEvent&) override
    {
        paintRect(KGraphicRectangle(10, 10, 50, 30), KColor(0xFFFF, 0, 0));
        return true;
    }
};
K_POINTER_CLASS(RedWindow, KWindowPtr);

TEST(Splash, ShowsItsPictureCentredWithItsTextThenGivesWayToTheMainWindow)
{
    WindowScope<> scope;
    scope->openSplash();
    EXPECT_TRUE(scope->getApplicationFlags() & KApplication::SplashOpenFlag);
    const auto splash = static_cast<HWND>(kksGetSplashWindow());
    ASSERT_TRUE(splash);
    // A second open keeps the one window.
    EXPECT_TRUE(kksOpenSplash());
    EXPECT_EQ(kksGetSplashWindow(), splash);

    RECT frame{};
    GetWindowRect(splash, &frame);
    EXPECT_EQ(std::vector<long>({frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top}),
              std::vector<long>({(GetSystemMetrics(SM_CXSCREEN) - 320) / 2, (GetSystemMetrics(SM_CYSCREEN) - 200) / 2,
                                 320, 200}));
    // The picture shows through the border; no text yet in the band it goes to.
    RECT client{};
    GetClientRect(splash, &client);
    POINT origin{0, 0};
    ClientToScreen(splash, &origin);
    EXPECT_EQ(screenPixel(origin.x + 150, origin.y + 40), picturePixel(150, 40));
    EXPECT_EQ(screenPixel(origin.x + 100, origin.y + 120), picturePixel(100, 120));
    const long textTop = origin.y + 200 - 20;
    EXPECT_EQ(darkPixels(origin.x + 5, textTop, 80, 14), 0);

    kksSetSplashText(KString("Loading..."));
    EXPECT_GT(darkPixels(origin.x + 5, textTop, 80, 14), 10);
    // Nothing is drawn to the left of the text position.
    EXPECT_EQ(darkPixels(origin.x, textTop, 4, 14), 0);
    // A click on the splash window is swallowed and does not activate it.
    EXPECT_EQ(SendMessageA(splash, WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)), MA_NOACTIVATEANDEAT);

    scope->closeSplash();
    EXPECT_FALSE(scope->getApplicationFlags() & KApplication::SplashOpenFlag);
    EXPECT_FALSE(IsWindow(splash));
    EXPECT_EQ(kksGetSplashWindow(), nullptr);
    kksSetSplashText(KString(""));
    // The main window then shows, white where it does not draw and red where it does.
    RedWindowPtr main = new RedWindow;
    main->open(KWindow::OpenShown);
    UpdateWindow(static_cast<HWND>(main->getNativeWindow()));
    const RECT area = clientAreaOnScreen(main->getNativeWindow());
    EXPECT_EQ(screenPixel(area.left + 200, area.top + 150), RGB(255, 255, 255));
    EXPECT_EQ(screenPixel(area.left + 20, area.top + 20), RGB(255, 0, 0));
    EXPECT_EQ(screenPixel(area.left + 5, area.top + 5), RGB(255, 255, 255));
}

TEST(Cursor, OneCallHidesOrShowsWhateverCameBefore)
{
    ShowCursor(TRUE);
    ShowCursor(TRUE);
    ShowCursor(TRUE);
    EXPECT_LT(kksHideCursor(), 0);
    EXPECT_LT(ShowCursor(FALSE), 0);
    ShowCursor(FALSE);
    EXPECT_GE(kksShowCursor(), 0);
    EXPECT_GE(kksShowCursor(), 0);
}

} // namespace
