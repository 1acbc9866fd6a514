#include "graphics/imageimport/DibImageTga.h"

#include "graphics/imageimport/ImageStream.h"
#include "graphics/imageimport/LittleEndian.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr const char* Corrupted = "corrupted TGA";

// Blue, green, red of a 5-5-5 value.
void expand555(uint16_t value, uint8_t* bgr)
{
    bgr[0] = uint8_t((value & 0x1F) << 3);
    bgr[1] = uint8_t((value >> 2) & 0xF8);
    bgr[2] = uint8_t((value >> 7) & 0xF8);
}

} // namespace

bool DibImageTga::decode(ImageStream* stream)
{
    if (!stream)
        return false;
    return guardedDecode([&] { decodeOrThrow(*stream); });
}

void DibImageTga::decodeOrThrow(ImageStream& stream)
{
    uint8_t bytes[18];
    if (!stream.readAll(bytes, sizeof(bytes)))
        throw "Not a TGA";
    Header header;
    header.idLength = bytes[0];
    header.colourMapType = bytes[1];
    header.imageType = bytes[2];
    header.colourMapLength = LittleEndian::u16(bytes + 5);
    header.colourMapEntrySize = bytes[7];
    header.width = LittleEndian::u16(bytes + 12);
    header.height = LittleEndian::u16(bytes + 14);
    header.pixelDepth = bytes[16];
    header.descriptor = bytes[17];
    stream.seek(header.idLength, SEEK_CUR);

    m_depth = header.pixelDepth;
    switch (m_depth) {
    case 8:
        m_bytesPerPixel = 1;
        break;
    case 15:
    case 16:
        m_bytesPerPixel = 2;
        break;
    case 24:
        m_bytesPerPixel = 3;
        break;
    case 32:
        m_bytesPerPixel = 4;
        break;
    default:
        throw "Unsupported TGA pixel depth";
    }
    if (!create(header.width, header.height, m_depth, FormatTga))
        throw "TGA Create failed";
    // A 16-bit pixel's top bit is an attribute (alpha) bit only when the descriptor
    // declares attribute bits.
    m_attributeAlpha = m_depth == 16 && (header.descriptor & 0x0F) != 0;
    if ((m_depth == 32 || m_attributeAlpha) && !alphaCreate())
        throw "TGA Create failed";
    if (getEscape())
        throw "Cancelled";

    if (header.colourMapType != 0)
        readColourMap(stream, header);
    if (header.imageType == 3 || header.imageType == 11)
        setGrayPalette();

    bool compressed;
    switch (header.imageType) {
    case 1:
    case 2:
    case 3:
        compressed = false;
        break;
    case 9:
    case 10:
    case 11:
        compressed = true;
        break;
    default:
        throw "Unknown TGA image type";
    }

    const bool topDown = header.descriptor & 0x20;
    m_packetLeft = 0;
    for (long y = 0; y < getHeight(); ++y) {
        if (getEscape())
            throw "Cancelled";
        if (stream.eof())
            throw Corrupted;
        const long row = topDown ? getHeight() - 1 - y : y;
        if (compressed)
            expandRleLine(stream, row);
        else
            expandLine(stream, row, getWidth(), 0);
    }
    if (header.descriptor & 0x10)
        mirror();
}

void DibImageTga::readColourMap(ImageStream& stream, const Header& header)
{
    // Every entry is read, so that the pixels are found where they start, but only the
    // first 256 fit the palette.
    const size_t entrySize = (size_t(header.colourMapEntrySize) + 7) / 8;
    std::vector<uint8_t> map(entrySize * header.colourMapLength);
    if (!stream.readAll(map.data(), map.size()))
        throw Corrupted;
    if (entrySize < 2)
        return;
    for (uint32_t i = 0; i < std::min<uint32_t>(header.colourMapLength, 256); ++i) {
        const uint8_t* entry = &map[i * entrySize];
        uint8_t bgr[3];
        if (entrySize == 2)
            expand555(LittleEndian::u16(entry), bgr);
        else
            std::memcpy(bgr, entry, 3);
        setPaletteColor(i, bgr[2], bgr[1], bgr[0], 0);
    }
}

void DibImageTga::storePixels(long row, long x, long count, const uint8_t* value, size_t step)
{
    // The span is checked once, not each pixel; the callers keep it inside the row.
    if (row < 0 || row >= getHeight() || x < 0 || count < 0 || count > getWidth() - x)
        return;
    uint8_t* target = getBits() + size_t(row) * getStride();
    uint8_t* alpha = alphaRow(row);
    if (m_depth == 8) {
        for (long i = 0; i < count; ++i, value += step)
            target[x + i] = value[0];
        return;
    }
    target += size_t(x) * 3;
    if (m_bytesPerPixel == 2) {
        for (long i = 0; i < count; ++i, value += step, target += 3) {
            const uint16_t word = LittleEndian::u16(value);
            expand555(word, target);
            if (m_attributeAlpha && alpha)
                alpha[x + i] = (word & 0x8000) ? 255 : 0;
        }
        return;
    }
    for (long i = 0; i < count; ++i, value += step, target += 3) {
        target[0] = value[0];
        target[1] = value[1];
        target[2] = value[2];
        if (m_depth == 32 && alpha)
            alpha[x + i] = value[3];
    }
}

void DibImageTga::expandLine(ImageStream& stream, long row, long count, long firstColumn)
{
    m_packet.resize(size_t(count) * size_t(m_bytesPerPixel));
    if (!stream.readAll(m_packet.data(), m_packet.size()))
        throw Corrupted;
    storePixels(row, firstColumn, count, m_packet.data(), size_t(m_bytesPerPixel));
}

void DibImageTga::expandRleLine(ImageStream& stream, long row)
{
    long x = 0;
    while (x < getWidth()) {
        if (m_packetLeft == 0) {
            const int packet = stream.getc();
            if (packet < 0)
                throw Corrupted;
            m_packetLeft = (packet & 0x7F) + 1;
            m_packetIsRun = packet & 0x80;
            if (m_packetIsRun && !stream.readAll(m_runValue, size_t(m_bytesPerPixel)))
                throw Corrupted;
        }
        const long count = std::min(m_packetLeft, getWidth() - x);
        if (m_packetIsRun)
            storePixels(row, x, count, m_runValue, 0);
        else
            expandLine(stream, row, count, x);
        m_packetLeft -= count;
        x += count;
    }
}
