// The BMP reader: every depth, core headers, masks, run-length data and bad input.
#include "graphics/imageimport/DibImageBmp.h"
#include "tests/graphics/ImageBuilders.h"

#include <gtest/gtest.h>

namespace {

// A core header with a 16-entry palette of three-byte entries (48 bytes).
std::vector<uint8_t> coreBmp()
{
    ByteWriter core;
    core.text("BM").u32(14 + 12 + 48 + 4).u32(0).u32(14 + 12 + 48);
    core.u32(12).u16(1).u16(1).u16(1).u16(4);
    for (int i = 0; i < 16; ++i)
        core.raw({i, i * 2, i * 3});
    return core.raw({0x50, 0, 0, 0}).bytes;
}

TEST(BmpDecoder, ReadsEveryDepthAndHeader)
{
    BmpLayout bare{2, 1, 8, 0, {0x010203, 0x040506}, {1, 0, 0, 0}};
    bare.fileHeader = false;
    BmpLayout masked{1, 1, 16, BI_BITFIELDS, {}, {0x00, 0xF8, 0, 0}, {0xF800, 0x7E0, 0x1F}};
    const DecoderCase cases[] = {
        // Rows of 4 bytes; the picture's top row is stored last.
        {"1 bit", makeBmp({3, 2, 1, 0, {0x000000, 0xFFFFFF}, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}}),
            {{0, 1, 0xFFFFFF}, {1, 1, 0}, {1, 0, 0xFFFFFF}}, {}, {}, 1},
        {"4 bits", makeBmp({2, 1, 4, 0, {0, 0x112233, 0x445566}, {0x21, 0, 0, 0}}),
            {{0, 0, 0x445566}, {1, 0, 0x112233}}, {}, {}, 4},
        {"8 bits", makeBmp({1, 1, 8, 0, {0, 0, 0xABCDEF}, {2, 0, 0, 0}}), {{0, 0, 0xABCDEF}}, {}, {}, 8},
        {"16 bits", makeBmp({2, 1, 16, 0, {}, {0xFF, 0x7F, 0x00, 0x7C}}), {{0, 0, 0xF8F8F8}, {1, 0, 0xF80000}}, {}, {},
            24},
        {"16 bits 5-6-5", makeBmp(masked), {{0, 0, 0xF80000}}, {}, {}, 24},
        {"24 bits", makeBmp({1, 1, 24, 0, {}, {0x33, 0x22, 0x11, 0}}), {{0, 0, 0x112233}}, {}, {}, 24},
        // The fourth byte is dropped; a negative height stores rows top first.
        {"32 bits", makeBmp({1, -2, 32, 0, {}, {1, 2, 3, 99, 4, 5, 6, 99}}), {{0, 0, 0x030201}, {0, 1, 0x060504}}, {},
            {}, 24},
        {"no file header", makeBmp(bare), {{0, 0, 0x040506}}},
        {"core header", coreBmp(), {{0, 0, 0x0F0A05}}, {}, {}, 4},
    };
    for (const DecoderCase& c : cases)
        expectDecoded<DibImageBmp>(c);
    DibImageBmp image;
    ASSERT_TRUE(decodeBytes(image, cases[2].bytes));
    EXPECT_EQ(image.getXDpi(), 96);
    // Palette entries the file does not hold stay black.
    EXPECT_EQ(image.getPaletteColor(200).rgbRed, 0);
}

