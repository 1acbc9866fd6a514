// Fonts and text styles: sizes between platform conventions, the native font height, the
// standard fonts, and the three blocks byte for byte.
#include "graphics/KTextStyleRun.h"
#include "tests/graphics/TextTestSupport.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace {

const std::string kNotYetImplemented = "Not Yet Implemented!";

Bytes flagSetBlock(long Flags) { return oneSectionBlock("KFlagSet", ByteList().longs({Flags})); }

Bytes fontBlock(const std::string& Name, double Size, int Platform, long Style)
{
    return oneSectionBlock("KFont", ByteList()
                                        .append(stringBlock(Name))
                                        .append(doubleBytes(Size))
                                        .shorts({Platform})
                                        .append(flagSetBlock(Style)));
}

Bytes colorBlock(int Red, int Green, int Blue)
{
    return oneSectionBlock("KColor", ByteList().shorts({Red, Green, Blue}).append(doubleBytes(0.0)));
}

TEST(KFont, SizesConvertBetweenMacAndWindowsPoints)
{
    const KFont windows(KString("Arial"), 12.0, kPlatformWindows);
    EXPECT_EQ(windows.getSize(kPlatformWindows), 12.0);
    EXPECT_EQ(windows.getSize(kPlatformMac), 16.0);
    EXPECT_EQ(windows.getSize(kPlatformNone), 12.0);

    const KFont mac(KString("Geneva"), 16.0, kPlatformMac);
    EXPECT_EQ(mac.getSize(kPlatformWindows), 12.0);
    EXPECT_EQ(mac.getSize(kPlatformMac), 16.0);
    // No rounding on the way: 11 Windows points are 14.666... Mac points.
    EXPECT_DOUBLE_EQ(KFont(KString("Arial"), 11.0, kPlatformWindows).getSize(kPlatformMac), 11.0 * 96 / 72);
}

TEST(KFont, ConventionsWithoutAConversionSayNotYetImplementedAndStillAnswer)
{
    ReportCatcher catcher;
    const KFont windows(KString("Arial"), 12.0, kPlatformWindows);
    EXPECT_EQ(windows.getSize(kPlatformLinux), 12.0);
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].caption, kNotYetImplemented);
    EXPECT_EQ(catcher.boxes()[0].text, "double kksConvertToLinuxFontSize(double Size, KPlatform P)");

    // From a Linux size: converted as from the other platform, after the notice.
    catcher.clear();
    const KFont linux(KString("Sans"), 12.0, kPlatformLinux);
    EXPECT_EQ(linux.getSize(kPlatformMac), 16.0);
    EXPECT_EQ(linux.getSize(kPlatformWindows), 9.0);
    EXPECT_EQ(catcher.boxes().size(), 2u);

    // A size of no platform is a Mac size for the Mac and unknown for Windows.
    catcher.clear();
    const KFont none(KString("Sans"), 12.0, kPlatformNone);
    EXPECT_EQ(none.getSize(kPlatformMac), 12.0);
    EXPECT_TRUE(catcher.boxes().empty());
    EXPECT_EQ(none.getSize(kPlatformWindows), 9.0);
    EXPECT_EQ(catcher.boxes().size(), 1u);
    EXPECT_TRUE(catcher.reports().empty());
}

TEST(KFont, NativeHeightTruncatesToWholePoints)
{
    // 11 points at 96 pixels per inch are 14.67 pixels, rounded to 15.
    EXPECT_EQ(kksGetNativeFontHeight(KFont(KString("Arial"), 11.0, kPlatformWindows), 96), -15);
    EXPECT_EQ(kksGetNativeFontHeight(KFont(KString("Arial"), 11.7, kPlatformWindows), 96), -15);
    EXPECT_EQ(kksGetNativeFontHeight(KFont(KString("Arial"), 12.0, kPlatformWindows), 96), -16);
    // A Mac size is converted first: 16 Mac points are 12 Windows points.
    EXPECT_EQ(kksGetNativeFontHeight(KFont(KString("Arial"), 16.0, kPlatformMac), 96), -16);
    EXPECT_EQ(kksGetNativeFontHeight(KFont(KString("Arial"), 12.0, kPlatformWindows), 72), -12);
}

TEST(KFont, ConstructorsFillSizesAndPlatforms)
{
    const KFont named(KString("Arial"), 0.0, kPlatformMac);
    EXPECT_EQ(textOf(named.getName()), "Arial");
    EXPECT_EQ(named.getSize(), 12.0);
    EXPECT_EQ(named.getPlatform(), kPlatformMac);
    EXPECT_EQ(named.getStyle().getFlags(), 0u);

    // The standard interface font comes from the system; a size of 0 keeps its size.
    const KFont standard(kInterfaceFont);
    EXPECT_FALSE(standard.getName().isEmpty());
    EXPECT_GT(standard.getSize(), 0.0);
    EXPECT_EQ(standard.getPlatform(), kPlatformWindows);
    const KFont keepsSize(kInterfaceFont, 0.0, kPlatformMac);
    EXPECT_EQ(keepsSize.getSize(), standard.getSize());
    EXPECT_EQ(keepsSize.getPlatform(), kPlatformMac);
    EXPECT_EQ(KFont(kInterfaceFont, 20.0, kPlatformWindows).getSize(), 20.0);

    const KFont fallback(KStandardFont(7));
    EXPECT_EQ(textOf(fallback.getName()), "helvetica");
    EXPECT_EQ(fallback.getSize(), 12.0);
}

