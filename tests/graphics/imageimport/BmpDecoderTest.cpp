// The BMP reader: every depth, core headers, masks, run-length data and bad input.
#include "graphics/imageimport/DibImageBmp.h"
#include "tests/graphics/imageimport/ByteWriter.h"
#include "tests/graphics/imageimport/DecoderTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct BmpLayout {
    BmpLayout(int32_t width, int32_t height, int bits, uint32_t compression, std::vector<uint32_t> palette,
            std::vector<uint8_t> pixels)
        : width(width), height(height), bits(bits), compression(compression), palette(std::move(palette)),
          pixels(std::move(pixels))
    {
    }
    int32_t width;
    int32_t height;
    int bits;
    uint32_t compression;
    std::vector<uint32_t> palette;   // 0x00RRGGBB
    std::vector<uint8_t> pixels;
    bool fileHeader = true;
    std::vector<uint32_t> masks;
};

std::vector<uint8_t> makeBmp(const BmpLayout& layout)
{
    ByteWriter info;
    info.u32(40).u32(uint32_t(layout.width)).u32(uint32_t(layout.height)).u16(1).u16(layout.bits).u32(layout.compression);
    info.u32(uint32_t(layout.pixels.size())).u32(3780).u32(3780).u32(uint32_t(layout.palette.size())).u32(0);
    for (uint32_t mask : layout.masks)
        info.u32(mask);
    for (uint32_t colour : layout.palette)
        info.u32(colour);
    ByteWriter file;
    if (layout.fileHeader)
        file.text("BM").u32(uint32_t(14 + info.size() + layout.pixels.size())).u32(0).u32(uint32_t(14 + info.size()));
    return file.raw(info.bytes).raw(layout.pixels).bytes;
}

TEST(BmpDecoder, ReadsIndexedDepths)
{
    // 1 bit: rows of 4 bytes; picture top row is stored last.
    {
        DibImageBmp image;
        ASSERT_TRUE(decodeBytes(image, makeBmp(BmpLayout(3, 2, 1, 0, {0x000000, 0xFFFFFF}, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}))));
        EXPECT_EQ(rgbAt(image, 0, 1), 0xFFFFFFu);
        EXPECT_EQ(rgbAt(image, 1, 1), 0u);
        EXPECT_EQ(rgbAt(image, 1, 0), 0xFFFFFFu);
        EXPECT_EQ(image.getXDpi(), 96);
    }
    {
        DibImageBmp image;
        ASSERT_TRUE(decodeBytes(image, makeBmp(BmpLayout(2, 1, 4, 0, {0, 0x112233, 0x445566}, {0x21, 0, 0, 0}))));
        EXPECT_EQ(image.getBitCount(), 4);
        EXPECT_EQ(rgbAt(image, 0, 0), 0x445566u);
        EXPECT_EQ(rgbAt(image, 1, 0), 0x112233u);
    }
    {
        DibImageBmp image;
        ASSERT_TRUE(decodeBytes(image, makeBmp(BmpLayout(1, 1, 8, 0, {0, 0, 0xABCDEF}, {2, 0, 0, 0}))));
        EXPECT_EQ(rgbAt(image, 0, 0), 0xABCDEFu);
        // Palette entries the file does not hold stay black.
        EXPECT_EQ(image.getPaletteColor(200).rgbRed, 0);
    }
}

