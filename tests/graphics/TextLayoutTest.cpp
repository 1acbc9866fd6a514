// Laying out and placing text through the measuring seam (10 pixels a character, a
// height of the font's size + 2 with the size as ascent): sizes of lines and blocks,
// where the alignment puts the runs, and the highlight copies.
#include "graphics/KTextBlockObject.h"
#include "graphics/KTextLineObject.h"
#include "tests/graphics/TextTestSupport.h"

#include <gtest/gtest.h>

namespace {

using Placed = KTextRunPlacement;

std::vector<Placed> placed(const KTextLine& Line, const KGraphicRectangle& R, short* Height = nullptr)
{
    std::vector<Placed> placements;
    const short height = KTextLineObject::placeRuns(Line, R, nullptr, placements);
    if (Height)
        *Height = height;
    return placements;
}

KGraphicSize sizeOf(const KGraphicObject& Object) { return Object.getSize(); }

} // namespace

void PrintTo(const KGraphicSize& Size, std::ostream* Out) { *Out << Size.getWidth() << "x" << Size.getHeight(); }

bool operator==(const KTextRunPlacement& A, const KTextRunPlacement& B)
{
    return A.start == B.start && A.count == B.count && A.h == B.h && A.v == B.v && A.width == B.width
           && A.height == B.height && A.run == B.run;
}

void PrintTo(const KTextRunPlacement& P, std::ostream* Out)
{
    *Out << "{run " << P.run << ": " << P.start << "+" << P.count << " at " << P.h << "," << P.v << " " << P.width
         << "x" << P.height << "}";
}

