// Every test image that ships with libpng, libtiff and libjpeg-turbo goes through the
// decoders. Files the library itself refuses must fail with a message; all others must
// give the library's own reading: the right size and the same pixels.
#include "graphics/imageimport/DibImage.h"
#include "tests/graphics/imageimport/DecoderTestSupport.h"

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

namespace {

struct Rgba {
    int red, green, blue, alpha;
};

std::vector<std::string> filesIn(const std::string& folder, const std::vector<std::string>& suffixes)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "/*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = entry.cFileName;
        for (const std::string& suffix : suffixes)
            if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
                names.push_back(folder + "/" + name);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
}

std::vector<uint8_t> readFile(const std::string& path)
{
    std::vector<uint8_t> bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    uint8_t buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(file);
    return bytes;
}

// What a decoded image shows at (x, top row y), alpha included.
Rgba shown(const DibImage& image, long x, long topRow)
{
    const long y = image.getHeight() - 1 - topRow;
    const RGBQUAD colour = image.getPixelColor(x, y);
    int alpha = 255;
    if (image.isAlphaValid())
        alpha = image.alphaGet(x, y);
    else if (image.isAlphaPaletteEnabled())
        alpha = colour.rgbReserved;
    else if (image.getBitCount() < 24 && image.getTransIndex() >= 0 && image.getPixelIndex(x, y) == image.getTransIndex())
        alpha = 0;
    return {colour.rgbRed, colour.rgbGreen, colour.rgbBlue, alpha};
}

// Compares colours where the pixel shows at all; `tolerance` covers 16-bit samples,
// which the decoders cut to their high byte and the libraries round.
void expectSamePicture(const DibImage& image, long width, long height, const std::vector<Rgba>& expected,
                       int tolerance, const std::string& name)
{
    ASSERT_EQ(image.getWidth(), width) << name;
    ASSERT_EQ(image.getHeight(), height) << name;
    int mismatches = 0;
    for (long y = 0; y < height && mismatches < 3; ++y) {
        for (long x = 0; x < width && mismatches < 3; ++x) {
            const Rgba want = expected[size_t(y * width + x)];
            const Rgba got = shown(image, x, y);
            const bool same = std::abs(got.alpha - want.alpha) <= tolerance
                && (want.alpha == 0
                    || (std::abs(got.red - want.red) <= tolerance && std::abs(got.green - want.green) <= tolerance
                        && std::abs(got.blue - want.blue) <= tolerance));
            if (!same) {
                ++mismatches;
                ADD_FAILURE() << name << " at " << x << "," << y << ": got " << got.red << " " << got.green << " "
                              << got.blue << " " << got.alpha << ", library gives " << want.red << " " << want.green
                              << " " << want.blue << " " << want.alpha;
            }
        }
    }
}

// PNG ----------------------------------------------------------------------------------------

uint32_t bigEndian(const uint8_t* bytes)
{
    return (uint32_t(bytes[0]) << 24) | (uint32_t(bytes[1]) << 16) | (uint32_t(bytes[2]) << 8) | bytes[3];
}

// The decoder applies no gamma; so that libpng's reader applies none either, the colour
// space chunks are left out of what it reads.
std::vector<uint8_t> withoutColourSpace(const std::vector<uint8_t>& png)
{
    std::vector<uint8_t> out(png.begin(), png.begin() + std::min<long>(8, long(png.size())));
    for (size_t at = 8; at + 12 <= png.size();) {
        const size_t length = bigEndian(&png[at]);
        if (length > png.size() - at - 12)
            break;
        const std::string type(png.begin() + long(at + 4), png.begin() + long(at + 8));
        if (type != "gAMA" && type != "sRGB" && type != "iCCP" && type != "cHRM")
            out.insert(out.end(), png.begin() + long(at), png.begin() + long(at + 12 + length));
        at += 12 + length;
    }
    return out;
}

