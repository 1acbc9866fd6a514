#include "graphics/imageimport/DibImage.h"

#include "graphics/imageimport/DibImageBmp.h"
#include "graphics/imageimport/DibImageGif.h"
#include "graphics/imageimport/DibImageIco.h"
#include "graphics/imageimport/DibImageJpg.h"
#include "graphics/imageimport/DibImagePcx.h"
#include "graphics/imageimport/DibImagePng.h"
#include "graphics/imageimport/DibImageTga.h"
#include "graphics/imageimport/DibImageTif.h"
#include "graphics/imageimport/DibImageWbmp.h"
#include "graphics/imageimport/DibImageWmf.h"
#include "graphics/imageimport/ImageFileStream.h"
#include "graphics/imageimport/ImageMemoryStream.h"
#include "graphics/imageimport/LittleEndian.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr uint32_t HeaderSize = sizeof(BITMAPINFOHEADER);

uint32_t strideOf(uint32_t bitCount, uint32_t width)
{
    return ((bitCount * width + 31) >> 5) * 4;
}

bool sameColour(RGBQUAD a, RGBQUAD b)
{
    return a.rgbBlue == b.rgbBlue && a.rgbGreen == b.rgbGreen && a.rgbRed == b.rgbRed
        && a.rgbReserved == b.rgbReserved;
}

// The lowest set bit and the number of set bits of a 16-bit colour mask.
void maskShape(uint32_t mask, int& low, int& count)
{
    mask &= 0xFFFF;
    low = 0;
    count = 0;
    if (!mask)
        return;
    while (!(mask & 1)) {
        mask >>= 1;
        ++low;
    }
    while (mask & 1) {
        mask >>= 1;
        ++count;
    }
}

uint8_t maskedChannel(uint32_t word, uint32_t mask, int low, int count)
{
    if (!count)
        return 0;
    const uint32_t value = (word & mask) >> low;
    return uint8_t(count <= 8 ? value << (8 - count) : value >> (count - 8));
}

template <typename Decoder>
bool runDecoder(DibImage& target, ImageStream* stream, bool passesFrames)
{
    Decoder decoder;
    if (passesFrames)
        decoder.setFrame(target.getFrame());
    if (decoder.decode(stream)) {
        target.transfer(decoder);
        return true;
    }
    target.setLastError(decoder.getLastError());
    if (passesFrames)
        target.setNumFrames(decoder.getNumFrames());
    return false;
}

} // namespace

DibImage::DibImage(long format)
{
    reset(format);
}

DibImage::DibImage(long width, long height, long bitCount, long format)
{
    reset(format);
    create(width, height, bitCount, format);
}

DibImage::DibImage(const DibImage& source, bool copyPixels, bool copySelection, bool copyAlpha)
{
    reset(source.getFormat());
    copyFrom(source, copyPixels, copySelection, copyAlpha);
}

DibImage::DibImage(const char* path, long format)
{
    reset(format);
    loadFromFile(path, format);
}

DibImage::~DibImage()
{
    destroy();
}

void DibImage::reset(long format)
{
    m_dib.reset();
    m_selection.reset();
    m_alpha.reset();
    m_header = BITMAPINFOHEADER{};
    m_header.biSize = HeaderSize;
    m_info = ImportInfo{};
    m_info.format = format;
    m_info.quality = 75;
    m_info.transIndex = -1;
    m_info.alphaMax = 255;
    m_info.enabled = true;
    setXDpi(72);
    setYDpi(72);
}

void DibImage::destroy()
{
    m_selection.reset();
    m_alpha.reset();
    m_dib.reset();
    // An image without pixels has no size either.
    m_header.biWidth = 0;
    m_header.biHeight = 0;
    m_header.biSizeImage = 0;
}

