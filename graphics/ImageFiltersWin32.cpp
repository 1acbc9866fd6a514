#include "graphics/ImageFiltersWin32.h"

#include "foundation/KMemory.h"
#include "graphics/ImageWin32.h"
#include "graphics/KImage.h"
#include "graphics/NativeDeviceWin32.h"

#include <algorithm>
#include <vector>

namespace {
constexpr uint32 kNativeBlack = 0x000000;
constexpr uint32 kNativeWhite = 0xFFFFFF;

uint32 red(uint32 Pixel) { return (Pixel >> 16) & 0xFF; }
uint32 green(uint32 Pixel) { return (Pixel >> 8) & 0xFF; }
uint32 blue(uint32 Pixel) { return Pixel & 0xFF; }

// The bitmap's pixels as 32-bit values, read in one call and written back in one. The
// rows are the bitmap's; the operations visit only the part that the image's size and
// the bitmap have in common, so a size that disagrees with the bitmap never reaches past
// the buffer.
class BitmapPixels {
public:
    explicit BitmapPixels(KImage& Image)
    {
        if (!Image.hasBitmap())
            return;
        m_dc = getHDCWin32(Image.peekGraphicDevice());
        m_bitmap = Image.getNativeImage().bitmap;
        BITMAP description;
        if (!m_dc || !GetObjectA(m_bitmap, sizeof description, &description))
            return;
        m_bitmapWidth = description.bmWidth;
        m_bitmapHeight = description.bmHeight;
        m_width = std::min<long>(Image.getSize().getWidth(), m_bitmapWidth);
        m_height = std::min<long>(Image.getSize().getHeight(), m_bitmapHeight);
        if (m_width <= 0 || m_height <= 0)
            return;
        m_info.biSize = sizeof m_info;
        m_info.biWidth = m_bitmapWidth;
        m_info.biHeight = m_bitmapHeight;
        m_info.biPlanes = 1;
        m_info.biBitCount = 32;
        m_info.biCompression = BI_RGB;
        m_info.biSizeImage = m_bitmapWidth * m_bitmapHeight * 4;
        m_pixels = static_cast<uint32*>(KMemory::allocate(m_info.biSizeImage, false));
        if (m_pixels && !GetDIBits(m_dc, m_bitmap, 0, m_bitmapHeight, m_pixels, info(), DIB_RGB_COLORS))
            release();
    }
    ~BitmapPixels() { release(); }
    BitmapPixels(const BitmapPixels&) = delete;
    BitmapPixels& operator=(const BitmapPixels&) = delete;

    bool isValid() const { return m_pixels != nullptr; }
    long getWidth() const { return m_width; }
    long getHeight() const { return m_height; }
    // Y counts from the top; the buffer's rows run from the bottom.
    uint32& at(long X, long Y) { return m_pixels[(m_bitmapHeight - 1 - Y) * m_bitmapWidth + X]; }

    bool writeBack()
    {
        return isValid() && SetDIBits(m_dc, m_bitmap, 0, m_bitmapHeight, m_pixels, info(), DIB_RGB_COLORS);
    }

private:
    BITMAPINFO* info() { return reinterpret_cast<BITMAPINFO*>(&m_info); }
    void release()
    {
        if (m_pixels)
            KMemory::dispose(m_pixels);
        m_pixels = nullptr;
    }

    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    long m_bitmapWidth = 0;
    long m_bitmapHeight = 0;
    long m_width = 0;
    long m_height = 0;
    BITMAPINFOHEADER m_info{};
    uint32* m_pixels = nullptr;
};

// Copies Rows × Columns bytes, stored by rows with SourceStride bytes from one row to the
// next, into their transpose (Columns rows of Rows bytes, TargetStride apart), tile by tile
// so that both sides stay within the cache.
void transposeBytes(const uint8* Source, long Columns, long Rows, uint8* Target, long TargetStride,
                    long SourceStride = 0)
{
    if (SourceStride == 0)
        SourceStride = Columns;
    constexpr long kTile = 32;
    for (long top = 0; top < Rows; top += kTile) {
        const long bottom = std::min(top + kTile, Rows);
        for (long left = 0; left < Columns; left += kTile) {
            const long right = std::min(left + kTile, Columns);
            for (long x = left; x < right; ++x) {
                for (long y = top; y < bottom; ++y)
                    Target[size_t(x) * size_t(TargetStride) + size_t(y)] = Source[size_t(y) * size_t(SourceStride) + size_t(x)];
            }
        }
    }
}

// A band of the bitmap's rows as 32-bit pixels, read and written in one call each. A band
// is small and used again and again, where a buffer of the whole bitmap would be fresh
// memory for every image.
class BitmapBand {
public:
    static constexpr long kRows = 32;

