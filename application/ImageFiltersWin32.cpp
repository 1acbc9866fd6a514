#include "application/ImageFiltersWin32.h"

#include "application/NativeDeviceWin32.h"
#include "foundation/KMemory.h"
#include "graphics/ImageWin32.h"
#include "graphics/KImage.h"

#include <algorithm>

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
        m_pixels = static_cast<uint32*>(KMemory::allocate(m_info.biSizeImage, true));
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
    BitmapPixels pixels(Image);
    if (!pixels.isValid())
        return;
    const long width = pixels.getWidth(), height = pixels.getHeight();
    const uint32 threshold = (uint16(Level) >> 8) * 3;
    for (long y = 0; y < height; ++y) {
        for (long x = 0; x < width; ++x) {
            uint32& pixel = pixels.at(x, y);
            pixel = red(pixel) + green(pixel) + blue(pixel) < threshold ? kNativeBlack : kNativeWhite;
        }
    }
    // In place: neighbours already smoothed are read with their new value.
    for (long x = 1; x < width - 1; ++x) {
        for (long y = 1; y < height - 1; ++y) {
            uint32 sum = 0;
            for (long dy = -1; dy <= 1; ++dy)
                for (long dx = -1; dx <= 1; ++dx)
                    sum += blue(pixels.at(x + dx, y + dy));
            const uint32 v = sum / 9;
            pixels.at(x, y) = v << 16 | v << 8 | v;
        }
    }
    pixels.writeBack();
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
