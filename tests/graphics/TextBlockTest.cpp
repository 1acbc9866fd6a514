// Text blocks: positions across lines with and without break characters, colouring a
// range that crosses lines, the joined text, copies and the block.
#include "foundation/KClassReader.h"
#include "graphics/KTextBlock.h"
#include "tests/graphics/TextTestSupport.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace {

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

TEST(KTextBlock, TextJoinsTheLinesAndCopiesOwnTheirLines)
{
    EXPECT_EQ(textOf(twoAndThree()->getText(KString("\r\n"))), "ab\r\ncde");
    EXPECT_EQ(textOf(KTextBlock().getText(KString(" "))), "");

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
    const Bytes damaged = oneSectionBlock("KTextBlock", ByteList().append(bagBlock(file, "KTextLine", {line.get(), nullptr})).shorts({1}));
    EXPECT_EQ(file.read(*back, damaged), KClassReader::kDamagedDataError);
    EXPECT_EQ(textOf(back->getText(KString("|"))), "ab|cde");
    EXPECT_EQ(back->getAlignment(), kAlignCenter);
}

} // namespace
