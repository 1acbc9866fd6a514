#pragma once
// The prepared copy of an alpha image: a 32-bit DIB section of the image's size in a memory
// context of its own, made from the image and its mask whenever either changes.
#include <windows.h>

class KAlphaImage;

struct AlphaBitmapWin32 {
    HBITMAP dibSection;
    HBITMAP previousBitmap;
    HDC dc;
};

HDC getAlphaDCWin32(const KAlphaImage& Image);
// The image with white wherever the mask is white, for drawing by raster operations.
void createAlphaBitmapWin32(KAlphaImage& Image);
// The image premultiplied by a per-pixel alpha of 255 − the mask's red, for AlphaBlend.
void applyAlphaMaskWin32(KAlphaImage& Image);
void releaseAlphaBitmapWin32(KAlphaImage& Image);