TEST(KFont, StandardFontWithoutASizeToFillIsReported)
{
    ReportCatcher catcher;
    KString name("old");
    kksGetStandardFont(9, name, nullptr);
    EXPECT_TRUE(catcher.caught(18, "void kksGetStandardFont(KStandardFont F, KString& Name, double* Size)"));
    EXPECT_EQ(textOf(name), "helvetica");

    double size = 0.0;
    kksGetStandardFont(kSystemFont, name, &size);
    EXPECT_FALSE(name.isEmpty());
    EXPECT_GT(size, 0.0);
}

TEST(KTextStyle, CopiesCarryTheWholeFont)
{
    KFont font(KString("Arial"), 14.0, kPlatformMac);
    font.setStyle(KFlagSet(kFontBold | kFontUnderline | 0x40));
    const KTextStyle style(font, KColor(kRed));

    KTextStyle copy;
    copy.copyFrom(style);
    EXPECT_EQ(textOf(copy.getFont().getName()), "Arial");
    EXPECT_EQ(copy.getFont().getPlatform(), kPlatformMac);
    EXPECT_EQ(copy.getFont().getStyle().getFlags(), kFontBold | kFontUnderline | 0x40);
    EXPECT_EQ(copy.getColor(), KColor(kRed));

    const KTextStyleRun runCopy(KTextStyleRun(style, 5));
    EXPECT_EQ(runCopy.getLength(), 5);
    EXPECT_EQ(runCopy.getFont().getStyle().getFlags(), kFontBold | kFontUnderline | 0x40);
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
    const Bytes expectedFont = fontBlock("Arial", 12.5, 2, 0x9);
    EXPECT_EQ(file.written(font), expectedFont);

    KTextStyle style(font, KColor(0x1234, 0x5678, 0x9ABC));
    const Bytes expectedStyle =
        oneSectionBlock("KTextStyle", ByteList().append(expectedFont).append(colorBlock(0x1234, 0x5678, 0x9ABC)));
    EXPECT_EQ(file.written(style), expectedStyle);

    KTextStyleRun run(style, 7);
    EXPECT_EQ(file.written(run), oneSectionBlock("KTextStyleRun", ByteList().append(expectedStyle).longs({7})));
}

TEST_F(TextStyleBlocks, RunReadBackKeepsFontColourAndLength)
{
    KFont font(KString("Times"), 16.0, kPlatformMac);
    // A bit that means nothing for drawing survives the round trip.
    font.setStyle(KFlagSet(kFontItalic | 0x100));
    KTextStyleRun run(KTextStyle(font, KColor(kBlue)), 42);

    KTextStyleRun back;
    EXPECT_EQ(file.roundTrip(run, back), 0);
    EXPECT_EQ(textOf(back.getFont().getName()), "Times");
    EXPECT_EQ(back.getFont().getSize(), 16.0);
    EXPECT_EQ(back.getFont().getPlatform(), kPlatformMac);
    EXPECT_EQ(back.getFont().getStyle().getFlags(), kFontItalic | 0x100u);
    EXPECT_EQ(back.getColor(), KColor(kBlue));
    EXPECT_EQ(back.getLength(), 42);
}

TEST_F(TextStyleBlocks, OnlyTheLowByteOfThePlatformIsRead)
{
    KFont font(KString("Arial"), 10.0, kPlatformWindows);
    EXPECT_EQ(file.read(font, fontBlock("Courier", 9.0, 0x0301, 0)), 0);
    EXPECT_EQ(font.getPlatform(), kPlatformMac);
    EXPECT_EQ(textOf(font.getName()), "Courier");
    EXPECT_EQ(font.getSize(), 9.0);
}

TEST_F(TextStyleBlocks, BlocksWithoutSectionOneLeaveTheValues)
{
    const long runID = KClass::findClass("KTextStyleRun")->getClassID();
    const Bytes otherSection = ByteList().longs({runID, 1, 12, 1, 2, 12}).longs({99});
    KTextStyleRun run;
    const KTextStyleRun defaults;
    EXPECT_EQ(file.read(run, otherSection), 0);
    EXPECT_EQ(run.getLength(), 0);
    EXPECT_EQ(textOf(run.getFont().getName()), textOf(defaults.getFont().getName()));
    EXPECT_EQ(run.getColor(), KColor(kBlack));

    const long fontID = KClass::findClass("KFont")->getClassID();
    KFont font(KString("Arial"), 10.0, kPlatformWindows);
    EXPECT_EQ(file.read(font, ByteList().longs({fontID, 1, 12, 1, 3, 12}).longs({0})), 0);
    EXPECT_EQ(textOf(font.getName()), "Arial");
    EXPECT_EQ(font.getSize(), 10.0);
}

TEST_F(TextStyleBlocks, ADamagedFontSectionLeavesTheFontAsItWas)
{
    // The face name claims more characters than its section holds.
    const Bytes badName = oneSectionBlock("KString", ByteList().shorts({1}).longs({5000}).text("Ari"));
    const Bytes damaged = oneSectionBlock(
        "KFont", ByteList().append(badName).append(doubleBytes(30.0)).shorts({1}).append(flagSetBlock(7)));
    KFont font(KString("Arial"), 10.0, kPlatformWindows);
    EXPECT_NE(file.read(font, damaged), 0);
    EXPECT_EQ(textOf(font.getName()), "Arial");
    EXPECT_EQ(font.getSize(), 10.0);
    EXPECT_EQ(font.getPlatform(), kPlatformWindows);
    EXPECT_EQ(font.getStyle().getFlags(), 0u);
}

} // namespace
