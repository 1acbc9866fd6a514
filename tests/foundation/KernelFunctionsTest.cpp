// The kernel functions' pure rules: platform, byte order, character sets, random
// scaling, key codes and system versions.
#include "foundation/KMemory.h"
#include "foundation/KernelFunctions.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(KernelFunctions, PlatformAndCharacterSets)
{
    EXPECT_EQ(knsGetPlatform(), 2);
    EXPECT_EQ(knsGetCharacterSet(2), 1);
    EXPECT_EQ(knsGetCharacterSet(1), 0);
    EXPECT_EQ(knsGetCharacterSet(3), 0);
    EXPECT_TRUE(knsCanRun());
}

TEST(KernelFunctions, SwapsReverseTheBytes)
{
    EXPECT_EQ(knsSwapShort(0x1234), 0x3412);
    EXPECT_EQ(knsSwapLong(0x11223344), 0x44332211);
    float one = 1.0f;
    float swapped = knsSwapFloat(one);
    unsigned char bytes[4];
    std::memcpy(bytes, &swapped, 4);
    EXPECT_EQ(bytes[0], 0x3F);
    EXPECT_EQ(bytes[1], 0x80);
    EXPECT_EQ(knsSwapDouble(knsSwapDouble(3.25)), 3.25);
}

TEST(KernelFunctions, CharacterConversionTables)
{
    // Equal sets leave the byte alone; ASCII is the same in both.
    EXPECT_EQ(knsConvertChar('\x8E', 0, 0), '\x8E');
    for (int b = 0; b < 128; ++b) {
        EXPECT_EQ(knsConvertChar(char(b), 0, 1), char(b));
        EXPECT_EQ(knsConvertChar(char(b), 1, 0), char(b));
    }
    EXPECT_EQ(knsConvertChar('\x8E', 0, 1), '\xE9');  // é
    EXPECT_EQ(knsConvertChar('\xE9', 1, 0), '\x8E');
    EXPECT_EQ(knsConvertChar('\xDB', 0, 1), '\x80');  // the euro sign
    EXPECT_EQ(knsConvertChar('\xD2', 0, 1), '\x94');  // the kept quote swap
    EXPECT_EQ(knsConvertChar('\x93', 1, 0), '\xD3');
    EXPECT_EQ(knsConvertChar('\xF0', 0, 1), '\x7F');  // the Apple logo has no equivalent
    EXPECT_EQ(knsConvertChar('\x81', 1, 0), '\x7F');  // unassigned in Windows-1252
    EXPECT_EQ(knsConvertChar('\x8A', 1, 0), 'S');     // Š loses its caron
    EXPECT_EQ(knsConvertChar('\x41', 7, 0), '\x41');  // unknown set: unchanged

    // Letters with accents survive the round trip both ways.
    for (unsigned char b : {0x80, 0x87, 0x8E, 0x96, 0x9F, 0xA7, 0xAE, 0xBF, 0xCB, 0xE7}) {
        char there = knsConvertChar(char(b), 0, 1);
        EXPECT_EQ(knsConvertChar(there, 1, 0), char(b)) << int(b);
    }
    for (unsigned char b : {0xC0, 0xC9, 0xD1, 0xDF, 0xE0, 0xE9, 0xF1, 0xFC, 0xFF}) {
        char there = knsConvertChar(char(b), 1, 0);
        EXPECT_EQ(knsConvertChar(there, 0, 1), char(b)) << int(b);
    }

    char text[] = "caf\xE9";
    knsConvertText(text, 4, 1, 0);
    EXPECT_STREQ(text, "caf\x8E");
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
        uint16 value = knsRandom(3, 7);
        EXPECT_GE(value, 3);
        EXPECT_LE(value, 7);
    }
}

