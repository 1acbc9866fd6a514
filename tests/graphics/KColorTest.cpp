// Colours: the standard codes, the ×256 rule between 16-bit components and native values,
// and the class block.
#include "graphics/KColor.h"
#include "graphics/SystemColorsWin32.h"
#include "tests/graphics/GraphicsTestSupport.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint16> componentsOf(const KColor& Color)
{
    uint16 red = 0, green = 0, blue = 0;
    Color.getRGB(red, green, blue);
    return {red, green, blue};
}

TEST(KColor, StandardColoursHaveTheirComponents)
{
    const struct {
        KStandardColor code;
        std::vector<uint16> expected;
    } rows[] = {
        {kBlack, {0, 0, 0}}, {kWhite, {0xFFFF, 0xFFFF, 0xFFFF}}, {kRed, {0xFFFF, 0, 0}}, {kGreen, {0, 0xFFFF, 0}},
        {kBlue, {0, 0, 0xFFFF}}, {kYellow, {0xFFFF, 0xFFFF, 0}}, {kCyan, {0, 0xFFFF, 0xFFFF}},
        {kMagenta, {0xFFFF, 0, 0xFFFF}}, {kLightGray, {0xC000, 0xC000, 0xC000}}, {kGray, {0x8000, 0x8000, 0x8000}},
        {kDarkGray, {0x4000, 0x4000, 0x4000}}, {kMediumGray, {0x8900, 0x8900, 0x8900}},
        {kPaleGray, {0xDE00, 0xDE00, 0xDE00}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(componentsOf(KColor(row.code)), row.expected) << int(row.code);
        EXPECT_EQ(KColor(row.code).getTransparency(), 0.0) << int(row.code);
    }
    const KColor transparent(kTransparent);
    EXPECT_EQ(transparent.getTransparency(), 1.0);
    EXPECT_EQ(transparent.getNativeColor(), 0u);
    EXPECT_NE(transparent, KColor(kBlack));

    // The system colours are the desktop's, times 256.
    const struct {
        KStandardColor code;
        int index;
    } system[] = {
        {kSystemButtonFace, kSystemColorButtonFace}, {kSystemHighlight, kSystemColorHighlight},
        {kSystemHighlightText, kSystemColorHighlightText}, {kSystemDialogFace, kSystemColorButtonFace},
        {kSystemMenu, kSystemColorMenu}, {kSystemMenuHighlight, kSystemColorHighlight},
        {kSystemMenuText, kSystemColorMenuText},
    };
    for (const auto& row : system) {
        EXPECT_EQ(KColor(row.code).getNativeColor(), getSystemColorWin32(row.index)) << int(row.code);
        EXPECT_EQ(KColor(row.code).getRed() & 0xFF, 0) << int(row.code);
    }
}

TEST(KColor, NativeValuesMapByTheTimes256Rule)
{
    EXPECT_EQ(KColor(kMediumGray).getNativeColor(), 0x898989u);
    EXPECT_EQ(KColor(kWhite).getNativeColor(), 0xFFFFFFu);

    // 0x00BBGGRR: red 0x80, green 0xFF, blue 0x00; a transparent colour becomes opaque.
    KColor color(kTransparent);
    color.setNativeColor(0x0000FF80);
    EXPECT_EQ(componentsOf(color), (std::vector<uint16>{0x8000, 0xFF00, 0x0000}));
    EXPECT_EQ(color.getTransparency(), 0.0);
    uint32 native = 0;
    color.getNativeColor(native);
    EXPECT_EQ(native, 0x0000FF80u);

    // Going back keeps only the high byte of each component.
    KColor white(kWhite);
    white.setNativeColor(white.getNativeColor());
    EXPECT_EQ(componentsOf(white)[0], 0xFF00);
    EXPECT_NE(white, KColor(kWhite));
}

TEST(KColor, BlockHoldsComponentsAndTransparencyBigEndian)
{
    TemporaryFolder folder;
    BlockFile file(folder.file("color.bin"));
    const ByteList header = ByteList().append(BlockFile::header("KColor", 22));
    KColor color(0x1234, 0x5678, 0x9ABC);
    EXPECT_EQ(
        file.written(color), ByteList(header).shorts({0x1234, 0x5678, 0x9ABC}).raw({0, 0, 0, 0, 0, 0, 0, 0}).bytes());
    // 1.0 is 3F F0 00 ... as a big-endian double.
    KColor transparent(kTransparent);
    EXPECT_EQ(
        file.written(transparent), ByteList(header).shorts({0, 0, 0}).raw({0x3F, 0xF0, 0, 0, 0, 0, 0, 0}).bytes());
    KColor back(kRed);
    EXPECT_EQ(file.readBack(back), 0);
    EXPECT_EQ(back, KColor(kTransparent));
}

} // namespace
