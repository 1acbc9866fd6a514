// The icon reader: directory checks, palette and true-colour images, the AND mask as alpha.
#include "graphics/imageimport/DibImageIco.h"
#include "tests/graphics/ImageBuilders.h"

#include <gtest/gtest.h>

namespace {

struct IconImage {
    int width, height, colours, bitCount;
    std::vector<uint8_t> data; // palette, pixels and mask, after the 40-byte header
};

std::vector<uint8_t> makeIcon(const std::vector<IconImage>& images, int type = 1)
{
    ByteWriter file;
    file.u16(0).u16(type).u16(int(images.size()));
    uint32_t offset = uint32_t(6 + 16 * images.size());
    for (const IconImage& image : images) {
        file.u8(image.width).u8(image.height).u8(image.colours).u8(0).u16(1).u16(image.bitCount);
        file.u32(uint32_t(40 + image.data.size())).u32(offset);
        offset += uint32_t(40 + image.data.size());
    }
    for (const IconImage& image : images)
        file.fill(40, 0).raw(image.data);
    return file.bytes;
}

// A 2 × 2 16-colour icon: entry 1 red, entry 2 green; top row 1 2, bottom row 2 1.
IconImage sixteenColours(uint8_t maskTop, uint8_t maskBottom)
{
    ByteWriter data;
    data.u32(0).u32(0x00FF0000).u32(0x0000FF00).fill(13 * 4, 0);
    data.raw({0x21, 0, 0, 0, 0x12, 0, 0, 0});
    data.raw({maskBottom, 0, 0, 0, maskTop, 0, 0, 0});
    return {2, 2, 16, 4, data.bytes};
}

TEST(IcoDecoder, PaletteIconsTakeTheirMaskAsAlpha)
{
    DibImageIco plain;
    ASSERT_TRUE(decodeBytes(plain, makeIcon({sixteenColours(0, 0)})));
    EXPECT_EQ(plain.getBitCount(), 4);
    EXPECT_EQ(plain.getHeader().biClrUsed, 16u);
    EXPECT_EQ(rgbAt(plain, 0, 0), 0xFF0000u);
    EXPECT_EQ(rgbAt(plain, 1, 0), 0x00FF00u);
    EXPECT_EQ(rgbAt(plain, 0, 1), 0x00FF00u);
    EXPECT_FALSE(plain.isAlphaValid());

    DibImageIco masked;
    ASSERT_TRUE(decodeBytes(masked, makeIcon({sixteenColours(0x40, 0x80)})));
    ASSERT_TRUE(masked.isAlphaValid());
    EXPECT_EQ(masked.alphaGet(0, 1), 255);
    EXPECT_EQ(masked.alphaGet(1, 1), 0);
    EXPECT_EQ(masked.alphaGet(0, 0), 0);
    EXPECT_EQ(masked.alphaGet(1, 0), 255);
}

TEST(IcoDecoder, ThirtyTwoBitIconsKeepTheirAlphaAndFramesAreChosen)
{
    DibImageIco image;
    ASSERT_TRUE(decodeBytes(image, makeIcon({{2, 1, 0, 32, {1, 2, 3, 128, 4, 5, 6, 255, 0x40, 0, 0, 0}}})));
    EXPECT_EQ(image.getBitCount(), 24);
    EXPECT_EQ(rgbAt(image, 0, 0), 0x030201u);
    EXPECT_EQ(image.alphaGet(0, 0), 128);
    EXPECT_EQ(image.alphaGet(1, 0), 0);

    const auto bytes = makeIcon(
        {sixteenColours(0, 0), {1, 1, 2, 1, ByteWriter().u32(0).u32(0xFFFFFF).raw({0x80, 0, 0, 0, 0, 0, 0, 0}).bytes}});
    DibImageIco second;
    second.setFrame(1);
    ASSERT_TRUE(decodeBytes(second, bytes));
    EXPECT_EQ(second.getBitCount(), 1);
    EXPECT_EQ(rgbAt(second, 0, 0), 0xFFFFFFu);
    DibImage missing(DibImage::FormatBmp);
    missing.setFrame(2);
    EXPECT_FALSE(dispatchBytes(missing, bytes, DibImage::FormatIco));
    EXPECT_EQ(missing.getNumFrames(), 2);
    EXPECT_STREQ(missing.getLastError(), "ICO frame not present");
}

TEST(IcoDecoder, RefusesCursorsAndBrokenFiles)
{
    EXPECT_EQ(failureOf<DibImageIco>(makeIcon({sixteenColours(0, 0)}, 2)), "Not an ICO");
    auto png = makeIcon({sixteenColours(0, 0)});
    png[22] = 0x89;
    png[23] = 'P';
    png[24] = 'N';
    png[25] = 'G';
    EXPECT_EQ(failureOf<DibImageIco>(png), "PNG icons are not supported");
    expectTruncationsEndCleanly<DibImageIco>(makeIcon({sixteenColours(0x40, 0)}), true);
}

} // namespace