namespace {

class TextLayout : public testing::Test {
protected:
    FixedAdvances advances;
};

TEST_F(TextLayout, ALineMeasuresRunByRun)
{
    KTextLineObject object;
    EXPECT_EQ(sizeOf(object), KGraphicSize(0, 0));

    // Widths 10 and 20, heights 12 and 16.
    KTextLinePtr line = styledLine({{"a", 10}, {"bc", 14}});
    object.setText(*line);
    EXPECT_EQ(sizeOf(object), KGraphicSize(30, 16));

    // An empty run in a taller font still raises the line.
    line->appendStyleRun(KString(""), arialFont(20), KColor(kBlack));
    object.setText(*line);
    EXPECT_EQ(sizeOf(object), KGraphicSize(30, 22));

    // A line without runs is one blank in its default style.
    KTextLinePtr bare = new KTextLine;
    object.setText(*bare);
    EXPECT_EQ(sizeOf(object), KGraphicSize(10, short(FixedAdvances::heightOf(bare->getDefaultStyle()))));

    object.clearText();
    EXPECT_EQ(sizeOf(object), KGraphicSize(0, 0));
}

TEST_F(TextLayout, AWrappedLineIsAsWideAsItsWidestPieceAndAsHighAsAllOfThem)
{
    KTextLinePtr line = styledLine({{"aaaaaaaa bbbbbbbbbb cccc", 10}});
    KTextLineObject object;
    object.setText(*line);
    object.setWidth(100);
    // Without wrap the width changes nothing.
    EXPECT_EQ(sizeOf(object), KGraphicSize(240, 12));

    object.setWrap(true);
    EXPECT_EQ(sizeOf(object), KGraphicSize(100, 36));
    EXPECT_EQ(object.getSubLines().getCount(), 3);

    object.setWidth(150);
    EXPECT_EQ(sizeOf(object), KGraphicSize(150, 24));
    object.setWidth(250);
    EXPECT_EQ(sizeOf(object), KGraphicSize(240, 12));

    object.setWrap(false);
    object.setWidth(50);
    EXPECT_EQ(sizeOf(object), KGraphicSize(240, 12));
    EXPECT_EQ(object.getSubLines().getCount(), 0);
}

TEST_F(TextLayout, AlignmentPlacesTheLineInItsBox)
{
    KTextLinePtr line = styledLine({{"abcd", 10}});
    const KGraphicRectangle box(7, 3, 100, 20);
    EXPECT_EQ(placed(*line, box), (std::vector<Placed>{{0, 4, 7, 3, 40, 12, 0}}));
    line->setAlignment(kAlignRight);
    EXPECT_EQ(placed(*line, box), (std::vector<Placed>{{0, 4, 67, 3, 40, 12, 0}}));
    line->setAlignment(kAlignCenter);
    EXPECT_EQ(placed(*line, box), (std::vector<Placed>{{0, 4, 37, 3, 40, 12, 0}}));
    // Codes above 3 draw as left.
    line->setAlignment(9);
    EXPECT_EQ(placed(*line, box), (std::vector<Placed>{{0, 4, 7, 3, 40, 12, 0}}));
}

TEST_F(TextLayout, JustifiedRunsWidenTheirOwnBlanks)
{
    // 110 pixels of text with three blanks in 200: each blank gains 30.
    KTextLinePtr line = styledLine({{"ab cd", 10}, {" ef gh", 10}});
    line->setAlignment(kAlignJustified);
    EXPECT_EQ(placed(*line, KGraphicRectangle(0, 0, 200, 20)),
              (std::vector<Placed>{{0, 5, 0, 0, 80, 12, 0}, {5, 6, 80, 0, 120, 12, 1}}));

    // 40 pixels of text with three blanks widen each by 20 in 100.
    KTextLinePtr spaced = styledLine({{"a ", 10}, {"  ", 10}});
    spaced->setAlignment(kAlignJustified);
    ASSERT_EQ(spaced->getText().countChar(' '), 3);
    EXPECT_EQ(placed(*spaced, KGraphicRectangle(0, 0, 100, 20)),
              (std::vector<Placed>{{0, 2, 0, 0, 40, 12, 0}, {2, 2, 40, 0, 60, 12, 1}}));

    // Without blanks, or wider than the box, nothing is spread.
    KTextLinePtr solid = styledLine({{"abc", 10}});
    solid->setAlignment(kAlignJustified);
    EXPECT_EQ(placed(*solid, KGraphicRectangle(0, 0, 100, 20)), (std::vector<Placed>{{0, 3, 0, 0, 30, 12, 0}}));
}

TEST_F(TextLayout, RunsOfTwoFontsShareOneBaseline)
{
    // Ascents 10 and 14: the smaller run sits 4 pixels lower.
    KTextLinePtr line = styledLine({{"ab", 10}, {"cd", 14}});
    short height = 0;
    EXPECT_EQ(placed(*line, KGraphicRectangle(0, 5, 100, 30), &height),
              (std::vector<Placed>{{0, 2, 0, 9, 20, 12, 0}, {2, 2, 20, 5, 20, 16, 1}}));
    EXPECT_EQ(height, 16);
}

TEST_F(TextLayout, ALineWiderThanItsBoxStopsAtTheEdge)
{
    KTextLinePtr line = styledLine({{"abc", 10}, {"def", 10}, {"ghi", 10}});
    EXPECT_EQ(placed(*line, KGraphicRectangle(0, 0, 50, 20)),
              (std::vector<Placed>{{0, 3, 0, 0, 30, 12, 0}, {3, 3, 30, 0, 20, 12, 1}}));

    // Right-aligned, it starts left of the box: the first run does not reach in, the
    // second shows from the box's edge.
    line->setAlignment(kAlignRight);
    EXPECT_EQ(placed(*line, KGraphicRectangle(0, 0, 50, 20)),
              (std::vector<Placed>{{3, 3, 0, 0, 20, 12, 1}, {6, 3, 20, 0, 30, 12, 2}}));

    // A line that measures to nothing stops the drawing.
    KTextLinePtr empty = new KTextLine(KString(""));
    short height = -1;
    EXPECT_TRUE(placed(*empty, KGraphicRectangle(0, 0, 50, 20), &height).empty());
    EXPECT_EQ(height, 0);
}

TEST_F(TextLayout, ABlockStacksItsLines)
{
    EXPECT_EQ(sizeOf(KTextBlockObject()), KGraphicSize(0, 0));

    KTextBlockObject object;
    KTextBlockPtr block = new KTextBlock;
    block->addLine(styledLine({{"abc", 10}}));
    block->addLine(styledLine({{"abcde", 14}}));
    object.setTextBlock(*block);
    object.setWidth(40);
    object.setWrap(false);
    EXPECT_EQ(sizeOf(object), KGraphicSize(50, 28));

    // Wrap on at 40: "abcde" is cut into "abcd" and "e".
    object.setWrap(true);
    EXPECT_EQ(sizeOf(object), KGraphicSize(40, 44));

    KTextBlockPtr wrapping = new KTextBlock;
    wrapping->addLine(styledLine({{"abcd efgh ijk", 10}}));
    wrapping->setAlignment(kAlignCenter);
    object.setTextBlock(*wrapping);
    object.setWidth(40);
    EXPECT_EQ(sizeOf(object), KGraphicSize(40, 36));
    // Layout hands the block's alignment to its lines.
    EXPECT_EQ(wrapping->getLineAt(0).getAlignment(), kAlignCenter);
}

TEST_F(TextLayout, ANewBlockIsNotLaidOutUntilTheWidthOrWrapChanges)
{
    KTextBlockPtr first = new KTextBlock;
    first->addLine(styledLine({{"abc", 10}}));
    KTextBlockPtr second = new KTextBlock;
    second->addLine(styledLine({{"abcdefgh", 10}}));

    KTextBlockObject object;
    object.setTextBlock(*first);
    EXPECT_EQ(sizeOf(object), KGraphicSize(30, 12));
    object.setTextBlock(*second);
    EXPECT_EQ(sizeOf(object), KGraphicSize(30, 12));
    object.setWidth(500);
    EXPECT_EQ(sizeOf(object), KGraphicSize(30, 12));
    object.setWrap(true);
    EXPECT_EQ(sizeOf(object), KGraphicSize(80, 12));
}

class TextHighlight : public TextLayout {
protected:
    // Lines "abcd" and "efghijk".
    KTextBlockPtr makeBlock()
    {
        KTextBlockPtr block = new KTextBlock;
        block->addLine(styledLine({{"abcd", 10}}));
        block->addLine(styledLine({{"efghijk", 10}}));
        return block;
    }
};

TEST_F(TextHighlight, ARangeColoursACopyOfTheBlock)
{
    KTextBlockPtr block = makeBlock();
    KTextBlockObject object;
    object.setTextBlock(*block);
    object.setHighlightColor(KColor(kRed));
    // With no range the copy is there, uncoloured.
    ASSERT_TRUE(object.hasHighlightBlock());
    EXPECT_EQ(runColors(object.getHighlightBlock().getLineAt(1)), (std::vector<uint32>{kNativeBlack}));

    object.setHighlightRange(5, 9);
    const KTextBlock& copy = object.getHighlightBlock();
    EXPECT_EQ(runLengths(copy.getLineAt(1)), (std::vector<long>{1, 4, 2}));
    EXPECT_EQ(runColors(copy.getLineAt(1)), (std::vector<uint32>{kNativeBlack, kNativeRed, kNativeBlack}));
    EXPECT_EQ(runColors(copy.getLineAt(0)), (std::vector<uint32>{kNativeBlack}));
    EXPECT_EQ(runColors(block->getLineAt(1)), (std::vector<uint32>{kNativeBlack}));

    // The copy is a snapshot of the block.
    block->setColor(KColor(kBlue));
    EXPECT_EQ(runColors(object.getHighlightBlock().getLineAt(0)), (std::vector<uint32>{kNativeBlack}));

    object.setHighlightRange(5, -1);
    EXPECT_FALSE(object.hasHighlightBlock());
    EXPECT_EQ(object.getHighlightStart(), 5);
    EXPECT_EQ(object.getHighlightEnd(), -1);

    object.highlightAll();
    EXPECT_EQ(object.getHighlightStart(), 0);
    EXPECT_EQ(object.getHighlightEnd(), 11);
    EXPECT_EQ(runColors(object.getHighlightBlock().getLineAt(0)), (std::vector<uint32>{kNativeRed}));
    EXPECT_EQ(runColors(object.getHighlightBlock().getLineAt(1)), (std::vector<uint32>{kNativeRed}));

    object.clearHighlight();
    EXPECT_FALSE(object.hasHighlightBlock());
    EXPECT_EQ(object.getHighlightStart(), -1);
}

TEST_F(TextHighlight, AHighlightAskedForBeforeTheTextIsAppliedWhenItComes)
{
    // No report may come: every unexpected report fails the test.
    KTextBlockObject ranged;
    ranged.setHighlightColor(KColor(kRed));
    ranged.setHighlightRange(1, 3);
    EXPECT_FALSE(ranged.hasHighlightBlock());
    KTextBlockPtr block = makeBlock();
    ranged.setTextBlock(*block);
    ASSERT_TRUE(ranged.hasHighlightBlock());
    EXPECT_EQ(runColors(ranged.getHighlightBlock().getLineAt(0)),
              (std::vector<uint32>{kNativeBlack, kNativeRed, kNativeBlack}));

    KTextBlockObject all;
    all.highlightAll();
    all.setHighlightColor(KColor(kBlue));
    all.setTextBlock(*block);
    EXPECT_EQ(all.getHighlightEnd(), 11);
    EXPECT_EQ(runColors(all.getHighlightBlock().getLineAt(1)), (std::vector<uint32>{kNativeBlue}));

    KTextBlockObject coloured;
    coloured.setHighlightColor(KColor(kBlue));
    coloured.setTextBlock(*block);
    EXPECT_TRUE(coloured.hasHighlightBlock());
    EXPECT_EQ(coloured.getHighlightStart(), -1);

    // A highlight cleared before the text leaves nothing to apply.
    KTextBlockObject cleared;
    cleared.highlightAll();
    cleared.clearHighlight();
    cleared.setTextBlock(*block);
    EXPECT_FALSE(cleared.hasHighlightBlock());
}

TEST_F(TextHighlight, ALineObjectHighlightsTheSameWay)
{
    KTextLinePtr line = styledLine({{"abcdef", 10}});
    KTextLineObject early;
    early.setHighlightRange(2, 4);
    early.setHighlightColor(KColor(kRed));
    early.setText(*line);
    ASSERT_TRUE(early.hasHighlightLine());
    EXPECT_EQ(runColors(early.getHighlightLine()), (std::vector<uint32>{kNativeBlack, kNativeRed, kNativeBlack}));

    // A new text clears a highlight made on the one before.
    KTextLinePtr next = styledLine({{"xyz", 10}});
    early.setText(*next);
    EXPECT_FALSE(early.hasHighlightLine());
    EXPECT_EQ(early.getHighlightStart(), -1);

    early.setHighlightRange(0, 1);
    early.setColor(KColor(kBlue));
    EXPECT_EQ(runColors(*next), (std::vector<uint32>{kNativeBlue}));
    EXPECT_EQ(runColors(early.getHighlightLine()), (std::vector<uint32>{kNativeRed, kNativeBlack}));
}

TEST_F(TextHighlight, AWrappedLineIsCutAgainWhenItsHighlightChanges)
{
    KTextLinePtr line = styledLine({{"abcd efgh", 10}});
    KTextLineObject object;
    object.setText(*line);
    object.setWidth(45);
    object.setWrap(true);
    object.setHighlightColor(KColor(kRed));
    EXPECT_EQ(sizeOf(object), KGraphicSize(40, 24));

    object.setHighlightRange(5, 9);
    EXPECT_EQ(sizeOf(object), KGraphicSize(40, 24));
    const KTextLine& second = static_cast<KTextLine&>(object.getSubLines().getObjectAt(1));
    EXPECT_EQ(runColors(second), (std::vector<uint32>{kNativeRed}));
}

} // namespace
