// Text blocks: positions across lines with and without break characters, colouring a
// range that crosses lines, the joined text, copies and the block.
#include "foundation/KClassReader.h"
#include "graphics/KTextBlock.h"
#include "tests/graphics/TextTestSupport.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace {

const char* const kLineAtPosition = "long KTextBlock::getLineAtCharPosition(long Pos)";

// Lines "ab" and "cde".
KTextBlockPtr twoAndThree()
{
    KTextBlockPtr block = new KTextBlock;
    block->addLine(new KTextLine(KString("ab")));
    block->addLine(new KTextLine(KString("cde")));
    return block;
}

std::vector<long> linesOfPositions(const KTextBlock& Block, long Count, int16 Separator)
{
    std::vector<long> lines;
    for (long pos = 0; pos < Count; ++pos)
        lines.push_back(Block.getLineAtCharPosition(pos, Separator));
    return lines;
}

TEST(KTextBlock, PositionsFindTheirLineWithOrWithoutBreakCharacters)
{
    KTextBlockPtr block = twoAndThree();
    // With one character per break, the break after a line belongs to it.
    EXPECT_EQ(linesOfPositions(*block, 7, 1), (std::vector<long>{0, 0, 0, 1, 1, 1, 1}));
    EXPECT_EQ(linesOfPositions(*block, 5, 0), (std::vector<long>{0, 0, 1, 1, 1}));

    ReportCatcher catcher;
    EXPECT_EQ(block->getLineAtCharPosition(7, 1), 0);
    EXPECT_EQ(block->getLineAtCharPosition(5, 0), 0);
    EXPECT_EQ(block->getLineAtCharPosition(-1, 0), 0);
    EXPECT_EQ(KTextBlock().getLineAtCharPosition(0, 1), 0);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{7, 7, 7, 7}));
    EXPECT_TRUE(catcher.caught(7, kLineAtPosition));
}

TEST(KTextBlock, ColouringARangeGoesOnAtTheNextLine)
{
    KTextBlockPtr block = twoAndThree();
    block->setColorOfRange(1, 3, KColor(kRed));
    EXPECT_EQ(runLengths(block->getLineAt(0)), (std::vector<long>{1, 1}));
    EXPECT_EQ(runColors(block->getLineAt(0)), (std::vector<uint32>{kNativeBlack, kNativeRed}));
    EXPECT_EQ(runLengths(block->getLineAt(1)), (std::vector<long>{2, 1}));
    EXPECT_EQ(runColors(block->getLineAt(1)), (std::vector<uint32>{kNativeRed, kNativeBlack}));

    // One character more than the block holds: nothing at all.
    KTextBlockPtr untouched = twoAndThree();
    untouched->setColorOfRange(0, 6, KColor(kRed));
    untouched->setColorOfRange(-1, 2, KColor(kRed));
    untouched->setColorOfRange(0, 0, KColor(kRed));
    EXPECT_EQ(runColors(untouched->getLineAt(0)), (std::vector<uint32>{kNativeBlack}));
    EXPECT_EQ(runColors(untouched->getLineAt(1)), (std::vector<uint32>{kNativeBlack}));

    KTextBlockPtr whole = twoAndThree();
    whole->setColorOfRange(0, 5, KColor(kBlue));
    EXPECT_EQ(runColors(whole->getLineAt(0)), (std::vector<uint32>{kNativeBlue}));
    EXPECT_EQ(runColors(whole->getLineAt(1)), (std::vector<uint32>{kNativeBlue}));
    EXPECT_EQ(whole->getCharacterCount(), 5);
}

TEST(KTextBlock, TextJoinsTheLinesWithTheSeparator)
{
    EXPECT_EQ(textOf(twoAndThree()->getText(KString(" "))), "ab cde");
    EXPECT_EQ(textOf(twoAndThree()->getText(KString("\r\n"))), "ab\r\ncde");
    EXPECT_EQ(textOf(KTextBlock().getText(KString(" "))), "");
}

TEST(KTextBlock, AlignmentReachesEveryLineAndRestylingEveryRun)
{
    KTextBlockPtr block = twoAndThree();
    block->setAlignment(kAlignJustified);
    EXPECT_EQ(block->getLineAt(0).getAlignment(), kAlignJustified);
    EXPECT_EQ(block->getLineAt(1).getAlignment(), kAlignJustified);

    block->setColor(KColor(kRed));
    EXPECT_EQ(runColors(block->getLineAt(1)), (std::vector<uint32>{kNativeRed}));
    EXPECT_EQ(block->getLineAt(1).getDefaultStyle().getColor(), KColor(kBlack));
}