    explicit BitmapBand(KImage& Image)
    {
        if (!Image.hasBitmap())
            return;
        m_dc = getHDCWin32(Image.peekGraphicDevice());
        m_bitmap = Image.getNativeImage().bitmap;
        BITMAP description;
        if (!m_dc || !GetObjectA(m_bitmap, sizeof description, &description))
            return;
        m_bitmapHeight = description.bmHeight;
        m_width = std::min<long>(Image.getSize().getWidth(), description.bmWidth);
        m_height = std::min<long>(Image.getSize().getHeight(), m_bitmapHeight);
        if (m_width <= 0 || m_height <= 0)
            return;
        m_info.biSize = sizeof m_info;
        m_info.biWidth = description.bmWidth;
        m_info.biHeight = m_bitmapHeight;
        m_info.biPlanes = 1;
        m_info.biBitCount = 32;
        m_info.biCompression = BI_RGB;
        m_pixels.resize(size_t(description.bmWidth) * size_t(kRows));
    }

    bool isValid() const { return !m_pixels.empty(); }
    long getWidth() const { return m_width; }
    long getHeight() const { return m_height; }

    // Rows Top to Top + Count − 1, counted from the top of the picture.
    bool read(long Top, long Count)
    {
        m_first = m_bitmapHeight - Top - Count;
        m_count = Count;
        m_top = Top;
        return GetDIBits(m_dc, m_bitmap, UINT(m_first), UINT(m_count), m_pixels.data(), info(), DIB_RGB_COLORS)
            == m_count;
    }
    bool write() { return SetDIBits(m_dc, m_bitmap, UINT(m_first), UINT(m_count), m_pixels.data(), info(), DIB_RGB_COLORS) != 0; }
    // A row of the band read last, counted from the top of the picture.
    uint32* row(long Y) { return m_pixels.data() + size_t(m_top + m_count - 1 - Y) * size_t(m_info.biWidth); }

private:
    BITMAPINFO* info() { return reinterpret_cast<BITMAPINFO*>(&m_info); }

    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    long m_bitmapHeight = 0;
    long m_width = 0;
    long m_height = 0;
    BITMAPINFOHEADER m_info{};
    std::vector<uint32> m_pixels;
    long m_first = 0;
    long m_count = 0;
    long m_top = 0;
};

// A 1-bit copy in between: pixels equal to the image context's background colour become
// white, all others black.
void convertThroughMonochrome(KImage& Image)
{
    HDC dc = getHDCWin32(Image.peekGraphicDevice());
    if (!Image.hasBitmap() || !dc)
        return;
    const long width = Image.getSize().getWidth(), height = Image.getSize().getHeight();
    HDC monochromeDC = CreateCompatibleDC(dc);
    HBITMAP monochrome = CreateBitmap(width, height, 1, 1, nullptr);
    if (monochromeDC && monochrome) {
        HGDIOBJ previous = SelectObject(monochromeDC, monochrome);
        PatBlt(monochromeDC, 0, 0, width, height, BLACKNESS);
        SetBkColor(monochromeDC, kNativeWhite);
        BitBlt(monochromeDC, 0, 0, width, height, dc, 0, 0, SRCCOPY);
        BitBlt(dc, 0, 0, width, height, monochromeDC, 0, 0, SRCCOPY);
        SelectObject(monochromeDC, previous);
    }
    if (monochrome)
        DeleteObject(monochrome);
    if (monochromeDC)
        DeleteDC(monochromeDC);
}
} // namespace

