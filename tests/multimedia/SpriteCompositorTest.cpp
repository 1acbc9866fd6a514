// The compositor, pixel by pixel: an 8 × 6 white page composed into a 10 × 7 red target
// at (2, 1). The target is painted red again before a frame, so that what the frame
// copies shows against it.
#include "multimedia/KSpriteLayer.h"
#include "multimedia/KSpriteSystem.h"
#include "tests/multimedia/AnimationTestSupport.h"
#include "tests/support/ReportCatcher.h"

namespace {

const PixelRows kRedTarget(7, std::string(10, 'r'));

class Compositor : public AnimationTest {
protected:
    void SetUp() override
    {
        AnimationTest::SetUp();
        m_target = solidImage(10, 7, 'r');
        m_system = new KSpriteSystem;
        m_layer = new KSpriteLayer;
        m_system->addLayer(*m_layer);
        m_system->setBounds(KGraphicRectangle(0, 0, 8, 6));
        m_system->setTargetRect(KGraphicRectangle(2, 1, 8, 6));
        m_system->setTargetDevice(m_target->getGraphicDevice());
        KGraphicDevice& page = m_system->getBackground().getGraphicDevice();
        page.paintRect(page.getBounds(), KColor(kWhite));
    }
    void TearDown() override
    {
        m_sprites.clear();
        m_layer = nullptr;
        m_system = nullptr;
        m_target = nullptr;
        AnimationTest::TearDown();
    }

    KSprite& addSprite(short H, short V, short Size, char Color)
    {
        m_sprites.push_back(solidSprite(H, V, Size, Size, Color));
        m_layer->addSprite(*m_sprites.back());
        return *m_sprites.back();
    }
    // One step tick: the frame update, then the step.
    void tick()
    {
        m_clock.advance(20);
        m_system->doTimer(m_system->getStepTimer());
    }
    // Shows everything, settles the sprites' bounds, and paints the target red again.
    void startFrames(uint8 Mode)
    {
        m_system->setRedrawMode(Mode);
        m_system->redrawAll();
        tick();
        paintTargetRed();
    }
    void paintTargetRed() { makePicture(*m_target, kRedTarget); }
    PixelRows target() { return pixelRows(*m_target); }
    PixelRows offscreen() { return pixelRows(m_system->getOffscreen()); }

