#pragma once
// Reads one page of a TIFF file through libtiff: grey, palette and grey-with-alpha images
// strip by strip into 1-, 4- or 8-bit images, everything else through libtiff's RGBA
// reader into 24 bits.
#include "graphics/imageimport/DibImage.h"

#include <tiffio.h>

class DibImageTif : public DibImage {
public:
    DibImageTif() : DibImage(FormatTiff) {}
    bool decode(ImageStream* stream);

private:
    struct Fields {
        uint32_t width = 0;
        uint32_t height = 0;
        uint16_t samplesPerPixel = 1;
        uint16_t bitsPerSample = 1;
        uint32_t rowsPerStrip = UINT32_MAX;
        uint16_t photometric = PHOTOMETRIC_MINISWHITE;
        uint16_t orientation = ORIENTATION_TOPLEFT;
        uint16_t sampleFormat = SAMPLEFORMAT_UINT;
        uint16_t planarConfig = PLANARCONFIG_CONTIG;
    };

    void decodeOrThrow(TIFF* tiff);
    long countPages(TIFF* tiff);
    static bool readsByStrips(TIFF* tiff, const Fields& fields);
    void readRgba(TIFF* tiff, const Fields& fields);
    static void readColoursAsStored(TIFF* tiff);
    void readStrips(TIFF* tiff, const Fields& fields);
    void buildPalette(TIFF* tiff, const Fields& fields);
    void storeStripRow(const uint8_t* source, long pictureRow, const Fields& fields);
    void applyOrientation(uint16_t orientation);
};