void convertToBlackAndWhiteWin32(KImage& Image, short Level)
{
    Image.createGraphicDevice();
    if (Level == -1) {
        convertThroughMonochrome(Image);
    } else if (Image.hasBitmap() && getHDCWin32(Image.peekGraphicDevice())) {
        // A failure to read or write the bits ends the operation before the change hook.
        BitmapPixels pixels(Image);
        if (!pixels.isValid())
            return;
        const uint32 level = uint16(Level);
        for (long y = 0; y < pixels.getHeight(); ++y) {
            for (long x = 0; x < pixels.getWidth(); ++x) {
                uint32& pixel = pixels.at(x, y);
                pixel = 256 * (red(pixel) + green(pixel) + blue(pixel)) / 3 < level ? kNativeBlack : kNativeWhite;
            }
        }
        if (!pixels.writeBack())
            return;
    }
    Image.afterLoad();
}

void thresholdAndSmoothWin32(KImage& Image, short Level)
{
    BitmapBand band(Image);
    if (!band.isValid())
        return;
    const long width = band.getWidth(), height = band.getHeight();
    const uint32 threshold = (uint16(Level) >> 8) * 3;
    // Every pixel ends grey, so one byte a pixel carries it. The smoothing runs column by
    // column, in place: neighbours already smoothed are read with their new value. The
    // bytes are kept by columns, so that it walks them in order; the pixels go through a
    // band of rows at a time.
    std::vector<uint8> columns(size_t(width) * size_t(height));
    std::vector<uint8> shades(size_t(width) * size_t(BitmapBand::kRows));
    for (long top = 0; top < height; top += BitmapBand::kRows) {
        const long count = std::min(BitmapBand::kRows, height - top);
        if (!band.read(top, count))
            return;
        for (long y = 0; y < count; ++y) {
            const uint32* pixel = band.row(top + y);
            uint8* shade = &shades[size_t(y) * size_t(width)];
            for (long x = 0; x < width; ++x)
                shade[x] = red(pixel[x]) + green(pixel[x]) + blue(pixel[x]) < threshold ? 0x00 : 0xFF;
        }
        transposeBytes(shades.data(), width, count, columns.data() + top, height);
    }
    for (long x = 1; x < width - 1; ++x) {
        const uint8* left = &columns[size_t(x - 1) * size_t(height)];
        uint8* middle = &columns[size_t(x) * size_t(height)];
        const uint8* right = &columns[size_t(x + 1) * size_t(height)];
        for (long y = 1; y < height - 1; ++y) {
            const uint32 sum = uint32(left[y - 1]) + left[y] + left[y + 1] + middle[y - 1] + middle[y] + middle[y + 1]
                             + right[y - 1] + right[y] + right[y + 1];
            middle[y] = uint8(sum / 9);
        }
    }
    for (long top = 0; top < height; top += BitmapBand::kRows) {
        const long count = std::min(BitmapBand::kRows, height - top);
        if (!band.read(top, count))
            return;
        transposeBytes(columns.data() + top, count, width, shades.data(), width, height);
        for (long y = 0; y < count; ++y) {
            uint32* pixel = band.row(top + y);
            const uint8* shade = &shades[size_t(y) * size_t(width)];
            for (long x = 0; x < width; ++x)
                pixel[x] = uint32(shade[x]) * 0x010101u;
        }
        if (!band.write())
            return;
    }
}

void convertToGreyWin32(KImage& Image)
{
    Image.createGraphicDevice();
    if (Image.hasBitmap() && getHDCWin32(Image.peekGraphicDevice())) {
        KGraphicDevice& device = Image.peekGraphicDevice();
        const short width = Image.getSize().getWidth(), height = Image.getSize().getHeight();
        for (short x = 0; x < width; ++x) {
            for (short y = 0; y < height; ++y) {
                const KColor color = device.getPixel(x, y);
                const uint16 grey = uint16((uint32(color.getRed()) + color.getGreen() + color.getBlue()) / 3);
                device.setPixel(x, y, KColor(grey, grey, grey));
            }
        }
    }
    Image.afterLoad();
}