uint8_t* DibImage::create(long width, long height, long bitCount, long format)
{
    destroy();
    if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide)
        return nullptr;
    const uint32_t bits = bitCount < 2 ? 1 : bitCount < 5 ? 4 : bitCount < 9 ? 8 : 24;
    const uint32_t colours = bits == 24 ? 0 : 1u << bits;
    const uint32_t stride = strideOf(bits, uint32_t(width));
    // Computed in 64 bits: a 32767-pixel square at 24 bits does not fit in a signed 32-bit
    // size, which is what GDI takes.
    const uint64_t imageSize = uint64_t(stride) * uint64_t(height);
    const uint64_t total = HeaderSize + colours * 4 + imageSize;
    if (total > 0x7FFFFFFF || total > SIZE_MAX)
        return nullptr;
    std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[size_t(total)]());
    if (!block)
        return nullptr;

    m_info.stride = stride;
    m_info.format = format;
    m_header.biSize = HeaderSize;
    m_header.biWidth = width;
    m_header.biHeight = height;
    m_header.biPlanes = 1;
    m_header.biBitCount = WORD(bits);
    m_header.biCompression = BI_RGB;
    m_header.biSizeImage = DWORD(imageSize);
    m_header.biClrUsed = colours;
    m_header.biClrImportant = 0;
    m_dib = std::move(block);
    storeHeader();
    return m_dib.get();
}

void DibImage::storeHeader()
{
    if (m_dib)
        std::memcpy(m_dib.get(), &m_header, HeaderSize);
}

void DibImage::transfer(DibImage& from)
{
    if (&from == this)
        return;
    m_dib = std::move(from.m_dib);
    m_selection = std::move(from.m_selection);
    m_alpha = std::move(from.m_alpha);
    m_header = from.m_header;
    m_info = from.m_info;
    from.m_header = BITMAPINFOHEADER{};
    from.m_info = ImportInfo{};
}

void DibImage::copyInfo(const DibImage& source)
{
    if (!m_dib)
        m_info = source.m_info;
}

bool DibImage::copyFrom(const DibImage& source, bool copyPixels, bool copySelection, bool copyAlpha)
{
    if (&source == this)
        return false;
    reset(source.getFormat());
    m_info = source.m_info;
    m_header.biXPelsPerMeter = source.m_header.biXPelsPerMeter;
    m_header.biYPelsPerMeter = source.m_header.biYPelsPerMeter;
    if (!source.m_dib
        || !create(source.getWidth(), source.getHeight(), source.getBitCount(), source.getFormat()))
        return false;
    if (copyPixels)
        std::memcpy(m_dib.get() + HeaderSize, source.m_dib.get() + HeaderSize, getDibSize() - HeaderSize);
    else if (getPaletteSize() > 0)
        std::memcpy(getPalette(), source.getPalette(), std::min<uint32_t>(getPaletteSize(), 256 * 4));
    if (copySelection && source.m_selection) {
        m_selection.reset(new uint8_t[planeSize()]);
        std::memcpy(m_selection.get(), source.m_selection.get(), planeSize());
    }
    if (copyAlpha && source.m_alpha && alphaCreate())
        std::memcpy(m_alpha.get(), source.m_alpha.get(), planeSize());
    return true;
}

uint8_t* DibImage::getBits() const
{
    return m_dib ? m_dib.get() + HeaderSize + getPaletteSize() : nullptr;
}

uint32_t DibImage::getDibSize() const
{
    return getPaletteSize() + HeaderSize + m_header.biSizeImage;
}

RGBQUAD* DibImage::getPalette() const
{
    if (!m_dib || !m_header.biClrUsed)
        return nullptr;
    return reinterpret_cast<RGBQUAD*>(m_dib.get() + HeaderSize);
}

bool DibImage::isInside(long x, long y) const
{
    return x >= 0 && y >= 0 && x < getWidth() && y < getHeight();
}

void DibImage::setLastError(const char* text)
{
    std::strncpy(m_info.lastError, text ? text : "", ErrorTextSize - 1);
    m_info.lastError[ErrorTextSize - 1] = '\0';
}

RGBQUAD DibImage::getTransColor() const
{
    if (getBitCount() < 24 && m_info.transIndex >= 0)
        return getPaletteColor(uint32_t(m_info.transIndex));
    return m_info.transColor;
}

void DibImage::setXDpi(long dpi)
{
    m_info.xDpi = dpi;
    m_header.biXPelsPerMeter = LONG(std::floor(dpi * 10000.0 / 254.0 + 0.5));
    storeHeader();
}

void DibImage::setYDpi(long dpi)
{
    m_info.yDpi = dpi;
    m_header.biYPelsPerMeter = LONG(std::floor(dpi * 10000.0 / 254.0 + 0.5));
    storeHeader();
}

void DibImage::setDpi(long xDpi, long yDpi)
{
    m_info.xDpi = xDpi;
    m_info.yDpi = yDpi;
}

void DibImage::setPelsPerMeter(long x, long y)
{
    m_header.biXPelsPerMeter = x;
    m_header.biYPelsPerMeter = y;
    storeHeader();
}