TEST(BmpDecoder, ReadsTrueColourDepths)
{
    DibImageBmp image;
    ASSERT_TRUE(decodeBytes(image, makeBmp(BmpLayout(1, 1, 24, 0, {}, {0x33, 0x22, 0x11, 0}))));
    EXPECT_EQ(rgbAt(image, 0, 0), 0x112233u);

    DibImageBmp word;
    ASSERT_TRUE(decodeBytes(word, makeBmp(BmpLayout(2, 1, 16, 0, {}, {0xFF, 0x7F, 0x00, 0x7C}))));
    EXPECT_EQ(rgbAt(word, 0, 0), 0xF8F8F8u);
    EXPECT_EQ(rgbAt(word, 1, 0), 0xF80000u);

    BmpLayout masked(1, 1, 16, BI_BITFIELDS, {}, {0x00, 0xF8, 0, 0});
    masked.masks = {0xF800, 0x7E0, 0x1F};
    DibImageBmp fiveSixFive;
    ASSERT_TRUE(decodeBytes(fiveSixFive, makeBmp(masked)));
    EXPECT_EQ(rgbAt(fiveSixFive, 0, 0), 0xF80000u);

    // The fourth byte is dropped; a negative height stores rows top first.
    DibImageBmp wide;
    ASSERT_TRUE(decodeBytes(wide, makeBmp(BmpLayout(1, -2, 32, 0, {}, {1, 2, 3, 99, 4, 5, 6, 99}))));
    EXPECT_EQ(rgbAt(wide, 0, 0), 0x030201u);
    EXPECT_EQ(rgbAt(wide, 0, 1), 0x060504u);
}

TEST(BmpDecoder, ReadsFilesWithoutFileHeaderAndCoreHeaders)
{
    BmpLayout bare(2, 1, 8, 0, {0x010203, 0x040506}, {1, 0, 0, 0});
    bare.fileHeader = false;
    DibImageBmp image;
    ASSERT_TRUE(decodeBytes(image, makeBmp(bare)));
    EXPECT_EQ(rgbAt(image, 0, 0), 0x040506u);

    // A core header with a 16-entry palette of three-byte entries (48 bytes).
    ByteWriter core;
    core.text("BM").u32(14 + 12 + 48 + 4).u32(0).u32(14 + 12 + 48);
    core.u32(12).u16(1).u16(1).u16(1).u16(4);
    for (int i = 0; i < 16; ++i)
        core.raw({i, i * 2, i * 3});
    core.raw({0x50, 0, 0, 0});
    DibImageBmp coreImage;
    ASSERT_TRUE(decodeBytes(coreImage, core.bytes)) << coreImage.getLastError();
    EXPECT_EQ(rgbAt(coreImage, 0, 0), 0x0F0A05u);
}

TEST(BmpDecoder, Rle8RunsLiteralsPadsAndDeltas)
{
    // Row 0: a run of 2 × 7, a literal of 3 (one pad byte); row 1 after a delta.
    const std::vector<uint8_t> data = {2, 7, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 1, 0, 4, 5, 6, 7, 8, 0, 1};
    std::vector<uint32_t> palette(16);
    for (uint32_t i = 0; i < 16; ++i)
        palette[i] = i;
    DibImageBmp image;
    ASSERT_TRUE(decodeBytes(image, makeBmp(BmpLayout(6, 3, 8, BI_RLE8, palette, data))));
    const std::vector<int> row0 = {7, 7, 1, 2, 3, 0};
    for (long x = 0; x < 6; ++x)
        EXPECT_EQ(image.getPixelIndex(x, 0), row0[size_t(x)]) << x;
    EXPECT_EQ(image.getPixelIndex(0, 2), 0);
    EXPECT_EQ(image.getPixelIndex(1, 2), 5);
    EXPECT_EQ(image.getPixelIndex(4, 2), 8);
}

TEST(BmpDecoder, Rle4NibblesAndPadding)
{
    // A run of 5 alternating 1 and 2, then a literal of 3 pixels (2 bytes, no pad), then
    // a literal of 5 pixels (3 bytes, one pad byte).
    const std::vector<uint8_t> data = {5, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 5, 0x67, 0x89, 0xA0, 0, 0, 1};
    DibImageBmp image;
    ASSERT_TRUE(decodeBytes(image, makeBmp(BmpLayout(8, 2, 4, BI_RLE4, std::vector<uint32_t>(16), data))));
    const std::vector<int> row0 = {1, 2, 1, 2, 1, 3, 4, 5};
    for (long x = 0; x < 8; ++x)
        EXPECT_EQ(image.getPixelIndex(x, 0), row0[size_t(x)]) << x;
    EXPECT_EQ(image.getPixelIndex(0, 1), 6);
    EXPECT_EQ(image.getPixelIndex(1, 1), 7);
    EXPECT_EQ(image.getPixelIndex(4, 1), 10);
}

