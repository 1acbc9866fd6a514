#pragma once
// The splash window shown while the program starts: the splash picture (bitmap resource
// 257) centred on the screen above all other windows, with one line of text near its
// bottom-left corner. It paints itself and takes no part in the event system.
#include <windows.h>

class KString;

constexpr int kSplashBitmapResource = 257;

// Opens the splash window unless it is open and draws it before returning; true. A splash
// window that cannot be made ends the program.
bool kksOpenSplash();
void kksCloseSplash();
// Shows Text on the splash window, at once when it is open.
void kksSetSplashText(const KString& Text);
// The splash window, or null while it is closed.
void* kksGetSplashWindow();

LRESULT CALLBACK SplashWindowProcWin32(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);
