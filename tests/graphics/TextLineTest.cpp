// Styled lines: the runs kept in step with the text through lookups, splits, removals
// from either end and colouring, and the line's block.
#include "foundation/KClassReader.h"
#include "graphics/KTextLine.h"
#include "tests/graphics/TextTestSupport.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace {

// "abc" in red and "defg" in blue: runs of 3 and 4.
KTextLinePtr threeAndFour()
{
    KTextLinePtr line = new KTextLine;
    line->appendStyleRun(KString("abc"), arialFont(10), KColor(kRed));
    line->appendStyleRun(KString("defg"), arialFont(14), KColor(kBlue));
    return line;
}

TEST(KTextLine, RunsAreFoundByPositionAndStart)
{
    const KTextLine plain(KString("hello"));
    EXPECT_EQ(runLengths(plain), Runs{5});
    EXPECT_EQ(plain.getStyleRunAt(0).getColor(), KColor(kBlack));
    EXPECT_EQ(plain.getAlignment(), kAlignLeft);

    KTextLinePtr line = threeAndFour();
    EXPECT_EQ(line->getStyleRunAtPosition(2), 0);
    EXPECT_EQ(line->getStyleRunAtPosition(3), 1);
    EXPECT_EQ(line->getStyleRunAtPosition(6), 1);
    EXPECT_EQ(line->getStartPositionOfStyleRun(1), 3);

    ReportCatcher catcher;
    EXPECT_EQ(line->getStyleRunAtPosition(7), 0);
    EXPECT_EQ(line->getStyleRunAtPosition(-1), 0);
    EXPECT_EQ(line->getStartPositionOfStyleRun(2), 0);
    const KTextLine empty(KString(""));
    EXPECT_EQ(runLengths(empty), Runs{0});
    EXPECT_EQ(empty.getStyleRunAtPosition(0), 0);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{7, 7, 7, 7}));
    EXPECT_TRUE(catcher.caught(7, "long KTextLine::getStartPositionOfStyleRun(long Index)"));
    EXPECT_TRUE(catcher.caught(7, "KTextStyleRun& KTextLine::getStyleRunAtPosition(long Pos) const"));
}

TEST(KTextLine, SplittingARunKeepsItsStyleInBothParts)
{
    KTextLinePtr line = threeAndFour();
    line->splitStyleRun(1, 1);
    EXPECT_EQ(runLengths(*line), (Runs{3, 1, 3}));
    EXPECT_EQ(runColors(*line), (Colors{kNativeRed, kNativeBlue, kNativeBlue}));
    EXPECT_EQ(line->getStyleRunAt(2).getFont().getSize(), 14.0);
    EXPECT_EQ(textOf(line->getText()), "abcdefg");

    ReportCatcher catcher;
    line->splitStyleRun(3, 1);
    line->splitStyleRun(-1, 1);
    EXPECT_TRUE(catcher.caught(7, "void KTextLine::splitStyleRun(long Index, long Position)"));
    EXPECT_EQ(catcher.codes().size(), 2u);
    EXPECT_EQ(runLengths(*line), (Runs{3, 1, 3}));
}

TEST(KTextLine, RemovingFromEitherEndShortensOrDropsRuns)
{
    const struct {
        bool fromFront;
        long count;
        const char* text;
        Runs runs;
    } cases[] = {
        {true, 3, "defg", {4}}, {true, 2, "cdefg", {1, 4}}, {true, 20, "", {}},
        // From the back, a run that began at the cut is kept, empty.
        {false, 4, "abc", {3, 0}}, {false, 5, "ab", {2}}, {false, 200, "", {0}},
    };
    for (const auto& c : cases) {
        KTextLinePtr line = threeAndFour();
        c.fromFront ? line->removeFirstChars(c.count) : line->removeLastChars(c.count);
        EXPECT_EQ(textOf(line->getText()), c.text) << c.fromFront << " " << c.count;
        EXPECT_EQ(runLengths(*line), c.runs) << c.fromFront << " " << c.count;
    }
}

