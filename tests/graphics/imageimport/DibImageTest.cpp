// The image buffer: creation limits, palette and pixel access, alpha, transforms, drawing
// to a device and the global-memory BMP writer.
#include "application/NativeDeviceWin32.h"
#include "graphics/KImage.h"
#include "graphics/imageimport/DibImage.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/graphics/ImageBuilders.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(DibImageBuffer, CreateNormalisesDepthsZeroFillsAndRefusesImpossibleSizes)
{
    DibImage image(DibImage::FormatBmp);
    ASSERT_NE(image.create(5, 3, 2, DibImage::FormatBmp), nullptr);
    EXPECT_EQ(image.getBitCount(), 4);
    EXPECT_EQ(image.getHeader().biClrUsed, 16u);
    ASSERT_NE(image.create(5, 3, 16, DibImage::FormatBmp), nullptr);
    EXPECT_EQ(image.getBitCount(), 24);
    EXPECT_EQ(image.getPalette(), nullptr);
    for (uint32_t i = 0; i < image.getHeader().biSizeImage; ++i)
        ASSERT_EQ(image.getBits()[i], 0);
    ASSERT_NE(image.create(1, 1, 1, DibImage::FormatBmp), nullptr);
    EXPECT_EQ(image.getStride(), 4u);

    for (const auto& size : {std::make_pair(0L, 10L), std::make_pair(10L, -1L), std::make_pair(32768L, 1L),
                             std::make_pair(1L, 32768L), std::make_pair(32767L, 32767L)}) {
        // The last fits 16 bits each way but not a signed 32-bit block.
        EXPECT_EQ(image.create(size.first, size.second, 24, 0), nullptr) << size.first << "x" << size.second;
        EXPECT_FALSE(image.isValid());
    }
    EXPECT_NE(image.create(32767, 1, 24, 0), nullptr);
}

TEST(DibImageBuffer, PixelsPackAsTheDibLayoutSaysAndColoursFindTheirIndex)
{
    DibImage four(7, 2, 4, 0);
    four.setPixelIndex(0, 0, 0xA);
    four.setPixelIndex(1, 0, 0x5);
    EXPECT_EQ(four.getBits()[0], 0xA5);
    EXPECT_EQ(four.getPixelIndex(1, 0), 5);
    DibImage one(9, 1, 1, 0);
    one.setPixelIndex(8, 0, 1);
    one.setPixelIndex(1, 0, 1);
    EXPECT_EQ(one.getBits()[0], 0x40);
    EXPECT_EQ(one.getBits()[1], 0x80);
    // Outside the image: nothing written, the transparent index read back.
    one.setPixelIndex(9, 0, 1);
    EXPECT_EQ(one.getPixelIndex(-1, 0), 0);
    one.setTransIndex(1);
    EXPECT_EQ(one.getPixelIndex(100, 100), 1);

    // The nearest palette entry: an exact one, else the first of equals.
    DibImage indexed(2, 2, 4, 0);
    indexed.setPaletteColor(0, 101, 100, 100);
    indexed.setPaletteColor(1, 100, 100, 100);
    indexed.setPaletteColor(2, 50, 0, 0);
    indexed.setPaletteColor(3, 50, 0, 2);
    indexed.setPaletteColor(16, 1, 2, 3);
    EXPECT_EQ(indexed.getNearestIndex(RGBQUAD{100, 100, 100, 0}), 1);
    EXPECT_EQ(indexed.getNearestIndex(RGBQUAD{1, 0, 50, 0}), 2);
    indexed.setPixelColor(0, 0, RGBQUAD{2, 0, 50, 0});
    EXPECT_EQ(indexed.getPixelIndex(0, 0), 3);

    DibImage colour(2, 1, 24, 0);
    colour.setPixelColorRef(1, 0, RGB(1, 2, 3));
    EXPECT_EQ(rgbAt(colour, 1, 0), 0x010203u);
    colour.setTransColor(RGBQUAD{9, 9, 9, 7});
    EXPECT_EQ(colour.getPixelColor(5, 5).rgbReserved, 7);
}