void DibImage::setOffset(long x, long y)
{
    m_info.xOffset = x;
    m_info.yOffset = y;
}

// Palette ---------------------------------------------------------------------------------

void DibImage::setPaletteColor(uint32_t index, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
{
    if (RGBQUAD* palette = getPalette(); palette && index < m_header.biClrUsed)
        palette[index] = RGBQUAD{blue, green, red, alpha};
}

RGBQUAD DibImage::getPaletteColor(uint32_t index) const
{
    if (const RGBQUAD* palette = getPalette(); palette && index < m_header.biClrUsed)
        return palette[index];
    return RGBQUAD{};
}

void DibImage::setPalette(const RGBQUAD* entries, uint32_t count)
{
    if (RGBQUAD* palette = getPalette(); palette && entries)
        std::memcpy(palette, entries, std::min<uint64_t>(getPaletteSize(), uint64_t(count) * 4));
}

void DibImage::setPaletteRgbArrays(uint32_t count, const uint8_t* red, const uint8_t* green, const uint8_t* blue)
{
    RGBQUAD* palette = getPalette();
    if (!palette || !red)
        return;
    if (!green)
        green = red;
    if (!blue)
        blue = green;
    for (uint32_t i = 0; i < std::min<uint32_t>(count, m_header.biClrUsed); ++i) {
        palette[i].rgbRed = red[i];
        palette[i].rgbGreen = green[i];
        palette[i].rgbBlue = blue[i];
    }
}

void DibImage::setPaletteRgbTriples(const uint8_t* rgb, uint32_t count)
{
    RGBQUAD* palette = getPalette();
    if (!palette || !rgb)
        return;
    for (uint32_t i = 0; i < std::min<uint32_t>(count, m_header.biClrUsed); ++i) {
        palette[i].rgbRed = rgb[3 * i];
        palette[i].rgbGreen = rgb[3 * i + 1];
        palette[i].rgbBlue = rgb[3 * i + 2];
    }
}

void DibImage::setGrayPalette()
{
    RGBQUAD* palette = getPalette();
    const uint32_t count = m_header.biClrUsed;
    if (!palette || count < 2)
        return;
    const uint32_t step = 255 / (count - 1);
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t grey = uint8_t(step * i);
        palette[i] = RGBQUAD{grey, grey, grey, 0};
    }
}

uint8_t DibImage::getNearestIndex(RGBQUAD colour) const
{
    const RGBQUAD* palette = getPalette();
    if (!palette)
        return 0;
    long best = 200000;
    uint8_t bestIndex = 0;
    for (uint32_t i = 0; i < m_header.biClrUsed; ++i) {
        const long green = long(palette[i].rgbGreen) - colour.rgbGreen;
        const long blue = long(palette[i].rgbBlue) - colour.rgbBlue;
        const long red = long(palette[i].rgbRed) - colour.rgbRed;
        const long distance = green * green + blue * blue + red * red;
        if (distance == 0)
            return uint8_t(i);
        if (distance < best) {
            best = distance;
            bestIndex = uint8_t(i);
        }
    }
    return bestIndex;
}

// Pixels ----------------------------------------------------------------------------------

uint8_t DibImage::getPixelIndex(long x, long y) const
{
    if (!m_dib || !m_header.biClrUsed)
        return 0;
    if (!isInside(x, y))
        return m_info.transIndex >= 0 ? uint8_t(m_info.transIndex) : 0;
    const uint8_t* row = getBits() + size_t(y) * getStride();
    switch (getBitCount()) {
    case 8:
        return row[x];
    case 4:
        return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    default:
        return 0;
    }
}

void DibImage::setPixelIndex(long x, long y, uint8_t index)
{
    if (!m_dib || !m_header.biClrUsed || !isInside(x, y))
        return;
    uint8_t* row = getBits() + size_t(y) * getStride();
    switch (getBitCount()) {
    case 8:
        row[x] = index;
        break;
    case 4: {
        uint8_t& byte = row[x >> 1];
        byte = (x & 1) ? uint8_t((byte & 0xF0) | (index & 0x0F)) : uint8_t((byte & 0x0F) | (index << 4));
        break;
    }
    case 1: {
        const uint8_t bit = uint8_t(0x80 >> (x & 7));
        row[x >> 3] = (index & 1) ? uint8_t(row[x >> 3] | bit) : uint8_t(row[x >> 3] & ~bit);
        break;
    }
    default:
        break;
    }
}

