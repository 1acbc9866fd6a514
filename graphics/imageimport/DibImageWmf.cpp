#include "graphics/imageimport/DibImageWmf.h"

#include "graphics/imageimport/ImageStream.h"
#include "graphics/imageimport/LittleEndian.h"
#include "graphics/imageimport/MetafileRecordCheck.h"

#include <vector>

namespace {

constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr size_t PlaceableSize = 22;
constexpr size_t MetaHeaderSize = 18;

void screenResolution(int& x, int& y)
{
    HDC screen = GetDC(nullptr);
    x = GetDeviceCaps(screen, LOGPIXELSX);
    y = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
}

} // namespace

bool DibImageWmf::isPlaceableHeader(const uint8_t bytes[22], PlaceableHeader* header)
{
    PlaceableHeader read;
    read.key = LittleEndian::u32(bytes);
    read.left = LittleEndian::s16(bytes + 6);
    read.top = LittleEndian::s16(bytes + 8);
    read.right = LittleEndian::s16(bytes + 10);
    read.bottom = LittleEndian::s16(bytes + 12);
    read.unitsPerInch = LittleEndian::u16(bytes + 14);
    read.checksum = LittleEndian::u16(bytes + 20);
    uint16_t sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= LittleEndian::u16(bytes + 2 * i);
    if (header)
        *header = read;
    return read.key == PlaceableKey && sum == read.checksum && read.unitsPerInch >= 1 && read.unitsPerInch <= 2540;
}

HENHMETAFILE DibImageWmf::readPlaceableMetafile(ImageStream* stream, PlaceableHeader* header)
{
    if (!stream || !header)
        return nullptr;
    const long start = stream->tell();
    const long streamSize = stream->size();
    uint8_t bytes[PlaceableSize + MetaHeaderSize];
    if (!stream->readAll(bytes, PlaceableSize) || !isPlaceableHeader(bytes, header))
        return nullptr;
    if (!stream->readAll(bytes + PlaceableSize, MetaHeaderSize))
        return nullptr;
    const uint16_t type = LittleEndian::u16(bytes + PlaceableSize);
    if (type != 1 && type != 2)
        return nullptr;
    const uint64_t length = uint64_t(LittleEndian::u32(bytes + PlaceableSize + 6)) * 2;
    if (length < MetaHeaderSize || streamSize < 0 || length > uint64_t(streamSize))
        return nullptr;
    std::vector<uint8_t> metafile(static_cast<size_t>(length));
    if (!stream->seek(start + long(PlaceableSize), SEEK_SET) || !stream->readAll(metafile.data(), metafile.size()))
        return nullptr;
    if (!MetafileRecordCheck::isSoundWindowsMetafile(metafile.data(), metafile.size()))
        return nullptr;

    int dpiX, dpiY;
    screenResolution(dpiX, dpiY);
    METAFILEPICT picture{};
    picture.mm = MM_ANISOTROPIC;
    picture.xExt = (header->right - header->left) * dpiX / header->unitsPerInch;
    picture.yExt = (header->bottom - header->top) * dpiY / header->unitsPerInch;
    while (picture.xExt < 6554 && picture.yExt < 6554 && picture.xExt > 0 && picture.yExt > 0) {
        picture.xExt *= 10;
        picture.yExt *= 10;
    }
    HDC screen = GetDC(nullptr);
    HENHMETAFILE result = SetWinMetaFileBits(UINT(metafile.size()), metafile.data(), screen, &picture);
    ReleaseDC(nullptr, screen);
    return result;
}

HENHMETAFILE DibImageWmf::readEnhancedMetafile(ImageStream* stream, ENHMETAHEADER* header)
{
    if (!stream || !header)
        return nullptr;
    const long position = stream->tell();
    const long length = stream->size() - position;
    if (length < long(sizeof(ENHMETAHEADER)) - 8)
        return nullptr;
    std::vector<uint8_t> bytes(static_cast<size_t>(length));
    if (!stream->readAll(bytes.data(), bytes.size()))
        return nullptr;
    if (!MetafileRecordCheck::isSoundEnhancedMetafile(bytes.data(), bytes.size()))
        return nullptr;
    HENHMETAFILE metafile = SetEnhMetaFileBits(UINT(bytes.size()), bytes.data());
    if (!metafile)
        return nullptr;
    if (!GetEnhMetaFileHeader(metafile, sizeof(ENHMETAHEADER), header)) {
        DeleteEnhMetaFile(metafile);
        return nullptr;
    }
    return metafile;
}

