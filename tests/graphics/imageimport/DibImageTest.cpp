// The image buffer: creation limits, pixel access, transforms, drawing to a device, the
// global-memory BMP writer, and the dispatch by format code.
#include "graphics/NativeDeviceWin32.h"
#include "graphics/imageimport/DibImage.h"
#include "graphics/imageimport/DibImageTga.h"
#include "tests/graphics/GraphicsTestSupport.h"
#include "tests/graphics/ImageBuilders.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(DibImageBuffer, CreateNormalisesDepthsZeroFillsAndRefusesImpossibleSizes)
{
    DibImage image(DibImage::FormatBmp);
    ASSERT_NE(image.create(5, 3, 2, DibImage::FormatBmp), nullptr);
    EXPECT_EQ(image.getBitCount(), 4);
    EXPECT_EQ(image.getHeader().biClrUsed, 16u);
    ASSERT_NE(image.create(5, 3, 16, DibImage::FormatBmp), nullptr);
    EXPECT_EQ(image.getBitCount(), 24);
    EXPECT_EQ(std::vector<uint8_t>(image.getBits(), image.getBits() + image.getHeader().biSizeImage),
        std::vector<uint8_t>(image.getHeader().biSizeImage, 0));
    // The last fits 16 bits each way but not a signed 32-bit block.
    for (const auto& size : {std::make_pair(0L, 10L), std::make_pair(10L, -1L), std::make_pair(32768L, 1L),
             std::make_pair(1L, 32768L), std::make_pair(32767L, 32767L)}) {
        EXPECT_EQ(image.create(size.first, size.second, 24, 0), nullptr) << size.first << "x" << size.second;
        EXPECT_FALSE(image.isValid());
    }
    EXPECT_NE(image.create(32767, 1, 24, 0), nullptr);

    // Outside the image nothing is written and the transparent index is read back.
    DibImage one(9, 1, 1, 0);
    one.setPixelIndex(9, 0, 1);
    one.setTransIndex(1);
    EXPECT_EQ(std::vector<uint8_t>(one.getBits(), one.getBits() + 4), std::vector<uint8_t>(4, 0));
    EXPECT_EQ(one.getPixelIndex(100, 100), 1);
}

// Every pixel and alpha value different, so that moved pixels show.
std::unique_ptr<DibImage> numbered(long width, long height, int bits)
{
    auto image = std::make_unique<DibImage>(width, height, bits, 0);
    image->alphaCreate();
    if (bits < 24)
        image->setGrayPalette();
    for (long i = 0; i < width * height; ++i) {
        const uint8_t value = uint8_t(i + 1);
        if (bits == 24)
            image->setPixelColor(i % width, i / width, RGBQUAD{value, uint8_t(value * 2), uint8_t(value * 3), 0});
        else
            image->setPixelIndex(i % width, i / width, uint8_t(value % (1 << bits)));
        image->alphaSet(i % width, i / width, uint8_t(value * 5));
    }
    return image;
}

// Colour and alpha of each pixel, bottom row first.
std::vector<uint32_t> pixelsOf(const DibImage& image)
{
    std::vector<uint32_t> pixels{uint32_t(image.getWidth()), uint32_t(image.getHeight())};
    for (long y = 0; y < image.getHeight(); ++y)
        for (long x = 0; x < image.getWidth(); ++x)
            pixels.push_back(rgbAt(image, x, image.getHeight() - 1 - y) << 8 | image.alphaGet(x, y));
    return pixels;
}

TEST(DibImageTransforms, FlipsMirrorsAndRotationsMovePixelsAndUndoEachOther)
{
    for (int bits : {1, 4, 8, 24}) {
        const auto original = pixelsOf(*numbered(9, 3, bits));
        auto image = numbered(9, 3, bits);
        ASSERT_TRUE(image->flip());
        EXPECT_EQ(image->alphaGet(0, 0), numbered(9, 3, bits)->alphaGet(0, 2));
        image->flip();
        EXPECT_EQ(pixelsOf(*image), original) << bits;
        ASSERT_TRUE(image->mirror());
        EXPECT_EQ(rgbAt(*image, 8, 2), rgbAt(*numbered(9, 3, bits), 0, 2)) << bits;
        image->mirror();
        EXPECT_EQ(pixelsOf(*image), original) << bits;

        ASSERT_TRUE(image->rotateLeft());
        EXPECT_EQ(image->getWidth(), 3);
        // The bottom-left corner is the source's top-left.
        EXPECT_EQ(image->alphaGet(0, 0), numbered(9, 3, bits)->alphaGet(0, 2));
        image->rotateRight();
        EXPECT_EQ(pixelsOf(*image), original) << bits;
        for (int i = 0; i < 4; ++i)
            image->rotateLeft();
        EXPECT_EQ(pixelsOf(*image), original) << bits;
        EXPECT_EQ(image->getHeader().biClrUsed, bits < 24 ? 1u << bits : 0u);
    }
    DibImage destination(DibImage::FormatBmp);
    ASSERT_TRUE(numbered(3, 2, 24)->rotateRight(&destination));
    EXPECT_EQ(destination.getWidth(), 2);
    EXPECT_FALSE(DibImage(DibImage::FormatBmp).flip());
}

