// The JPEG reader over libjpeg: colour spaces, resolution, empty and cut files.
#include "graphics/imageimport/DibImageJpg.h"
#include "tests/graphics/imageimport/DecoderTestSupport.h"

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdlib>

#include <jpeglib.h>

namespace {

struct JpegOptions {
    int components = 3;
    J_COLOR_SPACE space = JCS_RGB;
    int densityUnit = 0;
    int density = 1;
    int quality = 95;
};

// Encodes width × height pixels (components bytes each, rows top first) with libjpeg.
std::vector<uint8_t> encodeJpeg(int width, int height, const std::vector<uint8_t>& pixels, const JpegOptions& options)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_CreateCompress(&info, JPEG_LIB_VERSION, sizeof(info));
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = options.components;
    info.in_color_space = options.space;
    jpeg_set_defaults(&info);
    if (options.space == JCS_CMYK)
        jpeg_set_colorspace(&info, JCS_CMYK);
    jpeg_set_quality(&info, options.quality, TRUE);
    info.density_unit = UINT8(options.densityUnit);
    info.X_density = UINT16(options.density);
    info.Y_density = UINT16(options.density);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&pixels[size_t(info.next_scanline) * size_t(width * options.components)]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

TEST(JpegDecoder, GreyscaleBecomesEightBitsWithAGreyPalette)
{
    std::vector<uint8_t> pixels(16 * 8);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = uint8_t((i % 16) * 16);
    JpegOptions grey;
    grey.components = 1;
    grey.space = JCS_GRAYSCALE;
    DibImageJpg image;
    ASSERT_TRUE(decodeBytes(image, encodeJpeg(16, 8, pixels, grey))) << image.getLastError();
    EXPECT_EQ(image.getBitCount(), 8);
    EXPECT_EQ(image.getHeader().biClrUsed, 256u);
    EXPECT_EQ(image.getPaletteColor(200).rgbGreen, 200);
    EXPECT_NEAR(image.getPixelIndex(15, 7), 240, 6);
    EXPECT_NEAR(image.getPixelIndex(0, 0), 0, 6);
}

TEST(JpegDecoder, ColourIsStoredBlueGreenRed)
{
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 16 * 16; ++i)
        pixels.insert(pixels.end(), {250, 10, 10});
    DibImageJpg image;
    ASSERT_TRUE(decodeBytes(image, encodeJpeg(16, 16, pixels, {})));
    EXPECT_EQ(image.getBitCount(), 24);
    const RGBQUAD colour = image.getPixelColor(5, 5);
    EXPECT_NEAR(colour.rgbRed, 250, 4);
    EXPECT_NEAR(colour.rgbBlue, 10, 4);
}

TEST(JpegDecoder, CmykSamplesScaleByBlack)
{
    // Left half: every sample 255 (no ink: white); right half: K = 0 (black).
    std::vector<uint8_t> pixels;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            pixels.insert(pixels.end(), {255, 255, 255, uint8_t(x < 8 ? 255 : 0)});
    JpegOptions cmyk;
    cmyk.components = 4;
    cmyk.space = JCS_CMYK;
    cmyk.quality = 100;
    DibImageJpg image;
    ASSERT_TRUE(decodeBytes(image, encodeJpeg(16, 8, pixels, cmyk))) << image.getLastError();
    EXPECT_EQ(image.getBitCount(), 24);
    EXPECT_NEAR(image.getPixelColor(2, 2).rgbBlue, 255, 3);
    EXPECT_NEAR(image.getPixelColor(13, 2).rgbRed, 0, 3);
}

TEST(JpegDecoder, DensityGivesDotsPerInch)
{
    const std::vector<uint8_t> pixels(8 * 8 * 3, 128);
    JpegOptions centimetres;
    centimetres.densityUnit = 2;
    centimetres.density = 28;
    DibImageJpg metric;
    ASSERT_TRUE(decodeBytes(metric, encodeJpeg(8, 8, pixels, centimetres)));
    EXPECT_EQ(metric.getXDpi(), 71);
    EXPECT_EQ(metric.getYDpi(), 71);
    JpegOptions inches;
    inches.densityUnit = 1;
    inches.density = 300;
    DibImageJpg imperial;
    ASSERT_TRUE(decodeBytes(imperial, encodeJpeg(8, 8, pixels, inches)));
    EXPECT_EQ(imperial.getXDpi(), 300);
}

TEST(JpegDecoder, EmptyBrokenAndCutFiles)
{
    DibImageJpg empty;
    EXPECT_FALSE(decodeBytes(empty, {}));
    EXPECT_STREQ(empty.getLastError(), "Empty input file");
    EXPECT_FALSE(empty.isValid());

    DibImageJpg notJpeg;
    EXPECT_FALSE(decodeBytes(notJpeg, std::vector<uint8_t>(100, 'x')));
    EXPECT_STRNE(notJpeg.getLastError(), "");

    std::vector<uint8_t> pixels(64 * 64 * 3);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = uint8_t(i * 13);
    const auto bytes = encodeJpeg(64, 64, pixels, {});
    DibImageJpg cut;
    EXPECT_TRUE(decodeBytes(cut, std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(bytes.size() * 2 / 3))));
    EXPECT_EQ(cut.getWidth(), 64);
    for (size_t length = 0; length < bytes.size(); length += 37) {
        DibImageJpg truncated;
        if (!decodeBytes(truncated, std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(length)))) {
            EXPECT_STRNE(truncated.getLastError(), "") << length;
        }
    }
}

TEST(JpegDecoder, CancellationFailsWithoutAMessage)
{
    DibImageJpg image;
    image.setEscape(1);
    EXPECT_FALSE(decodeBytes(image, encodeJpeg(8, 8, std::vector<uint8_t>(8 * 8 * 3, 9), {})));
    EXPECT_STREQ(image.getLastError(), "");
    EXPECT_FALSE(image.isValid());
}

} // namespace
