#include "graphics/imageimport/DibImageBmp.h"

#include "graphics/imageimport/ImageStream.h"
#include "graphics/imageimport/LittleEndian.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr const char* TruncatedData = "Error reading BMP data";

int nextByte(ImageStream& stream)
{
    const int byte = stream.getc();
    if (byte < 0)
        throw TruncatedData;
    return byte;
}

// Stored sizes and offsets are untrusted: a position past the end of the file is damage,
// and one beyond what a long holds must not reach the stream at all.
bool seekWithin(ImageStream& stream, int64_t position)
{
    return position >= 0 && position <= stream.size() && stream.seek(long(position), SEEK_SET);
}

long dpiOf(long pelsPerMeter)
{
    return long(std::floor(pelsPerMeter * 254.0 / 10000.0 + 0.5));
}

} // namespace

bool DibImageBmp::readBitmapHeader(ImageStream* stream, BITMAPINFOHEADER* header, uint32_t* headerSize)
{
    if (!stream || !header)
        return false;
    uint8_t bytes[40] = {};
    if (!stream->readAll(bytes, 4))
        return false;
    const uint32_t size = LittleEndian::u32(bytes);
    if (headerSize)
        *headerSize = size;
    *header = BITMAPINFOHEADER{};
    if (size == sizeof(BITMAPCOREHEADER)) {
        // Read only the core header's own 12 bytes, so that tiny core files still load.
        if (!stream->readAll(bytes + 4, 8))
            return false;
        header->biSize = size;
        header->biWidth = LittleEndian::u16(bytes + 4);
        header->biHeight = LittleEndian::u16(bytes + 6);
        header->biPlanes = LittleEndian::u16(bytes + 8);
        header->biBitCount = LittleEndian::u16(bytes + 10);
    } else {
        if (!stream->readAll(bytes + 4, 36))
            return false;
        header->biSize = size;
        header->biWidth = LittleEndian::s32(bytes + 4);
        header->biHeight = LittleEndian::s32(bytes + 8);
        header->biPlanes = LittleEndian::u16(bytes + 12);
        header->biBitCount = LittleEndian::u16(bytes + 14);
        header->biCompression = LittleEndian::u32(bytes + 16);
        header->biSizeImage = LittleEndian::u32(bytes + 20);
        header->biXPelsPerMeter = LittleEndian::s32(bytes + 24);
        header->biYPelsPerMeter = LittleEndian::s32(bytes + 28);
        header->biClrUsed = LittleEndian::u32(bytes + 32);
        header->biClrImportant = LittleEndian::u32(bytes + 36);
    }
    if (header->biClrUsed == 0 && header->biBitCount <= 8)
        header->biClrUsed = 1u << header->biBitCount;
    return true;
}

bool DibImageBmp::decode(ImageStream* stream)
{
    if (!stream)
        return false;
    return guardedDecode([&] { decodeOrThrow(*stream); });
}

