// Styled lines: the runs kept in step with the text through lookups, splits, removals
// from either end and colouring, and the line's block.
#include "foundation/KClassReader.h"
#include "graphics/KTextLine.h"
#include "tests/graphics/TextTestSupport.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace {

const char* const kRunAtPosition = "KTextStyleRun& KTextLine::getStyleRunAtPosition(long Pos) const";

// "abc" in red and "defg" in blue: runs of 3 and 4.
KTextLinePtr threeAndFour()
{
    KTextLinePtr line = new KTextLine;
    line->appendStyleRun(KString("abc"), arialFont(10), KColor(kRed));
    line->appendStyleRun(KString("defg"), arialFont(14), KColor(kBlue));
    return line;
}

TEST(KTextLine, ALineFromAStringHasOneRunOfTheDefaultStyle)
{
    const KTextLine line(KString("hello"));
    EXPECT_EQ(runLengths(line), (std::vector<long>{5}));
    EXPECT_EQ(textOf(line.getStyleRunAt(0).getFont().getName()), textOf(line.getDefaultStyle().getFont().getName()));
    EXPECT_EQ(line.getStyleRunAt(0).getColor(), KColor(kBlack));
    EXPECT_EQ(line.getAlignment(), kAlignLeft);

    ReportCatcher catcher;
    const KTextLine empty(KString(""));
    EXPECT_EQ(runLengths(empty), (std::vector<long>{0}));
    EXPECT_EQ(empty.getStyleRunAtPosition(0), 0);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{7}));
    EXPECT_TRUE(catcher.caught(7, kRunAtPosition));
}

TEST(KTextLine, RunsAreFoundByPositionAndStart)
{
    KTextLinePtr line = threeAndFour();
    EXPECT_EQ(line->getStyleRunAtPosition(0), 0);
    EXPECT_EQ(line->getStyleRunAtPosition(2), 0);
    EXPECT_EQ(line->getStyleRunAtPosition(3), 1);
    EXPECT_EQ(line->getStyleRunAtPosition(6), 1);
    EXPECT_EQ(line->getStartPositionOfStyleRun(0), 0);
    EXPECT_EQ(line->getStartPositionOfStyleRun(1), 3);

    ReportCatcher catcher;
    EXPECT_EQ(line->getStyleRunAtPosition(7), 0);
    EXPECT_EQ(line->getStyleRunAtPosition(-1), 0);
    EXPECT_EQ(line->getStartPositionOfStyleRun(2), 0);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{7, 7, 7}));
    EXPECT_TRUE(catcher.caught(7, "long KTextLine::getStartPositionOfStyleRun(long Index)"));
}

TEST(KTextLine, SplittingARunKeepsItsStyleInBothParts)
{
    KTextLinePtr line = threeAndFour();
    line->splitStyleRun(1, 1);
    EXPECT_EQ(runLengths(*line), (std::vector<long>{3, 1, 3}));
    EXPECT_EQ(runColors(*line), (std::vector<uint32>{kNativeRed, kNativeBlue, kNativeBlue}));
    EXPECT_EQ(line->getStyleRunAt(2).getFont().getSize(), 14.0);
    EXPECT_EQ(textOf(line->getText()), "abcdefg");

    ReportCatcher catcher;
    line->splitStyleRun(3, 1);
    line->splitStyleRun(-1, 1);
    EXPECT_TRUE(catcher.caught(7, "void KTextLine::splitStyleRun(long Index, long Position)"));
    EXPECT_EQ(catcher.codes().size(), 2u);
    EXPECT_EQ(runLengths(*line), (std::vector<long>{3, 1, 3}));
}

TEST(KTextLine, RemovingFromTheFrontShortensOrDropsRuns)
{
    KTextLinePtr three = threeAndFour();
    three->removeFirstChars(3);
    EXPECT_EQ(textOf(three->getText()), "defg");
    EXPECT_EQ(runLengths(*three), (std::vector<long>{4}));
    EXPECT_EQ(runColors(*three), (std::vector<uint32>{kNativeBlue}));

    KTextLinePtr two = threeAndFour();
    two->removeFirstChars(2);
    EXPECT_EQ(textOf(two->getText()), "cdefg");
    EXPECT_EQ(runLengths(*two), (std::vector<long>{1, 4}));

    // More than the line holds empties it.
    KTextLinePtr all = threeAndFour();
    all->removeFirstChars(20);
    EXPECT_EQ(textOf(all->getText()), "");
    EXPECT_EQ(all->getStyleRunCount(), 0);
}

TEST(KTextLine, RemovingFromTheBackKeepsARunThatBeganAtTheCut)
{
    KTextLinePtr four = threeAndFour();
    four->removeLastChars(4);
    EXPECT_EQ(textOf(four->getText()), "abc");
    EXPECT_EQ(runLengths(*four), (std::vector<long>{3, 0}));

    KTextLinePtr five = threeAndFour();
    five->removeLastChars(5);
    EXPECT_EQ(textOf(five->getText()), "ab");
    EXPECT_EQ(runLengths(*five), (std::vector<long>{2}));
    EXPECT_EQ(runColors(*five), (std::vector<uint32>{kNativeRed}));

    KTextLinePtr all = threeAndFour();
    all->removeLastChars(200);
    EXPECT_EQ(textOf(all->getText()), "");
    EXPECT_EQ(runLengths(*all), (std::vector<long>{0}));
}

