// The PNG reader over libpng: every colour type, transparency, 16 bits, interlace, errors.
#include "graphics/imageimport/DibImagePng.h"
#include "tests/graphics/ImageBuilders.h"

#include <gtest/gtest.h>

namespace {

const std::vector<png_color> kPalette = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};

TEST(PngDecoder, ReadsEveryColourTypeAndDepth)
{
    const DecoderCase cases[] = {
        // Two-bit grey becomes four bits with four greys.
        {"grey 2 bits", encodePng({5, 1, PNG_COLOR_TYPE_GRAY, 2, {0x1B, 0x80}}),
            {{0, 0, 0}, {1, 0, 0x555555}, {2, 0, 0xAAAAAA}, {3, 0, 0xFFFFFF}, {4, 0, 0xAAAAAA}}, {}, {}, 4},
        {"palette", encodePng({3, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2}, kPalette}), {{2, 0, 0x46505A}}, {}, {}, 8},
        {"rgb", encodePng({1, 2, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 4, 5, 6}}), {{0, 1, 0x040506}}, {}, {}, 24},
        {"rgb 16 bits",
            encodePng({1, 2, PNG_COLOR_TYPE_RGB, 16, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0, 0, 0, 0, 0, 0}}),
            {{0, 0, 0x12569A}}, {}, {}, 24},
        {"rgba", encodePng({2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {1, 2, 3, 4, 5, 6, 7, 8}}), {{1, 0, 0x050607}},
            {{0, 0, 4}, {1, 0, 8}}, {}, 24},
        // Grey with alpha is laid over grey 192 at 8 bits, kept with its alpha at 16.
        {"grey alpha", encodePng({2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0, 0, 100, 255}}),
            {{0, 0, 0xC0C0C0}, {1, 0, 0x646464}}, {}, {}, 8},
        {"grey alpha 16 bits",
            encodePng({2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 16, {0x40, 0, 0x80, 0, 0xFF, 0xFF, 0xFF, 0xFF}}),
            {{0, 0, 0x404040}}, {{0, 0, 0x80}, {1, 0, 0xFF}}, {}, 24},
    };
    for (const DecoderCase& c : cases)
        expectDecoded<DibImagePng>(c);

    // One transparent palette entry is the transparent index; more go into the palette.
    DibImagePng single;
    ASSERT_TRUE(decodeBytes(single, encodePng({3, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2}, kPalette, {0}})));
    EXPECT_EQ(single.getTransIndex(), 0);
    EXPECT_FALSE(single.isAlphaPaletteEnabled());
    DibImagePng two;
    ASSERT_TRUE(decodeBytes(two, encodePng({3, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2}, kPalette, {0, 128}})));
    EXPECT_EQ(two.getTransIndex(), -1);
    EXPECT_TRUE(two.isAlphaPaletteEnabled());
    EXPECT_EQ(two.getPaletteColor(1).rgbReserved, 128);
    EXPECT_EQ(two.getPaletteColor(2).rgbReserved, 255);
}

TEST(PngDecoder, InterlacedFilesGiveTheSamePixels)
{
    for (int colourType : {PNG_COLOR_TYPE_RGB_ALPHA, PNG_COLOR_TYPE_PALETTE, PNG_COLOR_TYPE_GRAY}) {
        PngLayout layout{13, 11, colourType, 8, {}};
        const int channels = colourType == PNG_COLOR_TYPE_RGB_ALPHA ? 4 : 1;
        for (int i = 0; i < 13 * 11 * channels; ++i)
            layout.rows.push_back(uint8_t(colourType == PNG_COLOR_TYPE_PALETTE ? i % 7 : i * 31));
        for (int i = 0; colourType == PNG_COLOR_TYPE_PALETTE && i < 7; ++i)
            layout.palette.push_back({uint8_t(i * 30), uint8_t(i), uint8_t(200 - i)});
        DibImagePng flat;
        ASSERT_TRUE(decodeBytes(flat, encodePng(layout)));
        layout.interlaced = true;
        DibImagePng interlaced;
        ASSERT_TRUE(decodeBytes(interlaced, encodePng(layout))) << interlaced.getLastError();
        for (long y = 0; y < 11; ++y) {
            for (long x = 0; x < 13; ++x) {
                ASSERT_EQ(rgbAt(interlaced, x, y), rgbAt(flat, x, y)) << colourType << " " << x << "," << y;
                ASSERT_EQ(interlaced.alphaGet(x, y), flat.alphaGet(x, y));
            }
        }
    }
}

TEST(PngDecoder, ErrorsCarryLibpngsMessage)
{
    PngLayout layout{40, 40, PNG_COLOR_TYPE_RGB, 8, {}};
    for (int i = 0; i < 40 * 40 * 3; ++i)
        layout.rows.push_back(uint8_t(i * 7));
    const auto bytes = encodePng(layout);
    EXPECT_EQ(failureOf<DibImagePng>(std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(bytes.size() / 2))),
        "Read Error");
    EXPECT_NE(failureOf<DibImagePng>(std::vector<uint8_t>(64, 'x')), "");
    EXPECT_EQ(cancelledFailureOf<DibImagePng>(bytes), "");
    expectTruncationsEndCleanly<DibImagePng>(bytes, true, 29);
}

} // namespace
