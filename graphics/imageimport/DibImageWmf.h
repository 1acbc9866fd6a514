#pragma once
// Reads placeable Windows metafiles and enhanced metafiles by letting GDI play them into a
// bitmap of the picture's size.
#include "graphics/imageimport/DibImage.h"

class DibImageWmf : public DibImage {
public:
    struct PlaceableHeader {
        uint32_t key;
        int16_t left, top, right, bottom;
        uint16_t unitsPerInch;
        uint16_t checksum;
    };
    static constexpr long MaxSide = 4000;

    DibImageWmf() : DibImage(FormatMetafile) {}
    bool decode(ImageStream* stream);

    static bool isPlaceableHeader(const uint8_t bytes[22], PlaceableHeader* header = nullptr);
    static HENHMETAFILE readPlaceableMetafile(ImageStream* stream, PlaceableHeader* header);
    static HENHMETAFILE readEnhancedMetafile(ImageStream* stream, ENHMETAHEADER* header);
    // Keeps the larger side at most 4000 pixels, keeping the proportions.
    static void clampMetafileSize(long& width, long& height);

private:
    bool render(HENHMETAFILE metafile, long width, long height);
};