TEST(KTextLine, ColouringARangeSplitsAtMostTwoRuns)
{
    KTextLinePtr middle = new KTextLine(KString("0123456789"));
    middle->setColorOfRange(2, 3, KColor(kRed));
    EXPECT_EQ(runLengths(*middle), (std::vector<long>{2, 3, 5}));
    EXPECT_EQ(runColors(*middle), (std::vector<uint32>{kNativeBlack, kNativeRed, kNativeBlack}));

    KTextLinePtr last = new KTextLine(KString("0123456789"));
    last->setColorOfRange(9, 1, KColor(kRed));
    EXPECT_EQ(runLengths(*last), (std::vector<long>{9, 1}));
    EXPECT_EQ(runColors(*last), (std::vector<uint32>{kNativeBlack, kNativeRed}));

    KTextLinePtr pastTheEnd = new KTextLine(KString("0123456789"));
    pastTheEnd->setColorOfRange(7, 50, KColor(kRed));
    EXPECT_EQ(runLengths(*pastTheEnd), (std::vector<long>{7, 3}));
    EXPECT_EQ(runColors(*pastTheEnd), (std::vector<uint32>{kNativeBlack, kNativeRed}));

    // Across a run boundary: both runs are cut, their fonts stay.
    KTextLinePtr across = threeAndFour();
    across->setColorOfRange(1, 4, KColor(kGreen));
    EXPECT_EQ(runLengths(*across), (std::vector<long>{1, 2, 2, 2}));
    EXPECT_EQ(runColors(*across), (std::vector<uint32>{kNativeRed, 0x00FF00, 0x00FF00, kNativeBlue}));
    EXPECT_EQ(across->getStyleRunAt(2).getFont().getSize(), 14.0);

    // Ranges outside the text change nothing.
    KTextLinePtr untouched = threeAndFour();
    untouched->setColorOfRange(-1, 3, KColor(kGreen));
    untouched->setColorOfRange(7, 1, KColor(kGreen));
    untouched->setColorOfRange(0, 0, KColor(kGreen));
    EXPECT_EQ(runLengths(*untouched), (std::vector<long>{3, 4}));
    EXPECT_EQ(runColors(*untouched), (std::vector<uint32>{kNativeRed, kNativeBlue}));
}

TEST(KTextLine, RestylingReachesEveryRunButNotTheDefaultStyle)
{
    KTextLinePtr line = threeAndFour();
    line->setColor(KColor(kGreen));
    line->setFontName(KString("Times"));
    line->setFontStyle(KFlagSet(kFontBold));
    for (long i = 0; i < 2; ++i) {
        EXPECT_EQ(line->getStyleRunAt(i).getColor(), KColor(kGreen));
        EXPECT_EQ(textOf(line->getStyleRunAt(i).getFont().getName()), "Times");
        EXPECT_EQ(line->getStyleRunAt(i).getFont().getStyle().getFlags(), kFontBold);
    }
    EXPECT_EQ(line->getDefaultStyle().getColor(), KColor(kBlack));
    EXPECT_NE(textOf(line->getDefaultStyle().getFont().getName()), "Times");
}

TEST(KTextLine, CopiesAreDeep)
{
    KTextLinePtr line = threeAndFour();
    line->setAlignment(kAlignCenter);
    KTextLinePtr copy = static_cast<KTextLine&>(line->deepCopy());
    line->setColorOfRange(0, 7, KColor(kGreen));
    line->removeFirstChars(1);
    EXPECT_EQ(textOf(copy->getText()), "abcdefg");
    EXPECT_EQ(runColors(*copy), (std::vector<uint32>{kNativeRed, kNativeBlue}));
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
    const long runID = KClass::findClass("KTextStyleRun")->getClassID();
    const Bytes array = oneSectionBlock("KArray", ByteList()
                                                      .longs({2})
                                                      .raw({0})
                                                      .longs({runID})
                                                      .append(file.written(first))
                                                      .longs({runID})
                                                      .append(file.written(second)));
    const Bytes bag = oneSectionBlock("KBag", ByteList().append(array).longs({2, 1, 0}));
    EXPECT_EQ(written, oneSectionBlock("KTextLine", ByteList().append(stringBlock("abcdefg")).append(bag)));

    KTextLinePtr back = new KTextLine;
    EXPECT_EQ(file.read(*back, written), 0);
    EXPECT_EQ(textOf(back->getText()), "abcdefg");
    EXPECT_EQ(runLengths(*back), (std::vector<long>{3, 4}));
    EXPECT_EQ(runColors(*back), (std::vector<uint32>{kNativeRed, kNativeBlue}));
    EXPECT_EQ(back->getStyleRunAt(1).getFont().getSize(), 14.0);
    EXPECT_EQ(back->getAlignment(), kAlignLeft);
}

TEST_F(TextLineBlocks, RunsThatAreNotRunsAreDamageAndLoseNothing)
{
    // A string where a run belongs.
    KString intruder("x");
    const long stringID = KClass::findClass("KString")->getClassID();
    const Bytes array = oneSectionBlock(
        "KArray", ByteList().longs({1}).raw({0}).longs({stringID}).append(file.written(intruder)));
    const Bytes bag = oneSectionBlock("KBag", ByteList().append(array).longs({1, 1, 0}));
    const Bytes block = oneSectionBlock("KTextLine", ByteList().append(stringBlock("q")).append(bag));

    KTextLinePtr line = threeAndFour();
    EXPECT_EQ(file.read(*line, block), KClassReader::kDamagedDataError);
    EXPECT_EQ(textOf(line->getText()), "abcdefg");
    EXPECT_EQ(runLengths(*line), (std::vector<long>{3, 4}));

    const long lineID = KClass::findClass("KTextLine")->getClassID();
    EXPECT_EQ(file.read(*line, ByteList().longs({lineID, 1, 12, 1, 2, 12}).longs({0})), 0);
    EXPECT_EQ(textOf(line->getText()), "abcdefg");
}

} // namespace
