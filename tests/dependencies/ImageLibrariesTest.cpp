// The image libraries link statically and work under Wine: each test writes a small
// image with the library's own encoder and decodes it again.
#include <gtest/gtest.h>

#include <cstdio>
#include <csetjmp>
#include <string>
#include <vector>

#include <png.h>
#include <jpeglib.h>
#include <tiffio.h>

namespace {

std::string tempPath(const char* name)
{
    const char* dir = std::getenv("TEMP");
    return std::string(dir ? dir : ".") + "\\" + name;
}

TEST(ImageLibraries, PngRoundTripKeepsEveryPixel)
{
    const int width = 3, height = 2;
    std::vector<png_byte> pixels = {
        255, 0, 0, 255,   0, 255, 0, 128,   0, 0, 255, 0,
        1, 2, 3, 4,       250, 251, 252, 253, 10, 20, 30, 40,
    };

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_RGBA;
    std::vector<png_byte> encoded(1024);
    png_alloc_size_t size = encoded.size();
    ASSERT_TRUE(png_image_write_to_memory(&image, encoded.data(), &size, 0, pixels.data(), 0, nullptr));
    encoded.resize(size);

    png_image decoded{};
    decoded.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&decoded, encoded.data(), encoded.size()));
    decoded.format = PNG_FORMAT_RGBA;
    std::vector<png_byte> out(PNG_IMAGE_SIZE(decoded));
    ASSERT_TRUE(png_image_finish_read(&decoded, nullptr, out.data(), 0, nullptr));
    EXPECT_EQ(decoded.width, 3u);
    EXPECT_EQ(decoded.height, 2u);
    EXPECT_EQ(out, pixels);
}

struct JpegError {
    jpeg_error_mgr manager;
    jmp_buf escape;
};

void jpegFail(j_common_ptr info)
{
    longjmp(reinterpret_cast<JpegError*>(info->err)->escape, 1);
}

TEST(ImageLibraries, JpegRoundTripOfAGreyRampStaysClose)
{
    const int width = 16, height = 8;
    std::vector<JSAMPLE> pixels(width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = static_cast<JSAMPLE>(x * 16);

    jpeg_compress_struct compress;
    JpegError error;
    compress.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegFail;
    ASSERT_EQ(setjmp(error.escape), 0);
    jpeg_CreateCompress(&compress, JPEG_LIB_VERSION, sizeof(compress));
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&compress, &buffer, &size);
    compress.image_width = width;
    compress.image_height = height;
    compress.input_components = 1;
    compress.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&compress);
    jpeg_set_quality(&compress, 100, TRUE);
    jpeg_start_compress(&compress, TRUE);
    while (compress.next_scanline < compress.image_height) {
        JSAMPROW row = &pixels[compress.next_scanline * width];
        jpeg_write_scanlines(&compress, &row, 1);
    }
    jpeg_finish_compress(&compress);
    jpeg_destroy_compress(&compress);

    jpeg_decompress_struct decompress;
    decompress.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegFail;
    ASSERT_EQ(setjmp(error.escape), 0);
    jpeg_CreateDecompress(&decompress, JPEG_LIB_VERSION, sizeof(decompress));
    jpeg_mem_src(&decompress, buffer, size);
    ASSERT_EQ(jpeg_read_header(&decompress, TRUE), JPEG_HEADER_OK);
    jpeg_start_decompress(&decompress);
    EXPECT_EQ(decompress.output_width, 16u);
    EXPECT_EQ(decompress.output_height, 8u);
    EXPECT_EQ(decompress.output_components, 1);
    std::vector<JSAMPLE> out(width * height);
    while (decompress.output_scanline < decompress.output_height) {
        JSAMPROW row = &out[decompress.output_scanline * width];
        jpeg_read_scanlines(&decompress, &row, 1);
    }
    jpeg_finish_decompress(&decompress);
    jpeg_destroy_decompress(&decompress);
    free(buffer);

    for (size_t i = 0; i < out.size(); ++i)
        EXPECT_NEAR(out[i], pixels[i], 3) << "at " << i;
}

TEST(ImageLibraries, TiffRoundTripWithDeflateKeepsEveryPixel)
{
    const std::string path = tempPath("dependency-test.tif");
    const uint32_t width = 4, height = 3;
    std::vector<uint8_t> rgb(width * height * 3);
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<uint8_t>(i * 7);

    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    TIFF* out = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(out, nullptr);
    TIFFSetField(out, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(out, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(out, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(out, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(out, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(out, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(out, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    TIFFSetField(out, TIFFTAG_ROWSPERSTRIP, height);
    for (uint32_t y = 0; y < height; ++y)
        ASSERT_EQ(TIFFWriteScanline(out, &rgb[y * width * 3], y, 0), 1);
    TIFFClose(out);

    TIFF* in = TIFFOpen(path.c_str(), "r");
    ASSERT_NE(in, nullptr);
    std::vector<uint32_t> raster(width * height);
    ASSERT_EQ(TIFFReadRGBAImageOriented(in, width, height, raster.data(), ORIENTATION_TOPLEFT, 0), 1);
    TIFFClose(in);
    std::remove(path.c_str());

    for (uint32_t i = 0; i < width * height; ++i) {
        EXPECT_EQ(TIFFGetR(raster[i]), rgb[i * 3]);
        EXPECT_EQ(TIFFGetG(raster[i]), rgb[i * 3 + 1]);
        EXPECT_EQ(TIFFGetB(raster[i]), rgb[i * 3 + 2]);
        EXPECT_EQ(TIFFGetA(raster[i]), 255u);
    }
}

} // namespace