void DibImageBmp::decodeOrThrow(ImageStream& stream)
{
    const long start = stream.tell();
    uint8_t fileHeader[14];
    if (!stream.readAll(fileHeader, sizeof(fileHeader)))
        throw "Not a BMP";
    uint32_t pixelOffset = 0;
    if (fileHeader[0] == 'B' && fileHeader[1] == 'M')
        pixelOffset = LittleEndian::u32(fileHeader + 10);
    else
        stream.seek(start, SEEK_SET);

    const long headerStart = stream.tell();
    BITMAPINFOHEADER header;
    uint32_t headerSize = 0;
    if (!readBitmapHeader(&stream, &header, &headerSize))
        throw "Error reading BMP info";
    const bool core = headerSize == sizeof(BITMAPCOREHEADER);
    const uint32_t compression = header.biCompression;
    const int bitCount = header.biBitCount;

    // The colour masks lie right after the first 40 header bytes: inside the larger
    // headers, after the plain info header. Either way they come before the palette.
    uint32_t masks[3] = {0x7C00, 0x3E0, 0x1F};
    if (!core && compression == BI_BITFIELDS) {
        uint8_t bytes[12];
        if (!stream.readAll(bytes, sizeof(bytes)))
            throw "Error reading BMP info";
        for (int i = 0; i < 3; ++i)
            masks[i] = LittleEndian::u32(bytes + 4 * i);
    }
    if (!core && headerSize > 40 && !seekWithin(stream, int64_t(headerStart) + headerSize))
        throw "Error reading BMP info";

    switch (bitCount) {
    case 1:
    case 4:
    case 8:
        if (compression != BI_RGB && !(compression == BI_RLE8 && bitCount == 8)
            && !(compression == BI_RLE4 && bitCount == 4))
            throw "compression type not supported";
        break;
    case 16:
        break;
    case 24:
        if (compression != BI_RGB)
            throw "unknown compression";
        break;
    case 32:
        if (compression != BI_RGB && compression != BI_BITFIELDS)
            throw "unknown compression";
        break;
    default:
        throw "Unsupported BMP bit count";
    }

    const int64_t signedHeight = header.biHeight;
    const bool topDown = signedHeight < 0;
    const int64_t height = topDown ? -signedHeight : signedHeight;
    if (height > MaxSide || !create(header.biWidth, long(height), bitCount, FormatBmp))
        throw "Can't allocate memory";
    setPelsPerMeter(header.biXPelsPerMeter, header.biYPelsPerMeter);
    setDpi(dpiOf(header.biXPelsPerMeter), dpiOf(header.biYPelsPerMeter));

    if (getEscape())
        throw "Cancelled";
    if (bitCount <= 8)
        readPalette(stream, header.biClrUsed, core);
    if (getEscape())
        throw "Cancelled";
    if (pixelOffset && !seekWithin(stream, int64_t(start) + pixelOffset))
        throw TruncatedData;

    const long width = getWidth();
    switch (bitCount) {
    case 16: {
        const size_t bytes = size_t((width + 1) / 2) * 4 * size_t(getHeight());
        if (!stream.readAll(getBits(), bytes))
            throw TruncatedData;
        convertPixels(getBits(), masks[0], masks[1], masks[2], 16);
        break;
    }
    case 32: {
        const uint64_t bytes = uint64_t(width) * 4 * uint64_t(getHeight());
        if (bytes > SIZE_MAX)
            throw "can't allocate memory";
        std::unique_ptr<uint8_t[]> pixels(new (std::nothrow) uint8_t[size_t(bytes)]);
        if (!pixels)
            throw "can't allocate memory";
        if (!stream.readAll(pixels.get(), size_t(bytes)))
            throw TruncatedData;
        convertPixels(pixels.get(), 0, 0, 0, 32);
        break;
    }
    default:
        if (compression == BI_RLE8 || compression == BI_RLE4)
            readRle(stream, compression == BI_RLE4);
        else if (!stream.readAll(getBits(), getHeader().biSizeImage))
            throw TruncatedData;
        break;
    }
    if (topDown)
        flip();
}

void DibImageBmp::readPalette(ImageStream& stream, uint32_t fileColours, bool core)
{
    // Only the entries the file holds: a short palette is followed at once by the pixels
    // in files without a pixel offset.
    const uint32_t count = std::min<uint32_t>(fileColours, getHeader().biClrUsed);
    const uint32_t entrySize = core ? 3 : 4;
    std::vector<uint8_t> bytes(size_t(count) * entrySize);
    if (!stream.readAll(bytes.data(), bytes.size()))
        throw TruncatedData;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* entry = &bytes[size_t(i) * entrySize];
        setPaletteColor(i, entry[2], entry[1], entry[0], 0);
    }
}

// RLE8 and RLE4 share their codes; RLE4 packs two pixels into each data byte. Writes go
// through setPixelIndex, which ignores positions outside the image, and the data ending
// before the end-of-bitmap code is a truncated file.
void DibImageBmp::readRle(ImageStream& stream, bool fourBits)
{
    auto pixelOf = [fourBits](int byte, int i) {
        return uint8_t(!fourBits ? byte : (i & 1) ? byte & 0x0F : byte >> 4);
    };
    long x = 0, row = 0;
    while (row < getHeight()) {
        const int count = nextByte(stream);
        const int value = nextByte(stream);
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                setPixelIndex(x + i, row, pixelOf(value, i));
            x += count;
            continue;
        }
        switch (value) {
        case 0:
            x = 0;
            ++row;
            break;
        case 1:
            return;
        case 2:
            x += nextByte(stream);
            row += nextByte(stream);
            break;
        default: {
            int data = 0;
            for (int i = 0; i < value; ++i) {
                if (!fourBits || !(i & 1))
                    data = nextByte(stream);
                setPixelIndex(x + i, row, pixelOf(data, i));
            }
            // The literal bytes are padded to a 16-bit boundary.
            const int bytes = fourBits ? (value + 1) / 2 : value;
            if (bytes & 1)
                nextByte(stream);
            x += value;
            break;
        }
        }
    }
}
