#include "graphics/AlphaBitmapWin32.h"

#include "foundation/KernelFunctions.h"
#include "graphics/ImageWin32.h"
#include "graphics/KAlphaImage.h"
#include "graphics/NativeDeviceWin32.h"

#include <algorithm>
#include <vector>

namespace {
bool s_toldNoAlphaDC = false;
bool s_toldNoAlphaBitmap = false;

void tellOnce(bool& Told, const char* Text)
{
    if (Told)
        return;
    Told = true;
    knsMessageBox("resource manager", Text);
}

bool bitmapSize(HBITMAP Bitmap, long& Width, long& Height)
{
    BITMAP description;
    if (!Bitmap || !GetObjectA(Bitmap, sizeof description, &description))
        return false;
    Width = description.bmWidth;
    Height = description.bmHeight;
    return true;
}

// Frees the context left in the record, then makes a new one holding a 32-bit bottom-up
// section of the image's size with the image copied in. The section's bits, or null.
uint32* prepareCopy(KAlphaImage& Image, AlphaBitmapWin32& Record, bool TellFailures)
{
    releaseAlphaBitmapWin32(Image);
    if (Record.dc)
        DeleteDC(Record.dc);
    Record.dc = nullptr;

    HDC imageDC = getHDCWin32(Image.peekGraphicDevice());
    long width = 0, height = 0;
    if (!bitmapSize(Image.getNativeImage().bitmap, width, height))
        return nullptr;
    Record.dc = CreateCompatibleDC(imageDC);
    if (!Record.dc) {
        if (TellFailures)
            tellOnce(s_toldNoAlphaDC, "AlphaDC=NULL");
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = width * height * 4;
    void* bits = nullptr;
    Record.dibSection = CreateDIBSection(Record.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!Record.dibSection) {
        // A context without the section would draw its blank default bitmap.
        DeleteDC(Record.dc);
        Record.dc = nullptr;
        if (TellFailures)
            tellOnce(s_toldNoAlphaBitmap, "AlphaBitmap=NULL");
        return nullptr;
    }
    Record.previousBitmap = static_cast<HBITMAP>(SelectObject(Record.dc, Record.dibSection));
    // Same size both sides: a plain copy, which the stretching modes would only slow.
    BitBlt(Record.dc, 0, 0, width, height, imageDC, 0, 0, SRCCOPY);
    GdiFlush();
    return static_cast<uint32*>(bits);
}

// The mask's pixels as 32-bit values (0x00RRGGBB, as GetPixel would give them), read a
// band of rows at a time through one small buffer, where reading them one GetPixel at a
// time would cost a trip through the system for each.
class MaskRows {
public:
    MaskRows(HDC Context, HBITMAP Bitmap)
        : m_context(Context)
        , m_bitmap(Bitmap)
    {
        if (!Context || !bitmapSize(Bitmap, m_width, m_height) || m_width <= 0 || m_height <= 0) {
            m_width = m_height = 0;
            return;
        }
        m_info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        m_info.bmiHeader.biWidth = m_width;
        m_info.bmiHeader.biHeight = m_height;
        m_info.bmiHeader.biPlanes = 1;
        m_info.bmiHeader.biBitCount = 32;
        m_info.bmiHeader.biCompression = BI_RGB;
        m_pixels.resize(size_t(m_width) * size_t(kBandRows));
    }

    long width() const { return m_width; }
    // Row Y counted from the bottom, as the bitmap stores it; null outside the mask.
    const uint32* row(long Y)
    {
        if (Y < 0 || Y >= m_height)
            return nullptr;
        if (Y < m_bandStart || Y >= m_bandStart + m_bandRows) {
            m_bandStart = Y;
            m_bandRows = std::min(kBandRows, m_height - Y);
            if (GetDIBits(m_context, m_bitmap, UINT(m_bandStart), UINT(m_bandRows), m_pixels.data(), &m_info,
                          DIB_RGB_COLORS)
                != m_bandRows)
                m_bandRows = 0;
            if (m_bandRows == 0)
                return nullptr;
        }
        return m_pixels.data() + size_t(Y - m_bandStart) * size_t(m_width);
    }

private:
    static constexpr long kBandRows = 64;

    HDC m_context;
    HBITMAP m_bitmap;
    long m_width = 0;
    long m_height = 0;
    BITMAPINFO m_info{};
    std::vector<uint32> m_pixels;
    long m_bandStart = 0;
    long m_bandRows = 0;
};

// A channel premultiplied by an alpha, channel × alpha / 255 cut to a whole number, for
// every alpha and channel: one look-up in place of a product per channel.
class PremultiplyTable {
public:
    static const PremultiplyTable& get()
    {
        static const PremultiplyTable table;
        return table;
    }
    const uint8* row(uint32 Alpha) const { return m_values[Alpha]; }

private:
    PremultiplyTable()
    {
        for (uint32 alpha = 0; alpha < 256; ++alpha) {
            for (uint32 channel = 0; channel < 256; ++channel)
                m_values[alpha][channel] = uint8(channel * alpha / 255);
        }
    }
    uint8 m_values[256][256];
};

// The handles both preparations need: the image's and the mask's bitmaps and contexts.
bool canPrepare(KAlphaImage& Image)
{
    if (!Image.hasAlphaMask() || !Image.getAlphaRecord())
        return false;
    KImage& mask = Image.getAlphaMask();
    mask.createGraphicDevice();
    return Image.hasBitmap() && getHDCWin32(Image.peekGraphicDevice()) && mask.hasBitmap()
        && getHDCWin32(mask.peekGraphicDevice());
}
} // namespace

HDC getAlphaDCWin32(const KAlphaImage& Image)
{
    const AlphaBitmapWin32* record = Image.getAlphaRecord();
    return record ? record->dc : nullptr;
}

void createAlphaBitmapWin32(KAlphaImage& Image)
{
    if (!canPrepare(Image))
        return;
    AlphaBitmapWin32& record = *Image.getAlphaRecord();
    if (!prepareCopy(Image, record, false))
        return;
    long width = 0, height = 0;
    bitmapSize(Image.getNativeImage().bitmap, width, height);
    // MERGEPAINT ORs in the inverse of its source: with the mask inverted first, white mask
    // pixels turn the copy white and black ones leave it as it is.
    HDC maskDC = getHDCWin32(Image.getAlphaMask().peekGraphicDevice());
    BitBlt(maskDC, 0, 0, width, height, nullptr, 0, 0, DSTINVERT);
    BitBlt(record.dc, 0, 0, width, height, maskDC, 0, 0, MERGEPAINT);
    BitBlt(maskDC, 0, 0, width, height, nullptr, 0, 0, DSTINVERT);
}

void applyAlphaMaskWin32(KAlphaImage& Image)
{
    if (!canPrepare(Image))
        return;
    AlphaBitmapWin32& record = *Image.getAlphaRecord();
    uint32* bits = prepareCopy(Image, record, true);
    if (!bits)
        return;
    long width = 0, height = 0;
    bitmapSize(Image.getNativeImage().bitmap, width, height);
    KImage& mask = Image.getAlphaMask();
    MaskRows shades(getHDCWin32(mask.peekGraphicDevice()), mask.getNativeImage().bitmap);
    long maskWidth = 0, maskHeight = 0;
    bitmapSize(mask.getNativeImage().bitmap, maskWidth, maskHeight);
    const PremultiplyTable& scale = PremultiplyTable::get();
    // Both run from the bottom: the section's row y is the picture's row height − 1 − y from
    // the top, which is the mask's row maskHeight − height + y from the bottom.
    for (long y = 0; y < height; ++y) {
        uint32* row = bits + y * width;
        const uint32* shade = shades.row(maskHeight - height + y);
        for (long x = 0; x < width; ++x) {
            // Where the mask has no pixel, it reads as white.
            const uint32 alpha = 255 - (shade && x < shades.width() ? (shade[x] >> 16) & 0xFF : 0xFF);
            const uint8* factor = scale.row(alpha);
            const uint32 pixel = row[x];
            row[x] = alpha << 24 | uint32(factor[(pixel >> 16) & 0xFF]) << 16 | uint32(factor[(pixel >> 8) & 0xFF]) << 8
                   | factor[pixel & 0xFF];
        }
    }
}

void releaseAlphaBitmapWin32(KAlphaImage& Image)
{
    AlphaBitmapWin32* record = Image.getAlphaRecord();
    if (!record || !record->dibSection)
        return;
    SelectObject(record->dc, record->previousBitmap);
    DeleteObject(record->dibSection);
    DeleteDC(record->dc);
    record->dibSection = nullptr;
    record->previousBitmap = nullptr;
    record->dc = nullptr;
}