void DibImageWmf::clampMetafileSize(long& width, long& height)
{
    // In 64 bits: a side of millions of units times 4000 does not fit in a long.
    if (width > MaxSide) {
        height = long(int64_t(height) * MaxSide / width);
        width = MaxSide;
    }
    if (height > MaxSide) {
        width = long(int64_t(width) * MaxSide / height);
        height = MaxSide;
    }
}

bool DibImageWmf::decode(ImageStream* stream)
{
    if (!stream)
        return false;
    bool ok = false;
    // Vectors of metafile bytes may not be had; nothing else here throws.
    const bool completed = guardedDecode([&] {
        const long start = stream->tell();
        long width, height;
        PlaceableHeader placeable;
        HENHMETAFILE metafile = readPlaceableMetafile(stream, &placeable);
        if (metafile) {
            int dpiX, dpiY;
            screenResolution(dpiX, dpiY);
            width = (placeable.right - placeable.left) * dpiX / placeable.unitsPerInch;
            height = (placeable.bottom - placeable.top) * dpiY / placeable.unitsPerInch;
        } else {
            ENHMETAHEADER header;
            stream->seek(start, SEEK_SET);
            metafile = readEnhancedMetafile(stream, &header);
            if (!metafile) {
                setLastError("corrupted WMF");
                return;
            }
            width = header.rclBounds.right - header.rclBounds.left;
            height = header.rclBounds.bottom - header.rclBounds.top;
        }
        if (getEscape()) {
            DeleteEnhMetaFile(metafile);
            setLastError("Cancelled");
            return;
        }
        if (width <= 0 || height <= 0) {
            DeleteEnhMetaFile(metafile);
            setLastError("empty WMF");
            return;
        }
        clampMetafileSize(width, height);
        ok = render(metafile, width, height);
    });
    return completed && ok;
}

// Plays the metafile over the window colour and takes the pixels at the screen's depth.
// GDI failures here end the decode without a text.
bool DibImageWmf::render(HENHMETAFILE metafile, long width, long height)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (!dc || !bitmap) {
        if (bitmap)
            DeleteObject(bitmap);
        if (dc)
            DeleteDC(dc);
        DeleteEnhMetaFile(metafile);
        return false;
    }
    const int depth = GetDeviceCaps(dc, BITSPIXEL);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    RECT area{0, 0, width, height};
    const COLORREF oldBackground = SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    SetBkColor(dc, oldBackground);

    HPALETTE palette = nullptr;
    HPALETTE previousPalette = nullptr;
    const UINT entries = GetEnhMetaFilePaletteEntries(metafile, 0, nullptr);
    // The count comes from the file; a logical palette holds at most 65535 entries.
    if (entries > 0 && entries <= 0xFFFF) {
        std::vector<uint8_t> storage(sizeof(LOGPALETTE) + entries * sizeof(PALETTEENTRY));
        auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
        logical->palVersion = 0x300;
        logical->palNumEntries = WORD(entries);
        GetEnhMetaFilePaletteEntries(metafile, entries, logical->palPalEntry);
        palette = CreatePalette(logical);
        if (palette) {
            previousPalette = SelectPalette(dc, palette, FALSE);
            RealizePalette(dc);
        }
    }
    PlayEnhMetaFile(dc, metafile, &area);
    SelectObject(dc, previous);
    DeleteEnhMetaFile(metafile);
    if (palette) {
        SelectPalette(dc, previousPalette, FALSE);
        DeleteObject(palette);
    }

    bool copied = false;
    if (getEscape()) {
        setLastError("Cancelled");
    } else if (create(width, height, depth, FormatMetafile)) {
        copied = GetDIBits(dc, bitmap, 0, UINT(height), getBits(), reinterpret_cast<BITMAPINFO*>(const_cast<uint8_t*>(getDib())),
                           DIB_RGB_COLORS) > 0;
    }
    DeleteObject(bitmap);
    DeleteDC(dc);
    return copied;
}
