#pragma once
// The separate menu-bar window: a borderless window as wide as the screen and one menu bar
// high at the top edge of the screen, which shows the application's menu bar when the
// menu manager does not put it on the windows. The menu belongs to the menu bar; this
// window only shows it.

// Makes the window, or updates the one there is; true when it exists.
bool createMacStyleMenuBarWin32(bool Show, void* Menu);
// Takes the menu away and destroys the window.
void destroyMacStyleMenuBarWin32();
void setMacStyleMenuBarMenuWin32(void* Menu);
// The shown flag follows every call, with or without a window, so that a menu given
// later shows the window.
void showMacStyleMenuBarWin32();
void hideMacStyleMenuBarWin32();
bool isMacStyleMenuBarShownWin32();
void enableMacStyleMenuBarWin32();
void disableMacStyleMenuBarWin32();
void* getMacStyleMenuBarWindowWin32();
// Brings the window to the top of the window order, when there is one.
void raiseMacStyleMenuBarWin32();
void* getMacStyleMenuBarMenuWin32();
