// Every test image that ships with libpng, libtiff and libjpeg-turbo goes through the
// decoders. Files the library itself refuses must fail with a message; all others must
// give the library's own reading: the right size and the same pixels.
#include "graphics/imageimport/DibImage.h"
#include "tests/graphics/ImageBuilders.h"

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

namespace {

struct Rgba {
    int red, green, blue, alpha;
};

// The library's reading of a file; `tolerance` covers 16-bit samples, which the decoders
// cut to their high byte and the libraries round.
struct Picture {
    long width = 0, height = 0;
    std::vector<Rgba> pixels;
    int tolerance = 0;
};

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
    else if (image.getBitCount() < 24 && image.getTransIndex() >= 0
        && image.getPixelIndex(x, y) == image.getTransIndex())
        alpha = 0;
    return {colour.rgbRed, colour.rgbGreen, colour.rgbBlue, alpha};
}

// Runs every file of the folder with one of the suffixes through the decoder of the format
// and compares it with Read's picture, where colours are compared only where the pixel
// shows. Gives the number of files compared.
size_t compareWithLibrary(const std::string& folder, const std::vector<std::string>& suffixes, long format,
    const std::function<bool(const std::string&, Picture&)>& read)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "/*").c_str(), &entry);
    EXPECT_NE(search, INVALID_HANDLE_VALUE) << folder;
    size_t compared = 0;
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &entry)) {
        const std::string name = entry.cFileName, path = folder + "/" + name;
        if (std::none_of(suffixes.begin(), suffixes.end(), [&](const std::string& suffix) {
                return name.size() > suffix.size()
                    && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
            }))
            continue;
        DibImage image(path.c_str(), format);
        Picture expected;
        if (!read(path, expected)) {
            EXPECT_FALSE(image.isValid()) << path;
            EXPECT_STRNE(image.getLastError(), "") << path;
            continue;
        }
        ++compared;
        EXPECT_TRUE(image.isValid()) << path << ": " << image.getLastError();
        EXPECT_EQ(image.getWidth(), expected.width) << path;
        EXPECT_EQ(image.getHeight(), expected.height) << path;
        if (!image.isValid() || image.getWidth() != expected.width || image.getHeight() != expected.height)
            continue;
        int mismatches = 0;
        for (long i = 0; i < expected.width * expected.height && mismatches < 3; ++i) {
            const Rgba want = expected.pixels[size_t(i)], got = shown(image, i % expected.width, i / expected.width);
            const int t = expected.tolerance;
            if (std::abs(got.alpha - want.alpha) <= t
                && (want.alpha == 0
                    || (std::abs(got.red - want.red) <= t && std::abs(got.green - want.green) <= t
                        && std::abs(got.blue - want.blue) <= t)))
                continue;
            ++mismatches;
            ADD_FAILURE() << path << " at " << i % expected.width << "," << i / expected.width << ": got " << got.red
                          << " " << got.green << " " << got.blue << " " << got.alpha << ", library gives " << want.red
                          << " " << want.green << " " << want.blue << " " << want.alpha;
        }
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return compared;
}

// PNG ----------------------------------------------------------------------------------------

// What the test takes of a PNG file: the file without its colour space chunks (the decoder
// applies no gamma, so libpng's reader must apply none either), and whether the decoder
// lays transparent pixels over a background (the file's, else grey 192), which it does for
// images neither of 32 bits per pixel nor of a palette.
struct PngFacts {
    std::vector<uint8_t> plain;
    bool composed = false;
    int background[3] = {192, 192, 192};
};

PngFacts pngFacts(const std::vector<uint8_t>& png)
{
    PngFacts facts;
    facts.plain.assign(png.begin(), png.begin() + std::min<long>(8, long(png.size())));
    std::vector<uint8_t> header, background;
    for (size_t at = 8; at + 12 <= png.size();) {
        const size_t length
            = size_t(png[at]) << 24 | size_t(png[at + 1]) << 16 | size_t(png[at + 2]) << 8 | png[at + 3];
        if (length > png.size() - at - 12)
            break;
        const std::string type(png.begin() + long(at + 4), png.begin() + long(at + 8));
        if (type == "IHDR" || type == "bKGD")
            (type == "IHDR" ? header : background)
                .assign(png.begin() + long(at + 8), png.begin() + long(at + 8 + length));
        if (type != "gAMA" && type != "sRGB" && type != "iCCP" && type != "cHRM")
            facts.plain.insert(facts.plain.end(), png.begin() + long(at), png.begin() + long(at + 12 + length));
        at += 12 + length;
    }
    const int bits = header.size() == 13 ? header[8] : 8, type = header.size() == 13 ? header[9] : 3;
    const int channels[] = {1, 0, 3, 1, 2, 0, 4};
    facts.composed = type <= 6 && type != 3 && bits * channels[type] != 32;
    for (int c = 0; facts.composed && background.size() >= 2 && c < 3; ++c) {
        const size_t at = background.size() >= 6 ? size_t(2 * c) : 0;
        const int value = background[at] << 8 | background[at + 1];
        facts.background[c] = bits == 16 ? value >> 8 : value * (255 / ((1 << bits) - 1));
    }
    return facts;
}

