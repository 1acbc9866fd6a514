#include "graphics/imageimport/DibImageIco.h"

#include "graphics/imageimport/ImageStream.h"
#include "graphics/imageimport/LittleEndian.h"

#include <cstring>
#include <vector>

namespace {

constexpr const char* Corrupted = "Corrupted ICO";

struct IconEntry {
    long width, height;
    int colours;
    int bitCount;
    uint32_t offset;
};

} // namespace

bool DibImageIco::decode(ImageStream* stream)
{
    if (!stream)
        return false;
    return guardedDecode([&] { decodeOrThrow(*stream); });
}

void DibImageIco::decodeOrThrow(ImageStream& stream)
{
    uint8_t directory[6];
    if (!stream.readAll(directory, sizeof(directory)) || LittleEndian::u16(directory) != 0
        || LittleEndian::u16(directory + 2) != 1)
        throw "Not an ICO";
    const int count = LittleEndian::u16(directory + 4);
    setNumFrames(count);
    std::vector<uint8_t> entries(size_t(count) * 16);
    if (!stream.readAll(entries.data(), entries.size()))
        throw Corrupted;
    if (getFrame() < 0 || getFrame() >= count)
        throw "ICO frame not present";

    const uint8_t* raw = &entries[size_t(getFrame()) * 16];
    IconEntry entry;
    // A stored side of 0 stands for 256 pixels.
    entry.width = raw[0] ? raw[0] : 256;
    entry.height = raw[1] ? raw[1] : 256;
    entry.colours = raw[2];
    entry.bitCount = LittleEndian::u16(raw + 6);
    entry.offset = LittleEndian::u32(raw + 12);

    int bits;
    if (entry.colours == 0 && entry.bitCount >= 9)
        bits = entry.bitCount;
    else
        bits = entry.colours == 0 ? 8 : entry.colours <= 2 ? 1 : entry.colours <= 16 ? 4 : 8;
    if (!create(entry.width, entry.height, bits, FormatIco))
        throw "ICO Create failed";
    if (!stream.seek(long(entry.offset), SEEK_SET))
        throw Corrupted;
    uint8_t signature[8];
    if (!stream.readAll(signature, sizeof(signature)))
        throw Corrupted;
    // Newer icons may hold a PNG file in place of the bitmap.
    if (std::memcmp(signature, "\x89PNG", 4) == 0)
        throw "PNG icons are not supported";
    if (!stream.seek(long(entry.offset) + 40, SEEK_SET))
        throw Corrupted;

    if (const uint32_t paletteBytes = getPaletteSize()) {
        if (!stream.readAll(getPalette(), paletteBytes))
            throw Corrupted;
        for (uint32_t i = 0; i < getHeader().biClrUsed; ++i)
            getPalette()[i].rgbReserved = 0;
    }

    const long width = getWidth();
    const long height = getHeight();
    // The pixels are read in the layout of the image made above: an entry that says 32 bits
    // and some colours at once is made as a palette image, and its rows are that narrow.
    if (bits == 32) {
        std::vector<uint8_t> pixels(size_t(width) * size_t(height) * 4);
        if (!stream.readAll(pixels.data(), pixels.size()))
            throw Corrupted;
        if (!isAlphaValid() && !alphaCreate())
            throw "ICO Create failed";
        for (long y = 0; y < height; ++y) {
            uint8_t* row = getBits() + size_t(y) * getStride();
            for (long x = 0; x < width; ++x) {
                const uint8_t* pixel = &pixels[(size_t(y) * size_t(width) + size_t(x)) * 4];
                std::memcpy(row + 3 * x, pixel, 3);
                alphaSet(x, y, pixel[3]);
            }
        }
    } else if (!stream.readAll(getBits(), getHeader().biSizeImage)) {
        throw Corrupted;
    }

    const size_t maskStride = size_t((width + 31) / 32) * 4;
    std::vector<uint8_t> mask(maskStride * size_t(height));
    if (!stream.readAll(mask.data(), mask.size()))
        throw Corrupted;
    bool transparent = isAlphaValid();
    if (!transparent) {
        if (!alphaCreate())
            throw "ICO Create failed";
        alphaClear(255);
    }
    for (long y = 0; y < height; ++y) {
        for (long x = 0; x < width; ++x) {
            if (mask[size_t(y) * maskStride + size_t(x >> 3)] & (0x80 >> (x & 7))) {
                alphaSet(x, y, 0);
                transparent = true;
            }
        }
    }
    if (!transparent)
        alphaDelete();
}
