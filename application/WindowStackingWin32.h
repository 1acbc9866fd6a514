#pragma once
// The native side of the window manager.
#include <vector>

// Stacks native windows in the given order, the front-most first: the native common
// dialog (when one is open) goes to the very top, then the separate menu-bar window (when
// it takes part), then the list. Only the window that is active now (or, for the list,
// the manager's active window when the platform names none) may be activated by it.
void stackNativeWindowsWin32(void* CommonDialog, void* MenuBar, const std::vector<void*>& FrontToBack,
                             void* ManagersActive);
// To the top, then above every window that is not topmost; nothing for null.
void raiseNativeWindowToTopmostWin32(void* W);
void activateNativeWindowWin32(void* W);
// Files dropped on the window reach the application.
void acceptDroppedFilesWin32(void* W);
