// The image operations that change the picture in place.
#include "graphics/KImage.h"
#include "tests/graphics/GraphicsTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

KColor grey(uint8 Level) { return nativeColor(uint32(Level) * 0x010101); }

// Columns of the given grey levels, two rows high: GDI paints no rectangle of one pixel's
// height, which the operations that paint a rectangle over the image would meet.
void makeGreys(KImage& Image, std::initializer_list<uint8> Levels)
{
    Image.create(short(Levels.size() < 2 ? 2 : Levels.size()), 2);
    short x = 0;
    for (uint8 level : Levels) {
        Image.getGraphicDevice().setPixel(x, 0, grey(level));
        Image.getGraphicDevice().setPixel(x++, 1, grey(level));
    }
}

// Every pixel a different colour, so that moved pixels show.
void makeGradient(KImage& Image, short Width, short Height)
{
    Image.create(Width, Height);
    for (short y = 0; y < Height; ++y)
        for (short x = 0; x < Width; ++x)
            Image.getGraphicDevice().setPixel(x, y, nativeColor(uint32(x * 20) | uint32(y * 20) << 8 | 0x400000));
}

std::vector<uint32> nativePixels(KImage& Image)
{
    std::vector<uint32> pixels;
    for (short y = 0; y < Image.getSize().getHeight(); ++y)
        for (short x = 0; x < Image.getSize().getWidth(); ++x)
            pixels.push_back(Image.getGraphicDevice().getPixel(x, y).getNativeColor());
    return pixels;
}

TEST(PixelOperations, BlackAndWhiteThresholdsTheMeanOfTheComponents)
{
    KImage image;
    makeGreys(image, {127, 128, 0, 255});
    image.getGraphicDevice().setPixel(2, 0, nativeColor(0x0000FF)); // mean 85: black
    image.makeBlackAndWhite(short(32768));
    EXPECT_EQ(pixelRows(image.getGraphicDevice(), 0, 0, 4, 1), PixelRows{".#.#"});
    makeGreys(image, {0, 1, 255});
    image.makeBlackAndWhite(0);
    EXPECT_EQ(pixelRows(image), PixelRows(2, "###"));

    // At −1 the platform's monochrome rule: only the context's background, white, stays white.
    makePicture(image, {"#r.g"});
    image.makeBlackAndWhite(-1);
    EXPECT_EQ(pixelRows(image), PixelRows{"#..."});

    // A size larger than the bitmap must not take the filters past its pixels.
    makeGreys(image, {200, 10});
    image.setSize(KGraphicSize(300, 200));
    image.makeBlackAndWhite(short(32768));
    image.makeSmoothBlackAndWhite(32768);
    image.makeGrey();
    EXPECT_EQ(pixelRows(image.getGraphicDevice(), 0, 0, 2, 1), PixelRows{"#."});
}

TEST(PixelOperations, SmoothBlackAndWhiteGreysTheInteriorOnly)
{
    KImage image;
    makePicture(image, {".....", ".....", "..#..", ".....", "....."});
    image.getGraphicDevice().setPixel(4, 4, grey(200));
    image.makeSmoothBlackAndWhite(32768);
    const KGraphicDevice& device = image.getGraphicDevice();
    // The border is only thresholded: 200 × 3 is not below 128 × 3.
    EXPECT_EQ(pixelRows(device, 0, 0, 5, 1), PixelRows{"....."});
    EXPECT_EQ(pixelRows(device, 0, 4, 5, 1), PixelRows{"....#"});
    // In place, column by column: the centre's neighbours to the left and above count
    // with the greys they were just given, (28 + 34 + 31 + 255 + 31) / 9.
    EXPECT_EQ(device.getPixel(1, 1), grey(255 / 9));
    EXPECT_EQ(device.getPixel(2, 2), grey(42));
    EXPECT_EQ(pixelRows(device, 1, 1, 3, 3), PixelRows(3, "???"));
}

// The smoothing reads the bitmap in bands of rows and smooths a copy kept by columns: on a
// picture larger than a band, of sides that are no multiple of one, it must give what the
// plain walk over the pixels in place gives.
TEST(PixelOperations, SmoothBlackAndWhiteOfALargePictureEqualsThePlainWalk)
{
    const short width = 45, height = 71;
    KImage image;
    image.create(width, height);
    uint32 noise = 7;
    std::vector<uint32> expected(size_t(width) * height);
    for (short y = 0; y < height; ++y) {
        for (short x = 0; x < width; ++x) {
            noise = noise * 1103515245u + 12345u;
            const uint32 pixel = (noise >> 8) & 0xFFFFFF;
            image.getGraphicDevice().setPixel(x, y, nativeColor(pixel));
            const uint32 sum = (pixel >> 16) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF);
            expected[size_t(y) * width + x] = sum < 0x80u * 3 ? 0 : 0xFF;
        }
    }
    for (short x = 1; x < width - 1; ++x) {
        for (short y = 1; y < height - 1; ++y) {
            uint32 sum = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    sum += expected[size_t(y + dy) * width + size_t(x + dx)];
            expected[size_t(y) * width + x] = sum / 9;
        }
    }
    image.makeSmoothBlackAndWhite(32768);
    long wrong = 0;
    for (short y = 0; y < height; ++y) {
        for (short x = 0; x < width; ++x)
            wrong += image.getGraphicDevice().getPixel(x, y) != grey(uint8(expected[size_t(y) * width + x]));
    }
    EXPECT_EQ(wrong, 0);
}

