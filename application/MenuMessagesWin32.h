#pragma once
// The menus' part of the native message translation: chosen commands and accelerators,
// menus of the menu bar about to open, and the owner-drawn cells of custom menus, which
// the platform asks to measure and to draw.
#include "application/KEvent.h"

// A command of a menu item or an accelerator (a command without a control): the menu
// event of the choice, or null. The Exit item quits the application instead.
KEvent* translateMenuCommandWin32(const KNativeMessage& Message);
// A menu of the menu bar opens: its opening event, or null.
KEvent* translateMenuOpeningWin32(const KNativeMessage& Message);
// 1 when the message concerned a cell of a custom menu and was answered.
KEventReturn measureMenuItemWin32(const KNativeMessage& Message);
KEventReturn drawMenuItemWin32(const KNativeMessage& Message);
