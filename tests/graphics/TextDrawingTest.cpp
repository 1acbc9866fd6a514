// Real text drawn by the platform on off-screen images. Fonts differ from one system to
// the next, so these tests check relations only: where ink falls, and in which colour.
#include "graphics/KImage.h"
#include "graphics/KTextBlockObject.h"
#include "graphics/KTextLineObject.h"
#include "tests/graphics/TextTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// The pixels of an area for which a test holds, and the box around them.
struct Ink {
    long pixels = 0;
    short left = 32767, right = -1, top = 32767, bottom = -1;

    bool inside(const KGraphicRectangle& R) const
    {
        return left >= R.getH() && right < R.getH() + R.getWidth() && top >= R.getV()
            && bottom < R.getV() + R.getHeight();
    }
};

Ink inkWhere(const KGraphicDevice& Device, const KGraphicRectangle& Area, const std::function<bool(uint32)>& Test)
{
    Ink ink;
    for (short y = Area.getV(); y < Area.getV() + Area.getHeight(); ++y) {
        for (short x = Area.getH(); x < Area.getH() + Area.getWidth(); ++x) {
            if (Test(Device.getPixel(x, y).getNativeColor())) {
                ++ink.pixels;
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
        }
    }
    return ink;
}

bool isRed(uint32 Native) { return (Native & 0xFF) > 150 && (Native >> 8 & 0xFF) < 110 && (Native >> 16) < 110; }
bool isNotWhite(uint32 Native) { return Native != 0xFFFFFF; }
bool isNotYellow(uint32 Native) { return Native != 0x00FFFF; }

class TextDrawing : public testing::Test {
protected:
    void SetUp() override
    {
        image->create(320, 100);
        device().paintRect(whole, KColor(kWhite));
        block->addLine(styledLine({{"Hello ", 14}, {"world", 14}}));
        block->addLine(styledLine({{"Second line", 14}}));
    }

    KGraphicDevice& device() { return image->getGraphicDevice(); }

    KImagePtr image = new KImage;
    const KGraphicRectangle whole{0, 0, 320, 100};
    KTextBlockPtr block = new KTextBlock;
};

TEST_F(TextDrawing, TextStaysInItsRectangleAndTheHighlightInItsRange)
{
    KTextBlockObject object;
    object.setAuxObject(device());
    object.setTextBlock(*block);
    object.setHighlightColor(KColor(kRed));
    object.setHighlightRange(6, 11);
    const KGraphicRectangle area(20, 10, object.getSize().getWidth(), object.getSize().getHeight());
    object.draw(device(), area);
    const Ink all = inkWhere(device(), whole, isNotWhite);
    ASSERT_GT(all.pixels, 50);
    EXPECT_TRUE(all.inside(area));

    // Where "world" goes, as the line object places it on this device; "Hello " and the
    // second line are drawn, and not in red.
    std::vector<KTextRunPlacement> runs;
    KTextLineObject::placeRuns(object.getHighlightBlock().getLineAt(0), area, &device(), runs);
    ASSERT_EQ(runs.size(), 2u);
    const KGraphicRectangle world(runs[1].h, runs[1].v, runs[1].width, runs[1].height);
    const Ink red = inkWhere(device(), whole, isRed);
    EXPECT_GT(red.pixels, 10);
    EXPECT_TRUE(red.inside(world));
    EXPECT_GT(inkWhere(device(), KGraphicRectangle(area.getH(), area.getV(), runs[0].width, runs[0].height), isNotWhite)
                  .pixels,
        10);
    EXPECT_GT(all.bottom, world.getV() + world.getHeight());
}

TEST_F(TextDrawing, ATransparentDrawShowsOnlyTheTextAndRestoresTheHighlight)
{
    device().paintRect(whole, KColor(kYellow));
    KTextBlockObject object;
    object.setTextBlock(*block);
    object.setHighlightColor(KColor(kRed));
    object.setHighlightRange(0, 5);
    const KGraphicRectangle source(0, 0, object.getSize().getWidth(), object.getSize().getHeight());
    const KGraphicRectangle area(15, 12, source.getWidth(), source.getHeight());
    object.drawPart(device(), source, area);
    EXPECT_EQ(object.getHighlightStart(), 0);
    EXPECT_EQ(object.getHighlightEnd(), 5);
    EXPECT_EQ(object.getHighlightColor(), KColor(kRed));
    ASSERT_TRUE(object.hasHighlightBlock());
    EXPECT_EQ(runColors(object.getHighlightBlock().getLineAt(0)), (Colors{kNativeRed, kNativeBlack, kNativeBlack}));

    // The yellow shows between the characters; the text is there, red where highlighted.
    const long areaPixels = long(area.getWidth()) * area.getHeight();
    const Ink text = inkWhere(device(), area, isNotYellow);
    EXPECT_GT(text.pixels, 0);
    EXPECT_LT(text.pixels, areaPixels / 2);
    EXPECT_EQ(inkWhere(device(), whole, isNotYellow).pixels, text.pixels);
    EXPECT_GT(inkWhere(device(), area, isRed).pixels, 5);

    // The same for a line object, with a highlight from position 0.
    KTextLineObject line;
    line.setText(block->getLineAt(1));
    line.setHighlightColor(KColor(kBlue));
    line.setHighlightRange(0, 3);
    line.drawPart(device(), source, area);
    EXPECT_EQ(line.getHighlightEnd(), 3);
    EXPECT_EQ(runColors(line.getHighlightLine()), (Colors{kNativeBlue, kNativeBlack}));
}

TEST_F(TextDrawing, JustificationSpreadsTheBlanks)
{
    const KTextStyle style(arialFont(14), KColor(kBlack));
    const KGraphicRectangle box(10, 10, 250, 30);
    kksDrawText(KString("a b"), style, device(), box, kAlignLeft);
    const Ink plain = inkWhere(device(), whole, isNotWhite);
    device().paintRect(whole, KColor(kWhite));
    kksDrawText(KString("a b"), style, device(), box, kAlignJustified);
    const Ink justified = inkWhere(device(), whole, isNotWhite);
    EXPECT_EQ(justified.left, plain.left);
    EXPECT_GT(justified.right, plain.right + 150);
    EXPECT_LE(justified.right, box.getH() + box.getWidth());
}

} // namespace