TEST(ImageCorpus, PngSuiteMatchesLibpngsOwnReader)
{
    const auto files = filesIn(K_BUILD_DIR "/deps/libpng-src/contrib/pngsuite", {".png"});
    ASSERT_GT(files.size(), 40u);
    size_t compared = 0;
    for (const std::string& path : files) {
        const auto bytes = readFile(path);
        DibImage image(path.c_str(), DibImage::FormatPng);

        const auto plain = withoutColourSpace(bytes);
        png_image reference{};
        reference.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_memory(&reference, plain.data(), plain.size())) {
            EXPECT_FALSE(image.isValid()) << path;
            EXPECT_STRNE(image.getLastError(), "") << path;
            continue;
        }
        // 16-bit files are read as they are (linear, premultiplied) and cut to 8 bits here,
        // so that no gamma conversion of libpng's reader comes between.
        const bool sixteen = (reference.format & PNG_FORMAT_FLAG_LINEAR) != 0;
        std::vector<Rgba> read(size_t(reference.width) * reference.height);
        if (sixteen) {
            reference.format = PNG_FORMAT_LINEAR_RGB_ALPHA;
            std::vector<uint16_t> wide(PNG_IMAGE_SIZE(reference) / 2);
            ASSERT_TRUE(png_image_finish_read(&reference, nullptr, wide.data(), 0, nullptr)) << path;
            for (size_t i = 0; i < read.size(); ++i) {
                const uint32_t alpha = wide[4 * i + 3];
                auto straight = [&](uint32_t value) { return alpha ? int(std::min<uint32_t>(65535, value * 65535 / alpha) >> 8) : 0; };
                read[i] = {straight(wide[4 * i]), straight(wide[4 * i + 1]), straight(wide[4 * i + 2]), int(alpha >> 8)};
            }
        } else {
            reference.format = PNG_FORMAT_RGBA;
            std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(reference));
            ASSERT_TRUE(png_image_finish_read(&reference, nullptr, pixels.data(), 0, nullptr)) << path;
            for (size_t i = 0; i < read.size(); ++i)
                read[i] = {pixels[4 * i], pixels[4 * i + 1], pixels[4 * i + 2], pixels[4 * i + 3]};
        }
        ASSERT_TRUE(image.isValid()) << path << ": " << image.getLastError();

        // Where the decoder lays transparent pixels over a background, so does the test.
        png_color_16 background{0, 192, 192, 192, 192};
        volatile bool composed = false;
        {
            png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
            png_infop info = png_create_info_struct(png);
            png_image_free(&reference);
            FILE* file = std::fopen(path.c_str(), "rb");
            if (!setjmp(png_jmpbuf(png))) {
                png_init_io(png, file);
                png_read_info(png, info);
                const int depth = png_get_bit_depth(png, info) * png_get_channels(png, info);
                const int type = png_get_color_type(png, info);
                composed = depth != 32 && type != PNG_COLOR_TYPE_PALETTE;
                png_color_16p fileBackground = nullptr;
                if (png_get_bKGD(png, info, &fileBackground) && type != PNG_COLOR_TYPE_PALETTE) {
                    background = *fileBackground;
                    if (png_get_bit_depth(png, info) == 16) {
                        background.red >>= 8;
                        background.green >>= 8;
                        background.blue >>= 8;
                        background.gray >>= 8;
                    } else if (!(type & PNG_COLOR_MASK_COLOR)) {
                        const int scale = 255 / ((1 << png_get_bit_depth(png, info)) - 1);
                        background.gray = png_uint_16(background.gray * scale);
                    }
                    if (!(type & PNG_COLOR_MASK_COLOR))
                        background.red = background.green = background.blue = background.gray;
                }
            }
            std::fclose(file);
            png_destroy_read_struct(&png, &info, nullptr);
        }
        std::vector<Rgba> expected(size_t(reference.width) * reference.height);
        for (size_t i = 0; i < expected.size(); ++i) {
            Rgba pixel = read[i];
            if (composed) {
                auto over = [&](int colour, int back) { return (colour * pixel.alpha + back * (255 - pixel.alpha) + 127) / 255; };
                pixel = {over(pixel.red, background.red), over(pixel.green, background.green), over(pixel.blue, background.blue), 255};
            }
            expected[i] = pixel;
        }
        expectSamePicture(image, long(reference.width), long(reference.height), expected, sixteen || composed ? 2 : 0, path);
        ++compared;
    }
    // libpng reads every file of its suite.
    EXPECT_EQ(compared, files.size());
}

// TIFF ---------------------------------------------------------------------------------------

void silent(const char*, const char*, va_list)
{
}