RGBQUAD DibImage::getPixelColor(long x, long y) const
{
    RGBQUAD colour = m_info.transColor;
    if (!m_dib)
        return colour;
    if (!isInside(x, y)) {
        if (m_info.transIndex >= 0 && m_header.biClrUsed)
            return getPaletteColor(uint32_t(m_info.transIndex));
        return colour;
    }
    if (m_header.biClrUsed)
        return getPaletteColor(getPixelIndex(x, y));
    const uint8_t* pixel = getBits() + size_t(y) * getStride() + size_t(x) * 3;
    colour.rgbBlue = pixel[0];
    colour.rgbGreen = pixel[1];
    colour.rgbRed = pixel[2];
    return colour;
}

void DibImage::setPixelColor(long x, long y, RGBQUAD colour)
{
    if (!m_dib || !isInside(x, y))
        return;
    if (m_header.biClrUsed) {
        setPixelIndex(x, y, getNearestIndex(colour));
        return;
    }
    uint8_t* pixel = getBits() + size_t(y) * getStride() + size_t(x) * 3;
    pixel[0] = colour.rgbBlue;
    pixel[1] = colour.rgbGreen;
    pixel[2] = colour.rgbRed;
}

void DibImage::setPixelColorRef(long x, long y, COLORREF colour)
{
    setPixelColor(x, y, RGBQUAD{GetBValue(colour), GetGValue(colour), GetRValue(colour), 0});
}

// Alpha and selection ---------------------------------------------------------------------

uint8_t* DibImage::alphaCreate()
{
    m_alpha.reset();
    if (!m_dib)
        return nullptr;
    m_alpha.reset(new (std::nothrow) uint8_t[planeSize()]());
    return m_alpha.get();
}

void DibImage::alphaDelete()
{
    m_alpha.reset();
}

void DibImage::alphaClear(uint8_t value)
{
    if (m_alpha)
        std::memset(m_alpha.get(), value, planeSize());
}

void DibImage::alphaSet(long x, long y, uint8_t alpha)
{
    if (m_alpha && isInside(x, y))
        m_alpha[size_t(y) * getWidth() + x] = alpha;
}

uint8_t DibImage::alphaGet(long x, long y) const
{
    if (m_alpha && isInside(x, y))
        return m_alpha[size_t(y) * getWidth() + x];
    return 0;
}

bool DibImage::alphaFlip()
{
    if (!m_alpha)
        return false;
    std::unique_ptr<uint8_t[]> flipped(new (std::nothrow) uint8_t[planeSize()]);
    if (!flipped)
        return false;
    const size_t width = size_t(getWidth());
    for (long y = 0; y < getHeight(); ++y)
        std::memcpy(&flipped[size_t(getHeight() - 1 - y) * width], &m_alpha[size_t(y) * width], width);
    m_alpha = std::move(flipped);
    return true;
}

bool DibImage::alphaMirror()
{
    if (!m_alpha)
        return false;
    std::unique_ptr<uint8_t[]> mirrored(new (std::nothrow) uint8_t[planeSize()]);
    if (!mirrored)
        return false;
    const size_t width = size_t(getWidth());
    for (long y = 0; y < getHeight(); ++y)
        std::reverse_copy(&m_alpha[size_t(y) * width], &m_alpha[size_t(y) * width] + width, &mirrored[size_t(y) * width]);
    m_alpha = std::move(mirrored);
    return true;
}

void DibImage::selectionDelete()
{
    m_selection.reset();
    m_info.selectionBox = RECT{getWidth(), 0, 0, getHeight()};
}

// Conversion ------------------------------------------------------------------------------

void DibImage::convertPixels(const uint8_t* source, uint32_t redMask, uint32_t greenMask, uint32_t blueMask, int bitCount)
{
    if (!m_dib || !source || getBitCount() != 24 || (bitCount != 16 && bitCount != 32))
        return;
    const size_t width = size_t(getWidth());
    const size_t sourceStride = bitCount == 16 ? ((width + 1) / 2) * 4 : width * 4;
    int redLow, redCount, greenLow, greenCount, blueLow, blueCount;
    maskShape(redMask, redLow, redCount);
    maskShape(greenMask, greenLow, greenCount);
    maskShape(blueMask, blueLow, blueCount);
    uint8_t* bits = getBits();
    for (long y = getHeight() - 1; y >= 0; --y) {
        const uint8_t* from = source + size_t(y) * sourceStride;
        uint8_t* to = bits + size_t(y) * getStride();
        for (size_t x = width; x-- > 0;) {
            uint8_t blue, green, red;
            if (bitCount == 16) {
                const uint32_t word = LittleEndian::u16(from + 2 * x);
                blue = maskedChannel(word, blueMask, blueLow, blueCount);
                green = maskedChannel(word, greenMask, greenLow, greenCount);
                red = maskedChannel(word, redMask, redLow, redCount);
            } else {
                blue = from[4 * x];
                green = from[4 * x + 1];
                red = from[4 * x + 2];
            }
            to[3 * x] = blue;
            to[3 * x + 1] = green;
            to[3 * x + 2] = red;
        }
    }
}

