#include "application/InputWin32.h"

#include <windows.h>

void captureMouseWin32(void* W)
{
    if (W)
        SetCapture(static_cast<HWND>(W));
}

void releaseMouseCaptureWin32() { ReleaseCapture(); }

bool getCursorScreenPositionWin32(short& H, short& V)
{
    POINT position{};
    if (!GetCursorPos(&position))
        return false;
    H = static_cast<short>(position.x);
    V = static_cast<short>(position.y);
    return true;
}

void* getNativeFocusWin32() { return GetFocus(); }

void setNativeFocusWin32(void* W) { SetFocus(static_cast<HWND>(W)); }
