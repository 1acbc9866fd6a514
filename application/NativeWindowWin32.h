#pragma once
// The native side of KWindow: creating, showing and destroying its native window.
#include "foundation/KTypes.h"

class KWindow;

// WS_CLIPCHILDREN, WS_CLIPSIBLINGS and the low bit, plus one style per kind flag.
unsigned long nativeWindowStyleWin32(uint32 KindFlags);
// A hidden popup window of the class "KWindowClass" whose content area, Width by Height,
// is centred on the screen; null when the platform refuses.
void* createNativeWindowWin32(unsigned long Style, const char* Title, short Width, short Height);
void destroyNativeWindowWin32(void* W);
void showNativeWindowWin32(void* W, bool Show);
bool isNativeWindowIconicWin32(void* W);
void setNativeWindowTitleWin32(void* W, const char* Title);
// Stores the window object in the native window's user data (null forgets it).
void bindNativeWindowWin32(void* W, KWindow* Window);
// The window object of a native window, or null.
KWindow* findWindowOfNativeWin32(void* W);