void DibImage::expand2To4Bits(uint8_t* row) const
{
    if (!row)
        return;
    const long width = std::min<long>(getWidth(), long(getStride()) * 2);
    for (long x = width - 1; x >= 0; --x) {
        const uint8_t value = (row[x >> 2] >> (6 - 2 * (x & 3))) & 3;
        uint8_t& target = row[x >> 1];
        target = (x & 1) ? uint8_t((target & 0xF0) | value) : uint8_t((target & 0x0F) | (value << 4));
    }
}

// Transforms ------------------------------------------------------------------------------

bool DibImage::flip()
{
    if (!m_dib)
        return false;
    DibImage copy(*this, false, false, true);
    if (!copy.isValid())
        return false;
    const long height = getHeight();
    for (long y = 0; y < height; ++y)
        std::memcpy(copy.getBits() + size_t(y) * getStride(), getBits() + size_t(height - 1 - y) * getStride(), getStride());
    copy.alphaFlip();
    transfer(copy);
    return true;
}

bool DibImage::mirror()
{
    if (!m_dib)
        return false;
    DibImage copy(*this, false, false, true);
    if (!copy.isValid())
        return false;
    const long width = getWidth();
    for (long y = 0; y < getHeight(); ++y) {
        const uint8_t* from = getBits() + size_t(y) * getStride();
        uint8_t* to = copy.getBits() + size_t(y) * getStride();
        switch (getBitCount()) {
        case 8:
            std::reverse_copy(from, from + width, to);
            break;
        case 24:
            for (long x = 0; x < width; ++x)
                std::memcpy(to + 3 * x, from + 3 * (width - 1 - x), 3);
            break;
        default:
            for (long x = 0; x < width; ++x)
                copy.setPixelIndex(x, y, getPixelIndex(width - 1 - x, y));
            break;
        }
    }
    copy.alphaMirror();
    transfer(copy);
    return true;
}

bool DibImage::rotateLeft(DibImage* destination)
{
    return rotate(destination, false);
}

bool DibImage::rotateRight(DibImage* destination)
{
    return rotate(destination, true);
}

bool DibImage::rotate(DibImage* destination, bool clockwise)
{
    if (!m_dib)
        return false;
    const long width = getWidth();
    const long height = getHeight();
    DibImage rotated(FormatBmp);
    rotated.copyInfo(*this);
    if (!rotated.create(height, width, getBitCount(), getFormat()))
        return false;
    rotated.setPalette(getPalette(), std::min<uint32_t>(m_header.biClrUsed, 256));
    const bool withAlpha = m_alpha && rotated.alphaCreate();
    const bool indexed = m_header.biClrUsed != 0;
    for (long y = 0; y < width; ++y) {
        for (long x = 0; x < height; ++x) {
            const long sourceX = clockwise ? width - 1 - y : y;
            const long sourceY = clockwise ? x : height - 1 - x;
            if (indexed)
                rotated.setPixelIndex(x, y, getPixelIndex(sourceX, sourceY));
            else
                rotated.setPixelColor(x, y, getPixelColor(sourceX, sourceY));
            if (withAlpha)
                rotated.alphaSet(x, y, alphaGet(sourceX, sourceY));
        }
    }
    (destination ? *destination : *this).transfer(rotated);
    return true;
}

// Drawing ---------------------------------------------------------------------------------

