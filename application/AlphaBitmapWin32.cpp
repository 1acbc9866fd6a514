#include "application/AlphaBitmapWin32.h"

#include "application/NativeDeviceWin32.h"
#include "foundation/KernelFunctions.h"
#include "graphics/ImageWin32.h"
#include "graphics/KAlphaImage.h"

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
    SetStretchBltMode(Record.dc, HALFTONE);
    StretchBlt(Record.dc, 0, 0, width, height, imageDC, 0, 0, width, height, SRCCOPY);
    GdiFlush();
    return static_cast<uint32*>(bits);
}

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
    HDC maskDC = getHDCWin32(Image.getAlphaMask().peekGraphicDevice());
    // The section's rows run from the bottom: its row y is the mask's row height − 1 − y.
    for (long y = 0; y < height; ++y) {
        for (long x = 0; x < width; ++x) {
            uint32& pixel = bits[y * width + x];
            const uint32 alpha = 255 - GetRValue(GetPixel(maskDC, x, height - 1 - y));
            if (alpha == 0) {
                pixel = 0;
                continue;
            }
            const double f = alpha / 255.0;
            const uint32 blue = uint32((pixel & 0xFF) * f);
            const uint32 green = uint32(((pixel >> 8) & 0xFF) * f);
            const uint32 red = uint32(((pixel >> 16) & 0xFF) * f);
            pixel = alpha << 24 | red << 16 | green << 8 | blue;
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
