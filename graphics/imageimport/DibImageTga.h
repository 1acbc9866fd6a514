#pragma once
// Reads Truevision TGA images: colour-mapped, true-colour and grey, raw or run-length
// encoded, at 8, 15, 16, 24 and 32 bits, in any of the four origins.
#include "graphics/imageimport/DibImage.h"

#include <vector>

class DibImageTga : public DibImage {
public:
    DibImageTga() : DibImage(FormatTga) {}
    bool decode(ImageStream* stream);

private:
    struct Header {
        uint8_t idLength;
        uint8_t colourMapType;
        uint8_t imageType;
        uint16_t colourMapLength;
        uint8_t colourMapEntrySize;
        uint16_t width;
        uint16_t height;
        uint8_t pixelDepth;
        uint8_t descriptor;
    };

    void decodeOrThrow(ImageStream& stream);
    void readColourMap(ImageStream& stream, const Header& header);
    // Reads `count` stored pixels into stored row `row` from column `firstColumn`.
    void expandLine(ImageStream& stream, long row, long count, long firstColumn);
    // Decodes one row of run-length packets; a packet may carry on into the next row.
    void expandRleLine(ImageStream& stream, long row);
    // Stores `count` pixels into stored row `row` from column `x`: the stored values `step`
    // bytes apart (0 repeats one value). A span outside the row is a corrupt file.
    void storePixels(long row, long x, long count, const uint8_t* value, size_t step);

    int m_bytesPerPixel = 0;
    int m_depth = 0;
    bool m_attributeAlpha = false;
    long m_packetLeft = 0;
    bool m_packetIsRun = false;
    uint8_t m_runValue[4] = {};
    // The raw packet being read, kept from packet to packet.
    std::vector<uint8_t> m_packet;
};
