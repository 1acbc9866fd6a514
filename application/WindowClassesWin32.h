#pragma once
// The window classes of the framework's own windows and their procedures. The framework
// procedures wrap each message into a native message record, have it translated into a
// framework event and send that at once; the answer decides whether the platform's
// default procedure still runs. Every class stays registered until the process ends.

#include "application/KNativeMessage.h"

// The record of a message a window procedure received, with the message's time and the
// cursor position at that time.
KNativeMessage nativeMessageOfWin32(void* Window, uint32 Message, uint32 WParam, int32 LParam);

// "SplashWindowClass"; a class the platform refuses ends the program.
unsigned short registerSplashWindowClassWin32();
// "KWindowClass", "KPaletteClass", "KOverlayWindowClass" and "KDialogClass", in that
// order, stopping at the first the platform refuses (which ends the program). Answers the
// last class's atom.
unsigned short registerKWindowClassesWin32();
// "DragObjectWindowClass".
unsigned short registerDragObjectWindowClassWin32();
// "MacStyleMenuWindowClass", the class of the separate menu-bar window.
unsigned short registerMacStyleMenuWindowClassWin32();

void unregisterSplashWindowClassWin32();
void unregisterKWindowClassesWin32();
void unregisterDragObjectWindowClassWin32();
void unregisterMacStyleMenuWindowClassWin32();
