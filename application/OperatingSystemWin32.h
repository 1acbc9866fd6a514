#pragma once
// Operating-system start and end of the framework, the display-mode helpers and the
// process's module handle.
#include "foundation/KTypes.h"

class KBag;

void knsInitOS();
void knsExitOS();
void knsSetWindowManagerClassName(const char* Name);
const char* knsGetWindowManagerClassName();

// The screen's size in pixels and its bits per pixel, asked once and remembered until a
// display-mode change sets new values.
void getScreenInfoWin32(long* Width, long* Height, long* Depth);
// The display modes the system lists whose width, height and depth are each at least the
// given ones: a direct bag of longs, three per mode (width, height, bits per pixel).
KBag enumDisplayModesWin32(short Width, short Height, short Depth);
bool changeDisplayModeWin32(short Width, short Height, short Depth);
void restoreDisplayModeWin32();
