// The TIFF reader over libtiff: pages, photometric kinds, colour maps, orientation.
#include "graphics/imageimport/DibImageTif.h"
#include "tests/graphics/imageimport/DecoderTestSupport.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <tiffio.h>

namespace {

struct TiffPage {
    uint32_t width = 1;
    uint32_t height = 1;
    uint16_t bits = 8;
    uint16_t samples = 1;
    uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    uint16_t orientation = ORIENTATION_TOPLEFT;
    std::vector<uint8_t> rows;   // packed rows, top first
    std::vector<uint16_t> colourMap;   // red, green, blue tables one after another
    float xResolution = 0;
    bool alphaSample = false;
};

class TiffFile {
public:
    explicit TiffFile(const std::vector<TiffPage>& pages) : m_path(m_folder.file("image.tif"))
    {
        TIFF* tiff = TIFFOpen(m_path.c_str(), "w");
        for (const TiffPage& page : pages) {
            TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, page.width);
            TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, page.height);
            TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, page.bits);
            TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, page.samples);
            TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, page.photometric);
            TIFFSetField(tiff, TIFFTAG_ORIENTATION, page.orientation);
            TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
            TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 2u);
            if (page.alphaSample) {
                const uint16_t extra = EXTRASAMPLE_UNASSALPHA;
                TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &extra);
            }
            if (page.xResolution > 0) {
                TIFFSetField(tiff, TIFFTAG_XRESOLUTION, page.xResolution);
                TIFFSetField(tiff, TIFFTAG_YRESOLUTION, page.xResolution);
            }
            if (!page.colourMap.empty()) {
                const size_t n = page.colourMap.size() / 3;
                TIFFSetField(tiff, TIFFTAG_COLORMAP, page.colourMap.data(), page.colourMap.data() + n,
                             page.colourMap.data() + 2 * n);
            }
            const size_t line = page.rows.size() / page.height;
            for (uint32_t y = 0; y < page.height; ++y)
                TIFFWriteScanline(tiff, const_cast<uint8_t*>(&page.rows[y * line]), y, 0);
            TIFFWriteDirectory(tiff);
        }
        TIFFClose(tiff);
    }

    std::unique_ptr<DibImage> load() const
    {
        auto image = std::make_unique<DibImage>(DibImage::FormatBmp);
        image->loadFromFile(m_path.c_str(), DibImage::FormatTiff);
        return image;
    }
    const std::string& path() const { return m_path; }

private:
    TemporaryFolder m_folder;
    std::string m_path;
};

TiffPage greyPage(uint8_t value)
{
    TiffPage page;
    page.rows = {value};
    return page;
}

TEST(TiffDecoder, PagesAreCountedAndChosen)
{
    TiffFile file({greyPage(10), greyPage(20), greyPage(30)});
    DibImage second(DibImage::FormatBmp);
    second.setFrame(1);
    ASSERT_TRUE(second.loadFromFile(file.path().c_str(), DibImage::FormatTiff)) << second.getLastError();
    EXPECT_EQ(second.getPixelIndex(0, 0), 20);
    EXPECT_EQ(second.getNumFrames(), 3);

    DibImage missing(DibImage::FormatBmp);
    missing.setFrame(3);
    EXPECT_FALSE(missing.loadFromFile(file.path().c_str(), DibImage::FormatTiff));
    EXPECT_STREQ(missing.getLastError(), "Error: page not present in TIFF file");
    EXPECT_EQ(missing.getNumFrames(), 3);
}

TEST(TiffDecoder, GreyKindsGetTheirPalettes)
{
    TiffPage white;
    white.width = 9;
    white.bits = 1;
    white.photometric = PHOTOMETRIC_MINISWHITE;
    white.rows = {0x80, 0x00};
    TiffFile whiteFile({white});
    DibImage minIsWhite(DibImage::FormatBmp);
    ASSERT_TRUE(minIsWhite.loadFromFile(whiteFile.path().c_str(), DibImage::FormatTiff));
    EXPECT_EQ(minIsWhite.getBitCount(), 1);
    EXPECT_EQ(minIsWhite.getPaletteColor(0).rgbRed, 255);
    EXPECT_EQ(minIsWhite.getPaletteColor(1).rgbRed, 0);
    EXPECT_EQ(rgbAt(minIsWhite, 0, 0), 0u);
    EXPECT_EQ(rgbAt(minIsWhite, 8, 0), 0xFFFFFFu);

    TiffPage four;
    four.width = 2;
    four.bits = 4;
    four.rows = {0x1F};
    TiffFile fourFile({four});
    DibImage ramp(DibImage::FormatBmp);
    ASSERT_TRUE(ramp.loadFromFile(fourFile.path().c_str(), DibImage::FormatTiff));
    EXPECT_EQ(ramp.getBitCount(), 4);
    EXPECT_EQ(ramp.getPaletteColor(1).rgbRed, 17);
    EXPECT_EQ(rgbAt(ramp, 1, 0), 0xFFFFFFu);

    TiffPage two;
    two.width = 4;
    two.bits = 2;
    two.rows = {0x1B};
    TiffFile twoFile({two});
    DibImage quarter(DibImage::FormatBmp);
    ASSERT_TRUE(quarter.loadFromFile(twoFile.path().c_str(), DibImage::FormatTiff));
    EXPECT_EQ(rgbAt(quarter, 1, 0), 0x555555u);
    EXPECT_EQ(rgbAt(quarter, 3, 0), 0xFFFFFFu);

    TiffPage alpha;
    alpha.width = 2;
    alpha.samples = 2;
    alpha.alphaSample = true;
    alpha.rows = {100, 50, 200, 255};
    TiffFile alphaFile({alpha});
    DibImage greyAlpha(DibImage::FormatBmp);
    ASSERT_TRUE(greyAlpha.loadFromFile(alphaFile.path().c_str(), DibImage::FormatTiff));
    EXPECT_EQ(greyAlpha.getPixelIndex(1, 0), 200);
    EXPECT_EQ(greyAlpha.alphaGet(0, 0), 50);
}