TEST(PixelOperations, GreyIsTheMeanOfTheComponentsAndInvertingTwiceRestores)
{
    KImage image;
    image.create(2, 1);
    image.getGraphicDevice().setPixel(0, 0, nativeColor(0x903060));
    image.getGraphicDevice().setPixel(1, 0, nativeColor(0x0000FF));
    image.makeGrey();
    EXPECT_EQ(image.getGraphicDevice().getPixel(0, 0), grey(0x60));
    EXPECT_EQ(image.getGraphicDevice().getPixel(1, 0), grey(0x55));

    makeGradient(image, 5, 3);
    const std::vector<uint32> before = nativePixels(image);
    image.invertImage();
    const std::vector<uint32> inverted = nativePixels(image);
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(inverted[i], ~before[i] & 0xFFFFFF) << i;
    image.invertImage();
    EXPECT_EQ(nativePixels(image), before);
}

TEST(PixelOperations, FlipsMirrorAndRotationsTurnAndUndoEachOther)
{
    KImage image;
    makePicture(image, {"#rg", "..b"});
    image.flipHorizontal();
    EXPECT_EQ(pixelRows(image), (PixelRows{"gr#", "b.."}));
    image.flipVertical();
    EXPECT_EQ(pixelRows(image), (PixelRows{"b..", "gr#"}));
    image.rotateCounterClockwise();
    EXPECT_EQ(pixelRows(image), (PixelRows{".#", ".r", "bg"}));

    makeGradient(image, 40, 10);
    const std::vector<uint32> before = nativePixels(image);
    const KColor bottomLeft = image.getGraphicDevice().getPixel(0, 9);
    image.rotateClockwise();
    EXPECT_EQ(image.getSize(), KGraphicSize(10, 40));
    EXPECT_EQ(image.getGraphicDevice().getBounds().getHeight(), 40);
    EXPECT_EQ(image.getGraphicDevice().getPixel(0, 0), bottomLeft);
    image.rotateCounterClockwise();
    EXPECT_EQ(nativePixels(image), before);
}

TEST(PixelOperations, DarkenLightenBrightnessAndContrast)
{
    KImage image;
    makeGradient(image, 4, 2);
    const std::vector<uint32> before = nativePixels(image);
    image.darken(0.0);
    image.lighten(0.0);
    EXPECT_EQ(nativePixels(image), before);
    image.darken(1.0);
    EXPECT_EQ(pixelRows(image), PixelRows(2, "...."));
    image.lighten(1.0);
    EXPECT_EQ(pixelRows(image), PixelRows(2, "####"));

    // Half way, by Wine's rounding or Windows': each component near half of what it was.
    makeGreys(image, {200});
    image.darken(0.5);
    EXPECT_NEAR(int(image.getGraphicDevice().getPixel(0, 0).getNativeColor() & 0xFF), 100, 2);
    makeGreys(image, {100});
    image.lighten(0.5);
    EXPECT_NEAR(int(image.getGraphicDevice().getPixel(0, 0).getNativeColor() & 0xFF), 177, 2);

    // Brightness and contrast.
    makeGradient(image, 4, 2);
    image.adjustBrightnessContrast(0.0, 0.0);
    EXPECT_EQ(nativePixels(image), before);

    // Contrast −1 gives the factor 0.01: every component within 1 % (327) of 32768.
    image.adjustBrightnessContrast(0.0, -1.0);
    for (uint32 native : nativePixels(image))
        for (int shift : {0, 8, 16})
            EXPECT_NEAR(int((native >> shift) & 0xFF), 0x80, 2);
    image.adjustBrightnessContrast(1.0, 0.0);
    EXPECT_EQ(pixelRows(image), PixelRows(2, "####"));

    makeGreys(image, {100});
    image.adjustBrightnessContrast(-0.25, 1.0);
    // (25600 − 32768) × 2 + 32768 − 16384 = 2048: the high byte is 8.
    EXPECT_EQ(image.getGraphicDevice().getPixel(0, 0), grey(8));
}

} // namespace
