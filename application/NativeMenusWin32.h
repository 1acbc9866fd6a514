#pragma once
// The menus' Win32 layer: the native menus behind KMenu and KMenuBar, the process-wide
// table that ties a native command ID back to its KMenuItem, the accelerator table that
// makes the items' Control-key shortcuts work, and the redraw of the menu bar after a
// change. Changes only mark the accelerators dirty; the main loop rebuilds them before it
// translates the next message. GUI thread only.
#include "foundation/KTypes.h"

class KGraphicDevice;
class KGraphicRectangle;
class KMenu;
class KMenuBar;
class KMenuItem;

// Native command IDs. The platform reads a command of 0 as "no command" (a pop-up
// answers 0 when nothing was chosen, and a detached item's ID is 0), so 0 is never
// handed out: IDs run from 1 to 65535.
long assignUniqueIDWin32(KMenuItem& MenuItem);
void releaseNativeIDWin32(long ID);
KMenuItem* findMenuItemByNativeIDWin32(long ID);
long getLastNativeIDWin32();

// Accelerators.
void invalidateAcceleratorsWin32();
bool areAcceleratorsDirtyWin32();
// Only when dirty: the table of the enabled shortcuts of the installed, shown and
// enabled menu bar, or none (hidden bar, no bar, a modal window open, no shortcut).
void buildAcceleratorTableWin32();
void* getAcceleratorTableWin32();
bool hasAcceleratorTableWin32();

// The native record behind a menu bar: its native menu bar and its Help menu.
void* createNativeMenuBarWin32();
// Destroys the native bar alone: the menus shown in it belong to their KMenus.
void destroyNativeMenuBarWin32(void* NMB);
void* getNativeMenuWin32(const KMenuBar& MB);
void createHelpMenuWin32(KMenuBar& MB);
KMenu* getHelpMenuWin32(const KMenuBar& MB);
void releaseHelpMenuWin32(KMenuBar& MB);

// The menu bar that holds a changed menu is drawn again.
void redrawItemMenuWin32(const KMenuItem& MI);
void redrawMenuWin32(const KMenu& M);
void redrawMenuBarWin32(const KMenuBar& MB);

// Native menus and their entries; positions are 0-based.
void* createNativePopupMenuWin32();
void* createNativeMenuBarHandleWin32();
void destroyNativeMenuWin32(void* Menu);
void appendNativeCommandWin32(void* Menu, long ID, const char* Text);
void appendNativeSeparatorWin32(void* Menu);
void appendNativeSubMenuWin32(void* Menu, void* SubMenu, const char* Text);
// An owner-drawn entry whose item data is Item; NewColumn starts a column after a bar.
void appendNativeOwnerDrawnWin32(void* Menu, long ID, const void* Item, bool NewColumn);
void setNativeEntryTextWin32(void* Menu, long Position, const char* Text);
// The check mark; a greyed entry stays greyed.
void setNativeEntryCheckedWin32(void* Menu, long Position, bool Checked, bool Enabled);
void enableNativeEntryWin32(void* Menu, long Position, bool Enable);
void removeNativeEntryWin32(void* Menu, long Position);
// Removes the pop-up entry that opens SubMenu, wherever it stands.
void removeNativeSubMenuEntryWin32(void* Menu, void* SubMenu);
long getNativeEntryCountWin32(void* Menu);

// Windows and their native menus.
void setWindowMenuWin32(void* Window, void* Menu, bool Redraw);
void drawWindowMenuBarWin32(void* Window);

// The modal pop-up: the platform's menu loop, answering the chosen native command ID or
// 0. Tests install a tracker of their own that answers at once; null restores the
// platform's.
using KPopupMenuTracker = long (*)(void* Menu, short ScreenH, short ScreenV, void* Owner);
void setPopupMenuTrackerWin32(KPopupMenuTracker Tracker);
long trackPopupMenuWin32(void* Menu, short ScreenH, short ScreenV, void* Owner);

// Owner-drawn entries: the size the platform asks for, and a device over the context of
// one draw request, bounded to the entry's rectangle (null without a request or context).
long getMenuCheckMarkWidthWin32();
KGraphicDevice* createMenuItemDeviceWin32(const void* DrawRequest, KGraphicRectangle& ItemRect);
// The request asks for a selection change to the selected state.
bool isSelectingDrawRequestWin32(const void* DrawRequest);
