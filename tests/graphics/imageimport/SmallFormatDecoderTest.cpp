// The TGA, PCX and WBMP readers.
#include "graphics/imageimport/DibImagePcx.h"
#include "graphics/imageimport/DibImageTga.h"
#include "graphics/imageimport/DibImageWbmp.h"
#include "tests/graphics/imageimport/ByteWriter.h"
#include "tests/graphics/imageimport/DecoderTestSupport.h"

#include <gtest/gtest.h>

namespace {

ByteWriter tgaHeader(int type, int width, int height, int depth, int descriptor, int mapLength = 0, int mapEntry = 24)
{
    ByteWriter file;
    file.u8(3).u8(mapLength ? 1 : 0).u8(type).u16(0).u16(mapLength).u8(mapLength ? mapEntry : 0);
    file.u16(0).u16(0).u16(width).u16(height).u8(depth).u8(descriptor).text("id!");
    return file;
}

TEST(TgaDecoder, TrueColourWithAlphaTopDown)
{
    auto file = tgaHeader(2, 2, 2, 32, 0x28);
    file.raw({1, 2, 3, 10, 4, 5, 6, 20, 7, 8, 9, 30, 10, 11, 12, 40});
    DibImageTga image;
    ASSERT_TRUE(decodeBytes(image, file.bytes)) << image.getLastError();
    EXPECT_EQ(rgbAt(image, 0, 0), 0x030201u);
    EXPECT_EQ(rgbAt(image, 1, 1), 0x0C0B0Au);
    EXPECT_EQ(image.alphaGet(0, 1), 10);
    EXPECT_EQ(image.alphaGet(1, 0), 40);
}

TEST(TgaDecoder, OriginsFlipAndMirror)
{
    // Bottom-up and right-to-left: the first stored pixel is the bottom right one.
    auto file = tgaHeader(2, 2, 2, 24, 0x10);
    file.raw({1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4});
    DibImageTga image;
    ASSERT_TRUE(decodeBytes(image, file.bytes));
    EXPECT_EQ(rgbAt(image, 1, 1), 0x010101u);
    EXPECT_EQ(rgbAt(image, 0, 1), 0x020202u);
    EXPECT_EQ(rgbAt(image, 1, 0), 0x030303u);
}

TEST(TgaDecoder, SixteenBitAlphaIsTheAttributeBit)
{
    auto withAttribute = tgaHeader(2, 2, 1, 16, 0x21);
    withAttribute.u16(0x801F).u16(0x7C00);
    DibImageTga image;
    ASSERT_TRUE(decodeBytes(image, withAttribute.bytes));
    EXPECT_EQ(rgbAt(image, 0, 0), 0x0000F8u);
    EXPECT_EQ(rgbAt(image, 1, 0), 0xF80000u);
    EXPECT_EQ(image.alphaGet(0, 0), 255);
    EXPECT_EQ(image.alphaGet(1, 0), 0);

    // Bit 7 is a colour bit, and without attribute bits there is no alpha at all.
    auto plain = tgaHeader(2, 1, 1, 16, 0x20);
    plain.u16(0x0080);
    DibImageTga noAlpha;
    ASSERT_TRUE(decodeBytes(noAlpha, plain.bytes));
    EXPECT_FALSE(noAlpha.isAlphaValid());
    EXPECT_EQ(rgbAt(noAlpha, 0, 0), 0x002000u);
}

TEST(TgaDecoder, ColourMappedAndGreyImages)
{
    auto mapped = tgaHeader(1, 2, 1, 8, 0x20, 2);
    mapped.raw({0x30, 0x20, 0x10, 0x60, 0x50, 0x40}).raw({1, 0});
    DibImageTga image;
    ASSERT_TRUE(decodeBytes(image, mapped.bytes));
    EXPECT_EQ(rgbAt(image, 0, 0), 0x405060u);
    EXPECT_EQ(rgbAt(image, 1, 0), 0x102030u);

    // 300 map entries of 16 bits: the extra entries are read past, not stored.
    auto large = tgaHeader(1, 1, 1, 8, 0x20, 300, 16);
    large.u16(0x7FFF).fill(299 * 2, 0).raw({0});
    DibImageTga big;
    ASSERT_TRUE(decodeBytes(big, large.bytes));
    EXPECT_EQ(rgbAt(big, 0, 0), 0xF8F8F8u);

    auto grey = tgaHeader(3, 1, 1, 8, 0x20);
    grey.raw({77});
    DibImageTga greyImage;
    ASSERT_TRUE(decodeBytes(greyImage, grey.bytes));
    EXPECT_EQ(rgbAt(greyImage, 0, 0), 0x4D4D4Du);
}

TEST(TgaDecoder, RunLengthPacketsMayCrossRows)
{
    // 0x83 repeats the next pixel 4 times: across the end of the 3-pixel first row.
    auto file = tgaHeader(11, 3, 2, 8, 0x20);
    file.raw({0x83, 9, 0x01, 5, 6});
    DibImageTga image;
    ASSERT_TRUE(decodeBytes(image, file.bytes)) << image.getLastError();
    const std::vector<int> expected = {9, 9, 9, 9, 5, 6};
    for (long i = 0; i < 6; ++i)
        EXPECT_EQ(image.getPixelIndex(i % 3, 1 - i / 3), expected[size_t(i)]) << i;

    // A run far longer than the image writes nothing outside it.
    auto flood = tgaHeader(10, 2, 2, 24, 0);
    flood.raw({0xFF, 1, 2, 3});
    DibImageTga flooded;
    ASSERT_TRUE(decodeBytes(flooded, flood.bytes));
    EXPECT_EQ(rgbAt(flooded, 1, 1), 0x030201u);
}

TEST(TgaDecoder, RefusesWhatItCannotRead)
{
    DibImageTga tooShort;
    EXPECT_FALSE(decodeBytes(tooShort, {0, 0, 2}));
    EXPECT_STREQ(tooShort.getLastError(), "Not a TGA");
    DibImageTga typeFour;
    EXPECT_FALSE(decodeBytes(typeFour, tgaHeader(4, 1, 1, 8, 0).raw({0}).bytes));
    EXPECT_STREQ(typeFour.getLastError(), "Unknown TGA image type");
    DibImageTga empty;
    EXPECT_FALSE(decodeBytes(empty, tgaHeader(2, 0, 1, 24, 0).bytes));
    EXPECT_STREQ(empty.getLastError(), "TGA Create failed");
    DibImageTga cancelled;
    cancelled.setEscape(1);
    EXPECT_FALSE(decodeBytes(cancelled, tgaHeader(2, 1, 1, 24, 0).raw({1, 2, 3}).bytes));
    EXPECT_STREQ(cancelled.getLastError(), "Cancelled");

    auto file = tgaHeader(10, 4, 3, 24, 0);
    file.raw({0x81, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9, 0x85, 1, 1, 1, 0x83, 2, 2, 2});
    expectEveryTruncationIsSafe<DibImageTga>(file.bytes, true);
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

TEST(PcxDecoder, EightBitImagesUseTheTrailingPalette)
{
    auto file = pcxHeader(8, 1, 3, 1, 4);
    file.raw({0xC3, 2, 0}).u8(12);
    for (int i = 0; i < 256; ++i)
        file.raw({i, 255 - i, 7});
    DibImagePcx image;
    ASSERT_TRUE(decodeBytes(image, file.bytes)) << image.getLastError();
    EXPECT_EQ(image.getFormat(), DibImage::FormatPcx);
    EXPECT_EQ(image.getXDpi(), 150);
    EXPECT_EQ(image.getYDpi(), 75);
    EXPECT_EQ(rgbAt(image, 0, 0), 0x02FD07u);

    auto wrong = pcxHeader(8, 1, 1, 1, 2);
    wrong.raw({0, 0, 11});
    DibImagePcx refused;
    EXPECT_FALSE(decodeBytes(refused, wrong.bytes));
    EXPECT_STREQ(refused.getLastError(), "bad color map signature");
}

TEST(PcxDecoder, FourOneBitPlanesGiveSixteenHeaderColours)
{
    // Pixel 0 has planes 0 and 2 set (index 5); pixel 1 plane 3 (index 8).
    auto file = pcxHeader(1, 4, 2, 1, 2);
    file.raw({0x80, 0, 0, 0, 0x80, 0, 0x40, 0});
    DibImagePcx image;
    ASSERT_TRUE(decodeBytes(image, file.bytes));
    EXPECT_EQ(image.getBitCount(), 4);
    EXPECT_EQ(image.getPixelIndex(0, 0), 5);
    EXPECT_EQ(image.getPixelIndex(1, 0), 8);
    EXPECT_EQ(rgbAt(image, 1, 0), 0x804020u);
}

TEST(PcxDecoder, ColourPlanesAndPackedPixels)
{
    auto rgba = pcxHeader(8, 4, 1, 1, 1);
    rgba.raw({10, 20, 30, 40});
    DibImagePcx colour;
    ASSERT_TRUE(decodeBytes(colour, rgba.bytes));
    EXPECT_EQ(colour.getBitCount(), 24);
    EXPECT_EQ(rgbAt(colour, 0, 0), 0x0A141Eu);
    EXPECT_EQ(colour.alphaGet(0, 0), 40);

    auto mono = pcxHeader(1, 1, 9, 1, 2);
    mono.raw({0x81, 0x80});
    DibImagePcx oneBit;
    ASSERT_TRUE(decodeBytes(oneBit, mono.bytes));
    EXPECT_EQ(rgbAt(oneBit, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(rgbAt(oneBit, 1, 0), 0u);
    EXPECT_EQ(rgbAt(oneBit, 8, 0), 0xFFFFFFu);

    auto twoBit = pcxHeader(2, 1, 4, 1, 1);
    twoBit.raw({0x1B});
    DibImagePcx cga;
    ASSERT_TRUE(decodeBytes(cga, twoBit.bytes));
    EXPECT_EQ(cga.getPixelIndex(0, 0), 0);
    EXPECT_EQ(cga.getPixelIndex(3, 0), 3);
}

TEST(PcxDecoder, RowsWiderThanTheirBytesReadOnlyTheirOwnBytes)
{
    // Width 4 but one byte per plane line: pixels 1 to 3 have no data and stay black.
    auto file = pcxHeader(8, 3, 4, 2, 1);
    file.raw({1, 2, 3, 4, 5, 6});
    DibImagePcx image;
    ASSERT_TRUE(decodeBytes(image, file.bytes));
    EXPECT_EQ(rgbAt(image, 0, 0), 0x010203u);
    EXPECT_EQ(rgbAt(image, 1, 0), 0u);
    EXPECT_EQ(rgbAt(image, 0, 1), 0x040506u);
}

TEST(PcxDecoder, RefusesWhatItCannotRead)
{
    struct Case {
        std::vector<uint8_t> bytes;
        const char* message;
    };
    auto notPcx = pcxHeader(8, 1, 1, 1, 1);
    notPcx.bytes[0] = 11;
    const std::vector<Case> cases = {
        {{10, 5}, "Can't read PCX image"},
        {notPcx.bytes, "Error: Not a PCX file"},
        {pcxHeader(8, 1, 1, 1, 1, 0).bytes, "PCX file has unknown encoding scheme"},
        {pcxHeader(8, 5, 1, 1, 1).bytes, "Can't handle image with more than 4 planes"},
        {pcxHeader(8, 1, 1, 1, 0).bytes, "corrupted PCX"},
        {pcxHeader(8, 1, 0, 1, 1).bytes, "PCX Create failed"},
        {pcxHeader(8, 1, 3, 1, 3).raw({0xC5, 1}).bytes, "repeat count spans end of image"},
        {pcxHeader(8, 2, 1, 1, 1).raw({1, 2}).bytes, "Can't handle more than 1 bit per pixel"},
    };
    for (const Case& c : cases) {
        DibImagePcx image;
        EXPECT_FALSE(decodeBytes(image, c.bytes)) << c.message;
        EXPECT_STREQ(image.getLastError(), c.message);
    }
    DibImagePcx cancelled;
    cancelled.setEscape(1);
    EXPECT_FALSE(decodeBytes(cancelled, pcxHeader(1, 1, 1, 1, 1).raw({0}).bytes));
    EXPECT_STREQ(cancelled.getLastError(), "Cancelled");

    auto file = pcxHeader(8, 1, 4, 2, 4);
    file.raw({0xC4, 9, 1, 2, 3, 4, 12}).fill(768, 3);
    expectEveryTruncationIsSafe<DibImagePcx>(file.bytes, true);
}

TEST(WbmpDecoder, ReadsRowsTopFirstAndMultiByteSides)
{
    DibImageWbmp image;
    ASSERT_TRUE(decodeBytes(image, {0, 0, 3, 2, 0xA0, 0x40}));
    EXPECT_EQ(rgbAt(image, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(rgbAt(image, 1, 0), 0u);
    EXPECT_EQ(rgbAt(image, 1, 1), 0xFFFFFFu);

    // 200 pixels wide is written as 0x81 0x48.
    ByteWriter wide;
    wide.raw({0, 0, 0x81, 0x48, 1}).fill(25, 0xFF);
    DibImageWbmp large;
    ASSERT_TRUE(decodeBytes(large, wide.bytes)) << large.getLastError();
    EXPECT_EQ(large.getWidth(), 200);
    EXPECT_EQ(rgbAt(large, 199, 0), 0xFFFFFFu);
}

TEST(WbmpDecoder, RefusesWhatItCannotRead)
{
    DibImageWbmp type;
    EXPECT_FALSE(decodeBytes(type, {1, 0, 1, 1, 0}));
    EXPECT_STREQ(type.getLastError(), "Unsupported WBMP type");
    DibImageWbmp zero;
    EXPECT_FALSE(decodeBytes(zero, {0, 0, 0, 1}));
    EXPECT_STREQ(zero.getLastError(), "Corrupted WBMP");
    DibImageWbmp huge;
    EXPECT_FALSE(decodeBytes(huge, {0, 0, 0xFF, 0xFF, 0x7F, 1}));
    EXPECT_STREQ(huge.getLastError(), "WBMP Create failed");
    DibImageWbmp nothing;
    EXPECT_FALSE(decodeBytes(nothing, {}));
    EXPECT_STREQ(nothing.getLastError(), "Not a WBMP");
    expectEveryTruncationIsSafe<DibImageWbmp>({0, 0, 9, 3, 1, 2, 3, 4, 5, 6}, true);
}

} // namespace
