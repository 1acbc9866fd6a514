#pragma once
// Reads Windows and OS/2 bitmaps, with or without the 14-byte file header: 1, 4, 8, 16,
// 24 and 32 bits per pixel, RLE8 and RLE4.
#include "graphics/imageimport/DibImage.h"

class DibImageBmp : public DibImage {
public:
    DibImageBmp() : DibImage(FormatBmp) {}
    bool decode(ImageStream* stream);

    // Reads the info header or the OS/2 core header into `header`, normalised to a
    // BITMAPINFOHEADER; `headerSize` gets the size the file gave.
    static bool readBitmapHeader(ImageStream* stream, BITMAPINFOHEADER* header, uint32_t* headerSize = nullptr);

private:
    void decodeOrThrow(ImageStream& stream);
    void readPalette(ImageStream& stream, uint32_t fileColours, bool core);
    void readRle(ImageStream& stream, bool fourBits);
};
