#include "application/MacStyleMenuBarWin32.h"

#include "application/KApplication.h"
#include "foundation/ErrorTable.h"
#include "foundation/KernelFunctions.h"
#include "foundation/OperatingSystemWin32.h"

#include <windows.h>

namespace {
struct MenuBarWindow {
    HWND window = nullptr;
    HMENU menu = nullptr;
    uint8 shown = 0;
};
MenuBarWindow s_bar;

// The Windows 95, 98 and Me family keeps the bar above the other windows by itself.
bool isWindows9x() { return knsGetOSVersion() < 15; }

HWND mainNativeWindow()
{
    KApplication* application = KApplication::getApplication();
    if (!application || !application->hasMainWindow())
        return nullptr;
    return static_cast<HWND>(application->getMainWindow().getNativeWindow());
}

// Shows the window with Menu when it is to be shown and has one; else hides it and still
// gives it the menu.
void applyMenu(bool Show, HMENU Menu)
{
    if (Show && Menu) {
        SetMenu(s_bar.window, Menu);
        DrawMenuBar(s_bar.window);
        ShowWindow(s_bar.window, SW_SHOW);
        return;
    }
    ShowWindow(s_bar.window, SW_HIDE);
    SetMenu(s_bar.window, Menu);
    DrawMenuBar(s_bar.window);
}
} // namespace

bool createMacStyleMenuBarWin32(bool Show, void* Menu)
{
    const auto menu = static_cast<HMENU>(Menu);
    if (s_bar.window) {
        applyMenu(Show, menu);
    } else {
        KApplication* application = KApplication::getApplication();
        const char* title = application ? application->getName().getText() : "";
        s_bar.window = CreateWindowExA(isWindows9x() ? WS_EX_TOPMOST : 0, "MacStyleMenuWindowClass", title,
                                       WS_POPUP | (Show ? WS_VISIBLE : 0), 0, 0, knsGetScreenWidth(),
                                       GetSystemMetrics(SM_CYMENU), mainNativeWindow(), menu,
                                       static_cast<HINSTANCE>(knsGetInstance()), nullptr);
        if (!s_bar.window)
            knsFatalError("createMacStyleMenuBarWin32", "Could Not Open Mac Style MenuBar Window");
    }
    s_bar.shown = Show ? 1 : 0;
    s_bar.menu = menu;
    return s_bar.window != nullptr;
}

void destroyMacStyleMenuBarWin32()
{
    if (s_bar.window) {
        // The menu is the menu bar's: the window must not take it down with it.
        SetMenu(s_bar.window, nullptr);
        DestroyWindow(s_bar.window);
    }
    s_bar = MenuBarWindow();
}

void setMacStyleMenuBarMenuWin32(void* Menu)
{
    if (s_bar.window)
        applyMenu(s_bar.shown != 0, static_cast<HMENU>(Menu));
    s_bar.menu = static_cast<HMENU>(Menu);
}

void showMacStyleMenuBarWin32()
{
    if (s_bar.window && s_bar.menu && !IsWindowVisible(s_bar.window)) {
        ShowWindow(s_bar.window, SW_SHOW);
        if (isWindows9x())
            BringWindowToTop(s_bar.window);
    }
    s_bar.shown = 1;
}

void hideMacStyleMenuBarWin32()
{
    if (s_bar.window && IsWindowVisible(s_bar.window))
        ShowWindow(s_bar.window, SW_HIDE);
    s_bar.shown = 0;
}

bool isMacStyleMenuBarShownWin32() { return s_bar.shown != 0; }

void enableMacStyleMenuBarWin32()
{
    if (s_bar.window)
        EnableWindow(s_bar.window, TRUE);
}

void disableMacStyleMenuBarWin32()
{
    if (s_bar.window)
        EnableWindow(s_bar.window, FALSE);
}

void* getMacStyleMenuBarWindowWin32() { return s_bar.window; }

void raiseMacStyleMenuBarWin32()
{
    if (s_bar.window)
        BringWindowToTop(s_bar.window);
}
void* getMacStyleMenuBarMenuWin32() { return s_bar.menu; }