TEST(KTextLine, ColouringARangeSplitsAtMostTwoRuns)
{
    const struct {
        bool digits; // "0123456789" in black, or the runs of 3 red and 4 blue
        long start, count;
        Runs runs;
        Colors colors;
    } cases[] = {
        {true, 2, 3, {2, 3, 5}, {kNativeBlack, kNativeGreen, kNativeBlack}},
        {true, 9, 1, {9, 1}, {kNativeBlack, kNativeGreen}},
        {true, 7, 50, {7, 3}, {kNativeBlack, kNativeGreen}},
        // Across a run boundary both runs are cut; outside the text nothing changes.
        {false, 1, 4, {1, 2, 2, 2}, {kNativeRed, kNativeGreen, kNativeGreen, kNativeBlue}},
        {false, -1, 3, {3, 4}, {kNativeRed, kNativeBlue}},
        {false, 7, 1, {3, 4}, {kNativeRed, kNativeBlue}},
        {false, 0, 0, {3, 4}, {kNativeRed, kNativeBlue}},
    };
    for (const auto& c : cases) {
        KTextLinePtr line = c.digits ? KTextLinePtr(new KTextLine(KString("0123456789"))) : threeAndFour();
        line->setColorOfRange(c.start, c.count, KColor(kGreen));
        EXPECT_EQ(runLengths(*line), c.runs) << c.start << "+" << c.count;
        EXPECT_EQ(runColors(*line), c.colors) << c.start << "+" << c.count;
        if (!c.digits) {
            EXPECT_EQ(line->getStyleRunAt(line->getStyleRunCount() - 1).getFont().getSize(), 14.0);
        }
    }
}

TEST(KTextLine, CopiesAreDeep)
{
    KTextLinePtr line = threeAndFour();
    line->setAlignment(kAlignCenter);
    KTextLinePtr copy = static_cast<KTextLine&>(line->deepCopy());
    line->setColorOfRange(0, 7, KColor(kGreen));
    line->removeFirstChars(1);
    EXPECT_EQ(textOf(copy->getText()), "abcdefg");
    EXPECT_EQ(runColors(*copy), (Colors{kNativeRed, kNativeBlue}));
    EXPECT_EQ(copy->getAlignment(), kAlignCenter);
}

class TextLineBlocks : public testing::Test {
protected:
    TemporaryFolder folder;
    BlockFile file{folder.file("line.bin")};
};

TEST_F(TextLineBlocks, TheBlockHoldsTextAndRunsButNotTheAlignment)
{
    KTextLinePtr line = threeAndFour();
    line->setAlignment(kAlignRight);
    const Bytes written = file.written(*line);
    KTextStyleRun first(KTextStyle(arialFont(10), KColor(kRed)), 3);
    KTextStyleRun second(KTextStyle(arialFont(14), KColor(kBlue)), 4);
    EXPECT_EQ(written, oneSectionBlock("KTextLine", ByteList()
                                                        .append(stringBlock("abcdefg"))
                                                        .append(bagBlock(file, "KTextStyleRun", {&first, &second}))));

    KTextLinePtr back = new KTextLine;
    EXPECT_EQ(file.read(*back, written), 0);
    EXPECT_EQ(textOf(back->getText()), "abcdefg");
    EXPECT_EQ(runLengths(*back), (Runs{3, 4}));
    EXPECT_EQ(runColors(*back), (Colors{kNativeRed, kNativeBlue}));
    EXPECT_EQ(back->getStyleRunAt(1).getFont().getSize(), 14.0);
    EXPECT_EQ(back->getAlignment(), kAlignLeft);

    // A string where a run belongs is damage, and loses nothing.
    KString intruder("x");
    const Bytes damaged = oneSectionBlock(
        "KTextLine", ByteList().append(stringBlock("q")).append(bagBlock(file, "KString", {&intruder})));
    EXPECT_EQ(file.read(*back, damaged), KClassReader::kDamagedDataError);
    EXPECT_EQ(textOf(back->getText()), "abcdefg");
    EXPECT_EQ(runLengths(*back), (Runs{3, 4}));
}

} // namespace