TEST(DibImageBuffer, TransferMovesEverythingAndEmptiesTheSource)
{
    DibImage source(3, 2, 8, DibImage::FormatGif);
    source.alphaCreate();
    source.alphaSet(2, 1, 77);
    source.setPixelIndex(1, 1, 9);
    DibImage target(DibImage::FormatBmp);
    target.transfer(source);
    EXPECT_FALSE(source.isValid());
    EXPECT_FALSE(source.isAlphaValid());
    EXPECT_EQ(target.getFormat(), DibImage::FormatGif);
    EXPECT_EQ(target.alphaGet(2, 1), 77);
    EXPECT_EQ(target.getPixelIndex(1, 1), 9);
}

// Transforms -------------------------------------------------------------------------------

DibImage* makeNumbered(long width, long height, int bits)
{
    auto* image = new DibImage(width, height, bits, 0);
    image->alphaCreate();
    for (long y = 0; y < height; ++y) {
        for (long x = 0; x < width; ++x) {
            const uint8_t value = uint8_t(y * width + x + 1);
            if (bits == 24)
                image->setPixelColor(x, y, RGBQUAD{value, uint8_t(value * 2), uint8_t(value * 3), 0});
            else
                image->setPixelIndex(x, y, uint8_t(value % (1 << bits)));
            image->alphaSet(x, y, uint8_t(value * 5));
        }
    }
    return image;
}

bool samePixels(const DibImage& a, const DibImage& b)
{
    if (a.getWidth() != b.getWidth() || a.getHeight() != b.getHeight() || a.getBitCount() != b.getBitCount())
        return false;
    for (long y = 0; y < a.getHeight(); ++y) {
        for (long x = 0; x < a.getWidth(); ++x) {
            const RGBQUAD p = a.getPixelColor(x, y), q = b.getPixelColor(x, y);
            if (std::memcmp(&p, &q, sizeof(p)) != 0 || a.alphaGet(x, y) != b.alphaGet(x, y)
                || a.getPixelIndex(x, y) != b.getPixelIndex(x, y))
                return false;
        }
    }
    return true;
}

TEST(DibImageTransforms, FlipAndMirrorTwiceRestoreEveryDepth)
{
    for (int bits : {1, 4, 8, 24}) {
        std::unique_ptr<DibImage> image(makeNumbered(9, 3, bits));
        std::unique_ptr<DibImage> original(makeNumbered(9, 3, bits));
        if (bits < 24) {
            image->setGrayPalette();
            original->setGrayPalette();
        }
        ASSERT_TRUE(image->flip());
        EXPECT_FALSE(samePixels(*image, *original)) << bits;
        EXPECT_EQ(image->alphaGet(0, 0), original->alphaGet(0, 2));
        image->flip();
        EXPECT_TRUE(samePixels(*image, *original)) << bits;
        ASSERT_TRUE(image->mirror());
        EXPECT_EQ(image->getPixelIndex(8, 0), original->getPixelIndex(0, 0)) << bits;
        EXPECT_EQ(image->alphaGet(8, 0), original->alphaGet(0, 0));
        image->mirror();
        EXPECT_TRUE(samePixels(*image, *original)) << bits;
    }
    EXPECT_FALSE(DibImage(DibImage::FormatBmp).flip());
}

TEST(DibImageTransforms, RotationsMoveCornersAndUndoEachOther)
{
    for (int bits : {4, 24}) {
        std::unique_ptr<DibImage> image(makeNumbered(3, 2, bits));
        std::unique_ptr<DibImage> original(makeNumbered(3, 2, bits));
        if (bits < 24) {
            image->setGrayPalette();
            original->setGrayPalette();
        }
        ASSERT_TRUE(image->rotateLeft());
        EXPECT_EQ(image->getWidth(), 2);
        EXPECT_EQ(image->getHeight(), 3);
        // The bottom-left corner is the source's top-left.
        const RGBQUAD corner = image->getPixelColor(0, 0), source = original->getPixelColor(0, 1);
        EXPECT_EQ(std::memcmp(&corner, &source, sizeof corner), 0) << bits;
        EXPECT_EQ(image->alphaGet(0, 0), original->alphaGet(0, 1));
        EXPECT_EQ(image->getHeader().biClrUsed, original->getHeader().biClrUsed);
        image->rotateRight();
        EXPECT_TRUE(samePixels(*image, *original)) << bits;
        for (int i = 0; i < 4; ++i)
            image->rotateLeft();
        EXPECT_TRUE(samePixels(*image, *original)) << bits;

        DibImage destination(DibImage::FormatBmp);
        ASSERT_TRUE(original->rotateRight(&destination));
        EXPECT_EQ(original->getWidth(), 3);
        EXPECT_EQ(destination.getWidth(), 2);
    }
}

