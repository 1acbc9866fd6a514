// The TIFF reader over libtiff: pages, photometric kinds, colour maps, orientation.
#include "graphics/imageimport/DibImageTif.h"
#include "tests/graphics/ImageBuilders.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <tiffio.h>

namespace {

struct TiffPage {
    uint32_t width, height;
    uint16_t bits, samples, photometric;
    std::vector<uint8_t> rows;            // packed rows, top first
    std::vector<uint16_t> colourMap = {}; // red, green, blue tables one after another
    uint16_t orientation = ORIENTATION_TOPLEFT;
    bool alphaSample = false;
    float resolution = 0;
    uint16_t alphaKind = EXTRASAMPLE_UNASSALPHA;
    uint16_t compression = COMPRESSION_NONE;
};

TiffPage greyPage(
    uint32_t width, uint16_t bits, std::vector<uint8_t> rows, uint16_t photometric = PHOTOMETRIC_MINISBLACK)
{
    return {width, 1, bits, 1, photometric, std::move(rows)};
}

// The pages written by libtiff, as the file's bytes.
std::vector<uint8_t> tiffBytes(const std::vector<TiffPage>& pages)
{
    TemporaryFolder folder;
    const std::string path = folder.file("image.tif");
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    for (const TiffPage& page : pages) {
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, page.width);
        TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, page.height);
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, page.bits);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, page.samples);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, page.photometric);
        TIFFSetField(tiff, TIFFTAG_ORIENTATION, page.orientation);
        TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 2u);
        TIFFSetField(tiff, TIFFTAG_COMPRESSION, page.compression);
        const uint16_t extra = page.alphaKind;
        if (page.alphaSample)
            TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &extra);
        if (page.resolution > 0) {
            TIFFSetField(tiff, TIFFTAG_XRESOLUTION, page.resolution);
            TIFFSetField(tiff, TIFFTAG_YRESOLUTION, page.resolution);
        }
        const size_t n = page.colourMap.size() / 3;
        if (n)
            TIFFSetField(tiff, TIFFTAG_COLORMAP, page.colourMap.data(), page.colourMap.data() + n,
                page.colourMap.data() + 2 * n);
        for (uint32_t y = 0; y < page.height; ++y)
            TIFFWriteScanline(tiff, const_cast<uint8_t*>(&page.rows[y * (page.rows.size() / page.height)]), y, 0);
        TIFFWriteDirectory(tiff);
    }
    TIFFClose(tiff);
    return fileBytes(path);
}

TEST(TiffDecoder, ReadsEveryPhotometricKind)
{
    TiffPage greyAlpha{2, 1, 8, 2, PHOTOMETRIC_MINISBLACK, {100, 50, 200, 255}};
    greyAlpha.alphaSample = true;
    // A 16-bit colour map is scaled: entry 1 is red 65535, green 32768.
    TiffPage mapped{2, 1, 8, 1, PHOTOMETRIC_PALETTE, {0, 1}, std::vector<uint16_t>(3 * 256)};
    mapped.colourMap[1] = 65535;
    mapped.colourMap[256 + 1] = 32768;
    TiffPage rgb{2, 1, 8, 3, PHOTOMETRIC_RGB, {1, 2, 3, 4, 5, 6}};
    TiffPage rgba{2, 1, 8, 4, PHOTOMETRIC_RGB, {10, 20, 30, 255, 4, 5, 6, 0}};
    rgba.alphaSample = true;
    const DecoderCase cases[] = {
        {"min is white", tiffBytes({greyPage(9, 1, {0x80, 0x00}, PHOTOMETRIC_MINISWHITE)}),
            {{0, 0, 0}, {8, 0, 0xFFFFFF}}, {}, {}, 1},
        {"grey 4 bits", tiffBytes({greyPage(2, 4, {0x1F})}), {{0, 0, 0x111111}, {1, 0, 0xFFFFFF}}, {}, {}, 4},
        {"grey 2 bits", tiffBytes({greyPage(4, 2, {0x1B})}), {{1, 0, 0x555555}, {3, 0, 0xFFFFFF}}},
        {"grey with alpha", tiffBytes({greyAlpha}), {}, {{0, 0, 50}, {1, 0, 255}}, {{1, 0, 200}}},
        {"colour map", tiffBytes({mapped}), {{1, 0, 0xFF7F00}}, {}, {}, 8},
        {"rgb", tiffBytes({rgb}), {{1, 0, 0x040506}}, {}, {}, 24},
        {"rgba", tiffBytes({rgba}), {{0, 0, 0x0A141E}}, {{0, 0, 255}, {1, 0, 0}}, {}, 24},
    };
    for (const DecoderCase& c : cases)
        expectDecoded<DibImageTif>(c);

    rgb.resolution = 299.7f;
    DibImageTif image;
    ASSERT_TRUE(decodeBytes(image, tiffBytes({rgb})));
    EXPECT_EQ(image.getXDpi(), 299);
}

