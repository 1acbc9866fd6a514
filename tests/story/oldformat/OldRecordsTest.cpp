// Records of old documents: arrays and bags with their slots, records of the wrong class
// and damaged counts, and the styles of old texts with their fonts.
#include "story/oldformat/ZBag.h"
#include "story/oldformat/ZColor.h"
#include "story/oldformat/ZStroke.h"
#include "story/oldformat/ZStyledText.h"
#include "tests/story/oldformat/OldFormatTestSupport.h"

namespace {

using OldRecords = OldFormatTest;

// A LOGFONTA of that height and face, as Windows lays it out.
Bytes logFont(long Height, const std::string& Face)
{
    Bytes font(60, 0);
    for (int i = 0; i < 4; ++i)
        font[static_cast<std::size_t>(i)] = static_cast<unsigned char>(static_cast<uint32>(Height) >> (8 * i));
    std::copy(Face.begin(), Face.end(), font.begin() + 28);
    return font;
}

// A CHARFORMATA whose text colour is the COLORREF.
Bytes charFormat(uint32 ColorRef)
{
    Bytes format(60, 0);
    format[0] = 60;
    for (int i = 0; i < 4; ++i)
        format[static_cast<std::size_t>(20 + i)] = static_cast<unsigned char>(ColorRef >> (8 * i));
    return format;
}

TEST_F(OldRecords, ArraySlotsHoldObjectsEmptySlotsOrRawValues)
{
    // An empty slot reads as null and is written back as 0.
    const Bytes objects = OldBytes().header("ZArray", 2).longs({2}).bytes({0, 0}).longs({0}).longs({ZClass::makeClassID("ZColor")}).color(1, 2, 3);
    ZArray array;
    ASSERT_TRUE(read(array, objects));
    EXPECT_EQ(array[0], nullptr);
    EXPECT_EQ(static_cast<ZColor*>(array[1])->getGreen(), 2);
    EXPECT_EQ(written(array), objects);
    // A version 1 record has no swap byte: the values are as they lay in memory, unless
    // the array swapped its bytes already, as a stroke's points do.
    const Bytes values = OldBytes().header("ZArray").longs({1}).bytes({1}).bytes({0, 0, 0, 7});
    ASSERT_TRUE(read(array, values));
    EXPECT_EQ(array.getDirectDataAt(0), 0x07000000);
    ZArray swapped;
    swapped.setSwapBytes(true);
    ASSERT_TRUE(read(swapped, values));
    EXPECT_EQ(swapped.getDirectDataAt(0), 7);
}

TEST_F(OldRecords, ABagGrowsToItsMinimumSizeAfterItsSlotsWereRead)
{
    ZBag bag;
    ASSERT_TRUE(read(bag, OldBytes()
                              .header("ZArray", 2)
                              .longs({1})
                              .bytes({0, 0})
                              .longs({ZClass::makeClassID("ZColor")})
                              .color(9, 9, 9)
                              .header("ZBag")
                              .longs({1, 5, 3})));
    EXPECT_EQ(bag.getSize(), 3);
    EXPECT_EQ(bag.getCount(), 1);
    EXPECT_EQ(bag.getGrowSize(), 5);
    EXPECT_EQ(static_cast<ZColor*>(bag[0])->getRed(), 9);
}

TEST_F(OldRecords, DamagedRecordsAreRefusedWithoutReadingOn)
{
    const long colorID = ZClass::makeClassID("ZColor");
    const Bytes oneColor = OldBytes().header("ZArray", 2).longs({1}).bytes({0, 0}).longs({colorID}).color(1, 1, 1);
    // Arrays nested deeper than any document nests them.
    OldBytes nested;
    for (int i = 0; i < 20; ++i)
        nested.header("ZArray", 2).longs({1}).bytes({0, 0}).longs({ZClass::makeClassID("ZArray")});
    // The first two are read as a colour, the others as a bag.
    const struct {
        const char* what;
        Bytes bytes;
        const char* damage;
    } cases[] = {
        {"another class", OldBytes().header("ZSize").shorts({1, 2, 3}), "ZClass::readClassInfo: Wrong Class."},
        {"no class", OldBytes().header("Nothing").shorts({1, 2, 3}), "ZClass::readClassInfo: Invalid Class."},
        {"unregistered slot", OldBytes().header("ZArray", 2).longs({1}).bytes({0, 0}).header("Actor"),
         "ZClass::findClass: Class Was Not Registered."},
        {"size beyond the file", OldBytes().header("ZArray", 2).longs({0x7FFFFFFF}).bytes({1, 0, 1, 2, 3, 4}),
         "ZArray::readFromFile: Count Out Of Range"},
        {"negative size", OldBytes().header("ZArray", 2).longs({-1}).bytes({0, 0}), "ZArray::readFromFile: Count Out Of Range"},
        {"used beyond the size", OldBytes().append(oneColor).header("ZBag").longs({2, 1, 0}), "ZBag::readFromFile: Count Out Of Range"},
        {"no growth", OldBytes().append(oneColor).header("ZBag").longs({1, 0, 0}), "ZBag::readFromFile: Count Out Of Range"},
        {"huge minimum", OldBytes().append(oneColor).header("ZBag").longs({1, 1, 0x7FFFFFFF}),
         "ZBag::readFromFile: Count Out Of Range"},
        {"nesting", nested, "ZArray::readFromFile: Objects Nested Too Deeply"},
    };
    for (const auto& c : cases) {
        ZBag bag;
        ZColor color(5, 5, 5);
        ZThing& target = &c < &cases[2] ? static_cast<ZThing&>(color) : bag;
        EXPECT_FALSE(read(target, c.bytes)) << c.what;
        EXPECT_EQ(damage(), c.damage) << c.what;
        EXPECT_EQ(color.getRed(), 5) << c.what;
    }
    // Cut short: the reading fails and the colour keeps what it had.
    ZColor color(5, 5, 5);
    EXPECT_FALSE(read(color, OldBytes().header("ZColor").shorts({1, 2})));
    EXPECT_EQ(m_file.getError(), ZFile::ReadFault);
    EXPECT_EQ(color.getBlue(), 5);
}

TEST_F(OldRecords, AWindowsStyleTakesItsFontFromTheFontRecordAndItsColourFromTheFormat)
{
    ZStyleInfo fontOnly;
    ASSERT_TRUE(read(fontOnly, OldBytes().header("ZStyleInfo").longs({60}).append(logFont(-16, "Arial"))));
    EXPECT_EQ(fontOnly.getFont().getFontSize(), 12);
    EXPECT_EQ(fontOnly.getFont().getFontName(), ZString("Arial"));
    EXPECT_EQ(fontOnly.getFont().getNativeFont().getHeight(), -16);
    EXPECT_EQ(fontOnly.getColor(), ZColor(0, 0, 0));

    ZStyleInfo withFormat;
    ASSERT_TRUE(read(withFormat,
                     OldBytes().header("ZStyleInfo").longs({120}).append(charFormat(0x00123456)).append(logFont(-20, "Courier"))));
    EXPECT_EQ(withFormat.getColor(), ZColor(0x5600, 0x3400, 0x1200));
    EXPECT_EQ(withFormat.getFont().getFontSize(), 15);
    EXPECT_EQ(withFormat.getCharFormat().getTextColor(), 0x00123456u);
    EXPECT_NE(withFormat.getCharFormat().getMask() & ZCharFormat::kColorMask, 0u);
    // A block of a length that is neither is passed over, and the reading stays in step.
    ZStyleInfo odd;
    EXPECT_TRUE(read(odd, OldBytes()
                              .header("ZStyleInfo", 2)
                              .longs({ZStyleInfo::kWindowsTag, 5})
                              .bytes({1, 2, 3, 4, 5})
                              .color(0, 65535, 0)
                              .shorts({10, 0})
                              .string("Verdana")));
    EXPECT_EQ(odd.getFont().getFontName(), ZString("Verdana"));
    EXPECT_EQ(odd.getCharFormat().getTextColor(), 0x0000FF00u);
    EXPECT_EQ(ZStyleInfo::getStylePlatform(), kPlatformWindows);

    EXPECT_FALSE(read(odd, OldBytes().header("ZStyleInfo", 3).longs({0})));
    EXPECT_EQ(damage(), "ZStyleInfo::readFromFile: Unknown Version");
}

TEST_F(OldRecords, AMacStyleSkipsItsBlockAndTakesThePortablePart)
{
    ZStyleInfo style;
    ASSERT_TRUE(read(style, OldBytes()
                                .header("ZStyleInfo", 2)
                                .longs({ZStyleInfo::kMacTag, 4})
                                .bytes({0xDE, 0xAD, 0xBE, 0xEF})
                                .color(65535, 0, 0)
                                .shorts({14, 0x03})
                                .string("Times")));
    EXPECT_EQ(ZStyleInfo::getStylePlatform(), kPlatformMac);
    ZStyleInfo::setStylePlatform(kPlatformWindows);
    const ZLogFont& font = style.getFont().getNativeFont();
    EXPECT_EQ(style.getFont().getFontSize(), 14);
    EXPECT_EQ(font.getHeight(), -19);
    EXPECT_EQ(font.getWeight(), 700);
    EXPECT_TRUE(font.isItalic());
    EXPECT_EQ(style.getCharFormat().getTextColor(), 0x000000FFu);
    // A block that would reach beyond the file is damage.
    EXPECT_FALSE(read(style, OldBytes().header("ZStyleInfo", 2).longs({ZStyleInfo::kMacTag, -8})));
    EXPECT_EQ(damage(), "ZStyleInfo::readFromFile: Count Out Of Range");
    ZStyleInfo::setStylePlatform(kPlatformWindows);
}

TEST_F(OldRecords, FontStylesAndNamesReachTheFontRecord)
{
    ZFont font;
    font.setFontStyle(0x80);
    EXPECT_TRUE(font.getNativeFont().isStruckOut());
    EXPECT_EQ(font.getNativeFont().getWeight(), 400);
    font.setFontStyle(0x08);
    EXPECT_FALSE(font.getNativeFont().isStruckOut() || font.getNativeFont().isItalic() || font.getNativeFont().isUnderlined());
    font.setFontName(ZString("A Face Name Of Exactly Forty Characters!"));
    char face[ZNativeRecord::kFaceNameSize + 1];
    EXPECT_STREQ(font.getNativeFont().getFaceName(face), "A Face Name Of Exactly Forty Ch");
    EXPECT_EQ(ZFont::mulDiv(-16, 72, 96), -12);
    EXPECT_EQ(ZFont::mulDiv(14, 96, 72), 19);
}

TEST_F(OldRecords, StyledTextKeepsItsAlignmentAndStyleThroughAWriteAndARead)
{
    ZStyledText text;
    text.setText(ZString("Hello"));
    text.setAlignment(-2);
    text.getStyle().setColor(ZColor(0, 0, 65535));
    text.getStyle().getFont().setFontSize(18);
    const Bytes stored = written(text);
    // The style is written as a Windows version 2 record, with the format and the font.
    const Bytes styleStart = OldBytes().header("ZStyleInfo", 2).longs({ZStyleInfo::kWindowsTag, 120});
    EXPECT_TRUE(std::search(stored.begin(), stored.end(), styleStart.begin(), styleStart.end()) != stored.end());
    const Bytes end = OldBytes().shorts({18, 0}).string(text.getStyle().getFont().getFontName().getText()).bytes({0xFF, 0xFE}).color(65535, 65535, 65535);
    EXPECT_TRUE(std::equal(end.rbegin(), end.rend(), stored.rbegin()));

    ZStyledText back;
    back.setAlignment(1);
    ASSERT_TRUE(read(back, stored));
    EXPECT_EQ(back.getAlignment(), -2);
    EXPECT_EQ(back.getText(), ZString("Hello"));
    EXPECT_EQ(back.getStyle().getColor(), ZColor(0, 0, 65535));
    EXPECT_EQ(back.getStyle().getFont().getFontSize(), 18);
}

} // namespace
