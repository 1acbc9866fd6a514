#include "controls/RangeControlsWin32.h"

#include <windows.h>

#include <commctrl.h>

namespace {
HWND hwnd(void* W) { return static_cast<HWND>(W); }

void setScrollInfo(void* Window, UINT Mask, long Low, long High, long Page, long Position, bool Redraw)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = Mask;
    info.nMin = Low;
    info.nMax = High;
    info.nPage = static_cast<UINT>(Page);
    info.nPos = Position;
    SetScrollInfo(hwnd(Window), SB_CTL, &info, Redraw);
}

SCROLLINFO getScrollInfo(void* Window, UINT Mask)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = Mask;
    GetScrollInfo(hwnd(Window), SB_CTL, &info);
    return info;
}
} // namespace

bool getScrollCodeWin32(const KNativeMessage& M, long& Code)
{
    if (M.message != WM_HSCROLL && M.message != WM_VSCROLL)
        return false;
    Code = LOWORD(M.wParam);
    return true;
}

void setProgressRangeWin32(void* Window, long Low, long High)
{
    SendMessageA(hwnd(Window), PBM_SETRANGE, 0, MAKELPARAM(Low, High));
}

void setProgressPositionWin32(void* Window, long Position) { SendMessageA(hwnd(Window), PBM_SETPOS, Position, 0); }

void setScrollBarRangeWin32(void* Window, long Minimum, long Maximum, long Page, long Position)
{
    const UINT mask = SIF_RANGE | SIF_PAGE | SIF_POS;
    setScrollInfo(Window, mask, Minimum, Maximum, Page, Maximum, false);
    // The bar pulls the position back to the highest one its page allows; the range
    // grows by the difference.
    const SCROLLINFO clamped = getScrollInfo(Window, mask);
    setScrollInfo(Window, mask, Minimum, clamped.nMax + Maximum - clamped.nPos, Page, Position, true);
}

void setScrollBarPositionWin32(void* Window, long Position)
{
    setScrollInfo(Window, SIF_POS, 0, 0, 0, Position, true);
    UpdateWindow(hwnd(Window));
}

void getScrollBarPositionsWin32(void* Window, long& Position, long& TrackPosition)
{
    const SCROLLINFO info = getScrollInfo(Window, SIF_POS | SIF_TRACKPOS);
    Position = info.nPos;
    TrackPosition = info.nTrackPos;
}

long moveScrollBarWin32(void* Window, long Position)
{
    setScrollInfo(Window, SIF_POS, 0, 0, 0, Position, true);
    return getScrollInfo(Window, SIF_ALL).nPos;
}

void setUpSliderWin32(void* Window, long Minimum, long Maximum, long Page, long Value)
{
    SendMessageA(hwnd(Window), TBM_SETRANGE, TRUE, MAKELPARAM(Minimum, Maximum));
    SendMessageA(hwnd(Window), TBM_SETPOS, TRUE, Value);
    setSliderPageWin32(Window, Page);
}

void setSliderMinimumWin32(void* Window, long Minimum) { SendMessageA(hwnd(Window), TBM_SETRANGEMIN, TRUE, Minimum); }
void setSliderMaximumWin32(void* Window, long Maximum) { SendMessageA(hwnd(Window), TBM_SETRANGEMAX, TRUE, Maximum); }

void setSliderPageWin32(void* Window, long Page)
{
    SendMessageA(hwnd(Window), TBM_SETPAGESIZE, 0, Page);
    SendMessageA(hwnd(Window), TBM_SETTICFREQ, Page, 0);
}

void setSliderPositionWin32(void* Window, long Position) { SendMessageA(hwnd(Window), TBM_SETPOS, TRUE, Position); }

long getSliderPositionWin32(void* Window) { return static_cast<long>(SendMessageA(hwnd(Window), TBM_GETPOS, 0, 0)); }

bool getArrowsDeltaWin32(const KNativeMessage& M, long& Delta)
{
    // Only the position change carries a delta: the arrows also notify with bare headers.
    if (M.message != WM_NOTIFY || !M.lParam)
        return false;
    const auto* header = reinterpret_cast<const NMHDR*>(M.lParam);
    if (header->code != static_cast<UINT>(UDN_DELTAPOS))
        return false;
    Delta = reinterpret_cast<const NMUPDOWN*>(M.lParam)->iDelta;
    return true;
}
