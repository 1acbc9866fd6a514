#include "graphics/ImageWin32.h"

#include "foundation/OperatingSystemWin32.h"
#include "graphics/KImage.h"
#include "graphics/NativeDeviceWin32.h"
#include "graphics/NativeRectWin32.h"
#include "graphics/imageimport/DibImage.h"

namespace {
constexpr uint32 kFileHeaderSize = 14;

void put32(uint8* At, uint32 Value)
{
    for (int i = 0; i < 4; ++i)
        At[i] = uint8(Value >> (8 * i));
}

bool bitmapSize(HBITMAP Bitmap, short& Width, short& Height)
{
    BITMAP description;
    if (!Bitmap || GetObjectA(Bitmap, sizeof description, &description) != sizeof description)
        return false;
    Width = short(description.bmWidth);
    Height = short(description.bmHeight);
    return true;
}

// Creates the image at the loaded bitmap's size, then puts the loaded bitmap in place of
// the blank one.
bool swapInBitmap(KImage& Image, HBITMAP Loaded)
{
    short width = 0, height = 0;
    if (!bitmapSize(Loaded, width, height))
        return false;
    Image.create(width, height);
    NativeImageWin32& record = Image.getNativeImage();
    HDC dc = getHDCWin32(Image.peekGraphicDevice());
    if (!record.bitmap || !dc)
        return false;
    SelectObject(dc, record.previousBitmap);
    DeleteObject(record.bitmap);
    record.previousBitmap = static_cast<HBITMAP>(SelectObject(dc, Loaded));
    record.bitmap = Loaded;
    return true;
}
} // namespace

bool createImageBitmapWin32(KImage& Image, short Width, short Height)
{
    NativeImageWin32& record = Image.getNativeImage();
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (!display)
        return false;
    HBITMAP bitmap = CreateCompatibleBitmap(display, Width, Height);
    HDC dc = CreateCompatibleDC(display);
    DeleteDC(display);
    if (!bitmap || !dc) {
        if (bitmap)
            DeleteObject(bitmap);
        if (dc)
            DeleteDC(dc);
        return false;
    }
    record.bitmap = bitmap;
    record.previousBitmap = static_cast<HBITMAP>(SelectObject(dc, bitmap));
    PatBlt(dc, 0, 0, Width, Height, BLACKNESS);
    Image.peekGraphicDevice().initBoundsFromNative(createAndInitNativeDeviceWin32(dc));
    return true;
}

void disposeImageBitmapWin32(KImage& Image)
{
    NativeImageWin32& record = Image.getNativeImage();
    KGraphicDevice& device = Image.peekGraphicDevice();
    HDC dc = getHDCWin32(device);
    if (record.previousBitmap) {
        SelectObject(dc, record.previousBitmap);
        record.previousBitmap = nullptr;
    }
    if (record.bitmap) {
        DeleteObject(record.bitmap);
        record.bitmap = nullptr;
    }
    if (dc) {
        device.releaseNative();
        DeleteDC(dc);
    }
}

void drawDibBlockWin32(KImage& Image, const uint8* Block, uint32 BitsOffset, short Width, short Height)
{
    HDC dc = getHDCWin32(Image.peekGraphicDevice());
    if (!dc)
        return;
    SetStretchBltMode(dc, HALFTONE);
    StretchDIBits(dc, 0, 0, Width, Height, 0, 0, Width, Height, Block + BitsOffset,
                  reinterpret_cast<const BITMAPINFO*>(Block), DIB_RGB_COLORS, SRCCOPY);
}

bool loadResourceImageWin32(KImage& Image, short Number)
{
    auto* instance = static_cast<HINSTANCE>(knsGetInstance());
    auto* bitmap = static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(Number), IMAGE_BITMAP, 0, 0, 0));
    if (bitmap && swapInBitmap(Image, bitmap))
        return true;
    if (bitmap)
        DeleteObject(bitmap);
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(Number));
    ICONINFO info;
    if (!icon || !GetIconInfo(icon, &info))
        return false;
    HBITMAP used = info.hbmColor ? info.hbmColor : info.hbmMask;
    HBITMAP unused = info.hbmColor ? info.hbmMask : nullptr;
    if (unused)
        DeleteObject(unused);
    // A cursor is not a picture.
    if (!info.fIcon || !swapInBitmap(Image, used)) {
        DeleteObject(used);
        return false;
    }
    return true;
}

void importImageFileWin32(KImage& Image, const char* Path, KImageFileFormat Format)
{
    long code = DibImage::FormatBmp;
    switch (Format) {
    case KImageFileFormat::kJPEG:
        code = DibImage::FormatJpeg;
        break;
    case KImageFileFormat::kPNG:
        code = DibImage::FormatPng;
        break;
    case KImageFileFormat::kGIF:
        code = DibImage::FormatGif;
        break;
    case KImageFileFormat::kTIFF:
        code = DibImage::FormatTiff;
        break;
    default:
        return;
    }
    DibImage decoded(Path, code);
    Image.create(short(decoded.getWidth()), short(decoded.getHeight()));
    HDC dc = getHDCWin32(Image.peekGraphicDevice());
    if (dc)
        decoded.drawToDevice(dc, 0, 0, decoded.getWidth(), decoded.getHeight(), nullptr);
}

void drawImageThroughDibWin32(KImage& Image, KGraphicDevice& Destination, const KGraphicRectangle& S,
                              const KGraphicRectangle& D)
{
    HBITMAP bitmap = Image.getNativeImage().bitmap;
    if (!bitmap)
        return;
    HGLOBAL dib = DibImage::createFromBitmap(bitmap, nullptr);
    if (!dib)
        return;
    const RECT source = toNativeRectWin32(S);
    const RECT destination = toNativeRectWin32(D);
    DibImage::stretchDraw(dib, getHDCWin32(Destination), &destination, &source);
    dibFree(dib);
}

bool getBMPDataWin32(KImage& Image, std::vector<uint8>& Out)
{
    HBITMAP bitmap = Image.getNativeImage().bitmap;
    if (!bitmap)
        return false;
    HGLOBAL dib = DibImage::createFromBitmap(bitmap, nullptr);
    if (!dib)
        return false;
    auto* info = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
    if (!info) {
        dibFree(dib);
        return false;
    }
    const uint32 stride = ((uint32(info->biBitCount) * uint32(info->biWidth) + 31) / 32) * 4;
    info->biSizeImage = stride * uint32(info->biHeight);
    const uint32 tableSize = dibPaletteSize(info);
    const uint32 blockSize = info->biSize + tableSize + info->biSizeImage;
    Out.assign(kFileHeaderSize + blockSize, 0);
    Out[0] = 'B';
    Out[1] = 'M';
    put32(&Out[2], kFileHeaderSize + blockSize);
    put32(&Out[10], kFileHeaderSize + info->biSize + tableSize);
    const auto* block = reinterpret_cast<const uint8*>(info);
    std::copy(block, block + blockSize, Out.begin() + kFileHeaderSize);
    GlobalUnlock(dib);
    dibFree(dib);
    return true;
}
