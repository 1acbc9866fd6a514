// The GIF reader: signatures, LZW at every code width, interlace, transparency, frames,
// disposal and composition, and corrupt data.
#include "graphics/imageimport/DibImageGif.h"
#include "tests/graphics/ImageBuilders.h"

#include <gtest/gtest.h>

namespace {

const std::vector<uint32_t> FourColours = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

std::vector<uint8_t> pattern(int width, int height, int colours)
{
    std::vector<uint8_t> pixels(size_t(width * height));
    for (int i = 0; i < width * height; ++i)
        pixels[size_t(i)] = uint8_t((i * 7 + i / width) % colours);
    return pixels;
}

void expectPixels(const DibImage& image, const std::vector<uint8_t>& pixels)
{
    for (long y = 0; y < image.getHeight(); ++y)
        for (long x = 0; x < image.getWidth(); ++x)
            ASSERT_EQ(image.getPixelIndex(x, image.getHeight() - 1 - y), pixels[size_t(y * image.getWidth() + x)])
                << x << "," << y;
}

TEST(GifDecoder, DecodesEachDepthPlainAndInterlaced)
{
    for (int colours : {2, 16, 256}) {
        std::vector<uint32_t> table(static_cast<size_t>(colours));
        for (int i = 0; i < colours; ++i)
            table[size_t(i)] = uint32_t(i * 0x010101);
        const auto pixels = pattern(61, 37, colours);
        DibImageGif image;
        ASSERT_TRUE(decodeBytes(image, GifWriter(61, 37, table).frame(0, 0, 61, 37, pixels).finish()));
        EXPECT_EQ(image.getBitCount(), colours == 2 ? 1 : colours == 16 ? 4 : 8);
        EXPECT_EQ(image.getNumFrames(), 1);
        expectPixels(image, pixels);
    }
    // Enough varied data to fill the 4096-entry table more than once.
    std::vector<uint8_t> noise(300 * 200);
    uint32_t seed = 1;
    for (auto& pixel : noise) {
        seed = seed * 1103515245 + 12345;
        pixel = uint8_t((seed >> 16) & 0xFF);
    }
    DibImageGif large;
    ASSERT_TRUE(
        decodeBytes(large, GifWriter(300, 200, std::vector<uint32_t>(256)).frame(0, 0, 300, 200, noise).finish()));
    expectPixels(large, noise);

    // Interlaced rows land in picture order.
    for (int height : {1, 2, 5, 9, 17}) {
        const auto pixels = pattern(3, height, 4);
        DibImageGif image;
        ASSERT_TRUE(
            decodeBytes(image, GifWriter(3, height, FourColours).frame(0, 0, 3, height, pixels, {}, true).finish()));
        expectPixels(image, pixels);
    }
}

TEST(GifDecoder, FramesAreChosenCountedComposedAndTransparent)
{
    // A transparent frame gets a 256-entry palette filled with white.
    const auto pixels = pattern(4, 2, 16);
    DibImageGif image;
    ASSERT_TRUE(decodeBytes(image,
        GifWriter(4, 2, std::vector<uint32_t>(16, 0x102030)).control(0, 3, 7).frame(0, 0, 4, 2, pixels).finish()));
    EXPECT_EQ(image.getTransIndex(), 3);
    EXPECT_EQ(image.getFrameDelay(), 7);
    EXPECT_EQ(image.getHeader().biClrUsed, 256u);
    EXPECT_EQ(image.getPaletteColor(15).rgbRed, 0x10);
    EXPECT_EQ(image.getPaletteColor(16).rgbRed, 255);
    EXPECT_EQ(image.getPaletteColor(255).rgbBlue, 255);
    expectPixels(image, pixels);

    // Frame 0 fills the screen; frame 1 (disposal 1, index 0 transparent) paints one
    // pixel at (1, 1) and leaves the rest.
    const std::vector<uint8_t> first(16, 2);
    const auto bytes = GifWriter(4, 4, FourColours)
                           .looping()
                           .comment("made here")
                           .control(1, -1)
                           .frame(0, 0, 4, 4, first)
                           .control(1, 0)
                           .frame(0, 0, 2, 2, {0, 0, 0, 3})
                           .finish();
    DibImageGif frameZero;
    ASSERT_TRUE(decodeBytes(frameZero, bytes));
    EXPECT_EQ(frameZero.getNumFrames(), 2);
    EXPECT_STREQ(frameZero.getComment(), "made here");
    EXPECT_EQ(frameZero.getTransIndex(), -1); // frame 1's transparency is not frame 0's
    expectPixels(frameZero, first);

    DibImageGif frameOne;
    frameOne.setFrame(1);
    ASSERT_TRUE(decodeBytes(frameOne, bytes));
    EXPECT_EQ(frameOne.getWidth(), 4);
    EXPECT_EQ(rgbAt(frameOne, 1, 1), 0x0000FFu);
    EXPECT_EQ(rgbAt(frameOne, 0, 0), 0x00FF00u);
    EXPECT_EQ(rgbAt(frameOne, 3, 3), 0x00FF00u);

    DibImage missing(DibImage::FormatBmp);
    missing.setFrame(5);
    EXPECT_FALSE(dispatchBytes(missing, bytes, DibImage::FormatGif));
    EXPECT_EQ(missing.getNumFrames(), 2);

    // Pieces without a global table are composed at 24 bits.
    DibImageGif pieces;
    ASSERT_TRUE(decodeBytes(pieces,
        GifWriter(4, 4, {})
            .frame(0, 0, 2, 2, {1, 1, 1, 1}, FourColours)
            .frame(2, 2, 2, 2, {3, 3, 3, 3}, FourColours)
            .finish()));
    EXPECT_EQ(pieces.getBitCount(), 24);
    EXPECT_EQ(pieces.getNumFrames(), 2);
    EXPECT_EQ(rgbAt(pieces, 0, 0), 0xFF0000u);
    EXPECT_EQ(rgbAt(pieces, 3, 3), 0x0000FFu);
    EXPECT_EQ(rgbAt(pieces, 3, 0), 0u);
}

TEST(GifDecoder, BadInputEndsCleanly)
{
    // Signatures are checked on their first four bytes.
    const auto pixels = pattern(4, 4, 4);
    for (const char* version : {"GIF87a", "GIF8zz"}) {
        DibImageGif image;
        EXPECT_TRUE(decodeBytes(image, GifWriter(4, 4, FourColours, version).frame(0, 0, 4, 4, pixels).finish()));
    }
    EXPECT_EQ(
        failureOf<DibImageGif>(GifWriter(4, 4, FourColours, "GIF7a9").frame(0, 0, 4, 4, pixels).finish()), "Not a GIF");
    EXPECT_EQ(failureOf<DibImageGif>(GifWriter(2, 2, FourColours).frame(0, 0, 0, 2, {}).finish()), "Corrupted GIF");
    EXPECT_EQ(
        cancelledFailureOf<DibImageGif>(GifWriter(2, 2, FourColours).frame(0, 0, 2, 2, {1, 1, 1, 1}).finish()), "");

    // A code chain that loops, every code referring to a later slot, ends the image.
    ByteWriter looping;
    looping.text("GIF89a").u16(8).u16(8).u8(0x81).u8(0).u8(0).fill(12, 0);
    looping.u8(',').u16(0).u16(0).u16(8).u16(8).u8(0).u8(2).u8(200).fill(200, 0xFF).u8(0).u8(';');
    DibImageGif image;
    EXPECT_TRUE(decodeBytes(image, looping.bytes));
    EXPECT_EQ(image.getWidth(), 8);
    // Bad initial code sizes leave the frame blank.
    for (int codeSize : {1, 10}) {
        auto bytes = GifWriter(2, 2, FourColours).frame(0, 0, 2, 2, {1, 1, 1, 1}, {}, false, 2).finish();
        bytes[13 + 12 + 10] = uint8_t(codeSize);
        DibImageGif blank;
        EXPECT_TRUE(decodeBytes(blank, bytes));
        EXPECT_EQ(blank.getPixelIndex(0, 0), 0);
    }

    // Truncated files keep the rows read or fail with a message.
    const auto twenty = pattern(20, 20, 4);
    const auto bytes = GifWriter(20, 20, FourColours).frame(0, 0, 20, 20, twenty).finish();
    expectTruncationsEndCleanly<DibImageGif>(bytes, false);
    DibImageGif half;
    ASSERT_TRUE(decodeBytes(half, std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(bytes.size() / 2 + 20))));
    EXPECT_EQ(half.getPixelIndex(0, 19), twenty[0]);
}

} // namespace
