// Styled lines and text blocks: the runs kept in step with the text through lookups,
// splits, removals from either end and colouring, positions across lines with and without
// break characters, copies, and the blocks.
#include "foundation/KClassReader.h"
#include "graphics/KTextBlock.h"
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
        {true, 3, "defg", {4}},
        {true, 2, "cdefg", {1, 4}},
        {true, 20, "", {}},
        // From the back, a run that began at the cut is kept, empty.
        {false, 4, "abc", {3, 0}},
        {false, 5, "ab", {2}},
        {false, 200, "", {0}},
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

// Lines "ab" and "cde".
KTextBlockPtr twoAndThree()
{
    KTextBlockPtr block = new KTextBlock;
    block->addLine(new KTextLine(KString("ab")));
    block->addLine(new KTextLine(KString("cde")));
    return block;
}

TEST(KTextBlock, PositionsFindTheirLineWithOrWithoutBreakCharacters)
{
    KTextBlockPtr block = twoAndThree();
    // With one character per break, the break after a line belongs to it.
    std::vector<long> withBreaks, without;
    for (long pos = 0; pos < 7; ++pos)
        withBreaks.push_back(block->getLineAtCharPosition(pos, 1));
    for (long pos = 0; pos < 5; ++pos)
        without.push_back(block->getLineAtCharPosition(pos, 0));
    EXPECT_EQ(withBreaks, (std::vector<long>{0, 0, 0, 1, 1, 1, 1}));
    EXPECT_EQ(without, (std::vector<long>{0, 0, 1, 1, 1}));

    ReportCatcher catcher;
    EXPECT_EQ(block->getLineAtCharPosition(7, 1), 0);
    EXPECT_EQ(block->getLineAtCharPosition(5, 0), 0);
    EXPECT_EQ(block->getLineAtCharPosition(-1, 0), 0);
    EXPECT_EQ(KTextBlock().getLineAtCharPosition(0, 1), 0);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{7, 7, 7, 7}));
    EXPECT_TRUE(catcher.caught(7, "long KTextBlock::getLineAtCharPosition(long Pos)"));
}

TEST(KTextBlock, ColouringARangeGoesOnAtTheNextLine)
{
    KTextBlockPtr block = twoAndThree();
    block->setColorOfRange(1, 3, KColor(kRed));
    EXPECT_EQ(runLengths(block->getLineAt(0)), (Runs{1, 1}));
    EXPECT_EQ(runColors(block->getLineAt(0)), (Colors{kNativeBlack, kNativeRed}));
    EXPECT_EQ(runLengths(block->getLineAt(1)), (Runs{2, 1}));
    EXPECT_EQ(runColors(block->getLineAt(1)), (Colors{kNativeRed, kNativeBlack}));

    // One character more than the block holds: nothing at all.
    KTextBlockPtr untouched = twoAndThree();
    untouched->setColorOfRange(0, 6, KColor(kRed));
    untouched->setColorOfRange(-1, 2, KColor(kRed));
    EXPECT_EQ(runColors(untouched->getLineAt(0)), Colors{kNativeBlack});
    EXPECT_EQ(runColors(untouched->getLineAt(1)), Colors{kNativeBlack});
    untouched->setColorOfRange(0, 5, KColor(kBlue));
    EXPECT_EQ(runColors(untouched->getLineAt(1)), Colors{kNativeBlue});
}

