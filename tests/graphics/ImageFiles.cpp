#include "tests/graphics/ImageFiles.h"

// libtiff's header declares its own integer names, which clash with the framework's.
#include <tiffio.h>

void writeTiffFile(const std::string& Path, const RgbRows& Rows)
{
    TIFF* tiff = TIFFOpen(Path.c_str(), "w");
    const uint32_t width = uint32_t(Rows[0].size()), height = uint32_t(Rows.size());
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, height);
    std::vector<uint8_t> pixels = rgbBytes(Rows);
    for (uint32_t y = 0; y < height; ++y)
        TIFFWriteScanline(tiff, &pixels[y * width * 3], y, 0);
    TIFFClose(tiff);
}