bool DibImage::drawToDevice(HDC dc, long x, long y, long cx, long cy, const RECT* clip) const
{
    if (!m_dib || !dc || cx == 0 || cy == 0 || !m_info.enabled)
        return false;
    if (cx < 0)
        cx = getWidth();
    if (cy < 0)
        cy = getHeight();
    const bool transparent = m_info.transIndex >= 0;
    const bool opaque = !transparent && !m_alpha && !m_info.alphaPalette;

    // The caller's clip region is put back exactly as it was, not as its bounding box.
    HRGN savedClip = nullptr;
    bool hadClip = false;
    if (clip) {
        savedClip = CreateRectRgn(0, 0, 0, 0);
        hadClip = GetClipRgn(dc, savedClip) == 1;
        HRGN limit = CreateRectRgnIndirect(clip);
        ExtSelectClipRgn(dc, limit, RGN_AND);
        DeleteObject(limit);
    }

    bool drawn;
    if (opaque && cx == getWidth() && cy == getHeight())
        drawn = drawOpaque(dc, x, y, cx, cy);
    else
        drawn = drawBlended(dc, x, y, cx, cy, opaque);

    if (clip) {
        SelectClipRgn(dc, hadClip ? savedClip : nullptr);
        DeleteObject(savedClip);
    }
    return drawn;
}

bool DibImage::drawOpaque(HDC dc, long x, long y, long cx, long cy) const
{
    SetStretchBltMode(dc, COLORONCOLOR);
    SetDIBitsToDevice(dc, x, y, DWORD(cx), DWORD(cy), 0, 0, 0, UINT(getHeight()), getBits(),
                      reinterpret_cast<const BITMAPINFO*>(m_dib.get()), DIB_RGB_COLORS);
    return true;
}

bool DibImage::drawBlended(HDC dc, long x, long y, long cx, long cy, bool opaque) const
{
    RECT box;
    if (GetClipBox(dc, &box) == ERROR)
        return false;
    RECT target{x, y, x + cx, y + cy};
    RECT visible;
    if (!IntersectRect(&visible, &box, &target))
        return true;
    const long visibleWidth = visible.right - visible.left;
    const long visibleHeight = visible.bottom - visible.top;

    BITMAPINFO info{};
    info.bmiHeader.biSize = HeaderSize;
    info.bmiHeader.biWidth = visibleWidth;
    info.bmiHeader.biHeight = visibleHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HDC memory = CreateCompatibleDC(dc);
    void* sectionBits = nullptr;
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &sectionBits, nullptr, 0);
    if (!memory || !section || !sectionBits) {
        if (section)
            DeleteObject(section);
        if (memory)
            DeleteDC(memory);
        return false;
    }
    HGDIOBJ previous = SelectObject(memory, section);
    if (!opaque)
        BitBlt(memory, 0, 0, visibleWidth, visibleHeight, dc, visible.left, visible.top, SRCCOPY);
    GdiFlush();

    const float fx = float(getWidth()) / float(cx);
    const float fy = float(getHeight()) / float(cy);
    const uint32_t sectionStride = strideOf(24, uint32_t(visibleWidth));
    const bool transparent = m_info.transIndex >= 0;
    const RGBQUAD transColour = getTransColor();
    const bool indexed = m_header.biClrUsed != 0;
    uint8_t* out = static_cast<uint8_t*>(sectionBits);
    for (long i = 0; i < visibleHeight; ++i) {
        long sourceY = getHeight() - long(std::ceil(float(visible.bottom - i - y) * fy));
        sourceY = std::clamp<long>(sourceY, 0, getHeight() - 1);
        uint8_t* pixel = out + size_t(i) * sectionStride;
        for (long j = 0; j < visibleWidth; ++j, pixel += 3) {
            long sourceX = long(std::floor(float(j + visible.left - x) * fx));
            sourceX = std::clamp<long>(sourceX, 0, getWidth() - 1);
            RGBQUAD colour;
            if (indexed) {
                colour = getPaletteColor(getPixelIndex(sourceX, sourceY));
            } else {
                const uint8_t* bytes = getBits() + size_t(sourceY) * getStride() + size_t(sourceX) * 3;
                colour = RGBQUAD{bytes[0], bytes[1], bytes[2], 0};
            }
            if (opaque) {
                pixel[0] = colour.rgbBlue;
                pixel[1] = colour.rgbGreen;
                pixel[2] = colour.rgbRed;
                continue;
            }
            uint32_t alpha = m_alpha ? alphaGet(sourceX, sourceY) : 255;
            alpha = ((uint32_t(m_info.alphaMax) + 1) * alpha) >> 8;
            if (m_info.alphaPalette)
                alpha = ((uint32_t(colour.rgbReserved) + 1) * alpha) >> 8;
            if ((transparent && sameColour(colour, transColour)) || alpha == 0)
                continue;
            if (alpha == 255) {
                pixel[0] = colour.rgbBlue;
                pixel[1] = colour.rgbGreen;
                pixel[2] = colour.rgbRed;
                continue;
            }
            pixel[0] = uint8_t((colour.rgbBlue * alpha + (255 - alpha) * pixel[0]) >> 8);
            pixel[1] = uint8_t((colour.rgbGreen * alpha + (255 - alpha) * pixel[1]) >> 8);
            pixel[2] = uint8_t((colour.rgbRed * alpha + (255 - alpha) * pixel[2]) >> 8);
        }
    }
    SetDIBitsToDevice(dc, visible.left, visible.top, DWORD(visibleWidth), DWORD(visibleHeight), 0, 0, 0,
                      UINT(visibleHeight), sectionBits, &info, DIB_RGB_COLORS);
    SelectObject(memory, previous);
    DeleteObject(section);
    DeleteDC(memory);
    return true;
}

