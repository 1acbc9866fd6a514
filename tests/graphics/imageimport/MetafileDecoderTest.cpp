// The metafile reader: placeable Windows metafiles and enhanced metafiles played by GDI.
#include "graphics/imageimport/DibImageWmf.h"
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

} // namespace
