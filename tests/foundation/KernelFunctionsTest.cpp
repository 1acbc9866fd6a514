// The kernel functions: platform and versions, character sets, random scaling, key codes,
// message boxes and display modes.
#include "foundation/KBag.h"
#include "foundation/KGraphicSize.h"
#include "foundation/KStringBag.h"
#include "foundation/KernelFunctions.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(KernelFunctions, PlatformVersionsAndSeparators)
{
    EXPECT_EQ(knsGetPlatform(), 2);
    EXPECT_EQ(knsGetCharacterSet(2), 1);
    EXPECT_EQ(knsGetCharacterSet(1), 0);
    EXPECT_EQ(knsGetCharacterSet(3), 0);
    const char* separators[] = {"/", ":", "\\", "/"};
    for (uint8 platform = 0; platform < 4; ++platform)
        EXPECT_EQ(text(knsGetPathSeparator(platform)), separators[platform]);
    EXPECT_EQ(text(knsGetPathSeparator(200)), "/");

    const uint8 versions[][4] = {{0, 3, 1, 11},  {1, 4, 0, 12},  {1, 4, 10, 13}, {1, 4, 90, 14}, {1, 4, 3, 21},
                                 {2, 3, 51, 15}, {2, 4, 0, 16},  {2, 5, 0, 17},  {2, 5, 1, 18},  {2, 5, 2, 19},
                                 {2, 6, 1, 20},  {2, 10, 0, 21}};
    for (const auto& v : versions)
        EXPECT_EQ(knsClassifyOSVersion(v[0], v[1], v[2]), v[3]) << int(v[0]) << "." << int(v[1]) << "." << int(v[2]);
    // Wine answers as a later NT (Windows 10, or 6.2 without a manifest): the check accepts it.
    const uint8 running = knsGetOSVersion();
    EXPECT_TRUE(running == 20 || running == 21) << int(running);
    EXPECT_TRUE(knsCanRun());
}

TEST(KernelFunctions, CharacterConversionTables)
{
    for (int b = 0; b < 128; ++b) {
        EXPECT_EQ(knsConvertChar(char(b), 0, 1), char(b));
        EXPECT_EQ(knsConvertChar(char(b), 1, 0), char(b));
    }
    const struct {
        unsigned char from;
        uint8 fromSet, toSet;
        unsigned char to;
    } cases[] = {
        {0x8E, 0, 0, 0x8E}, {0x8E, 0, 1, 0xE9}, {0xE9, 1, 0, 0x8E}, // é; equal sets change nothing
        {0xDB, 0, 1, 0x80},                                         // the euro sign
        {0xD2, 0, 1, 0x94}, {0x93, 1, 0, 0xD3},                     // the kept quote swap
        {0xF0, 0, 1, 0x7F},                                         // the Apple logo has no equivalent
        {0x81, 1, 0, 0x7F},                                         // unassigned in Windows-1252
        {0x8A, 1, 0, 'S'},                                          // Š loses its caron
        {0x41, 7, 0, 0x41},                                         // unknown set: unchanged
    };
    for (const auto& c : cases)
        EXPECT_EQ(knsConvertChar(char(c.from), c.fromSet, c.toSet), char(c.to)) << int(c.from);

    // Letters with accents survive the round trip both ways.
    for (unsigned char b : {0x80, 0x87, 0x8E, 0x96, 0x9F, 0xA7, 0xAE, 0xBF, 0xCB, 0xE7})
        EXPECT_EQ(knsConvertChar(knsConvertChar(char(b), 0, 1), 1, 0), char(b)) << int(b);
    for (unsigned char b : {0xC0, 0xC9, 0xD1, 0xDF, 0xE0, 0xE9, 0xF1, 0xFC, 0xFF})
        EXPECT_EQ(knsConvertChar(knsConvertChar(char(b), 1, 0), 0, 1), char(b)) << int(b);

    char converted[] = "caf\xE9";
    knsConvertText(converted, 4, 1, 0);
    EXPECT_STREQ(converted, "caf\x8E");
}