// Drawing ------------------------------------------------------------------------------------

// An off-screen image of one colour that the buffer draws into through its context.
class DrawingTarget {
public:
    DrawingTarget(short width, short height, COLORREF background)
    {
        image.create(width, height);
        HBRUSH brush = CreateSolidBrush(background);
        const RECT all{0, 0, width, height};
        FillRect(dc(), &all, brush);
        DeleteObject(brush);
    }
    HDC dc() { return getHDCWin32(image.getGraphicDevice()); }
    uint32_t at(int x, int y)
    {
        const COLORREF colour = GetPixel(dc(), x, y);
        return uint32_t(GetRValue(colour)) << 16 | uint32_t(GetGValue(colour)) << 8 | GetBValue(colour);
    }

private:
    KImage image;
};

TEST(DibImageDrawing, OpaqueImagesDrawAtTheirSizeScaledAndClipped)
{
    DibImage image(2, 2, 24, 0);
    image.setPixelColorRef(0, 1, RGB(255, 0, 0)); // top left
    image.setPixelColorRef(1, 0, RGB(0, 0, 255)); // bottom right
    DrawingTarget target(8, 8, RGB(0, 255, 0));
    EXPECT_TRUE(image.drawToDevice(target.dc(), 1, 1));
    EXPECT_EQ(target.at(1, 1), 0xFF0000u);
    EXPECT_EQ(target.at(2, 2), 0x0000FFu);
    EXPECT_EQ(target.at(0, 0), 0x00FF00u);
    EXPECT_TRUE(image.drawToDevice(target.dc(), 4, 4, 4, 4));
    EXPECT_EQ(target.at(5, 5), 0xFF0000u);
    EXPECT_EQ(target.at(7, 7), 0x0000FFu);

    // A clip limits the drawing and is put back.
    const RECT clip{1, 0, 3, 1};
    EXPECT_TRUE(image.drawToDevice(target.dc(), 0, 0, 8, 8, &clip));
    EXPECT_EQ(target.at(0, 0), 0x00FF00u);
    EXPECT_EQ(target.at(2, 0), 0xFF0000u);
    EXPECT_EQ(target.at(3, 0), 0x00FF00u);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(target.dc(), region), 0);
    DeleteObject(region);

    image.setEnabled(false);
    EXPECT_FALSE(image.drawToDevice(target.dc(), 0, 0));
    EXPECT_FALSE(DibImage(DibImage::FormatBmp).drawToDevice(target.dc(), 0, 0));
}

TEST(DibImageDrawing, TransparencyAndAlphaBlendWithTheDevice)
{
    DibImage indexed(2, 1, 8, 0);
    indexed.setPaletteColor(1, 255, 0, 0);
    indexed.setPixelIndex(0, 0, 1);
    indexed.setTransIndex(0);
    DrawingTarget target(4, 2, RGB(0, 0, 255));
    EXPECT_TRUE(indexed.drawToDevice(target.dc(), 0, 0));
    EXPECT_EQ(target.at(0, 0), 0xFF0000u);
    EXPECT_EQ(target.at(1, 0), 0x0000FFu);

    DibImage blended(2, 1, 24, 0);
    blended.setPixelColorRef(0, 0, RGB(255, 255, 255));
    blended.setPixelColorRef(1, 0, RGB(255, 255, 255));
    blended.alphaCreate();
    blended.alphaSet(0, 0, 255);
    blended.alphaSet(1, 0, 128);
    EXPECT_TRUE(blended.drawToDevice(target.dc(), 0, 1));
    EXPECT_EQ(target.at(0, 1), 0xFFFFFFu);
    EXPECT_NEAR(int(target.at(1, 1) >> 16), 128, 2);
    EXPECT_NEAR(int(target.at(1, 1) & 0xFF), 255, 1);
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

    const Bytes bytes = readBytes(path);
    ASSERT_EQ(bytes.size(), 78u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 14), (Bytes{'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0}));
    DibImage image(path.c_str(), DibImage::FormatBmp);
    ASSERT_TRUE(image.isValid());
    EXPECT_EQ(rgbAt(image, 0, 0), 0xFF0000u);
    EXPECT_EQ(rgbAt(image, 2, 1), 0x0000FFu);
    EXPECT_EQ(rgbAt(image, 1, 0), 0u);
}

} // namespace
