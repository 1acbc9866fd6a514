#pragma once
// The native side of KWindow: creating, placing, showing and destroying its native window.
#include "foundation/KTypes.h"

class KGraphicRectangle;
class KString;
class KWindow;

// A screen rectangle as origin and size.
struct NativeFrameWin32 {
    long h;
    long v;
    long width;
    long height;
};

// WS_CLIPCHILDREN, WS_CLIPSIBLINGS and the low bit, plus one style per kind flag.
unsigned long nativeWindowStyleWin32(uint32 KindFlags);
// The outer rectangle of a window whose content is Content, for the style and extended
// style, with or without a menu bar.
NativeFrameWin32 adjustFrameWin32(const NativeFrameWin32& Content, unsigned long Style, unsigned long ExStyle,
                                  bool HasMenu);
// Null when the platform refuses.
void* createNativeWindowWin32(unsigned long ExStyle, const char* ClassName, const char* Title, unsigned long Style,
                              const NativeFrameWin32& Frame, void* Owner, void* Menu);
void destroyNativeWindowWin32(void* W);
void showNativeWindowWin32(void* W, bool Show);
bool isNativeWindowIconicWin32(void* W);
void setNativeWindowTitleWin32(void* W, const char* Title);
void enableNativeWindowWin32(void* W, bool Enable);
NativeFrameWin32 getNativeWindowRectWin32(void* W);
// The client area: the screen position of its origin and its size.
NativeFrameWin32 getClientAreaWin32(void* W);
void moveNativeWindowWin32(void* W, const NativeFrameWin32& Frame);
void setNativeMenuWin32(void* W, void* Menu);
// RDW_INVALIDATE | RDW_NOERASE over a client rectangle.
void redrawNativeRectWin32(void* W, long H, long V, long Width, long Height);
void screenToClientWin32(void* W, short& H, short& V);
void clientToScreenWin32(void* W, short& H, short& V);
void* getNativeWindowDCWin32(void* W);
void releaseNativeWindowDCWin32(void* W, void* DC);
void setDCExtentWin32(void* DC, long Width, long Height);
// Gives W the keyboard focus when no window has it.
void focusNativeWindowIfNoneWin32(void* W);
// Stores the window object in the native window's user data (null forgets it).
void bindNativeWindowWin32(void* W, KWindow* Window);
// The window object of a native window, or null.
KWindow* findWindowOfNativeWin32(void* W);

// A balloon tooltip owned by the window, showing Text over its whole client area; null
// when the window has no native window. The rectangle is not used.
void* knsCreateToolTip(KWindow& Window, const KGraphicRectangle& Unused, const KString& Text);
