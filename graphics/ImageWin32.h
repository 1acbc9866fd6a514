#pragma once
// The GDI side of KImage: its bitmap in a memory context, loading from BMP blocks, decoded
// files and resources, drawing through a device-independent bitmap, and BMP data.
#include "graphics/ImageFileFormat.h"

#include <vector>

class KGraphicDevice;
class KGraphicRectangle;
class KImage;
struct HBITMAP__;

// The image's bitmap and the bitmap it displaced in the memory context, which goes back in
// before the context or the bitmap goes away.
struct NativeImageWin32 {
    HBITMAP__* bitmap;
    HBITMAP__* previousBitmap;
};

// A black bitmap compatible with the display in a new memory context, with the image's
// device bound to that context. False when the platform refuses, the image then has none.
bool createImageBitmapWin32(KImage& Image, short Width, short Height);
// Puts the displaced bitmap back, deletes the bitmap, unbinds the device and deletes the
// memory context.
void disposeImageBitmapWin32(KImage& Image);
// Draws a packed DIB (header, colour table, pixels at BitsOffset; checked complete by the
// caller) over (0, 0, Width, Height) of the image, stretched in HALFTONE mode.
void drawDibBlockWin32(KImage& Image, const uint8* Block, uint32 BitsOffset, short Width, short Height);
// A bitmap resource of the program, else an icon's colour (or mask) bitmap, swapped in for
// the image's blank one. False when neither loads.
bool loadResourceImageWin32(KImage& Image, short Number);
// Decodes a JPEG, PNG, GIF or TIFF file through the image-import layer and draws the result
// into a new bitmap of its size; 0 × 0 when nothing decoded.
void importImageFileWin32(KImage& Image, const char* Path, KImageFileFormat Format);
// For devices that cannot take a bit copy (printers).
void drawImageThroughDibWin32(KImage& Image, KGraphicDevice& Destination, const KGraphicRectangle& S,
                              const KGraphicRectangle& D);
// The bitmap as a complete BMP file, through the default palette. False without bitmap.
bool getBMPDataWin32(KImage& Image, std::vector<uint8>& Out);