// Opaque images drawn at their size show in every image loaded from a decoded file.
TEST(DibImageDrawing, TheTransparentIndexLeavesTheDeviceAndAlphaBlendsWithIt)
{
    DibImage indexed(2, 1, 8, 0);
    indexed.setPaletteColor(1, 255, 0, 0);
    indexed.setPixelIndex(0, 0, 1);
    indexed.setTransIndex(0);
    DibImage blended(2, 1, 24, 0);
    blended.setPixelColorRef(0, 0, RGB(255, 255, 255));
    blended.setPixelColorRef(1, 0, RGB(255, 255, 255));
    blended.alphaCreate();
    blended.alphaSet(0, 0, 255);
    blended.alphaSet(1, 0, 128);
    KImage target;
    makePicture(target, {"bbbb", "bbbb"});
    HDC dc = getHDCWin32(target.getGraphicDevice());
    EXPECT_TRUE(indexed.drawToDevice(dc, 0, 0));
    EXPECT_TRUE(blended.drawToDevice(dc, 0, 1));
    EXPECT_EQ(pixelRows(target), (PixelRows{"rbbb", "#?bb"}));
    const uint32 half = target.getGraphicDevice().getPixel(1, 1).getNativeColor(); // 0x00BBGGRR
    EXPECT_NEAR(int(half & 0xFF), 128, 2);
    EXPECT_NEAR(int(half >> 16), 255, 1);
    indexed.setEnabled(false);
    EXPECT_FALSE(indexed.drawToDevice(dc, 0, 0));
    EXPECT_FALSE(DibImage(DibImage::FormatBmp).drawToDevice(dc, 0, 0));
}

TEST(DibImageGlobal, WriteBmpOfAThreeByTwoImageIs78BytesAndReadsBack)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 3, 2);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    SetPixel(dc, 0, 0, RGB(255, 0, 0));
    SetPixel(dc, 2, 1, RGB(0, 0, 255));
    SelectObject(dc, previous);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);

    HGLOBAL dib = DibImage::createFromBitmap(bitmap, nullptr);
    DeleteObject(bitmap);
    ASSERT_NE(dib, nullptr);
    long width = 0, height = 0;
    ASSERT_TRUE(DibImage::getDibDimensions(dib, &width, &height));
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    TemporaryFolder folder;
    const std::string path = folder.file("three.bmp");
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(DibImage::writeBmp(dib, file));
    CloseHandle(file);
    dibFree(dib);

    const std::vector<uint8_t> bytes = fileBytes(path);
    ASSERT_EQ(bytes.size(), 78u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 14),
        (std::vector<uint8_t>{'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0}));
    // Opened by path.
    DibImage image(path.c_str(), DibImage::FormatBmp);
    ASSERT_TRUE(image.isValid());
    EXPECT_EQ(rgbAt(image, 0, 0), 0xFF0000u);
    EXPECT_EQ(rgbAt(image, 2, 1), 0x0000FFu);
    EXPECT_EQ(rgbAt(image, 1, 0), 0u);
    DibImage missing(folder.file("none.bmp").c_str(), DibImage::FormatBmp);
    EXPECT_FALSE(missing.isValid());
    EXPECT_STREQ(missing.getLastError(), "");
}

TEST(ImageDispatch, TheFormatCodeChoosesTheDecoderWhoseResultOrMessageTheImageTakes)
{
    const std::vector<uint8_t> wbmp = {0, 0, 8, 2, 0xF0, 0x0F};
    DibImage image(DibImage::FormatBmp);
    ASSERT_TRUE(dispatchBytes(image, wbmp, DibImage::FormatWbmp));
    EXPECT_EQ(image.getFormat(), DibImage::FormatWbmp);
    EXPECT_EQ(image.getWidth(), 8);
    EXPECT_EQ(rgbAt(image, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(rgbAt(image, 0, 1), 0u);

    DibImage failed(DibImage::FormatBmp);
    EXPECT_FALSE(dispatchBytes(failed, {1, 0, 8, 2}, DibImage::FormatWbmp));
    EXPECT_STREQ(failed.getLastError(), "Unsupported WBMP type");
    EXPECT_FALSE(failed.isValid());
    for (long format : {10L, -1L}) {
        EXPECT_FALSE(dispatchBytes(failed, wbmp, format));
        EXPECT_STREQ(failed.getLastError(), "Unsupported operation for this format");
    }
    failed.setLastError(std::string(400, 'x').c_str());
    EXPECT_EQ(std::string(failed.getLastError()), std::string(255, 'x'));
    // A null stream fails without a message.
    DibImageTga decoder;
    EXPECT_FALSE(decoder.decode(nullptr));
    EXPECT_STREQ(decoder.getLastError(), "");
}

} // namespace
