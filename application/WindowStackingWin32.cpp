#include "application/WindowStackingWin32.h"

#include <windows.h>
#include <shellapi.h>

void stackNativeWindowsWin32(void* CommonDialog, void* MenuBar, const std::vector<void*>& FrontToBack,
                             void* ManagersActive)
{
    const int count = static_cast<int>(FrontToBack.size()) + (CommonDialog ? 1 : 0) + (MenuBar ? 1 : 0);
    HDWP positions = BeginDeferWindowPos(count);
    if (!positions)
        return;
    const HWND active = GetActiveWindow() ? GetActiveWindow() : static_cast<HWND>(ManagersActive);
    HWND previous = HWND_TOP;
    auto place = [&](HWND Window) {
        if (!positions || !Window)
            return;
        const UINT flags = SWP_NOSIZE | SWP_NOMOVE | (Window == active ? 0 : SWP_NOACTIVATE);
        positions = DeferWindowPos(positions, Window, previous, 0, 0, 0, 0, flags);
        previous = Window;
    };
    place(static_cast<HWND>(CommonDialog));
    place(static_cast<HWND>(MenuBar));
    for (void* window : FrontToBack)
        place(static_cast<HWND>(window));
    if (positions)
        EndDeferWindowPos(positions);
}

void raiseNativeWindowToTopmostWin32(void* W)
{
    if (!W)
        return;
    const UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE;
    SetWindowPos(static_cast<HWND>(W), HWND_TOP, 0, 0, 0, 0, flags);
    SetWindowPos(static_cast<HWND>(W), HWND_TOPMOST, 0, 0, 0, 0, flags);
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
