#pragma once
// The native side of the window manager.
#include <vector>

// Stacks native windows in the given order, the front-most first: the native common
// dialog (when one is open) goes to the very top, then the list. Only the window that is
// active now (or, for the list, the manager's active window when the platform names
// none) may be activated by it.
void stackNativeWindowsWin32(void* CommonDialog, const std::vector<void*>& FrontToBack, void* ManagersActive);
void activateNativeWindowWin32(void* W);
// Files dropped on the window reach the application.
void acceptDroppedFilesWin32(void* W);
