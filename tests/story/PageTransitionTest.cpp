// Page transitions: each effect revealing the new page strip by strip, block by block or
// by fading on the driven clock, the cut, the actors hidden as a page begins, the block,
// and the picture that a transition keeps in step with the story's folders.
#include "foundation/KStringBag.h"
#include "story/WipeOut.h"
#include "tests/story/ActorStageSupport.h"

#include <algorithm>
#include <memory>

namespace {

class PageTransitions : public StoryTest {
protected:
    // Pictures are read by their file types, registered before the objects are counted
    // and gone with the test, as the application of other tests registers them itself.
    void SetUp() override
    {
        registerFrameworkFileTypes();
        StoryTest::SetUp();
    }
    void TearDown() override
    {
        m_stage.reset();
        StoryTest::TearDown();
        KFileTypeHandler::removeAllAssociations();
    }

    // A red page of Width × Height and a transition to green with the effect.
    WipeOut& transition(uint8 Effect, short Width = 640, short Height = 480)
    {
        m_stage = std::make_unique<Stage>(Width, Height);
        paintPage('r');
        TapeObjectPtr made(new WipeOut);
        auto& wipe = static_cast<WipeOut&>(*made);
        wipe.setEffect(Effect);
        wipe.setColor(colorOf('g'));
        m_stage->tape().add(wipe);
        wipe.setTape(m_stage->tape());
        return wipe;
    }
    void paintPage(char Color)
    {
        const KGraphicRectangle whole = m_stage->page().getBounds();
        m_stage->page().paintRect(whole, colorOf(Color));
        m_stage->compositor().invalidate(whole);
    }
    char pixel(short H, short V) const { return pixelRows(m_stage->page(), H, V, 1, 1)[0][0]; }
    void steps(long Count)
    {
        for (long i = 0; i < Count; ++i)
            m_stage->tape().getRunningObject().step();
    }