TEST(KTextBlock, TextJoinsTheLinesAndCopiesAreDeep)
{
    EXPECT_EQ(textOf(twoAndThree()->getText(KString("\r\n"))), "ab\r\ncde");
    EXPECT_EQ(textOf(KTextBlock().getText(KString(" "))), "");

    KTextLinePtr line = threeAndFour();
    KTextLinePtr lineCopy = static_cast<KTextLine&>(line->deepCopy());
    line->setColorOfRange(0, 7, KColor(kGreen));
    line->removeFirstChars(1);
    EXPECT_EQ(textOf(lineCopy->getText()), "abcdefg");
    EXPECT_EQ(runColors(*lineCopy), (Colors{kNativeRed, kNativeBlue}));

    KTextBlockPtr block = twoAndThree();
    block->setAlignment(kAlignCenter);
    EXPECT_EQ(block->getLineAt(1).getAlignment(), kAlignCenter);
    KTextBlockPtr copied = new KTextBlock(*block);
    KTextBlockPtr deep = static_cast<KTextBlock&>(block->deepCopy());
    block->setColor(KColor(kRed));
    block->removeLineAt(0);
    for (KTextBlock* copy : {copied.get(), deep.get()}) {
        EXPECT_EQ(textOf(copy->getText(KString("|"))), "ab|cde");
        EXPECT_EQ(runColors(copy->getLineAt(0)), Colors{kNativeBlack});
        EXPECT_EQ(copy->getLineAt(1).getAlignment(), kAlignCenter);
    }
}

TEST(KTextBlock, TheBlockHoldsLinesAndAlignmentButNotTheStyle)
{
    TemporaryFolder folder;
    BlockFile file(folder.file("block.bin"));
    KTextBlockPtr block = twoAndThree();
    block->setAlignment(kAlignRight);
    block->setStyle(KTextStyle(arialFont(30), KColor(kRed)));
    const Bytes lines = bagBlock(file, "KTextLine", {&block->getLineAt(0), &block->getLineAt(1)});
    const Bytes expected = oneSectionBlock("KTextBlock", ByteList().append(lines).shorts({1}));
    EXPECT_EQ(file.written(*block), expected);

    KTextBlockPtr back = new KTextBlock;
    EXPECT_EQ(file.read(*back, expected), 0);
    EXPECT_EQ(textOf(back->getText(KString("|"))), "ab|cde");
    EXPECT_EQ(back->getAlignment(), kAlignRight);
    EXPECT_EQ(back->getStyle().getColor(), KColor(kBlack));
    // The lines' own alignment is set at layout, not on reading.
    EXPECT_EQ(back->getLineAt(0).getAlignment(), kAlignLeft);
    // An alignment no line knows reads as left; only the low byte counts.
    EXPECT_EQ(file.read(*back, oneSectionBlock("KTextBlock", ByteList().append(lines).shorts({7}))), 0);
    EXPECT_EQ(back->getAlignment(), kAlignLeft);
    EXPECT_EQ(file.read(*back, oneSectionBlock("KTextBlock", ByteList().append(lines).shorts({0x0502}))), 0);
    EXPECT_EQ(back->getAlignment(), kAlignCenter);

    // An empty slot among the lines is damage, and loses nothing.
    KTextLinePtr line = new KTextLine(KString("new"));
    const Bytes damaged = oneSectionBlock(
        "KTextBlock", ByteList().append(bagBlock(file, "KTextLine", {line.get(), nullptr})).shorts({1}));
    EXPECT_EQ(file.read(*back, damaged), KClassReader::kDamagedDataError);
    EXPECT_EQ(textOf(back->getText(KString("|"))), "ab|cde");
    EXPECT_EQ(back->getAlignment(), kAlignCenter);
}

TEST(KTextLine, TheBlockHoldsTextAndRunsButNotTheAlignment)
{
    TemporaryFolder folder;
    BlockFile file(folder.file("line.bin"));
    KTextLinePtr line = threeAndFour();
    line->setAlignment(kAlignRight);
    const Bytes written = file.written(*line);
    KTextStyleRun first(KTextStyle(arialFont(10), KColor(kRed)), 3);
    KTextStyleRun second(KTextStyle(arialFont(14), KColor(kBlue)), 4);
    EXPECT_EQ(written,
        oneSectionBlock("KTextLine",
            ByteList().append(stringBlock("abcdefg")).append(bagBlock(file, "KTextStyleRun", {&first, &second}))));

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