TEST(BmpDecoder, RunLengthWritesStayInsideTheImage)
{
    // Runs past the row end, deltas past the image and a literal beyond it.
    const std::vector<uint8_t> data = {255, 1, 0, 2, 200, 200, 0, 5, 1, 2, 3, 4, 5, 0, 0, 0, 1};
    DibImageBmp image;
    ASSERT_TRUE(decodeBytes(image, makeBmp(BmpLayout(2, 2, 8, BI_RLE8, std::vector<uint32_t>(2), data))));
    EXPECT_EQ(image.getPixelIndex(1, 0), 1);
    DibImageBmp four;
    ASSERT_TRUE(decodeBytes(four, makeBmp(BmpLayout(3, 1, 4, BI_RLE4, std::vector<uint32_t>(2), data))));
}

TEST(BmpDecoder, RefusesWhatItCannotRead)
{
    struct Case {
        std::vector<uint8_t> bytes;
        const char* message;
    };
    const std::vector<Case> cases = {
        {ByteWriter().text("BM").u32(0).bytes, "Not a BMP"},
        {ByteWriter().text("BM").u32(0).u32(0).u32(0).u32(40).bytes, "Error reading BMP info"},
        {makeBmp(BmpLayout(1, 1, 2, 0, {0, 0, 0, 0}, {0, 0, 0, 0})), "Unsupported BMP bit count"},
        {makeBmp(BmpLayout(1, 1, 8, 7, {0}, {0, 0, 0, 0})), "compression type not supported"},
        {makeBmp(BmpLayout(1, 1, 24, 1, {}, {0, 0, 0, 0})), "unknown compression"},
        {makeBmp(BmpLayout(1, 1, 32, 2, {}, {0, 0, 0, 0})), "unknown compression"},
        {makeBmp(BmpLayout(0, 1, 24, 0, {}, {})), "Can't allocate memory"},
        {makeBmp(BmpLayout(70000, 1, 24, 0, {}, {})), "Can't allocate memory"},
        {makeBmp(BmpLayout(1, int32_t(0x80000000), 24, 0, {}, {})), "Can't allocate memory"},
        {makeBmp(BmpLayout(4, 4, 24, 0, {}, {1, 2, 3})), "Error reading BMP data"},
        {makeBmp(BmpLayout(4, 4, 8, BI_RLE8, {0}, {2, 1, 0, 0})), "Error reading BMP data"},
    };
    for (const Case& c : cases) {
        DibImageBmp image;
        EXPECT_FALSE(decodeBytes(image, c.bytes)) << c.message;
        EXPECT_STREQ(image.getLastError(), c.message);
    }
}

TEST(BmpDecoder, CancelsThroughTheEscapeFlag)
{
    DibImageBmp image;
    image.setEscape(1);
    EXPECT_FALSE(decodeBytes(image, makeBmp(BmpLayout(1, 1, 24, 0, {}, {1, 2, 3, 0}))));
    EXPECT_STREQ(image.getLastError(), "Cancelled");
}

TEST(BmpDecoder, TruncatedFilesFailCleanly)
{
    expectEveryTruncationIsSafe<DibImageBmp>(makeBmp(BmpLayout(3, 2, 8, 0, {1, 2, 3}, std::vector<uint8_t>(8, 1))), true);
    expectEveryTruncationIsSafe<DibImageBmp>(makeBmp(BmpLayout(6, 3, 8, BI_RLE8, {1}, {2, 7, 0, 3, 1, 2, 3, 0, 0, 1})), true);
}

} // namespace
