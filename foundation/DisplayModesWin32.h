#pragma once
// The screen's size and depth, the display modes the system lists, and the one
// display-mode change the framework makes (full screen at a lower resolution) with its
// restore.
#include "foundation/KTypes.h"

class KBag;

// The screen's size in pixels and its bits per pixel, asked once and remembered until a
// display-mode change sets new values.
void getScreenInfoWin32(long* Width, long* Height, long* Depth);
// The display modes the system lists whose width, height and depth are each at least the
// given ones: a direct bag of longs, three per mode (width, height, bits per pixel), each
// mode once whatever its refresh rates, in the order of first appearance.
KBag enumDisplayModesWin32(short Width, short Height, short Depth);
// Switches the display without storing the mode in the registry; true at once when the
// screen already has that mode. A refusal is told in a message box and answers false.
bool changeDisplayModeWin32(short Width, short Height, short Depth);
// Returns the display to its registry mode when changeDisplayModeWin32 changed it.
void restoreDisplayModeWin32();

// The display as the system answers for it, replaceable so that tests can list modes and
// accept changes that a virtual display would refuse. Null restores the system's.
struct DisplayModeWin32 {
    long width;
    long height;
    long depth;
};
struct DisplaySystemWin32 {
    // The mode at Index of the system's list; false past its end.
    bool (*listMode)(unsigned long Index, DisplayModeWin32& Mode);
    // Switches to Mode, or back to the registry mode for null; true on success.
    bool (*changeMode)(const DisplayModeWin32* Mode);
};
void setDisplaySystemWin32(const DisplaySystemWin32* System);
