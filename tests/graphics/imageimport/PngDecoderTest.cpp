// The PNG reader over libpng: every colour type, transparency, 16 bits, interlace, errors.
#include "graphics/imageimport/DibImagePng.h"
#include "tests/graphics/imageimport/DecoderTestSupport.h"

#include <gtest/gtest.h>

#include <png.h>

namespace {

struct PngLayout {
    int width = 0;
    int height = 0;
    int bitDepth = 8;
    int colourType = PNG_COLOR_TYPE_RGB;
    std::vector<uint8_t> rows;   // packed as the file stores them, top row first
    std::vector<png_color> palette;
    std::vector<uint8_t> alphas;
    bool interlaced = false;
};

void appendBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

std::vector<uint8_t> encodePng(const PngLayout& layout)
{
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, appendBytes, nullptr);
    png_set_IHDR(png, info, png_uint_32(layout.width), png_uint_32(layout.height), layout.bitDepth, layout.colourType,
                 layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!layout.palette.empty())
        png_set_PLTE(png, info, layout.palette.data(), int(layout.palette.size()));
    if (!layout.alphas.empty())
        png_set_tRNS(png, info, layout.alphas.data(), int(layout.alphas.size()), nullptr);
    png_write_info(png, info);
    const size_t stride = layout.rows.size() / size_t(layout.height);
    std::vector<png_bytep> rows;
    for (int y = 0; y < layout.height; ++y)
        rows.push_back(const_cast<png_bytep>(&layout.rows[size_t(y) * stride]));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

TEST(PngDecoder, TwoBitGreyBecomesFourBitsWithFourGreys)
{
    PngLayout layout;
    layout.width = 5;
    layout.height = 1;
    layout.bitDepth = 2;
    layout.colourType = PNG_COLOR_TYPE_GRAY;
    layout.rows = {0x1B, 0x80};
    DibImagePng image;
    ASSERT_TRUE(decodeBytes(image, encodePng(layout))) << image.getLastError();
    EXPECT_EQ(image.getBitCount(), 4);
    const std::vector<int> expected = {0, 1, 2, 3, 2};
    for (long x = 0; x < 5; ++x)
        EXPECT_EQ(image.getPixelIndex(x, 0), expected[size_t(x)]) << x;
    EXPECT_EQ(image.getPaletteColor(2).rgbRed, 170);
    EXPECT_EQ(image.getPaletteColor(3).rgbRed, 255);
}

TEST(PngDecoder, PaletteTransparency)
{
    PngLayout layout;
    layout.width = 3;
    layout.height = 1;
    layout.colourType = PNG_COLOR_TYPE_PALETTE;
    layout.rows = {0, 1, 2};
    layout.palette = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
    layout.alphas = {0};
    DibImagePng single;
    ASSERT_TRUE(decodeBytes(single, encodePng(layout)));
    EXPECT_EQ(single.getTransIndex(), 0);
    EXPECT_FALSE(single.isAlphaPaletteEnabled());
    EXPECT_EQ(rgbAt(single, 2, 0), 0x46505Au);

    layout.alphas = {0, 128};
    DibImagePng two;
    ASSERT_TRUE(decodeBytes(two, encodePng(layout)));
    EXPECT_EQ(two.getTransIndex(), -1);
    EXPECT_TRUE(two.isAlphaPaletteEnabled());
    EXPECT_EQ(two.getPaletteColor(1).rgbReserved, 128);
    EXPECT_EQ(two.getPaletteColor(2).rgbReserved, 255);
}

TEST(PngDecoder, ColourWithAndWithoutAlpha)
{
    PngLayout rgba;
    rgba.width = 2;
    rgba.height = 1;
    rgba.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    rgba.rows = {1, 2, 3, 4, 5, 6, 7, 8};
    DibImagePng withAlpha;
    ASSERT_TRUE(decodeBytes(withAlpha, encodePng(rgba)));
    EXPECT_EQ(withAlpha.getBitCount(), 24);
    EXPECT_EQ(rgbAt(withAlpha, 1, 0), 0x050607u);
    EXPECT_EQ(withAlpha.alphaGet(0, 0), 4);
    EXPECT_EQ(withAlpha.alphaGet(1, 0), 8);

    PngLayout rgb;
    rgb.width = 1;
    rgb.height = 2;
    rgb.rows = {1, 2, 3, 4, 5, 6};
    DibImagePng plain;
    ASSERT_TRUE(decodeBytes(plain, encodePng(rgb)));
    EXPECT_FALSE(plain.isAlphaValid());
    EXPECT_EQ(rgbAt(plain, 0, 1), 0x040506u);

    PngLayout deep = rgb;
    deep.bitDepth = 16;
    deep.rows = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0, 0, 0, 0, 0, 0};
    DibImagePng sixteen;
    ASSERT_TRUE(decodeBytes(sixteen, encodePng(deep)));
    EXPECT_EQ(sixteen.getBitCount(), 24);
    EXPECT_EQ(rgbAt(sixteen, 0, 0), 0x12569Au);
}

