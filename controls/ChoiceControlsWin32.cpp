#include "controls/ChoiceControlsWin32.h"

#include <windows.h>

#include <commctrl.h>

namespace {
HWND hwnd(void* W) { return static_cast<HWND>(W); }
} // namespace

void addComboItemWin32(void* Window, const char* Text)
{
    SendMessageA(hwnd(Window), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text));
}

void removeAllComboItemsWin32(void* Window) { SendMessageA(hwnd(Window), CB_RESETCONTENT, 0, 0); }

void setComboSelectionWin32(void* Window, long Index) { SendMessageA(hwnd(Window), CB_SETCURSEL, Index, 0); }

long getComboSelectionWin32(void* Window)
{
    const LRESULT selected = SendMessageA(hwnd(Window), CB_GETCURSEL, 0, 0);
    return selected == CB_ERR ? kNoComboSelection : static_cast<long>(selected);
}

bool isComboSelectionChangeWin32(const KNativeMessage& M)
{
    return M.message == WM_COMMAND && HIWORD(M.wParam) == CBN_SELCHANGE;
}

bool isNativeWindowEnabledWin32(void* Window) { return IsWindowEnabled(hwnd(Window)) != FALSE; }

bool keepDropDownHeightWin32(const KNativeMessage& M)
{
    if (M.message != WM_WINDOWPOSCHANGING || !M.lParam)
        return false;
    // The list takes its opened height from the height it is given, beyond its own.
    auto* position = reinterpret_cast<WINDOWPOS*>(M.lParam);
    if (!(position->flags & SWP_NOSIZE))
        position->cy = kDropDownListHeight;
    return true;
}

long appendNativeTabWin32(void* Window, const char* Title)
{
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<char*>(Title);
    item.iImage = -1;
    const LRESULT end = SendMessageA(hwnd(Window), TCM_GETITEMCOUNT, 0, 0);
    const LRESULT index = SendMessageA(hwnd(Window), TCM_INSERTITEMA, end, reinterpret_cast<LPARAM>(&item));
    UpdateWindow(hwnd(Window));
    return static_cast<long>(index);
}

void selectNativeTabWin32(void* Window, long Index) { SendMessageA(hwnd(Window), TCM_SETCURSEL, Index, 0); }

long getSelectedNativeTabWin32(void* Window) { return static_cast<long>(SendMessageA(hwnd(Window), TCM_GETCURSEL, 0, 0)); }

bool isNotifyWin32(const KNativeMessage& M) { return M.message == WM_NOTIFY; }

bool isTabSelectionChangeWin32(const KNativeMessage& M)
{
    return M.message == WM_NOTIFY && M.lParam && reinterpret_cast<const NMHDR*>(M.lParam)->code == TCN_SELCHANGE;
}