TEST(ImageCorpus, LibtiffTestImagesMatchLibtiffsRgbaReader)
{
    TIFFSetErrorHandler(silent);
    TIFFSetWarningHandler(silent);
    const auto files = filesIn(K_BUILD_DIR "/deps/libtiff-src/test/images", {".tif", ".tiff"});
    ASSERT_GT(files.size(), 15u);
    size_t compared = 0;
    for (const std::string& path : files) {
        DibImage image(path.c_str(), DibImage::FormatTiff);
        TIFF* tiff = TIFFOpen(path.c_str(), "r");
        uint32_t width = 0, height = 0;
        std::vector<uint32_t> raster;
        bool readable = tiff != nullptr;
        uint16_t samples = 1, bits = 1, photometric = 0;
        if (readable) {
            TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
            TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
            TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
            TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
            TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
            raster.resize(size_t(width) * height);
            readable = !raster.empty() && TIFFReadRGBAImageOriented(tiff, width, height, raster.data(), ORIENTATION_TOPLEFT, 1);
            TIFFClose(tiff);
        }
        if (!readable) {
            EXPECT_FALSE(image.isValid()) << path;
            EXPECT_STRNE(image.getLastError(), "") << path;
            continue;
        }
        ASSERT_TRUE(image.isValid()) << path << ": " << image.getLastError();
        const bool alpha = samples == 4 || samples == 2;
        std::vector<Rgba> expected(raster.size());
        for (size_t i = 0; i < raster.size(); ++i) {
            const uint32_t pixel = raster[i];
            Rgba colour{int(TIFFGetR(pixel)), int(TIFFGetG(pixel)), int(TIFFGetB(pixel)), alpha ? int(TIFFGetA(pixel)) : 255};
            expected[i] = colour;
        }
        // libtiff's reader takes the high byte of 16-bit colour maps, the decoder scales them.
        const bool rounded = bits == 16 || photometric == PHOTOMETRIC_PALETTE;
        expectSamePicture(image, long(width), long(height), expected, rounded ? 1 : 0, path);
        ++compared;
    }
    std::printf("libtiff test images: %u of %u read by libtiff and compared\n", unsigned(compared), unsigned(files.size()));
    EXPECT_GE(compared, 15u);
}

// JPEG ---------------------------------------------------------------------------------------

struct JpegFailure {
    jpeg_error_mgr manager;
    jmp_buf jump;
};

void jpegFail(j_common_ptr info)
{
    longjmp(reinterpret_cast<JpegFailure*>(info->err)->jump, 1);
}

TEST(ImageCorpus, LibjpegTestImagesMatchLibjpegsOwnDecoding)
{
    const auto files = filesIn(K_BUILD_DIR "/deps/libjpeg-src/testimages", {".jpg"});
    ASSERT_GE(files.size(), 3u);
    size_t compared = 0;
    for (const std::string& path : files) {
        DibImage image(path.c_str(), DibImage::FormatJpeg);
        const auto bytes = readFile(path);
        jpeg_decompress_struct info;
        JpegFailure failure;
        info.err = jpeg_std_error(&failure.manager);
        failure.manager.error_exit = jpegFail;
        std::vector<uint8_t> samples;
        volatile int components = 0;
        volatile long width = 0, height = 0;
        volatile bool readable = false;
        if (!setjmp(failure.jump)) {
            jpeg_CreateDecompress(&info, JPEG_LIB_VERSION, sizeof(info));
            jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
            jpeg_read_header(&info, TRUE);
            jpeg_start_decompress(&info);
            components = info.output_components;
            width = long(info.output_width);
            height = long(info.output_height);
            samples.resize(size_t(width) * size_t(height) * size_t(components));
            while (info.output_scanline < info.output_height) {
                JSAMPROW row = &samples[size_t(info.output_scanline) * size_t(width) * size_t(components)];
                jpeg_read_scanlines(&info, &row, 1);
            }
            jpeg_finish_decompress(&info);
            readable = true;
        }
        jpeg_destroy_decompress(&info);
        if (!readable) {
            EXPECT_FALSE(image.isValid()) << path;
            EXPECT_STRNE(image.getLastError(), "") << path;
            continue;
        }
        ASSERT_TRUE(image.isValid()) << path << ": " << image.getLastError();
        std::vector<Rgba> expected(size_t(width) * size_t(height));
        for (size_t i = 0; i < expected.size(); ++i) {
            const uint8_t* sample = &samples[i * size_t(components)];
            expected[i] = components == 1 ? Rgba{sample[0], sample[0], sample[0], 255} : Rgba{sample[0], sample[1], sample[2], 255};
        }
        expectSamePicture(image, width, height, expected, 0, path);
        ++compared;
    }
    std::printf("libjpeg test images: %u of %u read by libjpeg and compared\n", unsigned(compared), unsigned(files.size()));
    EXPECT_GE(compared, 3u);
}

} // namespace
