#pragma once
// The native side of the window manager.
class KBag;

// Stacks the native windows of the given KWindows, front-most first; only the active
// one may be activated by it.
void stackNativeWindowsWin32(const KBag& FrontToBack, void* ActiveWindow);
void activateNativeWindowWin32(void* W);
// Files dropped on the window reach the application.
void acceptDroppedFilesWin32(void* W);