TEST(KTextBlock, CopiesOwnTheirLines)
{
    KTextBlockPtr block = twoAndThree();
    block->setAlignment(kAlignCenter);
    KTextBlockPtr copied = new KTextBlock(*block);
    KTextBlockPtr deep = static_cast<KTextBlock&>(block->deepCopy());
    block->setColor(KColor(kRed));
    block->removeLineAt(0);
    for (KTextBlock* copy : {copied.get(), deep.get()}) {
        ASSERT_EQ(copy->getLineCount(), 2);
        EXPECT_EQ(textOf(copy->getText(KString("|"))), "ab|cde");
        EXPECT_EQ(runColors(copy->getLineAt(0)), (std::vector<uint32>{kNativeBlack}));
        EXPECT_EQ(copy->getAlignment(), kAlignCenter);
        EXPECT_EQ(copy->getLineAt(1).getAlignment(), kAlignCenter);
    }
}

class TextBlockBlocks : public testing::Test {
protected:
    TemporaryFolder folder;
    BlockFile file{folder.file("block.bin")};
};

TEST_F(TextBlockBlocks, TheBlockHoldsLinesAndAlignmentButNotTheStyle)
{
    KTextBlockPtr block = twoAndThree();
    block->setAlignment(kAlignRight);
    KTextStyle style(arialFont(30), KColor(kRed));
    block->setStyle(style);

    const long lineID = KClass::findClass("KTextLine")->getClassID();
    const Bytes array = oneSectionBlock("KArray", ByteList()
                                                      .longs({2})
                                                      .raw({0})
                                                      .longs({lineID})
                                                      .append(file.written(block->getLineAt(0)))
                                                      .longs({lineID})
                                                      .append(file.written(block->getLineAt(1))));
    const Bytes bag = oneSectionBlock("KBag", ByteList().append(array).longs({2, 1, 0}));
    const Bytes expected = oneSectionBlock("KTextBlock", ByteList().append(bag).shorts({1}));
    EXPECT_EQ(file.written(*block), expected);

    KTextBlockPtr back = new KTextBlock;
    EXPECT_EQ(file.read(*back, expected), 0);
    EXPECT_EQ(textOf(back->getText(KString("|"))), "ab|cde");
    EXPECT_EQ(back->getAlignment(), kAlignRight);
    EXPECT_EQ(back->getStyle().getColor(), KColor(kBlack));
    // The lines' own alignment is set at layout, not on reading.
    EXPECT_EQ(back->getLineAt(0).getAlignment(), kAlignLeft);

    // An alignment no line knows reads as left; only the low byte counts.
    KTextBlockPtr odd = new KTextBlock;
    EXPECT_EQ(file.read(*odd, oneSectionBlock("KTextBlock", ByteList().append(bag).shorts({7}))), 0);
    EXPECT_EQ(odd->getAlignment(), kAlignLeft);
    EXPECT_EQ(file.read(*odd, oneSectionBlock("KTextBlock", ByteList().append(bag).shorts({0x0502}))), 0);
    EXPECT_EQ(odd->getAlignment(), kAlignCenter);
}

TEST_F(TextBlockBlocks, AnEmptySlotAmongTheLinesIsDamage)
{
    const long lineID = KClass::findClass("KTextLine")->getClassID();
    KTextLinePtr line = new KTextLine(KString("new"));
    const Bytes array = oneSectionBlock(
        "KArray", ByteList().longs({2}).raw({0}).longs({lineID}).append(file.written(*line)).longs({0}));
    const Bytes bag = oneSectionBlock("KBag", ByteList().append(array).longs({2, 1, 0}));

    KTextBlockPtr block = twoAndThree();
    EXPECT_EQ(file.read(*block, oneSectionBlock("KTextBlock", ByteList().append(bag).shorts({1}))),
              KClassReader::kDamagedDataError);
    EXPECT_EQ(textOf(block->getText(KString("|"))), "ab|cde");
    EXPECT_EQ(block->getAlignment(), kAlignLeft);
}

} // namespace