TEST(KernelFunctions, RandomScalingStaysInItsRange)
{
    EXPECT_EQ(knsScaleRandom(5, 5, 0), 5);
    EXPECT_EQ(knsScaleRandom(5, 5, 32767), 5);
    EXPECT_EQ(knsScaleRandom(0, 9, 0), 0);
    EXPECT_EQ(knsScaleRandom(0, 9, 16383), 4);
    EXPECT_EQ(knsScaleRandom(0, 9, 32767), 9); // 10 is lowered to the maximum
    // An inverted range: 10 + 20000 × (−6) / 32767 = 7 is not below Min but above Max.
    EXPECT_EQ(knsScaleRandom(10, 3, 20000), 3);
    for (int i = 0; i < 100; ++i) {
        const uint16 value = knsRandom(3, 7);
        EXPECT_TRUE(value >= 3 && value <= 7) << value;
    }
}

TEST(KernelFunctions, KeyCodesNameTheirVirtualKeys)
{
    const std::pair<uint8, int> keys[] = {{1, 0x1B},  {2, 0x70},  {16, 0x7E}, {18, '1'},  {27, '0'},  {32, 'Q'},
                                          {45, 'A'},  {66, 'M'},  {85, 0x61}, {94, 0x60}, {102, 0x90}, {0, 0},
                                          {29, 0},    {59, 0},    {73, 0},    {96, 0},    {101, 0},   {103, 0},
                                          {200, 0}};
    for (const auto& [code, key] : keys)
        EXPECT_EQ(knsVirtualKeyOfKeyCode(code), key) << int(code);
    EXPECT_EQ(knsVirtualKeyOfKeyCode(56), knsVirtualKeyOfKeyCode(69));
    EXPECT_FALSE(knsIsKeyDown(29));
    EXPECT_FALSE(knsIsKeyDown(200));
}

TEST(KernelFunctions, MessageBoxesAndQuestionsAnswerTwoForYesOnly)
{
    ReportCatcher catcher;
    knsMessageBox(KString("Caption"), KString("Text"));
    const std::pair<int, uint8> answers[] = {{IDYES, 2}, {IDNO, 3}, {IDCANCEL, 3}};
    for (const auto& [button, answer] : answers) {
        catcher.answerBoxesWith(button);
        EXPECT_EQ(knsQuestionBox("Quit", "Really?"), answer);
    }
    EXPECT_EQ(knsQuestionBox(KString("Sure?"), KString()), 3);
    knsNotYetImplemented("KTimer::readFromFile");
    const auto& boxes = catcher.boxes();
    ASSERT_EQ(boxes.size(), 6u);
    EXPECT_EQ(boxes[0].caption, "Caption");
    EXPECT_EQ(boxes[0].text, "Text");
    EXPECT_EQ(boxes[0].flags, unsigned(MB_OK | MB_ICONASTERISK | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST));
    EXPECT_EQ(boxes[1].flags, unsigned(MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST));
    EXPECT_EQ(boxes[4].text, "");
    EXPECT_EQ(boxes[5].caption, "Not Yet Implemented!");
    EXPECT_EQ(boxes[5].text, "KTimer::readFromFile");
}

KBag modes(std::initializer_list<long> Triples)
{
    KBag bag;
    bag.setIsDirect(true);
    for (long value : Triples)
        bag.addDirectData(value);
    return bag;
}

TEST(KernelFunctions, DisplayModesAndFontNames)
{
    const KBag listed = modes({640, 480, 32, 800, 600, 8, 1024, 768, 16});
    EXPECT_TRUE(knsFirstModeAtLeast(listed, 800, 600, 16) == KGraphicSize(1024, 768));
    EXPECT_TRUE(knsFirstModeAtLeast(listed, 640, 480, 8) == KGraphicSize(640, 480));
    EXPECT_TRUE(knsFirstModeAtLeast(listed, 1280, 1024, 8) == KGraphicSize(0, 0));
    EXPECT_TRUE(knsFirstModeAtLeast(modes({}), 1, 1, 1) == KGraphicSize(0, 0));

    // Every mode the system lists for a minimum meets it.
    const KBag large = knsFindDisplayMode(1024, 768, 16);
    ASSERT_EQ(large.getCount() % 3, 0);
    for (long i = 0; i < large.getCount(); i += 3) {
        EXPECT_TRUE(large.getDirectDataAt(i) >= 1024 && large.getDirectDataAt(i + 1) >= 768);
        EXPECT_GE(large.getDirectDataAt(i + 2), 16);
    }

    // Font names come unique and sorted.
    const KStringBag names = knsGetFontNames();
    for (long i = 1; i < names.getCount(); ++i)
        EXPECT_TRUE(names.getStringAt(i - 1) < names.getStringAt(i)) << text(names.getStringAt(i));
}

} // namespace