TEST(BmpDecoder, RunLengthDataWithRunsLiteralsPadsAndDeltas)
{
    const struct {
        int bits;
        uint32_t compression;
        int width, height;
        std::vector<uint8_t> data;
        std::vector<std::vector<int>> rows; // bottom row first
    } cases[] = {
        // Row 0: a run of 2 × 7, a literal of 3 (one pad byte); a delta to row 2.
        {8, BI_RLE8, 6, 3, {2, 7, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 1, 0, 4, 5, 6, 7, 8, 0, 1},
            {{7, 7, 1, 2, 3, 0}, {0, 0, 0, 0, 0, 0}, {0, 5, 6, 7, 8, 0}}},
        // A run of 5 alternating 1 and 2, a literal of 3 pixels (2 bytes, no pad), then a
        // literal of 5 pixels (3 bytes, one pad byte).
        {4, BI_RLE4, 8, 2, {5, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 5, 0x67, 0x89, 0xA0, 0, 0, 1},
            {{1, 2, 1, 2, 1, 3, 4, 5}, {6, 7, 8, 9, 10, 0, 0, 0}}},
    };
    for (const auto& c : cases) {
        DibImageBmp image;
        ASSERT_TRUE(
            decodeBytes(image, makeBmp({c.width, c.height, c.bits, c.compression, std::vector<uint32_t>(16), c.data})));
        for (long y = 0; y < c.height; ++y)
            for (long x = 0; x < c.width; ++x)
                EXPECT_EQ(image.getPixelIndex(x, y), c.rows[size_t(y)][size_t(x)]) << c.bits << " at " << x << "," << y;
    }

    // Runs past the row end, deltas past the image and a literal beyond it write nothing
    // outside the image.
    const std::vector<uint8_t> wild = {255, 1, 0, 2, 200, 200, 0, 5, 1, 2, 3, 4, 5, 0, 0, 0, 1};
    DibImageBmp eight;
    ASSERT_TRUE(decodeBytes(eight, makeBmp({2, 2, 8, BI_RLE8, std::vector<uint32_t>(2), wild})));
    EXPECT_EQ(eight.getPixelIndex(1, 0), 1);
    DibImageBmp four;
    ASSERT_TRUE(decodeBytes(four, makeBmp({3, 1, 4, BI_RLE4, std::vector<uint32_t>(2), wild})));
}

TEST(BmpDecoder, RefusesWhatItCannotRead)
{
    const struct {
        std::vector<uint8_t> bytes;
        const char* message;
    } cases[] = {
        {ByteWriter().text("BM").u32(0).bytes, "Not a BMP"},
        {ByteWriter().text("BM").u32(0).u32(0).u32(0).u32(40).bytes, "Error reading BMP info"},
        {makeBmp({1, 1, 2, 0, {0, 0, 0, 0}, {0, 0, 0, 0}}), "Unsupported BMP bit count"},
        {makeBmp({1, 1, 8, 7, {0}, {0, 0, 0, 0}}), "compression type not supported"},
        {makeBmp({1, 1, 24, 1, {}, {0, 0, 0, 0}}), "unknown compression"},
        {makeBmp({1, 1, 32, 2, {}, {0, 0, 0, 0}}), "unknown compression"},
        {makeBmp({0, 1, 24, 0, {}, {}}), "Can't allocate memory"},
        {makeBmp({70000, 1, 24, 0, {}, {}}), "Can't allocate memory"},
        {makeBmp({1, int32_t(0x80000000), 24, 0, {}, {}}), "Can't allocate memory"},
        {makeBmp({4, 4, 24, 0, {}, {1, 2, 3}}), "Error reading BMP data"},
        {makeBmp({4, 4, 8, BI_RLE8, {0}, {2, 1, 0, 0}}), "Error reading BMP data"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failureOf<DibImageBmp>(c.bytes), c.message);
    EXPECT_EQ(cancelledFailureOf<DibImageBmp>(makeBmp({1, 1, 24, 0, {}, {1, 2, 3, 0}})), "Cancelled");
    expectTruncationsEndCleanly<DibImageBmp>(makeBmp({3, 2, 8, 0, {1, 2, 3}, std::vector<uint8_t>(8, 1)}), true);
    expectTruncationsEndCleanly<DibImageBmp>(makeBmp({6, 3, 8, BI_RLE8, {1}, {2, 7, 0, 3, 1, 2, 3, 0, 0, 1}}), true);
}

} // namespace
