// The metafile reader: placeable Windows metafiles and enhanced metafiles played by GDI.
#include "graphics/imageimport/DibImageWmf.h"
#include "graphics/imageimport/LittleEndian.h"
#include "tests/graphics/ImageBuilders.h"

#include <gtest/gtest.h>

namespace {

int screenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// A Windows metafile that paints its whole 100 × 50 window red.
std::vector<uint8_t> windowsMetafile()
{
    HDC dc = CreateMetaFileA(nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, 100, 50, nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ previous = SelectObject(dc, brush);
    SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, 0, 0, 101, 51);
    SelectObject(dc, previous);
    DeleteObject(brush);
    HMETAFILE metafile = CloseMetaFile(dc);
    std::vector<uint8_t> bytes(GetMetaFileBitsEx(metafile, 0, nullptr));
    GetMetaFileBitsEx(metafile, UINT(bytes.size()), bytes.data());
    DeleteMetaFile(metafile);
    return bytes;
}

std::vector<uint8_t> placeable(int right, int bottom, int unitsPerInch, const std::vector<uint8_t>& metafile)
{
    ByteWriter header;
    header.u32(0x9AC6CDD7).u16(0).u16(0).u16(0).u16(right).u16(bottom).u16(unitsPerInch).u32(0);
    uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2)
        sum ^= uint16_t(header.bytes[i] | (header.bytes[i + 1] << 8));
    return header.u16(sum).raw(metafile).bytes;
}

TEST(MetafileDecoder, PlaceableMetafilesTakeTheirSizeFromTheBoundsAndUnitsClampedTo4000)
{
    const int dpi = screenDpi();
    DibImageWmf image;
    ASSERT_TRUE(decodeBytes(image, placeable(dpi, dpi / 2, dpi, windowsMetafile()))) << image.getLastError();
    EXPECT_EQ(image.getWidth(), dpi);
    EXPECT_EQ(image.getHeight(), dpi / 2);
    EXPECT_EQ(image.getFormat(), DibImage::FormatMetafile);
    EXPECT_EQ(rgbAt(image, dpi / 2, dpi / 4), 0xFF0000u);

    // Units per inch up to 2540 are accepted.
    DibImageWmf fine;
    EXPECT_TRUE(decodeBytes(fine, placeable(2540, 2540, 2540, windowsMetafile())));
    EXPECT_EQ(fine.getWidth(), dpi);
    EXPECT_EQ(failureOf<DibImageWmf>(placeable(2541, 2541, 2541, windowsMetafile())), "corrupted WMF");

    DibImageWmf large;
    ASSERT_TRUE(decodeBytes(large, placeable(10000, 2000, dpi, windowsMetafile())));
    EXPECT_EQ(large.getWidth(), 4000);
    EXPECT_EQ(large.getHeight(), 800);
    long width = 100, height = 8000;
    DibImageWmf::clampMetafileSize(width, height);
    EXPECT_EQ(width, 50);
    EXPECT_EQ(height, 4000);
}

TEST(MetafileDecoder, EnhancedMetafilesArePlayedAtTheirBounds)
{
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    RECT area{10, 10, 40, 30};
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    std::vector<uint8_t> bytes(GetEnhMetaFileBits(metafile, 0, nullptr));
    GetEnhMetaFileBits(metafile, UINT(bytes.size()), bytes.data());
    DeleteEnhMetaFile(metafile);

    DibImageWmf image;
    ASSERT_TRUE(decodeBytes(image, bytes)) << image.getLastError();
    EXPECT_GE(image.getWidth(), 29);
    EXPECT_LE(image.getWidth(), 31);
    EXPECT_EQ(rgbAt(image, image.getWidth() / 2, image.getHeight() / 2), 0x0000FFu);
}

TEST(MetafileDecoder, BadInputFailsWithItsMessage)
{
    EXPECT_EQ(failureOf<DibImageWmf>(std::vector<uint8_t>(200, 0x55)), "corrupted WMF");
    EXPECT_EQ(failureOf<DibImageWmf>(placeable(0, 100, 96, windowsMetafile())), "empty WMF");
    EXPECT_EQ(cancelledFailureOf<DibImageWmf>(placeable(96, 96, 96, windowsMetafile())), "Cancelled");
    expectTruncationsEndCleanly<DibImageWmf>(placeable(96, 96, 96, windowsMetafile()), false, 7);
}

// The offset of the first record of the kind, walking the records from First; the type
// of a record is a 16-bit function after a 32-bit size in words in Windows metafiles, a
// 32-bit type before a 32-bit size in bytes in enhanced ones.
size_t windowsRecord(const std::vector<uint8_t>& Bytes, uint16_t Function, size_t First)
{
    for (size_t at = First; at + 6 <= Bytes.size(); at += 2 * LittleEndian::u32(&Bytes[at])) {
        if (LittleEndian::u16(&Bytes[at + 4]) == Function)
            return at;
    }
    ADD_FAILURE() << "no record " << Function;
    return 0;
}