TEST(KernelFunctions, KeyCodesNameTheirVirtualKeys)
{
    EXPECT_EQ(knsVirtualKeyOfKeyCode(1), 0x1B);
    EXPECT_EQ(knsVirtualKeyOfKeyCode(2), 0x70);   // F1
    EXPECT_EQ(knsVirtualKeyOfKeyCode(16), 0x7E);  // F15
    EXPECT_EQ(knsVirtualKeyOfKeyCode(18), '1');
    EXPECT_EQ(knsVirtualKeyOfKeyCode(27), '0');
    EXPECT_EQ(knsVirtualKeyOfKeyCode(32), 'Q');
    EXPECT_EQ(knsVirtualKeyOfKeyCode(45), 'A');
    EXPECT_EQ(knsVirtualKeyOfKeyCode(66), 'M');
    EXPECT_EQ(knsVirtualKeyOfKeyCode(56), knsVirtualKeyOfKeyCode(69));
    EXPECT_EQ(knsVirtualKeyOfKeyCode(85), 0x61);  // keypad 1
    EXPECT_EQ(knsVirtualKeyOfKeyCode(94), 0x60);  // keypad 0
    EXPECT_EQ(knsVirtualKeyOfKeyCode(102), 0x90); // Num Lock
    for (uint8 none : {0, 29, 59, 73, 96, 101, 103, 200})
        EXPECT_EQ(knsVirtualKeyOfKeyCode(none), 0) << int(none);
    EXPECT_FALSE(knsIsKeyDown(29));
    EXPECT_FALSE(knsIsKeyDown(200));
}

TEST(KernelFunctions, OperatingSystemVersions)
{
    EXPECT_EQ(knsClassifyOSVersion(0, 3, 1), 11);
    EXPECT_EQ(knsClassifyOSVersion(1, 4, 0), 12);
    EXPECT_EQ(knsClassifyOSVersion(1, 4, 10), 13);
    EXPECT_EQ(knsClassifyOSVersion(1, 4, 90), 14);
    EXPECT_EQ(knsClassifyOSVersion(1, 4, 3), 21);
    EXPECT_EQ(knsClassifyOSVersion(2, 3, 51), 15);
    EXPECT_EQ(knsClassifyOSVersion(2, 4, 0), 16);
    EXPECT_EQ(knsClassifyOSVersion(2, 5, 0), 17);
    EXPECT_EQ(knsClassifyOSVersion(2, 5, 1), 18);
    EXPECT_EQ(knsClassifyOSVersion(2, 5, 2), 19);
    EXPECT_EQ(knsClassifyOSVersion(2, 6, 1), 20);
    EXPECT_EQ(knsClassifyOSVersion(2, 10, 0), 21);
    // Wine answers as a later NT (6.2 without a manifest), which the platform check accepts.
    uint8 running = knsGetOSVersion();
    EXPECT_TRUE(running == 20 || running == 21) << int(running);
    EXPECT_TRUE(knsCanRun());
}

TEST(KernelFunctions, QuestionBoxAnswersTwoForYesOnly)
{
    ReportCatcher catcher;
    catcher.answerBoxesWith(6); // IDYES
    EXPECT_EQ(knsQuestionBox("Quit", "Really?"), 2);
    catcher.answerBoxesWith(7); // IDNO
    EXPECT_EQ(knsQuestionBox("Quit", "Really?"), 3);
    catcher.answerBoxesWith(2); // IDCANCEL: closed without choosing
    EXPECT_EQ(knsQuestionBox("Quit", "Really?"), 3);
    knsNotYetImplemented("KTimer::readFromFile");
    ASSERT_EQ(catcher.boxes().size(), 4u);
    EXPECT_EQ(catcher.boxes()[3].caption, "Not Yet Implemented!");
    EXPECT_EQ(catcher.boxes()[3].text, "KTimer::readFromFile");
}

TEST(Memory, AllocatesZeroFilledBlocksAndRefusesNullDisposal)
{
    auto* block = static_cast<unsigned char*>(KMemory::allocate(16, true));
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(block[i], 0);
    const char text[] = "0123456789abcdef";
    KMemory::copy(text, block, 16);
    EXPECT_EQ(std::memcmp(block, text, 16), 0);
    KMemory::clear(block, 4);
    EXPECT_EQ(block[3], 0);
    EXPECT_EQ(block[4], '4');
    KMemory::dispose(block);

    ReportCatcher catcher;
    KMemory::dispose(nullptr);
    EXPECT_TRUE(catcher.caught(20, "KMemory::dispose"));
}

} // namespace