// Loading and dispatch --------------------------------------------------------------------

bool DibImage::loadFromFile(const char* path, long format)
{
    if (!path)
        return false;
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    // Some decoders take their bytes one at a time or step over many small sub-blocks:
    // served from memory, none of that goes through the C library's locked stream. The
    // others read large blocks, for which a copy of the file would only be more memory.
    const bool small = format == FormatGif || format == FormatTga || format == FormatIco || format == FormatWbmp;
    ImageMemoryStream memory;
    const bool decoded = small && memory.readFrom(file) ? decode(&memory, format) : loadFromStream(file, format);
    std::fclose(file);
    return decoded;
}

bool DibImage::loadFromStream(FILE* file, long format)
{
    ImageFileStream stream(file);
    return decode(&stream, format);
}

bool DibImage::decode(ImageStream* stream, long format)
{
    switch (format) {
    case FormatBmp:
        return runDecoder<DibImageBmp>(*this, stream, false);
    case FormatGif:
        return runDecoder<DibImageGif>(*this, stream, true);
    case FormatJpeg:
        return runDecoder<DibImageJpg>(*this, stream, false);
    case FormatPng:
        return runDecoder<DibImagePng>(*this, stream, false);
    case FormatIco:
        return runDecoder<DibImageIco>(*this, stream, true);
    case FormatTiff:
        return runDecoder<DibImageTif>(*this, stream, true);
    case FormatTga:
        return runDecoder<DibImageTga>(*this, stream, false);
    case FormatPcx:
        return runDecoder<DibImagePcx>(*this, stream, false);
    case FormatWbmp:
        return runDecoder<DibImageWbmp>(*this, stream, false);
    case FormatMetafile:
        return runDecoder<DibImageWmf>(*this, stream, false);
    default:
        setLastError("Unsupported operation for this format");
        return false;
    }
}

// Global-memory DIBs ----------------------------------------------------------------------

HGLOBAL DibImage::createFromBitmap(HBITMAP bitmap, HPALETTE palette)
{
    BITMAP description;
    if (!bitmap || !GetObject(bitmap, sizeof(description), &description))
        return nullptr;
    if (!palette)
        palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    const int bits = description.bmPlanes * description.bmBitsPixel;
    BITMAPINFOHEADER header{};
    header.biSize = HeaderSize;
    header.biWidth = description.bmWidth;
    header.biHeight = description.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = WORD(bits <= 1 ? 1 : bits <= 4 ? 4 : bits <= 8 ? 8 : 24);
    header.biCompression = BI_RGB;

    HDC screen = GetDC(nullptr);
    HPALETTE previousPalette = SelectPalette(screen, palette, FALSE);
    RealizePalette(screen);
    auto finish = [&](HGLOBAL result) {
        SelectPalette(screen, previousPalette, FALSE);
        RealizePalette(screen);
        ReleaseDC(nullptr, screen);
        return result;
    };

    const uint32_t paletteBytes = dibPaletteSize(&header);
    HGLOBAL dib = GlobalAlloc(GHND, HeaderSize + paletteBytes);
    if (!dib)
        return finish(nullptr);
    auto* info = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
    *info = header;
    GetDIBits(screen, bitmap, 0, UINT(header.biHeight), nullptr, reinterpret_cast<BITMAPINFO*>(info), DIB_RGB_COLORS);
    header = *info;
    GlobalUnlock(dib);
    if (header.biSizeImage == 0)
        header.biSizeImage = strideOf(header.biBitCount, uint32_t(header.biWidth)) * uint32_t(header.biHeight);

    HGLOBAL grown = GlobalReAlloc(dib, HeaderSize + paletteBytes + header.biSizeImage, GMEM_MOVEABLE);
    if (!grown) {
        GlobalFree(dib);
        return finish(nullptr);
    }
    dib = grown;
    info = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
    *info = header;
    const int rows = GetDIBits(screen, bitmap, 0, UINT(header.biHeight), reinterpret_cast<uint8_t*>(info) + HeaderSize + paletteBytes,
                               reinterpret_cast<BITMAPINFO*>(info), DIB_RGB_COLORS);
    GlobalUnlock(dib);
    if (!rows) {
        GlobalFree(dib);
        return finish(nullptr);
    }
    return finish(dib);
}