// libtiff's RGBA reader multiplies a separate (unassociated) alpha into the colours; the
// image keeps the colours as stored beside its alpha, at 8 and 16 bits a sample. An
// associated alpha is stored multiplied in already and comes back as it is.
TEST(TiffDecoder, ColoursBesideASeparateAlphaComeBackAsStored)
{
    // 16-bit samples in the host's order, as libtiff takes them.
    const auto wide = [](std::initializer_list<uint16_t> Samples) {
        std::vector<uint8_t> bytes;
        for (uint16_t sample : Samples) {
            bytes.push_back(uint8_t(sample & 0xFF));
            bytes.push_back(uint8_t(sample >> 8));
        }
        return bytes;
    };
    TiffPage separate8{1, 1, 8, 4, PHOTOMETRIC_RGB, {197, 0, 57, 63}};
    separate8.alphaSample = true;
    TiffPage separate16{1, 1, 16, 4, PHOTOMETRIC_RGB, wide({197 * 257, 0, 57 * 257, 63 * 257})};
    separate16.alphaSample = true;
    separate16.compression = COMPRESSION_ADOBE_DEFLATE;
    TiffPage associated{1, 1, 8, 4, PHOTOMETRIC_RGB, {48, 0, 14, 63}};
    associated.alphaSample = true;
    associated.alphaKind = EXTRASAMPLE_ASSOCALPHA;
    const struct {
        const char* name;
        TiffPage page;
        uint32_t colour;
    } cases[] = {
        {"separate alpha, 8 bits", separate8, 0xC50039},
        {"separate alpha, 16 bits, deflated", separate16, 0xC50039},
        {"associated alpha", associated, 0x30000E},
    };
    for (const auto& c : cases) {
        DibImageTif image;
        ASSERT_TRUE(decodeBytes(image, tiffBytes({c.page}))) << c.name << ": " << image.getLastError();
        const uint32_t got = rgbAt(image, 0, 0);
        for (int shift : {16, 8, 0})
            EXPECT_NEAR(int(got >> shift & 0xFF), int(c.colour >> shift & 0xFF), 1) << c.name << std::hex << " got " << got;
        EXPECT_EQ(image.alphaGet(0, 0), 63) << c.name;
    }
}

TEST(TiffDecoder, PagesAreCountedAndChosen)
{
    const auto bytes = tiffBytes({greyPage(1, 8, {10}), greyPage(1, 8, {20}), greyPage(1, 8, {30})});
    DibImageTif second;
    second.setFrame(1);
    ASSERT_TRUE(decodeBytes(second, bytes)) << second.getLastError();
    EXPECT_EQ(second.getPixelIndex(0, 0), 20);
    EXPECT_EQ(second.getNumFrames(), 3);

    DibImage missing(DibImage::FormatBmp);
    missing.setFrame(3);
    EXPECT_FALSE(dispatchBytes(missing, bytes, DibImage::FormatTiff));
    EXPECT_STREQ(missing.getLastError(), "Error: page not present in TIFF file");
    EXPECT_EQ(missing.getNumFrames(), 3);
}

TEST(TiffDecoder, OrientationTurnsStripImagesIntoPlace)
{
    // 3 × 2 grey, stored rows {1 2 3} {4 5 6}; the top row the picture shows.
    auto topRow = [](uint16_t orientation) {
        TiffPage page{3, 2, 8, 1, PHOTOMETRIC_MINISBLACK, {1, 2, 3, 4, 5, 6}};
        page.orientation = orientation;
        DibImageTif image;
        EXPECT_TRUE(decodeBytes(image, tiffBytes({page})));
        std::vector<int> row;
        for (long x = 0; x < image.getWidth(); ++x)
            row.push_back(image.getPixelIndex(x, image.getHeight() - 1));
        return row;
    };
    EXPECT_EQ(topRow(ORIENTATION_TOPLEFT), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(topRow(ORIENTATION_TOPRIGHT), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(topRow(ORIENTATION_BOTRIGHT), (std::vector<int>{6, 5, 4}));
    EXPECT_EQ(topRow(ORIENTATION_BOTLEFT), (std::vector<int>{4, 5, 6}));
    // The first stored row runs down the visual left (5), right (6) side.
    EXPECT_EQ(topRow(ORIENTATION_LEFTTOP), (std::vector<int>{1, 4}));
    EXPECT_EQ(topRow(ORIENTATION_RIGHTTOP), (std::vector<int>{4, 1}));
    EXPECT_EQ(topRow(ORIENTATION_RIGHTBOT), (std::vector<int>{6, 3}));
    EXPECT_EQ(topRow(ORIENTATION_LEFTBOT), (std::vector<int>{3, 6}));
}

TEST(TiffDecoder, BadInputFailsWithAMessage)
{
    EXPECT_EQ(failureOf<DibImageTif>(std::vector<uint8_t>(64, 'x')), "Error encountered while opening TIFF file");
    // An RGB image of 40000 × 40000: its raster of 4 bytes a pixel does not fit 32 bits.
    ByteWriter huge;
    huge.text("II").u16(42).u32(8).u16(9);
    for (const auto& entry : std::vector<std::vector<uint32_t>>{{256, 4, 40000}, {257, 4, 40000}, {258, 3, 8},
             {259, 3, 1}, {262, 3, 2}, {273, 4, 122}, {277, 3, 3}, {278, 4, 40000}, {279, 4, 3}})
        huge.u16(int(entry[0])).u16(int(entry[1])).u32(1).u32(entry[2]);
    EXPECT_EQ(failureOf<DibImageTif>(huge.u32(0).raw({1, 2, 3}).bytes), "No space for raster buffer");
    const auto bytes = tiffBytes({{8, 8, 8, 1, PHOTOMETRIC_MINISBLACK, std::vector<uint8_t>(64, 7)}});
    EXPECT_EQ(cancelledFailureOf<DibImageTif>(bytes), "Cancelled");
    expectTruncationsEndCleanly<DibImageTif>(bytes, false);
}

} // namespace
