#pragma once
// The desktop's colours, read through the platform at the moment they are asked for.
#include "foundation/KTypes.h"

// GetSysColor indices.
constexpr int kSystemColorMenu = 4;
constexpr int kSystemColorMenuText = 7;
constexpr int kSystemColorHighlight = 13;
constexpr int kSystemColorHighlightText = 14;
constexpr int kSystemColorButtonFace = 15;

// The native value (0x00BBGGRR) of a desktop colour.
uint32 getSystemColorWin32(int Index);
