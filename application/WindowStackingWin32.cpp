#include "application/WindowStackingWin32.h"

#include "application/KWindow.h"
#include "foundation/KBag.h"

#include <windows.h>
#include <shellapi.h>

void stackNativeWindowsWin32(const KBag& FrontToBack, void* ActiveWindow)
{
    HDWP positions = BeginDeferWindowPos(FrontToBack.getCount());
    if (!positions)
        return;
    HWND previous = HWND_TOP;
    const HWND active = GetActiveWindow() ? GetActiveWindow() : static_cast<HWND>(ActiveWindow);
    for (long i = 0; i < FrontToBack.getCount() && positions; ++i) {
        const auto window = static_cast<HWND>(static_cast<KWindow&>(FrontToBack[i]).getNativeWindow());
        if (!window)
            continue;
        const UINT flags = SWP_NOSIZE | SWP_NOMOVE | (window == active ? 0 : SWP_NOACTIVATE);
        positions = DeferWindowPos(positions, window, previous, 0, 0, 0, 0, flags);
        previous = window;
    }
    if (positions)
        EndDeferWindowPos(positions);
}

void activateNativeWindowWin32(void* W)
{
    if (W)
        SetActiveWindow(static_cast<HWND>(W));
}

void acceptDroppedFilesWin32(void* W)
{
    if (W)
        DragAcceptFiles(static_cast<HWND>(W), TRUE);
}
