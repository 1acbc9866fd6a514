// Fonts and text styles: sizes between platform conventions, the native font height, the
// standard fonts, and the three blocks byte for byte.
#include "graphics/KTextStyleRun.h"
#include "tests/graphics/TextTestSupport.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace {

Bytes fontBlock(const Bytes& Name, double Size, int Platform, long Style)
{
    return oneSectionBlock("KFont",
        ByteList()
            .append(Name)
            .append(doubleBytes(Size))
            .shorts({Platform})
            .append(oneSectionBlock("KFlagSet", ByteList().longs({Style}))));
}

TEST(KFont, SizesConvertBetweenMacAndWindowsPointsAndTruncateToWholePoints)
{
    const KFont windows(KString("Arial"), 12.0, kPlatformWindows);
    EXPECT_EQ(windows.getSize(kPlatformWindows), 12.0);
    EXPECT_EQ(windows.getSize(kPlatformMac), 16.0);
    EXPECT_EQ(windows.getSize(kPlatformNone), 12.0);
    const KFont mac(KString("Geneva"), 16.0, kPlatformMac);
    EXPECT_EQ(mac.getSize(kPlatformWindows), 12.0);
    // No rounding on the way: 11 Windows points are 14.666... Mac points.
    EXPECT_DOUBLE_EQ(KFont(KString("Arial"), 11.0, kPlatformWindows).getSize(kPlatformMac), 11.0 * 96 / 72);

    // 11 points at 96 pixels per inch are 14.67 pixels, rounded to 15; 11.7 is 11.
    EXPECT_EQ(kksGetNativeFontHeight(KFont(KString("Arial"), 11.0, kPlatformWindows), 96), -15);
    EXPECT_EQ(kksGetNativeFontHeight(KFont(KString("Arial"), 11.7, kPlatformWindows), 96), -15);
    EXPECT_EQ(kksGetNativeFontHeight(KFont(KString("Arial"), 12.0, kPlatformWindows), 96), -16);
    // A Mac size is converted first: 16 Mac points are 12 Windows points.
    EXPECT_EQ(kksGetNativeFontHeight(KFont(KString("Arial"), 16.0, kPlatformMac), 96), -16);
    EXPECT_EQ(kksGetNativeFontHeight(KFont(KString("Arial"), 12.0, kPlatformWindows), 72), -12);
}

TEST(KFont, StandardFontsComeFromTheSystemAndUnknownOnesAreHelvetica)
{
    // A size of 0 keeps the standard font's size, or is 12 for a named font.
    EXPECT_EQ(KFont(kInterfaceFont, 0.0, kPlatformMac).getSize(), KFont(kInterfaceFont).getSize());
    EXPECT_EQ(KFont(KString("Arial"), 0.0, kPlatformMac).getSize(), 12.0);
    const KFont fallback(KStandardFont(7));
    EXPECT_EQ(textOf(fallback.getName()), "helvetica");
    EXPECT_EQ(fallback.getSize(), 12.0);

    ReportCatcher catcher;
    KString name("old");
    kksGetStandardFont(9, name, nullptr);
    EXPECT_TRUE(catcher.caught(18, "void kksGetStandardFont(KStandardFont F, KString& Name, double* Size)"));
    EXPECT_EQ(textOf(name), "helvetica");
}

class TextStyleBlocks : public testing::Test {
protected:
    TemporaryFolder folder;
    BlockFile file{folder.file("style.bin")};
};

TEST_F(TextStyleBlocks, FontStyleAndRunBlocksByteForByte)
{
    KFont font(KString("Arial"), 12.5, kPlatformWindows);
    font.setStyle(KFlagSet(0x9));
    const Bytes expectedFont = fontBlock(stringBlock("Arial"), 12.5, 2, 0x9);
    EXPECT_EQ(file.written(font), expectedFont);

    KTextStyle style(font, KColor(0x1234, 0x5678, 0x9ABC));
    const Bytes expectedStyle
        = oneSectionBlock("KTextStyle", ByteList().append(expectedFont).append(colorBlock(0x1234, 0x5678, 0x9ABC)));
    EXPECT_EQ(file.written(style), expectedStyle);

    KTextStyleRun run(style, 7);
    EXPECT_EQ(file.written(run), oneSectionBlock("KTextStyleRun", ByteList().append(expectedStyle).longs({7})));
    KTextStyleRun back;
    EXPECT_EQ(file.readBack(back), 0);
    EXPECT_EQ(textOf(back.getFont().getName()), "Arial");
    EXPECT_EQ(back.getFont().getSize(), 12.5);
    EXPECT_EQ(back.getFont().getPlatform(), kPlatformWindows);
    EXPECT_EQ(back.getFont().getStyle().getFlags(), 0x9u);
    EXPECT_EQ(back.getColor(), KColor(0x1234, 0x5678, 0x9ABC));
    EXPECT_EQ(back.getLength(), 7);

    // Only the low byte of the platform is read.
    EXPECT_EQ(file.read(font, fontBlock(stringBlock("Courier"), 9.0, 0x0301, 0)), 0);
    EXPECT_EQ(font.getPlatform(), kPlatformMac);
    EXPECT_EQ(textOf(font.getName()), "Courier");
}

TEST_F(TextStyleBlocks, ADamagedFontSectionLeavesTheFontAsItWas)
{
    // The face name claims more characters than its section holds.
    const Bytes badName = oneSectionBlock("KString", ByteList().shorts({1}).longs({5000}).text("Ari"));
    KFont font(KString("Arial"), 10.0, kPlatformWindows);
    EXPECT_NE(file.read(font, fontBlock(badName, 30.0, 1, 7)), 0);
    EXPECT_EQ(textOf(font.getName()), "Arial");
    EXPECT_EQ(font.getSize(), 10.0);
    EXPECT_EQ(font.getPlatform(), kPlatformWindows);
    EXPECT_EQ(font.getStyle().getFlags(), 0u);
}

} // namespace
