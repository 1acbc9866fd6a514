#pragma once
// The fixed colours of the colour menus' three palettes, in item order: sixteen large
// swatches, seventy-two web-like colours in nine columns of eight, and 256 colours in
// sixteen groups that run from pale tints through the full hues to dark shades.
#include "graphics/KColor.h"

constexpr long kPaletteSmallCount = 16;
constexpr long kPaletteWebCount = 72;
constexpr long kPaletteFullCount = 256;

KColor paletteSmallColor(long Index);
// Stored as 8-bit components and widened by 256, so FF becomes FF00.
KColor paletteWebColor(long Index);
KColor paletteFullColor(long Index);
