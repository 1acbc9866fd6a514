// Colours: the standard codes, the ×256 rule between 16-bit components and native values,
// and the class block.
#include "graphics/KColor.h"
#include "graphics/SystemColorsWin32.h"
#include "tests/graphics/BlockFiles.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Components {
    uint16 red, green, blue;
};

Components componentsOf(const KColor& Color)
{
    Components c{};
    Color.getRGB(c.red, c.green, c.blue);
    return c;
}

TEST(KColor, FixedStandardColoursHaveTheirComponents)
{
    const struct {
        KStandardColor code;
        Components expected;
    } rows[] = {
        {kBlack, {0, 0, 0}},           {kWhite, {0xFFFF, 0xFFFF, 0xFFFF}},   {kRed, {0xFFFF, 0, 0}},
        {kGreen, {0, 0xFFFF, 0}},      {kBlue, {0, 0, 0xFFFF}},              {kYellow, {0xFFFF, 0xFFFF, 0}},
        {kCyan, {0, 0xFFFF, 0xFFFF}},  {kMagenta, {0xFFFF, 0, 0xFFFF}},      {kLightGray, {0xC000, 0xC000, 0xC000}},
        {kGray, {0x8000, 0x8000, 0x8000}}, {kDarkGray, {0x4000, 0x4000, 0x4000}},
        {kMediumGray, {0x8900, 0x8900, 0x8900}}, {kPaleGray, {0xDE00, 0xDE00, 0xDE00}},
    };
    for (const auto& row : rows) {
        const KColor color(row.code);
        const Components c = componentsOf(color);
        EXPECT_EQ(c.red, row.expected.red) << int(row.code);
        EXPECT_EQ(c.green, row.expected.green) << int(row.code);
        EXPECT_EQ(c.blue, row.expected.blue) << int(row.code);
        EXPECT_EQ(color.getTransparency(), 0.0) << int(row.code);
    }
}

TEST(KColor, TransparentIsBlackWithFullTransparencyAndDiffersFromBlack)
{
    const KColor transparent(kTransparent);
    EXPECT_EQ(transparent.getTransparency(), 1.0);
    EXPECT_EQ(transparent.getNativeColor(), 0u);
    EXPECT_NE(transparent, KColor(kBlack));
    EXPECT_EQ(KColor(transparent), transparent);
}

TEST(KColor, SystemColoursAreTheDesktopColoursTimes256)
{
    const struct {
        KStandardColor code;
        int index;
    } rows[] = {
        {kSystemButtonFace, kSystemColorButtonFace}, {kSystemHighlight, kSystemColorHighlight},
        {kSystemHighlightText, kSystemColorHighlightText}, {kSystemDialogFace, kSystemColorButtonFace},
        {kSystemMenu, kSystemColorMenu}, {kSystemMenuHighlight, kSystemColorHighlight},
        {kSystemMenuText, kSystemColorMenuText},
    };
    for (const auto& row : rows) {
        const KColor color(row.code);
        EXPECT_EQ(color.getNativeColor(), getSystemColorWin32(row.index)) << int(row.code);
        EXPECT_EQ(color.getRed() & 0xFF, 0) << int(row.code);
    }
    EXPECT_EQ(KColor(kSystemButtonFace), KColor(kSystemDialogFace));
}

TEST(KColor, NativeValuesMapByTheTimes256Rule)
{
    EXPECT_EQ(KColor(kMediumGray).getNativeColor(), 0x898989u);
    EXPECT_EQ(KColor(kWhite).getNativeColor(), 0xFFFFFFu);

    // 0x00BBGGRR: red 0x80, green 0xFF, blue 0x00; a transparent colour becomes opaque.
    KColor color(kTransparent);
    color.setNativeColor(0x0000FF80);
    const Components c = componentsOf(color);
    EXPECT_EQ(c.red, 0x8000);
    EXPECT_EQ(c.green, 0xFF00);
    EXPECT_EQ(c.blue, 0x0000);
    EXPECT_EQ(color.getTransparency(), 0.0);
    uint32 native = 0;
    color.getNativeColor(native);
    EXPECT_EQ(native, 0x0000FF80u);

    // Going back keeps only the high byte of each component.
    KColor white(kWhite);
    white.setNativeColor(white.getNativeColor());
    EXPECT_EQ(componentsOf(white).red, 0xFF00);
    EXPECT_NE(white, KColor(kWhite));
}

TEST(KColor, BlockHoldsComponentsAndTransparencyBigEndian)
{
    BlockFiles files;
    KColor color(0x1234, 0x5678, 0x9ABC);
    EXPECT_EQ(files.written(color),
              BlockFiles::header("KColor", 22).shorts({0x1234, 0x5678, 0x9ABC}).raw({0, 0, 0, 0, 0, 0, 0, 0}).bytes());

    // 1.0 is 3F F0 00 ... as a big-endian double.
    KColor transparent(kTransparent);
    const Bytes stored = files.written(transparent);
    EXPECT_EQ(stored, BlockFiles::header("KColor", 22).shorts({0, 0, 0}).raw({0x3F, 0xF0, 0, 0, 0, 0, 0, 0}).bytes());

    KColor back(kRed);
    EXPECT_EQ(files.read(back, stored), long(stored.size()));
    EXPECT_EQ(back, KColor(kTransparent));
}

TEST(KColor, BlockWithoutSectionOneLeavesTheColour)
{
    BlockFiles files;
    const long id = KClass::findClass("KColor")->getClassID();
    const Bytes other = ByteList().longs({id, 1, 12, 1, 2, 12}).shorts({1, 2}).bytes();
    KColor color(kCyan);
    EXPECT_EQ(files.read(color, other), long(other.size()));
    EXPECT_EQ(color, KColor(kCyan));
}

} // namespace