TEST(TiffDecoder, SixteenBitColourMapsAreScaled)
{
    TiffPage page;
    page.width = 2;
    page.photometric = PHOTOMETRIC_PALETTE;
    page.rows = {0, 1};
    page.colourMap.assign(3 * 256, 0);
    page.colourMap[1] = 65535;            // red of entry 1
    page.colourMap[256 + 1] = 32768;      // green of entry 1
    TiffFile file({page});
    auto image = file.load();
    ASSERT_TRUE(image->isValid()) << image->getLastError();
    EXPECT_EQ(image->getBitCount(), 8);
    EXPECT_EQ(rgbAt(*image, 1, 0), 0xFF7F00u);
}

TEST(TiffDecoder, ColourGoesThroughTheRgbaReader)
{
    TiffPage rgb;
    rgb.width = 2;
    rgb.samples = 3;
    rgb.photometric = PHOTOMETRIC_RGB;
    rgb.rows = {1, 2, 3, 4, 5, 6};
    rgb.xResolution = 299.7f;
    TiffFile rgbFile({rgb});
    auto colour = rgbFile.load();
    ASSERT_TRUE(colour->isValid()) << colour->getLastError();
    EXPECT_EQ(colour->getBitCount(), 24);
    EXPECT_FALSE(colour->isAlphaValid());
    EXPECT_EQ(rgbAt(*colour, 1, 0), 0x040506u);
    EXPECT_EQ(colour->getXDpi(), 299);

    TiffPage rgba = rgb;
    rgba.samples = 4;
    rgba.alphaSample = true;
    rgba.rows = {10, 20, 30, 255, 4, 5, 6, 0};
    TiffFile rgbaFile({rgba});
    auto withAlpha = rgbaFile.load();
    ASSERT_TRUE(withAlpha->isAlphaValid());
    EXPECT_EQ(withAlpha->alphaGet(0, 0), 255);
    EXPECT_EQ(withAlpha->alphaGet(1, 0), 0);
    EXPECT_EQ(rgbAt(*withAlpha, 0, 0), 0x0A141Eu);
}

TEST(TiffDecoder, OrientationTurnsStripImagesIntoPlace)
{
    // 3 × 2 grey, stored rows {1 2 3} {4 5 6}.
    auto oriented = [](uint16_t orientation) {
        TiffPage page;
        page.width = 3;
        page.height = 2;
        page.orientation = orientation;
        page.rows = {1, 2, 3, 4, 5, 6};
        TiffFile file({page});
        return file.load();
    };
    auto topRow = [](const std::unique_ptr<DibImage>& image) {
        std::vector<int> row;
        for (long x = 0; x < image->getWidth(); ++x)
            row.push_back(image->getPixelIndex(x, image->getHeight() - 1));
        return row;
    };
    EXPECT_EQ(topRow(oriented(ORIENTATION_TOPLEFT)), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(topRow(oriented(ORIENTATION_TOPRIGHT)), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(topRow(oriented(ORIENTATION_BOTRIGHT)), (std::vector<int>{6, 5, 4}));
    EXPECT_EQ(topRow(oriented(ORIENTATION_BOTLEFT)), (std::vector<int>{4, 5, 6}));
    // The first stored row runs down the visual left (5), right (6) side.
    EXPECT_EQ(topRow(oriented(ORIENTATION_LEFTTOP)), (std::vector<int>{1, 4}));
    EXPECT_EQ(topRow(oriented(ORIENTATION_RIGHTTOP)), (std::vector<int>{4, 1}));
    EXPECT_EQ(topRow(oriented(ORIENTATION_RIGHTBOT)), (std::vector<int>{6, 3}));
    EXPECT_EQ(topRow(oriented(ORIENTATION_LEFTBOT)), (std::vector<int>{3, 6}));
}

TEST(TiffDecoder, BadInputFailsWithAMessage)
{
    DibImageTif garbage;
    EXPECT_FALSE(decodeBytes(garbage, std::vector<uint8_t>(64, 'x')));
    EXPECT_STREQ(garbage.getLastError(), "Error encountered while opening TIFF file");

    TiffPage page;
    page.width = 8;
    page.height = 8;
    page.rows.assign(64, 7);
    TiffFile file({page});
    FILE* in = std::fopen(file.path().c_str(), "rb");
    std::vector<uint8_t> bytes(4096);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), in));
    std::fclose(in);
    for (size_t length = 0; length < bytes.size(); ++length) {
        DibImageTif truncated;
        if (!decodeBytes(truncated, std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(length)))) {
            EXPECT_STRNE(truncated.getLastError(), "") << length;
        }
    }
    DibImageTif cancelled;
    cancelled.setEscape(1);
    EXPECT_FALSE(decodeBytes(cancelled, bytes));
    EXPECT_STREQ(cancelled.getLastError(), "Cancelled");
}

} // namespace
