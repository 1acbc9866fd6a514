#include "graphics/SystemColorsWin32.h"

#include <windows.h>

uint32 getSystemColorWin32(int Index) { return GetSysColor(Index); }