    std::unique_ptr<Stage> m_stage;
};

TEST_F(PageTransitions, EachEffectRevealsItsPartsAndEndsWithTheWholeNewPage)
{
    // After two steps (k = 0 and 1) on a 640 × 480 page, a pixel just revealed and its
    // neighbour still red; then the steps left until the end.
    struct Case {
        uint8 effect;
        short inH, inV, outH, outV;
        long stepsInAll;
    } cases[] = {
        {2, 300, 4, 300, 5, 121},   // closing frame: bands of dy + 1 = 3 rows
        {3, 317, 238, 316, 238, 121}, // opening box: 6 × 5 centred
        {4, 10, 100, 11, 100, 121},  // wipe right: x = 640k / 120, 6 wide
        {5, 635, 100, 634, 100, 121},
        {6, 0, 8, 0, 9, 121},
        {7, 0, 476, 0, 475, 121},
        {9, 0, 5, 0, 6, 122},        // interlaced: rows 0, 1, 4, 5 from the top
        {12, 0, 0, 0, 0, 101},       // unknown: nothing until the end
    };
    for (const Case& c : cases) {
        WipeOut& wipe = transition(c.effect);
        m_stage->play(wipe);
        steps(2);
        EXPECT_EQ(pixel(c.inH, c.inV), c.effect == 12 ? 'r' : 'g') << int(c.effect);
        EXPECT_EQ(pixel(c.outH, c.outV), 'r') << int(c.effect);
        EXPECT_EQ(m_stage->stepsToEnd() + 2, c.stepsInAll) << int(c.effect);
        for (auto [h, v] : {std::pair<short, short>{0, 0}, {639, 0}, {320, 240}, {0, 479}, {639, 479}})
            EXPECT_EQ(pixel(h, v), 'g') << int(c.effect) << " " << h << " " << v;
    }
}

TEST_F(PageTransitions, BandsAndLinesMeetOnlyAtTheirLastSteps)
{
    // Closing frame: the top and bottom bands meet in rows 240 to 242 at k = 120.
    WipeOut& frame = transition(WipeOut::ClosingFrame);
    m_stage->play(frame);
    steps(120);
    EXPECT_EQ(pixelRows(m_stage->page(), 300, 239, 1, 5), (PixelRows{"g", "g", "r", "g", "g"}));
    steps(1);
    EXPECT_EQ(pixel(300, 241), 'g');
    // Interlaced lines on a page 480 high: the first step's lower pair lies outside.
    WipeOut& lines = transition(WipeOut::InterlacedLines, 8, 480);
    m_stage->play(lines);
    EXPECT_EQ(lines.getStepCount(), 121);
    steps(2);
    EXPECT_EQ(pixelRows(m_stage->page(), 0, 0, 1, 7), (PixelRows{"g", "g", "r", "r", "g", "g", "r"}));
    EXPECT_EQ(pixelRows(m_stage->page(), 0, 476, 1, 4), (PixelRows{"r", "r", "g", "g"}));
}

TEST_F(PageTransitions, RandomBlocksRevealEachBlockOnceInANewOrderEachRun)
{
    WipeOut& wipe = transition(WipeOut::RandomBlocks, 200, 100);
    std::vector<long> orders[2];
    for (std::vector<long>& order : orders) {
        paintPage('r');
        m_stage->play(wipe);
        for (long i = 0; i < 100; ++i)
            order.push_back(wipe.getBlockOrder().getDirectDataAt(i));
        // Blocks of 21 × 11 pixels: the first step reveals the first block of the order.
        steps(1);
        // Blocks of the last column and row are cut by the page's edge.
        const long first = order[0];
        const short left = short(21 * (first % 10));
        const short top = short(11 * (first / 10));
        const short width = short(std::min(21, 200 - left));
        const short height = short(std::min(11, 100 - top));
        EXPECT_EQ(pixelRows(m_stage->page(), left, top, width, height),
                  PixelRows(size_t(height), std::string(size_t(width), 'g')));
        EXPECT_EQ(pixel(short(left == 0 ? width : left - 1), top), 'r');
        EXPECT_EQ(m_stage->stepsToEnd() + 1, 100);
        std::vector<long> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        for (long i = 0; i < 100; ++i)
            EXPECT_EQ(sorted[size_t(i)], i);
    }
    EXPECT_NE(orders[0], orders[1]);
}

TEST_F(PageTransitions, TheFadeFollowsTheClockAndEndsOpaqueWhenTicksComeLate)
{
    WipeOut& fade = transition(WipeOut::Fade, 8, 4);
    m_stage->play(fade);
    // Twenty milliseconds a tick: 2000 ms in all.
    m_clock.advance(1000);
    steps(1);
    const uint32 half = m_stage->page().getPixel(0, 0).getNativeColor();
    EXPECT_NEAR(double(half & 0xFF), 128.0, 2.0);
    EXPECT_NEAR(double((half >> 8) & 0xFF), 128.0, 2.0);
    m_clock.advance(999);
    steps(1);
    EXPECT_TRUE(m_stage->tape().hasRunningObject());
    m_clock.advance(500);
    steps(1);
    EXPECT_FALSE(m_stage->tape().hasRunningObject());
    EXPECT_EQ(pixelRows(m_stage->page(), 0, 0, 8, 4), PixelRows(4, "gggggggg"));
    // A tape that ticks at no interval gives the fade no length: the first step ends it.
    WipeOut& instant = transition(WipeOut::Fade, 8, 4);
    m_stage->tape().setTickInterval(0);
    m_stage->play(instant);
    EXPECT_EQ(m_stage->stepsToEnd(), 1);
    EXPECT_EQ(pixel(7, 3), 'g');
}

TEST_F(PageTransitions, TheCutEndsInItsStartAndThePageBeginsWithoutTheActors)
{
    // Hiding them or not; drawing the page again paints the background at once and
    // hides them too.
    for (int run : {0, 1, 2}) {
        WipeOut& cut = transition(WipeOut::Cut, 16, 8);
        cut.setHideActors(run != 1);
        ActorPtr hero = actorWith("Hero", *movementOf("Walk", "b", KGraphicRectangle(0, 0, 2, 2)));
        m_stage->tape().addActor(*hero);
        hero->buildFrames(KString("Walk"));
        m_stage->tape().showActor(KString("Hero"));
        if (run == 2)
            cut.drawOnPage();
        else
            m_stage->play(cut);
        EXPECT_FALSE(m_stage->tape().hasRunningObject());
        EXPECT_EQ(pixel(15, 7), 'g');
        EXPECT_EQ(m_stage->shown(0, 0, 3, 1), (PixelRows{run == 1 ? "bbg" : "ggg"})) << run;
        EXPECT_EQ(hero->getFrames().getCount(), run == 1 ? 1 : 0) << run;
        m_stage->tape().clearCast();
    }
}

TEST_F(PageTransitions, APictureBackgroundIsScaledToThePageAndMissingLeavesItBlack)
{
    KImagePtr sky(new KImage);
    makePicture(*sky, PixelRows{"bb", "yy"});
    sky->saveAsBMP(fileIn("Sky.bmp"));
    WipeOut& cut = transition(WipeOut::Cut, 4, 4);
    cut.setSource(WipeOut::ImageSource);
    for (const char* name : {"Sky.bmp", "Gone.bmp"}) {
        cut.setFileReference(fileIn(name));
        m_stage->play(cut);
        EXPECT_EQ(std::string({pixel(0, 0), pixel(3, 3)}), name[0] == 'S' ? "by" : "..") << name;
    }
    // A damaged source names no background: the page stays as it was.
    paintPage('r');
    cut.setSource(7);
    m_stage->play(cut);
    EXPECT_EQ(pixel(3, 3), 'r');
    // Only a picture background is media.
    KStringBag names;
    cut.setSource(WipeOut::ColorSource);
    cut.collectMediaNames(names);
    EXPECT_FALSE(cut.usesMediaName(KString("Gone.bmp")) || cut.findMissingMedia(KPath(), KPathPtr()));
    EXPECT_EQ(names.getCount(), 0);
}

TEST_F(PageTransitions, TheBlockKeepsTheBackgroundAndEffectAndCopiesLeaveTheBaseFields)
{
    WipeOut& wipe = transition(WipeOut::WipeLeft, 4, 4);
    KGraphicRectangle bounds;
    wipe.getBounds(bounds);
    EXPECT_TRUE(bounds.isEmpty() && wipe.containsPoint(KGraphicPoint(-300, 9000)));
    wipe.setSource(WipeOut::ImageSource);
    wipe.setHideActors(false);
    wipe.setLabel(KString("Night"));
    const Bytes bytes = m_blocks.written(wipe);
    EXPECT_EQ(Bytes(bytes.end() - 5, bytes.end()), ByteList().shorts({5, 1}).raw({0}).bytes());
    // Only the low byte of the effect counts.
    Bytes wide = bytes;
    wide[wide.size() - 5] = 0x01;
    TapeObjectPtr back(new WipeOut);
    EXPECT_EQ(m_blocks.read(*back, wide), 0);
    EXPECT_EQ(m_blocks.written(*back), bytes);

    TapeObjectPtr copy(new WipeOut);
    copy->copyFrom(wipe);
    EXPECT_TRUE(copy->getLabel().isEmpty());
    copy->setLabel(KString("Night"));
    EXPECT_EQ(m_blocks.written(*copy), bytes);
}

} // namespace
