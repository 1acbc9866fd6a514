#pragma once
// The native rectangle of a KGraphicRectangle: right and bottom are exclusive, as in GDI.
#include "foundation/KGraphicRectangle.h"

#include <windows.h>

inline RECT toNativeRectWin32(const KGraphicRectangle& R)
{
    RECT rect;
    R.toNativeRect(rect);
    return rect;
}
