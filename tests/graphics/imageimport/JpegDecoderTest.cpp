// The JPEG reader over libjpeg: colour spaces, resolution, empty and cut files.
#include "graphics/imageimport/DibImageJpg.h"
#include "tests/graphics/ImageBuilders.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <jpeglib.h>

namespace {

// Encodes width × height pixels (components bytes each, rows top first) with libjpeg.
std::vector<uint8_t> encodeJpeg(int width, int height, const std::vector<uint8_t>& pixels,
    J_COLOR_SPACE space = JCS_RGB, int densityUnit = 0, int density = 1)
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
    info.input_components = space == JCS_GRAYSCALE ? 1 : space == JCS_CMYK ? 4 : 3;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    info.density_unit = UINT8(densityUnit);
    info.X_density = info.Y_density = UINT16(density);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row
            = const_cast<JSAMPROW>(&pixels[size_t(info.next_scanline) * size_t(width * info.input_components)]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

TEST(JpegDecoder, GreyBecomesEightBitsWithAGreyPaletteAndColourIsStoredBlueGreenRed)
{
    std::vector<uint8_t> ramp(16 * 8);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = uint8_t((i % 16) * 16);
    DibImageJpg grey;
    ASSERT_TRUE(decodeBytes(grey, encodeJpeg(16, 8, ramp, JCS_GRAYSCALE))) << grey.getLastError();
    EXPECT_EQ(grey.getBitCount(), 8);
    EXPECT_EQ(grey.getHeader().biClrUsed, 256u);
    EXPECT_EQ(grey.getPaletteColor(200).rgbGreen, 200);
    EXPECT_NEAR(grey.getPixelIndex(15, 7), 240, 6);
    EXPECT_NEAR(grey.getPixelIndex(0, 0), 0, 6);

    std::vector<uint8_t> red;
    for (int i = 0; i < 16 * 16; ++i)
        red.insert(red.end(), {250, 10, 10});
    DibImageJpg colour;
    ASSERT_TRUE(decodeBytes(colour, encodeJpeg(16, 16, red)));
    EXPECT_EQ(colour.getBitCount(), 24);
    EXPECT_NEAR(colour.getPixelColor(5, 5).rgbRed, 250, 4);
    EXPECT_NEAR(colour.getPixelColor(5, 5).rgbBlue, 10, 4);

    // CMYK samples scale by black. Left half: every sample 255 (no ink: white); right
    // half: K = 0 (black).
    std::vector<uint8_t> cmyk;
    for (int i = 0; i < 16 * 8; ++i)
        cmyk.insert(cmyk.end(), {255, 255, 255, uint8_t(i % 16 < 8 ? 255 : 0)});
    DibImageJpg inked;
    ASSERT_TRUE(decodeBytes(inked, encodeJpeg(16, 8, cmyk, JCS_CMYK))) << inked.getLastError();
    EXPECT_EQ(inked.getBitCount(), 24);
    EXPECT_NEAR(inked.getPixelColor(2, 2).rgbBlue, 255, 3);
    EXPECT_NEAR(inked.getPixelColor(13, 2).rgbRed, 0, 3);
}

TEST(JpegDecoder, DensityGivesDotsPerInch)
{
    const std::vector<uint8_t> pixels(8 * 8 * 3, 128);
    DibImageJpg metric;
    ASSERT_TRUE(decodeBytes(metric, encodeJpeg(8, 8, pixels, JCS_RGB, 2, 28)));
    EXPECT_EQ(metric.getXDpi(), 71);
    EXPECT_EQ(metric.getYDpi(), 71);
    DibImageJpg imperial;
    ASSERT_TRUE(decodeBytes(imperial, encodeJpeg(8, 8, pixels, JCS_RGB, 1, 300)));
    EXPECT_EQ(imperial.getXDpi(), 300);
}

TEST(JpegDecoder, EmptyBrokenCutAndCancelledFiles)
{
    EXPECT_EQ(failureOf<DibImageJpg>({}), "Empty input file");
    EXPECT_NE(failureOf<DibImageJpg>(std::vector<uint8_t>(100, 'x')), "");
    EXPECT_EQ(cancelledFailureOf<DibImageJpg>(encodeJpeg(8, 8, std::vector<uint8_t>(8 * 8 * 3, 9))), "");

    std::vector<uint8_t> pixels(64 * 64 * 3);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = uint8_t(i * 13);
    const auto bytes = encodeJpeg(64, 64, pixels);
    DibImageJpg cut;
    EXPECT_TRUE(decodeBytes(cut, std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(bytes.size() * 2 / 3))));
    EXPECT_EQ(cut.getWidth(), 64);
    expectTruncationsEndCleanly<DibImageJpg>(bytes, false, 37);
}

} // namespace
