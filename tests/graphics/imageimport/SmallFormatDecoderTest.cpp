// The TGA, PCX and WBMP readers.
#include "graphics/imageimport/DibImagePcx.h"
#include "graphics/imageimport/DibImageTga.h"
#include "graphics/imageimport/DibImageWbmp.h"
#include "tests/graphics/ImageBuilders.h"

#include <gtest/gtest.h>

namespace {

ByteWriter tgaHeader(int type, int width, int height, int depth, int descriptor, int mapLength = 0, int mapEntry = 24)
{
    ByteWriter file;
    file.u8(3).u8(mapLength ? 1 : 0).u8(type).u16(0).u16(mapLength).u8(mapLength ? mapEntry : 0);
    file.u16(0).u16(0).u16(width).u16(height).u8(depth).u8(descriptor).text("id!");
    return file;
}

TEST(TgaDecoder, ReadsEveryImageTypeOriginAndRunLength)
{
    const DecoderCase cases[] = {
        {"true colour with alpha, top down",
            tgaHeader(2, 2, 2, 32, 0x28).raw({1, 2, 3, 10, 4, 5, 6, 20, 7, 8, 9, 30, 10, 11, 12, 40}).bytes,
            {{0, 0, 0x030201}, {1, 1, 0x0C0B0A}}, {{0, 0, 10}, {1, 1, 40}}},
        // Bottom-up and right-to-left: the first stored pixel is the bottom right one.
        {"bottom right origin", tgaHeader(2, 2, 2, 24, 0x10).raw({1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4}).bytes,
            {{1, 1, 0x010101}, {0, 1, 0x020202}, {1, 0, 0x030303}}},
        // 16 bits: alpha is the attribute bit 15, and only when the descriptor declares
        // attribute bits; bit 7 is a colour bit.
        {"16 bits with attribute", tgaHeader(2, 2, 1, 16, 0x21).u16(0x801F).u16(0x7C00).bytes,
            {{0, 0, 0x0000F8}, {1, 0, 0xF80000}}, {{0, 0, 255}, {1, 0, 0}}},
        {"16 bits without attribute", tgaHeader(2, 1, 1, 16, 0x20).u16(0x0080).bytes, {{0, 0, 0x002000}}},
        {"colour mapped", tgaHeader(1, 2, 1, 8, 0x20, 2).raw({0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 1, 0}).bytes,
            {{0, 0, 0x405060}, {1, 0, 0x102030}}},
        // 300 map entries of 16 bits: the extra entries are read past, not stored.
        {"large colour map", tgaHeader(1, 1, 1, 8, 0x20, 300, 16).u16(0x7FFF).fill(299 * 2, 0).raw({0}).bytes,
            {{0, 0, 0xF8F8F8}}},
        {"grey", tgaHeader(3, 1, 1, 8, 0x20).raw({77}).bytes, {{0, 0, 0x4D4D4D}}},
        {"run-length colour mapped",
            tgaHeader(9, 3, 1, 8, 0x20, 2).raw({0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0x82, 1}).bytes,
            {{0, 0, 0x405060}, {2, 0, 0x405060}}},
        // 0x83 repeats the next pixel 4 times: across the end of the 3-pixel first row.
        {"run-length grey across rows", tgaHeader(11, 3, 2, 8, 0x20).raw({0x83, 9, 0x01, 5, 6}).bytes, {}, {},
            {{0, 0, 9}, {2, 0, 9}, {0, 1, 9}, {1, 1, 5}, {2, 1, 6}}},
        // A run far longer than the image writes nothing outside it.
        {"run-length flood", tgaHeader(10, 2, 2, 24, 0).raw({0xFF, 1, 2, 3}).bytes,
            {{0, 0, 0x030201}, {1, 1, 0x030201}}},
    };
    for (const DecoderCase& c : cases)
        expectDecoded<DibImageTga>(c);
}

TEST(TgaDecoder, RefusesWhatItCannotRead)
{
    EXPECT_EQ(failureOf<DibImageTga>({0, 0, 2}), "Not a TGA");
    EXPECT_EQ(failureOf<DibImageTga>(tgaHeader(4, 1, 1, 8, 0).raw({0}).bytes), "Unknown TGA image type");
    EXPECT_EQ(failureOf<DibImageTga>(tgaHeader(2, 0, 1, 24, 0).bytes), "TGA Create failed");
    EXPECT_EQ(cancelledFailureOf<DibImageTga>(tgaHeader(2, 1, 1, 24, 0).raw({1, 2, 3}).bytes), "Cancelled");
    auto file = tgaHeader(10, 4, 3, 24, 0);
    file.raw({0x81, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9, 0x85, 1, 1, 1, 0x83, 2, 2, 2});
    expectTruncationsEndCleanly<DibImageTga>(file.bytes, true);
}

ByteWriter pcxHeader(int bits, int planes, int width, int height, int bytesPerLine, int encoding = 1)
{
    ByteWriter file;
    file.u8(10).u8(5).u8(encoding).u8(bits).u16(0).u16(0).u16(width - 1).u16(height - 1).u16(150).u16(75);
    for (int i = 0; i < 16; ++i)
        file.raw({i * 16, i * 8, i * 4});
    file.u8(0).u8(planes).u16(bytesPerLine).fill(128 - 68, 0);
    return file;
}

TEST(PcxDecoder, ReadsPlanesAndPalettes)
{
    ByteWriter palette;
    for (int i = 0; i < 256; ++i)
        palette.raw({i, 255 - i, 7});
    const DecoderCase cases[] = {
        // A run of 3 × 2 then the trailing 256-colour palette.
        {"8 bits", pcxHeader(8, 1, 3, 1, 4).raw({0xC3, 2, 0, 12}).raw(palette.bytes).bytes, {{0, 0, 0x02FD07}}},
        // Pixel 0 has planes 0 and 2 set (index 5); pixel 1 plane 3 (index 8): header colours.
        {"four 1-bit planes", pcxHeader(1, 4, 2, 1, 2).raw({0x80, 0, 0, 0, 0x80, 0, 0x40, 0}).bytes,
            {{0, 0, 0x502814}, {1, 0, 0x804020}}},
        {"colour planes with alpha", pcxHeader(8, 4, 1, 1, 1).raw({10, 20, 30, 40}).bytes, {{0, 0, 0x0A141E}},
            {{0, 0, 40}}},
        {"1 bit", pcxHeader(1, 1, 9, 1, 2).raw({0x81, 0x80}).bytes, {{0, 0, 0xFFFFFF}, {1, 0, 0}, {8, 0, 0xFFFFFF}}},
        {"2 bits", pcxHeader(2, 1, 4, 1, 1).raw({0x1B}).bytes, {}, {}, {{0, 0, 0}, {1, 0, 1}, {3, 0, 3}}},
        // Width 4 but one byte per plane line: pixels 1 to 3 have no data and stay black.
        {"rows wider than their bytes", pcxHeader(8, 3, 4, 2, 1).raw({1, 2, 3, 4, 5, 6}).bytes,
            {{0, 0, 0x010203}, {1, 0, 0}, {0, 1, 0x040506}}},
    };
    for (const DecoderCase& c : cases)
        expectDecoded<DibImagePcx>(c);
    DibImagePcx image;
    ASSERT_TRUE(decodeBytes(image, cases[1].bytes));
    EXPECT_EQ(image.getBitCount(), 4);
    EXPECT_EQ(image.getFormat(), DibImage::FormatPcx);
    EXPECT_EQ(image.getXDpi(), 150);
    EXPECT_EQ(image.getYDpi(), 75);
}

TEST(PcxDecoder, RefusesWhatItCannotRead)
{
    auto notPcx = pcxHeader(8, 1, 1, 1, 1);
    notPcx.bytes[0] = 11;
    const struct {
        std::vector<uint8_t> bytes;
        const char* message;
    } cases[] = {
        {{10, 5}, "Can't read PCX image"},
        {notPcx.bytes, "Error: Not a PCX file"},
        {pcxHeader(8, 1, 1, 1, 1, 0).bytes, "PCX file has unknown encoding scheme"},
        {pcxHeader(8, 5, 1, 1, 1).bytes, "Can't handle image with more than 4 planes"},
        {pcxHeader(8, 1, 1, 1, 0).bytes, "corrupted PCX"},
        {pcxHeader(8, 1, 0, 1, 1).bytes, "PCX Create failed"},
        {pcxHeader(8, 1, 3, 1, 3).raw({0xC5, 1}).bytes, "repeat count spans end of image"},
        {pcxHeader(8, 2, 1, 1, 1).raw({1, 2}).bytes, "Can't handle more than 1 bit per pixel"},
        {pcxHeader(8, 1, 1, 1, 2).raw({0, 0, 11}).bytes, "bad color map signature"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failureOf<DibImagePcx>(c.bytes), c.message);
    EXPECT_EQ(cancelledFailureOf<DibImagePcx>(pcxHeader(1, 1, 1, 1, 1).raw({0}).bytes), "Cancelled");
    expectTruncationsEndCleanly<DibImagePcx>(
        pcxHeader(8, 1, 4, 2, 4).raw({0xC4, 9, 1, 2, 3, 4, 12}).fill(768, 3).bytes, true);
}

TEST(WbmpDecoder, ReadsRowsTopFirstAndMultiByteSidesAndRefusesBadFiles)
{
    // 200 pixels wide is written as 0x81 0x48.
    expectDecoded<DibImageWbmp>({"3 × 2", {0, 0, 3, 2, 0xA0, 0x40}, {{0, 0, 0xFFFFFF}, {1, 0, 0}, {1, 1, 0xFFFFFF}}});
    expectDecoded<DibImageWbmp>(
        {"200 wide", ByteWriter().raw({0, 0, 0x81, 0x48, 1}).fill(25, 0xFF).bytes, {{199, 0, 0xFFFFFF}}});

    EXPECT_EQ(failureOf<DibImageWbmp>({1, 0, 1, 1, 0}), "Unsupported WBMP type");
    EXPECT_EQ(failureOf<DibImageWbmp>({0, 0, 0, 1}), "Corrupted WBMP");
    EXPECT_EQ(failureOf<DibImageWbmp>({0, 0, 0xFF, 0xFF, 0x7F, 1}), "WBMP Create failed");
    EXPECT_EQ(failureOf<DibImageWbmp>({}), "Not a WBMP");
    expectTruncationsEndCleanly<DibImageWbmp>({0, 0, 9, 3, 1, 2, 3, 4, 5, 6}, true);
}

} // namespace
