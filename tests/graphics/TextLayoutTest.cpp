// Laying out and placing text through the measuring seam (10 pixels a character, a
// height of the font's size + 2 with the size as ascent): word wrap, sizes of lines and
// blocks, where the alignment puts the runs, and the highlight copies.
#include "foundation/KBag.h"
#include "graphics/KTextBlockObject.h"
#include "graphics/KTextLineObject.h"
#include "tests/graphics/TextTestSupport.h"

#include <gtest/gtest.h>

namespace {

using Placed = KTextRunPlacement;
using Texts = std::vector<std::string>;

std::vector<Placed> placed(const KTextLine& Line, const KGraphicRectangle& R, short* Height = nullptr)
{
    std::vector<Placed> placements;
    const short height = KTextLineObject::placeRuns(Line, R, nullptr, placements);
    if (Height)
        *Height = height;
    return placements;
}

Texts wrapped(const char* Text, int16 Width, uint8 Alignment = kAlignLeft)
{
    KTextLinePtr line = new KTextLine(KString(Text));
    KBag lines;
    kksBreakTextIntoLines(*line, Width, lines, Alignment);
    Texts texts;
    for (long i = 0; i < lines.getCount(); ++i)
        texts.push_back(textOf(static_cast<KTextLine&>(lines.getObjectAt(i)).getText()));
    return texts;
}

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

TEST_F(TextLayout, BreaksFallAfterSeparatorsOrInsideAWordWiderThanTheLine)
{
    EXPECT_EQ(wrapped("abcd efgh", 45), (Texts{"abcd", "efgh"}));
    // The hyphen and the semicolon stay at the end of the first piece.
    EXPECT_EQ(wrapped("abc-defgh", 50), (Texts{"abc-", "defgh"}));
    EXPECT_EQ(wrapped("ab;cd;ef", 60), (Texts{"ab;cd;", "ef"}));
    EXPECT_EQ(wrapped("one two three four", 90), (Texts{"one two", "three", "four"}));
    EXPECT_EQ(wrapped("abcd efgh", 90), (Texts{"abcd efgh"}));
    EXPECT_EQ(wrapped("abcdefghij", 35), (Texts{"abc", "def", "ghi", "j"}));
    EXPECT_EQ(wrapped("ab cdefghij", 35), (Texts{"ab", "cde", "fgh", "ij"}));
    // Narrower than one character: still one per line, and the loop ends.
    EXPECT_EQ(wrapped("abc", 5), (Texts{"a", "b", "c"}));
    EXPECT_EQ(wrapped("ab", -20), (Texts{"a", "b"}));
    // Blanks at the breaks are trimmed by the alignment; trimming alone can make a line fit.
    EXPECT_EQ(wrapped("  ab  cd  ", 50, kAlignLeft), (Texts{"  ab", "cd"}));
    EXPECT_EQ(wrapped("  ab  cd  ", 50, kAlignRight), (Texts{"ab", "cd  "}));
    EXPECT_EQ(wrapped("  ab  cd  ", 50, kAlignCenter), (Texts{"ab", "cd"}));
    EXPECT_EQ(wrapped("  ab  cd  ", 50, kAlignJustified), (Texts{"ab", "cd"}));
    EXPECT_EQ(wrapped("abcd    ", 40, kAlignLeft), (Texts{"abcd"}));
}

TEST_F(TextLayout, WrappedPiecesKeepRunsStyleAndAlignment)
{
    KTextLinePtr line = styledLine({{"ab", 10}, {"cd ef", 14}, {"gh", 10}}, KColor(kRed));
    line->setColorOfRange(0, 1, KColor(kBlue));
    line->setAlignment(kAlignCenter);
    KBag pieces;
    kksBreakTextIntoLines(*line, 50, pieces, kAlignLeft);
    ASSERT_EQ(pieces.getCount(), 2);
    const KTextLine& first = static_cast<KTextLine&>(pieces.getObjectAt(0));
    const KTextLine& second = static_cast<KTextLine&>(pieces.getObjectAt(1));
    EXPECT_EQ(textOf(first.getText()) + "|" + textOf(second.getText()), "abcd|efgh");
    EXPECT_EQ(runLengths(first), (Runs{1, 1, 2}));
    EXPECT_EQ(runColors(first), (Colors{kNativeBlue, kNativeRed, kNativeRed}));
    EXPECT_EQ(runLengths(second), (Runs{2, 2}));
    EXPECT_EQ(second.getStyleRunAt(0).getFont().getSize(), 14.0);
    EXPECT_EQ(second.getAlignment(), kAlignCenter);
    EXPECT_EQ(runLengths(*line), (Runs{1, 1, 5, 2})); // the line itself is left as it was
}

TEST_F(TextLayout, ALineMeasuresRunByRunAndWrappedAsItsPieces)
{
    KTextLineObject object;
    EXPECT_EQ(object.getSize(), KGraphicSize(0, 0));
    // Widths 10 and 20, heights 12 and 16.
    KTextLinePtr line = styledLine({{"a", 10}, {"bc", 14}});
    object.setText(*line);
    EXPECT_EQ(object.getSize(), KGraphicSize(30, 16));
    // An empty run in a taller font still raises the line.
    line->appendStyleRun(KString(""), arialFont(20), KColor(kBlack));
    object.setText(*line);
    EXPECT_EQ(object.getSize(), KGraphicSize(30, 22));
    // A line without runs is one blank in its default style.
    KTextLinePtr bare = new KTextLine;
    object.setText(*bare);
    EXPECT_EQ(object.getSize(), KGraphicSize(10, short(FixedAdvances::heightOf(bare->getDefaultStyle()))));
    object.clearText();
    EXPECT_EQ(object.getSize(), KGraphicSize(0, 0));

    // A wrapped line is as wide as its widest piece and as high as all of them.
    KTextLinePtr pieces = styledLine({{"aaaaaaaa bbbbbbbbbb cccc", 10}});
    KTextLineObject wrapped;
    wrapped.setText(*pieces);
    wrapped.setWidth(100);
    // Without wrap the width changes nothing.
    EXPECT_EQ(wrapped.getSize(), KGraphicSize(240, 12));
    wrapped.setWrap(true);
    EXPECT_EQ(wrapped.getSize(), KGraphicSize(100, 36));
    EXPECT_EQ(wrapped.getSubLines().getCount(), 3);
    wrapped.setWidth(150);
    EXPECT_EQ(wrapped.getSize(), KGraphicSize(150, 24));
    wrapped.setWidth(250);
    EXPECT_EQ(wrapped.getSize(), KGraphicSize(240, 12));
    wrapped.setWrap(false);
    wrapped.setWidth(50);
    EXPECT_EQ(wrapped.getSize(), KGraphicSize(240, 12));
    EXPECT_EQ(wrapped.getSubLines().getCount(), 0);
}

TEST_F(TextLayout, AlignmentPlacesTheLineInItsBoxAndJustifiedRunsWidenTheirOwnBlanks)
{
    KTextLinePtr line = styledLine({{"abcd", 10}});
    const KGraphicRectangle box(7, 3, 100, 20);
    // Codes above 3 draw as left.
    const std::pair<uint8, short> cases[] = {{kAlignLeft, 7}, {kAlignRight, 67}, {kAlignCenter, 37}, {9, 7}};
    for (const auto& c : cases) {
        line->setAlignment(c.first);
        EXPECT_EQ(placed(*line, box), (std::vector<Placed>{{0, 4, c.second, 3, 40, 12, 0}}));
    }

    // 110 pixels of text with three blanks in 200: each blank gains 30.
    KTextLinePtr justified = styledLine({{"ab cd", 10}, {" ef gh", 10}});
    justified->setAlignment(kAlignJustified);
    EXPECT_EQ(placed(*justified, KGraphicRectangle(0, 0, 200, 20)),
        (std::vector<Placed>{{0, 5, 0, 0, 80, 12, 0}, {5, 6, 80, 0, 120, 12, 1}}));
    // 40 pixels of text with three blanks widen each by 20 in 100.
    KTextLinePtr spaced = styledLine({{"a ", 10}, {"  ", 10}});
    spaced->setAlignment(kAlignJustified);
    EXPECT_EQ(placed(*spaced, KGraphicRectangle(0, 0, 100, 20)),
        (std::vector<Placed>{{0, 2, 0, 0, 40, 12, 0}, {2, 2, 40, 0, 60, 12, 1}}));
    // Without blanks nothing is spread.
    KTextLinePtr solid = styledLine({{"abc", 10}});
    solid->setAlignment(kAlignJustified);
    EXPECT_EQ(placed(*solid, KGraphicRectangle(0, 0, 100, 20)), (std::vector<Placed>{{0, 3, 0, 0, 30, 12, 0}}));
}

TEST_F(TextLayout, RunsShareOneBaselineAndStopAtTheBoxsEdge)
{
    // Ascents 10 and 14: the smaller run sits 4 pixels lower.
    KTextLinePtr line = styledLine({{"ab", 10}, {"cd", 14}});
    short height = 0;
    EXPECT_EQ(placed(*line, KGraphicRectangle(0, 5, 100, 30), &height),
        (std::vector<Placed>{{0, 2, 0, 9, 20, 12, 0}, {2, 2, 20, 5, 20, 16, 1}}));
    EXPECT_EQ(height, 16);

    KTextLinePtr wide = styledLine({{"abc", 10}, {"def", 10}, {"ghi", 10}});
    EXPECT_EQ(placed(*wide, KGraphicRectangle(0, 0, 50, 20)),
        (std::vector<Placed>{{0, 3, 0, 0, 30, 12, 0}, {3, 3, 30, 0, 20, 12, 1}}));
    // Right-aligned, it starts left of the box: the first run does not reach in, the
    // second shows from the box's edge.
    wide->setAlignment(kAlignRight);
    EXPECT_EQ(placed(*wide, KGraphicRectangle(0, 0, 50, 20)),
        (std::vector<Placed>{{3, 3, 0, 0, 20, 12, 1}, {6, 3, 20, 0, 30, 12, 2}}));
    // A line that measures to nothing stops the drawing.
    KTextLinePtr empty = new KTextLine(KString(""));
    EXPECT_TRUE(placed(*empty, KGraphicRectangle(0, 0, 50, 20), &height).empty());
    EXPECT_EQ(height, 0);
}

TEST_F(TextLayout, ABlockStacksItsLines)
{
    EXPECT_EQ(KTextBlockObject().getSize(), KGraphicSize(0, 0));
    KTextBlockObject object;
    KTextBlockPtr block = new KTextBlock;
    block->addLine(styledLine({{"abc", 10}}));
    block->addLine(styledLine({{"abcde", 14}}));
    object.setTextBlock(*block);
    object.setWidth(40);
    object.setWrap(false);
    EXPECT_EQ(object.getSize(), KGraphicSize(50, 28));
    // Wrap on at 40: "abcde" is cut into "abcd" and "e".
    object.setWrap(true);
    EXPECT_EQ(object.getSize(), KGraphicSize(40, 44));

    KTextBlockPtr wrapping = new KTextBlock;
    wrapping->addLine(styledLine({{"abcd efgh ijk", 10}}));
    wrapping->setAlignment(kAlignCenter);
    object.setTextBlock(*wrapping);
    object.setWidth(40);
    EXPECT_EQ(object.getSize(), KGraphicSize(40, 36));
    // Layout hands the block's alignment to its lines.
    EXPECT_EQ(wrapping->getLineAt(0).getAlignment(), kAlignCenter);
}

// Lines "abcd" and "efghijk".
KTextBlockPtr makeBlock()
{
    KTextBlockPtr block = new KTextBlock;
    block->addLine(styledLine({{"abcd", 10}}));
    block->addLine(styledLine({{"efghijk", 10}}));
    return block;
}

TEST_F(TextLayout, AHighlightRangeColoursACopyOfTheBlock)
{
    KTextBlockPtr block = makeBlock();
    KTextBlockObject object;
    object.setTextBlock(*block);
    object.setHighlightColor(KColor(kRed));
    // With no range the copy is there, uncoloured.
    ASSERT_TRUE(object.hasHighlightBlock());
    EXPECT_EQ(runColors(object.getHighlightBlock().getLineAt(1)), Colors{kNativeBlack});

    object.setHighlightRange(5, 9);
    const KTextBlock& copy = object.getHighlightBlock();
    EXPECT_EQ(runLengths(copy.getLineAt(1)), (Runs{1, 4, 2}));
    EXPECT_EQ(runColors(copy.getLineAt(1)), (Colors{kNativeBlack, kNativeRed, kNativeBlack}));
    EXPECT_EQ(runColors(copy.getLineAt(0)), Colors{kNativeBlack});
    EXPECT_EQ(runColors(block->getLineAt(1)), Colors{kNativeBlack});
    // The copy is a snapshot of the block.
    block->setColor(KColor(kBlue));
    EXPECT_EQ(runColors(object.getHighlightBlock().getLineAt(0)), Colors{kNativeBlack});

    object.setHighlightRange(5, -1);
    EXPECT_FALSE(object.hasHighlightBlock());
    object.highlightAll();
    EXPECT_EQ(object.getHighlightStart(), 0);
    EXPECT_EQ(object.getHighlightEnd(), 11);
    EXPECT_EQ(runColors(object.getHighlightBlock().getLineAt(1)), Colors{kNativeRed});
    object.clearHighlight();
    EXPECT_FALSE(object.hasHighlightBlock());
    EXPECT_EQ(object.getHighlightStart(), -1);

    // A wrapped line is cut again when its highlight changes.
    KTextLinePtr wrappedLine = styledLine({{"abcd efgh", 10}});
    KTextLineObject wrapped;
    wrapped.setText(*wrappedLine);
    wrapped.setWidth(45);
    wrapped.setWrap(true);
    wrapped.setHighlightColor(KColor(kRed));
    EXPECT_EQ(wrapped.getSize(), KGraphicSize(40, 24));
    wrapped.setHighlightRange(5, 9);
    EXPECT_EQ(wrapped.getSize(), KGraphicSize(40, 24));
    EXPECT_EQ(runColors(static_cast<KTextLine&>(wrapped.getSubLines().getObjectAt(1))), Colors{kNativeRed});
}

TEST_F(TextLayout, AHighlightAskedForBeforeTheTextIsAppliedWhenItComes)
{
    // No report may come: every unexpected report fails the test.
    KTextBlockObject ranged;
    ranged.setHighlightColor(KColor(kRed));
    ranged.setHighlightRange(1, 3);
    EXPECT_FALSE(ranged.hasHighlightBlock());
    KTextBlockPtr block = makeBlock();
    ranged.setTextBlock(*block);
    ASSERT_TRUE(ranged.hasHighlightBlock());
    EXPECT_EQ(runColors(ranged.getHighlightBlock().getLineAt(0)), (Colors{kNativeBlack, kNativeRed, kNativeBlack}));

    KTextBlockObject all;
    all.highlightAll();
    all.setHighlightColor(KColor(kBlue));
    all.setTextBlock(*block);
    EXPECT_EQ(all.getHighlightEnd(), 11);
    EXPECT_EQ(runColors(all.getHighlightBlock().getLineAt(1)), Colors{kNativeBlue});

    // A highlight cleared before the text leaves nothing to apply.
    KTextBlockObject cleared;
    cleared.highlightAll();
    cleared.clearHighlight();
    cleared.setTextBlock(*block);
    EXPECT_FALSE(cleared.hasHighlightBlock());

    // A line object does the same; a new text clears a highlight made on the one before.
    KTextLinePtr line = styledLine({{"abcdef", 10}});
    KTextLineObject early;
    early.setHighlightRange(2, 4);
    early.setHighlightColor(KColor(kRed));
    early.setText(*line);
    ASSERT_TRUE(early.hasHighlightLine());
    EXPECT_EQ(runColors(early.getHighlightLine()), (Colors{kNativeBlack, kNativeRed, kNativeBlack}));
    KTextLinePtr next = styledLine({{"xyz", 10}});
    early.setText(*next);
    EXPECT_FALSE(early.hasHighlightLine());
    EXPECT_EQ(early.getHighlightStart(), -1);
}

} // namespace
