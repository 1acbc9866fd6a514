// Word wrap through the measuring seam: every character is 10 pixels wide, so a width of
// 45 holds four characters.
#include "foundation/KBag.h"
#include "graphics/KTextLine.h"
#include "tests/graphics/TextTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> wrapped(const KTextLine& Line, int16 Width, uint8 Alignment = kAlignLeft)
{
    KBag lines;
    kksBreakTextIntoLines(Line, Width, lines, Alignment);
    std::vector<std::string> texts;
    for (long i = 0; i < lines.getCount(); ++i)
        texts.push_back(textOf(static_cast<KTextLine&>(lines.getObjectAt(i)).getText()));
    return texts;
}

std::vector<std::string> wrapped(const char* Text, int16 Width, uint8 Alignment = kAlignLeft)
{
    KTextLinePtr line = new KTextLine(KString(Text));
    return wrapped(*line, Width, Alignment);
}

using Texts = std::vector<std::string>;

TEST(TextWrap, BreaksFallAfterSeparators)
{
    FixedAdvances advances;
    EXPECT_EQ(wrapped("abcd efgh", 45), (Texts{"abcd", "efgh"}));
    // The hyphen and the semicolon stay at the end of the first piece.
    EXPECT_EQ(wrapped("abc-defgh", 50), (Texts{"abc-", "defgh"}));
    EXPECT_EQ(wrapped("ab;cd;ef", 60), (Texts{"ab;cd;", "ef"}));
    EXPECT_EQ(wrapped("one two three four", 90), (Texts{"one two", "three", "four"}));
    // A line that fits is one piece.
    EXPECT_EQ(wrapped("abcd efgh", 90), (Texts{"abcd efgh"}));
}

TEST(TextWrap, AWordWiderThanTheLineIsCutByCharacters)
{
    FixedAdvances advances;
    EXPECT_EQ(wrapped("abcdefghij", 35), (Texts{"abc", "def", "ghi", "j"}));
    EXPECT_EQ(wrapped("ab cdefghij", 35), (Texts{"ab", "cde", "fgh", "ij"}));
    // Narrower than one character: still one per line, and the loop ends.
    EXPECT_EQ(wrapped("abc", 5), (Texts{"a", "b", "c"}));
    EXPECT_EQ(wrapped("ab", -20), (Texts{"a", "b"}));
}

TEST(TextWrap, BlanksAreTrimmedByAlignment)
{
    FixedAdvances advances;
    EXPECT_EQ(wrapped("  ab  cd  ", 50, kAlignLeft), (Texts{"  ab", "cd"}));
    EXPECT_EQ(wrapped("  ab  cd  ", 50, kAlignRight), (Texts{"ab", "cd  "}));
    EXPECT_EQ(wrapped("  ab  cd  ", 50, kAlignCenter), (Texts{"ab", "cd"}));
    EXPECT_EQ(wrapped("  ab  cd  ", 50, kAlignJustified), (Texts{"ab", "cd"}));
    // Trimming alone can make a line fit.
    EXPECT_EQ(wrapped("abcd    ", 40, kAlignLeft), (Texts{"abcd"}));
}

TEST(TextWrap, PiecesKeepRunsStyleAndAlignment)
{
    FixedAdvances advances;
    KTextLinePtr line = styledLine({{"ab", 10}, {"cd ef", 14}, {"gh", 10}}, KColor(kRed));
    line->setColorOfRange(0, 1, KColor(kBlue));
    line->setAlignment(kAlignCenter);
    KBag pieces;
    kksBreakTextIntoLines(*line, 50, pieces, kAlignLeft);
    ASSERT_EQ(pieces.getCount(), 2);
    const KTextLine& first = static_cast<KTextLine&>(pieces.getObjectAt(0));
    const KTextLine& second = static_cast<KTextLine&>(pieces.getObjectAt(1));
    EXPECT_EQ(textOf(first.getText()), "abcd");
    EXPECT_EQ(runLengths(first), (std::vector<long>{1, 1, 2}));
    EXPECT_EQ(runColors(first), (std::vector<uint32>{kNativeBlue, kNativeRed, kNativeRed}));
    EXPECT_EQ(textOf(second.getText()), "efgh");
    EXPECT_EQ(runLengths(second), (std::vector<long>{2, 2}));
    EXPECT_EQ(second.getStyleRunAt(0).getFont().getSize(), 14.0);
    EXPECT_EQ(second.getStyleRunAt(1).getFont().getSize(), 10.0);
    EXPECT_EQ(first.getAlignment(), kAlignCenter);
    EXPECT_EQ(second.getAlignment(), kAlignCenter);

    // The line itself is left as it was.
    EXPECT_EQ(textOf(line->getText()), "abcd efgh");
    EXPECT_EQ(runLengths(*line), (std::vector<long>{1, 1, 5, 2}));
}

TEST(TextWrap, AnEmptyLineIsAppendedItself)
{
    FixedAdvances advances;
    KTextLinePtr empty = new KTextLine(KString(""));
    KBag pieces;
    kksBreakTextIntoLines(*empty, 40, pieces, kAlignLeft);
    ASSERT_EQ(pieces.getCount(), 1);
    EXPECT_TRUE(&pieces.getObjectAt(0) == empty.get());

    // A line that fits comes back as a copy.
    KTextLinePtr fits = new KTextLine(KString("ab"));
    kksBreakTextIntoLines(*fits, 40, pieces, kAlignLeft);
    ASSERT_EQ(pieces.getCount(), 2);
    EXPECT_FALSE(&pieces.getObjectAt(1) == fits.get());
}

} // namespace