    KImagePtr m_target;
    KSpriteSystemPtr m_system;
    KSpriteLayerPtr m_layer;
    std::vector<KSpritePtr> m_sprites;
};

TEST_F(Compositor, FullRedrawRepaintsThePageIntoTheTargetRectangleAtEveryFrame)
{
    addSprite(1, 1, 3, 'g');
    m_system->setRedrawMode(KSpriteSystem::FullRedraw);
    EXPECT_EQ(target(), kRedTarget);
    tick();
    EXPECT_EQ(target(), (PixelRows{"rrrrrrrrrr", "rr########", "rr#ggg####", "rr#ggg####", "rr#ggg####",
                                   "rr########", "rr########"}));
}

TEST_F(Compositor, DirtyRectanglesCopyTheUnionOfAShortMoveAndBothPlacesOfAJump)
{
    KSprite& sprite = addSprite(1, 1, 2, 'g');
    startFrames(KSpriteSystem::DirtyRectangles);
    sprite.setPosition(2, 2);
    tick();
    EXPECT_EQ(target(), (PixelRows{"rrrrrrrrrr", "rrrrrrrrrr", "rrr###rrrr", "rrr#ggrrrr", "rrr#ggrrrr",
                                   "rrrrrrrrrr", "rrrrrrrrrr"}));
    paintTargetRed();
    sprite.setPosition(5, 3);
    tick();
    EXPECT_EQ(target(), (PixelRows{"rrrrrrrrrr", "rrrrrrrrrr", "rrrrrrrrrr", "rrrr##rrrr", "rrrr##rggr",
                                   "rrrrrrrggr", "rrrrrrrrrr"}));
    // A hidden sprite that moves: its old place is restored and it is drawn nowhere.
    paintTargetRed();
    sprite.hide();
    sprite.setPosition(4, 3);
    tick();
    EXPECT_EQ(target(), (PixelRows{"rrrrrrrrrr", "rrrrrrrrrr", "rrrrrrrrrr", "rrrrrrrrrr", "rrrrrr###r",
                                   "rrrrrr###r", "rrrrrrrrrr"}));
    // Nothing changed: nothing is copied.
    paintTargetRed();
    tick();
    EXPECT_EQ(target(), kRedTarget);
}

TEST_F(Compositor, SpritesOverAMovingSpriteAreRedrawnThroughChainsOfOverlap)
{
    addSprite(1, 3, 2, 'g');
    addSprite(2, 2, 2, 'b');
    KSprite& mover = addSprite(6, 0, 2, 'y');
    startFrames(KSpriteSystem::DirtyRectangles);
    mover.setPosition(3, 1);
    tick();
    EXPECT_EQ(target(), (PixelRows{"rrrrrrrrrr", "rrrrrrrr##", "rrrrryyr##", "rrrrbyyrrr", "rrrgbbrrrr",
                                   "rrrggrrrrr", "rrrrrrrrrr"}));
}

TEST_F(Compositor, ASpriteMovingAwayLeavesNoHoleInTheSpritesItCovered)
{
    addSprite(1, 1, 2, 'g');
    KSprite& cover = addSprite(2, 2, 2, 'b');
    startFrames(KSpriteSystem::DirtySprites);
    cover.setPosition(5, 2);
    tick();
    EXPECT_EQ(offscreen(), (PixelRows{"########", "#gg#####", "#gg##bb#", "#####bb#", "########", "########"}));
    // Mode 1 copies the whole composition.
    EXPECT_EQ(pixelRows(m_target->getGraphicDevice(), 2, 1, 8, 6), offscreen());
}

TEST_F(Compositor, ASpriteHiddenShownOrTakenOutWhereItStandsChangesTheTargetAtTheNextFrame)
{
    for (uint8 mode : {KSpriteSystem::DirtySprites, KSpriteSystem::DirtyRectangles}) {
        addSprite(1, 1, 3, 'g');
        KSprite& sprite = addSprite(2, 2, 2, 'b');
        startFrames(mode);
        // What the target shows where the green sprite stands, after a frame.
        auto shownAfterFrame = [&] {
            paintTargetRed();
            tick();
            return pixelRows(m_target->getGraphicDevice(), 3, 2, 3, 3);
        };
        sprite.hide();
        EXPECT_EQ(shownAfterFrame(), PixelRows(3, "ggg")) << int(mode);
        sprite.show();
        EXPECT_EQ(shownAfterFrame(), (PixelRows{"ggg", "gbb", "gbb"})) << int(mode);
        m_layer->removeSprite(sprite);
        EXPECT_EQ(shownAfterFrame(), PixelRows(3, "ggg")) << int(mode);
        // Back in the layer where it stood, it is drawn again.
        m_layer->addSprite(sprite);
        EXPECT_EQ(shownAfterFrame(), (PixelRows{"ggg", "gbb", "gbb"})) << int(mode);
        m_layer->removeAllSprites();
    }
}

TEST_F(Compositor, InvalidatedPageRectanglesReachTheTargetAtTheNextFrame)
{
    startFrames(KSpriteSystem::DirtyRectangles);
    KGraphicDevice& page = m_system->getBackground().getGraphicDevice();
    const KGraphicRectangle changed(4, 2, 2, 2);
    page.paintRect(changed, nativeColor(0xFF0000));
    m_system->invalidate(changed);
    EXPECT_EQ(pixelRows(m_system->getOffscreen().getGraphicDevice(), 4, 2, 2, 2), PixelRows(2, "bb"));
    EXPECT_EQ(target(), kRedTarget);
    tick();
    EXPECT_EQ(pixelRows(m_target->getGraphicDevice(), 5, 2, 4, 4), (PixelRows{"rrrr", "rbbr", "rbbr", "rrrr"}));
    // A sprite over an invalidated rectangle is drawn again over the restored page.
    addSprite(3, 1, 2, 'g');
    tick();
    paintTargetRed();
    page.paintRect(KGraphicRectangle(3, 1, 2, 2), KColor(kWhite));
    m_system->invalidate(KGraphicRectangle(4, 2, 1, 1));
    tick();
    EXPECT_EQ(pixelRows(m_target->getGraphicDevice(), 4, 1, 4, 4), (PixelRows{"rrrr", "rggr", "rggr", "rrrr"}));
    // Without layers only the invalidated rectangles are copied.
    m_system->removeAllLayers();
    paintTargetRed();
    m_system->invalidate(KGraphicRectangle(0, 0, 1, 1));
    tick();
    EXPECT_EQ(pixelRows(m_target->getGraphicDevice(), 1, 0, 3, 3), (PixelRows{"rrr", "r#r", "rrr"}));
}

TEST_F(Compositor, ASpriteAskedToGoLeavesItsLayer)
{
    // Mode 0 draws it once more and takes it out; modes 1 and 2 hide it at one frame and
    // take it out at the next.
    KSprite& leaving = addSprite(0, 0, 2, 'g');
    leaving.setSpriteFlags(KSprite::RemovalRequested);
    tick();
    EXPECT_EQ(m_layer->getSpriteCount(), 0);
    EXPECT_EQ(m_system->getObjects().getCount(), 0);
    leaving.clearSpriteFlags(KSprite::RemovalRequested);
    leaving.show();
    m_layer->addSprite(leaving);
    startFrames(KSpriteSystem::DirtySprites);
    leaving.setSpriteFlags(KSprite::RemovalRequested);
    tick();
    EXPECT_FALSE(leaving.isVisible());
    EXPECT_EQ(pixelRows(m_system->getOffscreen().getGraphicDevice(), 0, 0, 2, 2), PixelRows(2, "##"));
    EXPECT_EQ(m_layer->getSpriteCount(), 1);
    tick();
    EXPECT_EQ(m_layer->getSpriteCount(), 0);
}

TEST_F(Compositor, ANewPageNeedsATargetDevice)
{
    KSpriteSystemPtr detached(new KSpriteSystem);
    KSpritePtr sprite = solidSprite(0, 0, 2, 2, 'g');
    KSpriteLayerPtr layer(new KSpriteLayer);
    layer->addSprite(*sprite);
    detached->addLayer(*layer);
    detached->setRedrawMode(KSpriteSystem::DirtyRectangles);
    {
        ReportCatcher catcher;
        detached->setBackground();
        EXPECT_TRUE(catcher.caught(66, "KSpriteSystem::setBackground(KImage& Img)"));
    }
    // Without a page nothing is drawn, but what changed is remembered.
    detached->invalidate(KGraphicRectangle(0, 0, 4, 4));
    detached->update();
    EXPECT_TRUE(sprite->hasSpriteFlags(KSprite::NeedsRedraw));
    // The target's bounds become the target rectangle and the composition bounds.
    detached->setTargetDevice(m_target->getGraphicDevice());
    EXPECT_EQ(detached->getTargetRect(), KGraphicRectangle(0, 0, 10, 7));
    EXPECT_EQ(detached->getBackground().getSize(), KGraphicSize(10, 7));
    detached->update();
    EXPECT_EQ(pixelRows(m_target->getGraphicDevice(), 0, 0, 3, 3), (PixelRows{"gg.", "gg.", "..."}));
}

} // namespace
