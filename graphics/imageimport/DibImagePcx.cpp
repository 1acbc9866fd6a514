#include "graphics/imageimport/DibImagePcx.h"

#include "graphics/imageimport/ImageStream.h"
#include "graphics/imageimport/ImageStreamReader.h"
#include "graphics/imageimport/LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* Corrupted = "corrupted PCX";

} // namespace

bool DibImagePcx::decode(ImageStream* stream)
{
    if (!stream)
        return false;
    return guardedDecode([&] { decodeOrThrow(*stream); });
}

void DibImagePcx::decodeOrThrow(ImageStream& stream)
{
    uint8_t header[128];
    if (!stream.readAll(header, sizeof(header)))
        throw "Can't read PCX image";
    if (header[0] != 10)
        throw "Error: Not a PCX file";
    if (header[2] != 1)
        throw "PCX file has unknown encoding scheme";
    const int bitsPerPixel = header[3];
    const long width = long(LittleEndian::u16(header + 8)) - LittleEndian::u16(header + 4) + 1;
    const long height = long(LittleEndian::u16(header + 10)) - LittleEndian::u16(header + 6) + 1;
    const int planes = int8_t(header[65]);
    const size_t bytesPerLine = LittleEndian::u16(header + 66);
    if (planes > 4)
        throw "Can't handle image with more than 4 planes";
    if (planes < 1 || bytesPerLine == 0)
        throw Corrupted;

    const bool colourPlanes = bitsPerPixel == 8 && (planes == 3 || planes == 4);
    // Several 1-bit planes make indices of up to four bits.
    const int bits = colourPlanes ? 24 : (bitsPerPixel == 1 && planes > 1) ? 4 : bitsPerPixel;
    if (!create(width, height, bits, FormatPcx))
        throw "PCX Create failed";
    setDpi(LittleEndian::u16(header + 12), LittleEndian::u16(header + 14));
    if (planes == 4 && colourPlanes && !alphaCreate())
        throw "PCX Create failed";
    if (getEscape())
        throw "Cancelled";

    // Every byte of run-length data makes at most 63 bytes of the image: an image larger
    // than that is damage, and its size need not even fit in memory.
    const uint64_t dataSize = uint64_t(planes) * bytesPerLine * uint64_t(height);
    if (dataSize > uint64_t(stream.size()) * 63)
        throw Corrupted;
    std::vector<uint8_t> data(static_cast<size_t>(dataSize));
    ImageStreamReader reader(stream);
    readRunLengthData(reader, data);

    uint8_t palette[256 * 3] = {};
    std::memcpy(palette, header + 16, 48);
    if (bitsPerPixel == 8 && planes == 1) {
        const int signature = reader.getc();
        if (signature != 12)
            throw "bad color map signature";
        if (!reader.readAll(palette, sizeof(palette)))
            throw Corrupted;
    } else if (bitsPerPixel == 1 && planes == 1) {
        std::memset(palette, 0, 3);
        std::memset(palette + 3, 255, 3);
    }
    reader.close();
    setPaletteRgbTriples(palette, getHeader().biClrUsed);

    const size_t rowBytes = size_t(planes) * bytesPerLine;
    std::vector<uint8_t> line(bytesPerLine * 8 + size_t(width));
    // A plane holds bytesPerLine bytes however wide the image claims to be: the columns
    // past it are black.
    const long stored = std::min<long>(width, long(bytesPerLine));
    for (long y = 0; y < height; ++y) {
        const long row = height - 1 - y;
        const uint8_t* source = &data[size_t(y) * rowBytes];
        uint8_t* target = getBits() + size_t(row) * getStride();
        if (colourPlanes) {
            const uint8_t* red = source;
            const uint8_t* green = source + bytesPerLine;
            const uint8_t* blue = source + 2 * bytesPerLine;
            for (long x = 0; x < stored; ++x) {
                target[3 * x] = blue[x];
                target[3 * x + 1] = green[x];
                target[3 * x + 2] = red[x];
            }
            std::memset(target + 3 * stored, 0, size_t(3 * (width - stored)));
            if (planes == 4) {
                for (long x = 0; x < width; ++x)
                    alphaSet(x, row, x < stored ? source[3 * bytesPerLine + size_t(x)] : 0);
            }
            continue;
        }
        const size_t made = planes == 1 ? unpackPixels(line.data(), source, bytesPerLine, planes, bitsPerPixel)
                                        : unpackPlanes(line.data(), source, bytesPerLine, planes, bitsPerPixel);
        if (getBitCount() == 8) {
            const size_t copied = std::min(size_t(width), made);
            std::memcpy(target, line.data(), copied);
            std::memset(target + copied, 0, size_t(width) - copied);
            continue;
        }
        for (long x = 0; x < width; ++x)
            setPixelIndex(x, row, size_t(x) < made ? line[size_t(x)] : 0);
    }
}

void DibImagePcx::readRunLengthData(ImageStreamReader& stream, std::vector<uint8_t>& data)
{
    size_t position = 0;
    while (position < data.size()) {
        const int byte = stream.getc();
        if (byte < 0)
            throw Corrupted;
        if ((byte & 0xC0) != 0xC0) {
            data[position++] = uint8_t(byte);
            continue;
        }
        const size_t count = size_t(byte & 0x3F);
        const int value = stream.getc();
        if (value < 0)
            throw Corrupted;
        if (count > data.size() - position)
            throw "repeat count spans end of image";
        std::memset(&data[position], value, count);
        position += count;
    }
}

size_t DibImagePcx::unpackPixels(uint8_t* line, const uint8_t* source, size_t bytesPerLine, int planes, int bits)
{
    if (planes > 1)
        throw "Can't handle packed pixels with more than 1 plane.";
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8)
        return 0;
    const int perByte = 8 / bits;
    const uint8_t mask = uint8_t((1 << bits) - 1);
    for (size_t i = 0; i < bytesPerLine; ++i) {
        for (int k = 0; k < perByte; ++k)
            line[i * size_t(perByte) + size_t(k)] = uint8_t((source[i] >> (8 - bits * (k + 1))) & mask);
    }
    return bytesPerLine * size_t(perByte);
}

size_t DibImagePcx::unpackPlanes(uint8_t* line, const uint8_t* source, size_t bytesPerLine, int planes, int bits)
{
    if (planes > 4)
        throw "Can't handle more than 4 planes";
    if (bits != 1)
        throw "Can't handle more than 1 bit per pixel";
    std::memset(line, 0, bytesPerLine * 8);
    for (int plane = 0; plane < planes; ++plane) {
        for (size_t i = 0; i < bytesPerLine; ++i) {
            const uint8_t byte = source[size_t(plane) * bytesPerLine + i];
            for (int bit = 0; bit < 8; ++bit) {
                if (byte & (0x80 >> bit))
                    line[i * 8 + size_t(bit)] |= uint8_t(1 << plane);
            }
        }
    }
    return bytesPerLine * 8;
}
