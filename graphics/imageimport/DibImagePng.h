#pragma once
// Reads PNG images through libpng into 1-, 4-, 8- or 24-bit images, with palette alpha or
// an alpha plane where the file has them.
#include "graphics/imageimport/DibImage.h"

#include <vector>

#include <png.h>

class DibImagePng : public DibImage {
public:
    DibImagePng() : DibImage(FormatPng) {}
    bool decode(ImageStream* stream);

    // Reads through the stream; a short read is a libpng error "Read Error".
    static void readCallback(png_structp png, png_bytep data, png_size_t length);
    // Keeps libpng's message (the error pointer is a last-error buffer) and jumps back.
    static void errorFunction(png_structp png, png_const_charp message);

private:
    bool readImage(png_structp png, png_infop info);
    void setUpPalette(png_structp png, png_infop info, int bitDepth);
    void storeRow(const uint8_t* row, long pictureRow, int fileBitDepth);

    // Row memory lives here rather than on the stack of a function libpng may jump out of.
    std::vector<uint8_t> m_rows;
};
