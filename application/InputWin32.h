#pragma once
// The native side of the mouse and keyboard managers: the mouse capture, the cursor's
// screen position and the native keyboard focus.
#include "foundation/KTypes.h"

void captureMouseWin32(void* W);
void releaseMouseCaptureWin32();
// False when the platform cannot tell where the cursor is.
bool getCursorScreenPositionWin32(short& H, short& V);
// The native window that has the keyboard focus; null when none of this thread's has it.
void* getNativeFocusWin32();
void setNativeFocusWin32(void* W);