bool readPng(const std::string& path, Picture& picture)
{
    const PngFacts facts = pngFacts(fileBytes(path));
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, facts.plain.data(), facts.plain.size()))
        return false;
    picture.width = long(image.width);
    picture.height = long(image.height);
    picture.pixels.resize(size_t(image.width) * image.height);
    // 16-bit files are read as they are (linear, premultiplied) and cut to 8 bits here, so
    // that no gamma conversion of libpng's reader comes between.
    const bool sixteen = (image.format & PNG_FORMAT_FLAG_LINEAR) != 0;
    image.format = sixteen ? PNG_FORMAT_LINEAR_RGB_ALPHA : PNG_FORMAT_RGBA;
    std::vector<uint16_t> wide(sixteen ? PNG_IMAGE_SIZE(image) / 2 : 0);
    std::vector<uint8_t> narrow(sixteen ? 0 : PNG_IMAGE_SIZE(image));
    EXPECT_TRUE(
        png_image_finish_read(&image, nullptr, sixteen ? static_cast<void*>(wide.data()) : narrow.data(), 0, nullptr))
        << path;
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        Rgba& pixel = picture.pixels[i];
        if (sixteen) {
            const uint32_t alpha = wide[4 * i + 3];
            auto straight = [&](uint32_t value) {
                return alpha ? int(std::min<uint32_t>(65535, value * 65535 / alpha) >> 8) : 0;
            };
            pixel = {straight(wide[4 * i]), straight(wide[4 * i + 1]), straight(wide[4 * i + 2]), int(alpha >> 8)};
        } else {
            pixel = {narrow[4 * i], narrow[4 * i + 1], narrow[4 * i + 2], narrow[4 * i + 3]};
        }
        auto over
            = [&](int colour, int back) { return (colour * pixel.alpha + back * (255 - pixel.alpha) + 127) / 255; };
        if (facts.composed)
            pixel = {over(pixel.red, facts.background[0]), over(pixel.green, facts.background[1]),
                over(pixel.blue, facts.background[2]), 255};
    }
    picture.tolerance = sixteen || facts.composed ? 2 : 0;
    return true;
}

TEST(ImageCorpus, PngSuiteMatchesLibpngsOwnReader)
{
    size_t files = 0;
    const size_t compared = compareWithLibrary(K_BUILD_DIR "/deps/libpng-src/contrib/pngsuite", {".png"},
        DibImage::FormatPng, [&](const std::string& path, Picture& picture) {
            ++files;
            return readPng(path, picture);
        });
    // libpng reads every file of its suite.
    EXPECT_GT(compared, 40u);
    EXPECT_EQ(compared, files);
}

// TIFF ---------------------------------------------------------------------------------------

bool readTiff(const std::string& path, Picture& picture)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    if (!tiff)
        return false;
    uint32_t width = 0, height = 0;
    uint16_t samples = 1, bits = 1, photometric = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
    std::vector<uint32_t> raster(size_t(width) * height);
    const bool readable
        = !raster.empty() && TIFFReadRGBAImageOriented(tiff, width, height, raster.data(), ORIENTATION_TOPLEFT, 1);
    TIFFClose(tiff);
    const bool alpha = samples == 4 || samples == 2;
    picture.width = long(width);
    picture.height = long(height);
    picture.pixels.reserve(readable ? raster.size() : 0);
    for (size_t i = 0; readable && i < raster.size(); ++i) {
        const uint32_t pixel = raster[i];
        picture.pixels.push_back(
            {int(TIFFGetR(pixel)), int(TIFFGetG(pixel)), int(TIFFGetB(pixel)), alpha ? int(TIFFGetA(pixel)) : 255});
    }
    // libtiff's reader takes the high byte of 16-bit colour maps, the decoder scales them.
    picture.tolerance = bits == 16 || photometric == PHOTOMETRIC_PALETTE ? 1 : 0;
    return readable;
}

TEST(ImageCorpus, LibtiffTestImagesMatchLibtiffsRgbaReader)
{
    TIFFSetErrorHandler([](const char*, const char*, va_list) {});
    TIFFSetWarningHandler([](const char*, const char*, va_list) {});
    const size_t compared = compareWithLibrary(
        K_BUILD_DIR "/deps/libtiff-src/test/images", {".tif", ".tiff"}, DibImage::FormatTiff, readTiff);
    std::printf("libtiff test images: %u read by libtiff and compared\n", unsigned(compared));
    EXPECT_GE(compared, 15u);
}

// JPEG ---------------------------------------------------------------------------------------

struct JpegFailure {
    jpeg_error_mgr manager;
    jmp_buf jump;
};

bool readJpeg(const std::string& path, Picture& picture)
{
    const auto bytes = fileBytes(path);
    jpeg_decompress_struct info;
    JpegFailure failure;
    info.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit
        = [](j_common_ptr common) { longjmp(reinterpret_cast<JpegFailure*>(common->err)->jump, 1); };
    std::vector<uint8_t> samples;
    volatile bool readable = false;
    if (!setjmp(failure.jump)) {
        jpeg_CreateDecompress(&info, JPEG_LIB_VERSION, sizeof(info));
        jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&info, TRUE);
        jpeg_start_decompress(&info);
        const size_t line = size_t(info.output_width) * size_t(info.output_components);
        samples.resize(line * info.output_height);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = &samples[size_t(info.output_scanline) * line];
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        picture.width = long(info.output_width);
        picture.height = long(info.output_height);
        picture.pixels.reserve(size_t(picture.width) * size_t(picture.height));
        for (size_t i = 0; i < samples.size(); i += size_t(info.output_components)) {
            const uint8_t* s = &samples[i];
            picture.pixels.push_back(
                info.output_components == 1 ? Rgba{s[0], s[0], s[0], 255} : Rgba{s[0], s[1], s[2], 255});
        }
        readable = true;
    }
    jpeg_destroy_decompress(&info);
    return readable;
}

TEST(ImageCorpus, LibjpegTestImagesMatchLibjpegsOwnDecoding)
{
    const size_t compared
        = compareWithLibrary(K_BUILD_DIR "/deps/libjpeg-src/testimages", {".jpg"}, DibImage::FormatJpeg, readJpeg);
    std::printf("libjpeg test images: %u read by libjpeg and compared\n", unsigned(compared));
    EXPECT_GE(compared, 3u);
}

} // namespace