TEST(PngDecoder, GreyWithAlphaIsLaidOverGrey)
{
    PngLayout layout;
    layout.width = 2;
    layout.height = 1;
    layout.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
    layout.rows = {0, 0, 100, 255};
    DibImagePng image;
    ASSERT_TRUE(decodeBytes(image, encodePng(layout)));
    EXPECT_EQ(image.getBitCount(), 8);
    EXPECT_FALSE(image.isAlphaValid());
    EXPECT_EQ(rgbAt(image, 1, 0), 0x646464u);
    EXPECT_EQ(rgbAt(image, 0, 0), 0xC0C0C0u);

    layout.bitDepth = 16;
    layout.rows = {0x40, 0, 0x80, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    DibImagePng deep;
    ASSERT_TRUE(decodeBytes(deep, encodePng(layout)));
    EXPECT_EQ(deep.getBitCount(), 24);
    EXPECT_EQ(rgbAt(deep, 0, 0), 0x404040u);
    EXPECT_EQ(deep.alphaGet(0, 0), 0x80);
}

TEST(PngDecoder, InterlacedFilesGiveTheSamePixels)
{
    for (int colourType : {PNG_COLOR_TYPE_RGB_ALPHA, PNG_COLOR_TYPE_PALETTE, PNG_COLOR_TYPE_GRAY}) {
        PngLayout layout;
        layout.width = 13;
        layout.height = 11;
        layout.colourType = colourType;
        const int channels = colourType == PNG_COLOR_TYPE_RGB_ALPHA ? 4 : 1;
        for (int i = 0; i < 13 * 11 * channels; ++i)
            layout.rows.push_back(uint8_t(colourType == PNG_COLOR_TYPE_PALETTE ? i % 7 : i * 31));
        for (int i = 0; i < 7; ++i)
            layout.palette.push_back({uint8_t(i * 30), uint8_t(i), uint8_t(200 - i)});
        if (colourType != PNG_COLOR_TYPE_PALETTE)
            layout.palette.clear();
        DibImagePng flat;
        ASSERT_TRUE(decodeBytes(flat, encodePng(layout)));
        layout.interlaced = true;
        DibImagePng interlaced;
        ASSERT_TRUE(decodeBytes(interlaced, encodePng(layout))) << interlaced.getLastError();
        for (long y = 0; y < 11; ++y)
            for (long x = 0; x < 13; ++x) {
                ASSERT_EQ(rgbAt(interlaced, x, y), rgbAt(flat, x, y)) << colourType << " " << x << "," << y;
                ASSERT_EQ(interlaced.alphaGet(x, y), flat.alphaGet(x, y));
            }
    }
}

TEST(PngDecoder, ErrorsCarryLibpngsMessage)
{
    PngLayout layout;
    layout.width = 40;
    layout.height = 40;
    for (int i = 0; i < 40 * 40 * 3; ++i)
        layout.rows.push_back(uint8_t(i * 7));
    const auto bytes = encodePng(layout);
    DibImagePng cut;
    EXPECT_FALSE(decodeBytes(cut, std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(bytes.size() / 2))));
    EXPECT_STREQ(cut.getLastError(), "Read Error");
    EXPECT_FALSE(cut.isValid());
    for (size_t length = 0; length < bytes.size(); length += 29) {
        DibImagePng truncated;
        EXPECT_FALSE(decodeBytes(truncated, std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(length))));
        EXPECT_STRNE(truncated.getLastError(), "");
    }
    DibImagePng garbage;
    EXPECT_FALSE(decodeBytes(garbage, std::vector<uint8_t>(64, 'x')));
    EXPECT_STRNE(garbage.getLastError(), "");

    DibImagePng cancelled;
    cancelled.setEscape(1);
    EXPECT_FALSE(decodeBytes(cancelled, bytes));
    EXPECT_STREQ(cancelled.getLastError(), "");
}

} // namespace
