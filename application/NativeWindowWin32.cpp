#include "application/NativeWindowWin32.h"

#include "application/OperatingSystemWin32.h"
#include "foundation/KernelFunctions.h"

#include <windows.h>

unsigned long nativeWindowStyleWin32(uint32 KindFlags)
{
    unsigned long style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS | 0x10;
    if (KindFlags & 0x2)
        style |= WS_CAPTION;
    else if (KindFlags & 0x1)
        style |= WS_BORDER;
    if (KindFlags & 0x4)
        style |= WS_SYSMENU;
    if (KindFlags & 0x8)
        style |= WS_MAXIMIZEBOX;
    if (KindFlags & 0x10)
        style |= WS_THICKFRAME;
    if (KindFlags & 0x20)
        style |= WS_MINIMIZEBOX;
    return style;
}

void* createNativeWindowWin32(unsigned long Style, const char* Title, short Width, short Height)
{
    const unsigned long style = Style | WS_POPUP;
    RECT frame;
    frame.left = (knsGetScreenWidth() - Width) / 2;
    frame.top = (knsGetScreenHeight() - Height) / 2;
    frame.right = frame.left + Width;
    frame.bottom = frame.top + Height;
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_APPWINDOW);
    return CreateWindowExA(WS_EX_APPWINDOW, "KWindowClass", Title, style, frame.left, frame.top,
                           frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                           static_cast<HINSTANCE>(knsGetInstance()), nullptr);
}

void destroyNativeWindowWin32(void* W) { DestroyWindow(static_cast<HWND>(W)); }

void showNativeWindowWin32(void* W, bool Show)
{
    const auto window = static_cast<HWND>(W);
    if (!Show) {
        ShowWindow(window, SW_HIDE);
        return;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    ShowOwnedPopups(window, TRUE);
}

bool isNativeWindowIconicWin32(void* W) { return IsIconic(static_cast<HWND>(W)) != FALSE; }

void setNativeWindowTitleWin32(void* W, const char* Title) { SetWindowTextA(static_cast<HWND>(W), Title); }

void bindNativeWindowWin32(void* W, KWindow* Window)
{
    SetWindowLongPtrA(static_cast<HWND>(W), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(Window));
}

KWindow* findWindowOfNativeWin32(void* W)
{
    if (!W)
        return nullptr;
    return reinterpret_cast<KWindow*>(GetWindowLongPtrA(static_cast<HWND>(W), GWLP_USERDATA));
}
