#pragma once
// Reads ZSoft PCX images: 1 to 8 bits in one plane, 1-bit planes (EGA colours), and 24-bit
// colour in three planes, with a fourth plane as alpha.
#include "graphics/imageimport/DibImage.h"

#include <vector>

class ImageStreamReader;

class DibImagePcx : public DibImage {
public:
    DibImagePcx() : DibImage(FormatPcx) {}
    bool decode(ImageStream* stream);

    // One index byte per pixel from a single-plane row; returns the count of pixels made.
    static size_t unpackPixels(uint8_t* line, const uint8_t* source, size_t bytesPerLine, int planes, int bits);
    // One index byte per pixel from 1-bit planes, plane p giving bit p.
    static size_t unpackPlanes(uint8_t* line, const uint8_t* source, size_t bytesPerLine, int planes, int bits);

private:
    void decodeOrThrow(ImageStream& stream);
    static void readRunLengthData(ImageStreamReader& stream, std::vector<uint8_t>& data);
};
