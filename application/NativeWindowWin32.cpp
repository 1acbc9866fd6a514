#include "application/NativeWindowWin32.h"

#include "application/KWindow.h"
#include "foundation/KString.h"
#include "foundation/OperatingSystemWin32.h"

#include <windows.h>
#include <commctrl.h>

namespace {
HWND hwnd(void* W) { return static_cast<HWND>(W); }
} // namespace

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

NativeFrameWin32 adjustFrameWin32(const NativeFrameWin32& Content, unsigned long Style, unsigned long ExStyle,
                                  bool HasMenu)
{
    RECT frame{Content.h, Content.v, Content.h + Content.width, Content.v + Content.height};
    AdjustWindowRectEx(&frame, Style, HasMenu ? TRUE : FALSE, ExStyle);
    return {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top};
}

void* createNativeWindowWin32(unsigned long ExStyle, const char* ClassName, const char* Title, unsigned long Style,
                              const NativeFrameWin32& Frame, void* Owner, void* Menu)
{
    return CreateWindowExA(ExStyle, ClassName, Title, Style, Frame.h, Frame.v, Frame.width, Frame.height, hwnd(Owner),
                           static_cast<HMENU>(Menu), static_cast<HINSTANCE>(knsGetInstance()), nullptr);
}

void destroyNativeWindowWin32(void* W) { DestroyWindow(hwnd(W)); }

void showNativeWindowWin32(void* W, bool Show)
{
    if (!Show) {
        ShowWindow(hwnd(W), SW_HIDE);
        return;
    }
    ShowWindow(hwnd(W), SW_SHOWNORMAL);
    ShowOwnedPopups(hwnd(W), TRUE);
}

bool isNativeWindowIconicWin32(void* W) { return IsIconic(hwnd(W)) != FALSE; }
void setNativeWindowTitleWin32(void* W, const char* Title) { SetWindowTextA(hwnd(W), Title); }
void enableNativeWindowWin32(void* W, bool Enable) { EnableWindow(hwnd(W), Enable ? TRUE : FALSE); }

NativeFrameWin32 getNativeWindowRectWin32(void* W)
{
    RECT r{};
    GetWindowRect(hwnd(W), &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

NativeFrameWin32 getClientAreaWin32(void* W)
{
    POINT origin{0, 0};
    ClientToScreen(hwnd(W), &origin);
    RECT client{};
    GetClientRect(hwnd(W), &client);
    return {origin.x, origin.y, client.right - client.left, client.bottom - client.top};
}

void moveNativeWindowWin32(void* W, const NativeFrameWin32& Frame)
{
    MoveWindow(hwnd(W), Frame.h, Frame.v, Frame.width, Frame.height, TRUE);
}

void setNativeMenuWin32(void* W, void* Menu)
{
    SetMenu(hwnd(W), static_cast<HMENU>(Menu));
    DrawMenuBar(hwnd(W));
}

void redrawNativeRectWin32(void* W, long H, long V, long Width, long Height)
{
    RECT r{H, V, H + Width, V + Height};
    RedrawWindow(hwnd(W), &r, nullptr, RDW_INVALIDATE | RDW_NOERASE);
}

void screenToClientWin32(void* W, short& H, short& V)
{
    POINT p{H, V};
    ScreenToClient(hwnd(W), &p);
    H = static_cast<short>(p.x);
    V = static_cast<short>(p.y);
}

void clientToScreenWin32(void* W, short& H, short& V)
{
    POINT p{H, V};
    ClientToScreen(hwnd(W), &p);
    H = static_cast<short>(p.x);
    V = static_cast<short>(p.y);
}

void* getNativeWindowDCWin32(void* W) { return GetDC(hwnd(W)); }
void releaseNativeWindowDCWin32(void* W, void* DC) { ReleaseDC(hwnd(W), static_cast<HDC>(DC)); }
void setDCExtentWin32(void* DC, long Width, long Height) { SetWindowExtEx(static_cast<HDC>(DC), Width, Height, nullptr); }

void focusNativeWindowIfNoneWin32(void* W)
{
    if (!GetFocus())
        SetFocus(hwnd(W));
}

void bindNativeWindowWin32(void* W, KWindow* Window)
{
    SetWindowLongPtrA(hwnd(W), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(Window));
}

KWindow* findWindowOfNativeWin32(void* W)
{
    if (!W || !IsWindow(hwnd(W)))
        return nullptr;
    return reinterpret_cast<KWindow*>(GetWindowLongPtrA(hwnd(W), GWLP_USERDATA));
}

void* knsCreateToolTip(KWindow& Window, const KGraphicRectangle&, const KString& Text)
{
    auto owner = static_cast<HWND>(Window.getNativeWindow());
    if (!owner)
        return nullptr;
    HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | TTS_BALLOON, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                               static_cast<HINSTANCE>(knsGetInstance()), nullptr);
    if (!tip)
        return nullptr;
    SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TOOLINFOA tool{};
    // The size every version of the common controls takes.
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = 0;
    tool.hinst = static_cast<HINSTANCE>(knsGetInstance());
    tool.lpszText = const_cast<char*>(Text.getText());
    GetClientRect(owner, &tool.rect);
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return tip;
}