bool DibImage::writeBmp(HGLOBAL dib, HANDLE file)
{
    if (!dib)
        return false;
    auto* info = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
    if (!info)
        return false;
    if (info->biSize != HeaderSize) {
        GlobalUnlock(dib);
        return false;
    }
    if (info->biCompression != BI_RLE8 && info->biCompression != BI_RLE4)
        info->biSizeImage = strideOf(info->biBitCount, uint32_t(info->biWidth)) * uint32_t(info->biHeight);
    const uint32_t blockSize = info->biSize + dibPaletteSize(info) + info->biSizeImage;

    uint8_t fileHeader[14] = {'B', 'M'};
    LittleEndian::put32(fileHeader + 2, 14 + blockSize);
    LittleEndian::put32(fileHeader + 10, 14 + info->biSize + dibPaletteSize(info));
    DWORD written = 0;
    WriteFile(file, fileHeader, sizeof(fileHeader), &written, nullptr);
    written = 0;
    WriteFile(file, info, blockSize, &written, nullptr);
    GlobalUnlock(dib);
    return written != 0;
}

int DibImage::stretchDraw(HGLOBAL dib, HDC dc, const RECT* destination, const RECT* source)
{
    if (!dib || !dc || !destination || !source)
        return 0;
    void* info = GlobalLock(dib);
    if (!info)
        return 0;
    SetStretchBltMode(dc, HALFTONE);
    const int result = StretchDIBits(dc, destination->left, destination->top, destination->right - destination->left,
                                     destination->bottom - destination->top, source->left, source->top,
                                     source->right - source->left, source->bottom - source->top, dibFindBits(info),
                                     static_cast<BITMAPINFO*>(info), DIB_RGB_COLORS, SRCCOPY);
    GlobalUnlock(dib);
    return result;
}

bool DibImage::getDibDimensions(HGLOBAL dib, long* width, long* height)
{
    if (!dib)
        return false;
    const void* header = GlobalLock(dib);
    if (!header)
        return false;
    if (static_cast<const BITMAPINFOHEADER*>(header)->biSize == sizeof(BITMAPCOREHEADER)) {
        const auto* core = static_cast<const BITMAPCOREHEADER*>(header);
        *width = core->bcWidth;
        *height = core->bcHeight;
    } else {
        const auto* info = static_cast<const BITMAPINFOHEADER*>(header);
        *width = info->biWidth;
        *height = info->biHeight;
    }
    GlobalUnlock(dib);
    return true;
}

HGLOBAL dibFree(HGLOBAL dib)
{
    if (dib)
        GlobalFree(dib);
    return nullptr;
}

WORD dibNumColors(const void* header)
{
    WORD bits;
    const auto* info = static_cast<const BITMAPINFOHEADER*>(header);
    if (info->biSize == HeaderSize) {
        if (info->biClrUsed)
            return WORD(info->biClrUsed);
        bits = info->biBitCount;
    } else {
        bits = static_cast<const BITMAPCOREHEADER*>(header)->bcBitCount;
    }
    switch (bits) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

WORD dibPaletteSize(const void* header)
{
    const bool core = static_cast<const BITMAPINFOHEADER*>(header)->biSize == sizeof(BITMAPCOREHEADER);
    return WORD(dibNumColors(header) * (core ? sizeof(RGBTRIPLE) : sizeof(RGBQUAD)));
}

uint8_t* dibFindBits(void* header)
{
    return static_cast<uint8_t*>(header) + static_cast<BITMAPINFOHEADER*>(header)->biSize + dibPaletteSize(header);
}