size_t enhancedRecord(const std::vector<uint8_t>& Bytes, uint32_t Type)
{
    for (size_t at = 0; at + 8 <= Bytes.size(); at += LittleEndian::u32(&Bytes[at + 4])) {
        if (LittleEndian::u32(&Bytes[at]) == Type)
            return at;
    }
    ADD_FAILURE() << "no record " << Type;
    return 0;
}

TEST(MetafileDecoder, MetafilesThatLieAboutTheirRecordsAreRefusedBeforeTheSystemPlaysThem)
{
    HDC windows = CreateMetaFileA(nullptr);
    SetWindowExtEx(windows, 100, 50, nullptr);
    HGDIOBJ pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    SelectObject(windows, pen);
    const POINT line[] = {{0, 0}, {50, 25}, {99, 49}};
    Polyline(windows, line, 3);
    HMETAFILE wmf = CloseMetaFile(windows);
    std::vector<uint8_t> wmfBytes(GetMetaFileBitsEx(wmf, 0, nullptr));
    GetMetaFileBitsEx(wmf, UINT(wmfBytes.size()), wmfBytes.data());
    DeleteMetaFile(wmf);
    const std::vector<uint8_t> good = placeable(96, 48, 96, wmfBytes);
    DibImageWmf played;
    ASSERT_TRUE(decodeBytes(played, good)) << played.getLastError();

    // Placeable files keep their metafile after a 22-byte header.
    const size_t polyline = windowsRecord(good, META_POLYLINE, 22 + 18);
    const size_t select = windowsRecord(good, META_SELECTOBJECT, 22 + 18);
    std::vector<uint8_t> points = good, object = good, size = good;
    LittleEndian::put16(&points[polyline + 6], 400);
    LittleEndian::put16(&object[select + 6], 9);
    LittleEndian::put32(&size[polyline], 0x10000);
    for (const auto& damaged : {points, object, size})
        EXPECT_EQ(failureOf<DibImageWmf>(damaged), "corrupted WMF");

    HDC enhanced = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    SetMapMode(enhanced, MM_ANISOTROPIC);
    SetWindowExtEx(enhanced, 100, 50, nullptr);
    SetViewportExtEx(enhanced, 100, 50, nullptr);
    SelectObject(enhanced, pen);
    Polyline(enhanced, line, 3);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const uint8_t pixels[16] = {255, 0, 0, 255, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 0};
    StretchDIBits(enhanced, 0, 0, 20, 20, 0, 0, 2, 2, pixels, &info, DIB_RGB_COLORS, SRCCOPY);
    HENHMETAFILE emf = CloseEnhMetaFile(enhanced);
    DeleteObject(pen);
    std::vector<uint8_t> emfBytes(GetEnhMetaFileBits(emf, 0, nullptr));
    GetEnhMetaFileBits(emf, UINT(emfBytes.size()), emfBytes.data());
    DeleteEnhMetaFile(emf);
    DibImageWmf enhancedPlayed;
    ASSERT_TRUE(decodeBytes(enhancedPlayed, emfBytes)) << enhancedPlayed.getLastError();

    const size_t line16 = enhancedRecord(emfBytes, EMR_POLYLINE16);
    const size_t selected = enhancedRecord(emfBytes, EMR_SELECTOBJECT);
    const size_t bitmap = enhancedRecord(emfBytes, EMR_STRETCHDIBITS);
    const size_t window = enhancedRecord(emfBytes, EMR_SETWINDOWEXTEX);
    std::vector<uint8_t> count = emfBytes, handle = emfBytes, bits = emfBytes, total = emfBytes, extent = emfBytes;
    LittleEndian::put32(&count[line16 + 24], 0x40000000);
    // An empty window, which the system's player divides by.
    LittleEndian::put32(&extent[window + 8], 0);
    // A header of no size far past the record: the system's player reads it all the same.
    std::vector<uint8_t> header = emfBytes, stretched = emfBytes, magnified = emfBytes;
    LittleEndian::put32(&header[bitmap + 48], 0x28750);
    LittleEndian::put32(&header[bitmap + 52], 0);
    // Bounds a thousand times taller than the frame they are played over, and a viewport
    // that blows the window up 1000 times: each mark would come out that much larger.
    LittleEndian::put32(&stretched[20], LittleEndian::u32(&stretched[12]) + 60000);
    LittleEndian::put32(&magnified[enhancedRecord(emfBytes, EMR_SETVIEWPORTEXTEX) + 8], 100000);
    LittleEndian::put32(&handle[selected + 8], 40);
    // The pixels' offset, past the record's end.
    LittleEndian::put32(&bits[bitmap + 56], LittleEndian::u32(&bits[bitmap + 4]));
    LittleEndian::put32(&total[48], uint32_t(total.size() + 4));
    for (const auto& damaged : {count, handle, bits, total, extent, header, stretched, magnified})
        EXPECT_EQ(failureOf<DibImageWmf>(damaged), "corrupted WMF");
}

} // namespace
