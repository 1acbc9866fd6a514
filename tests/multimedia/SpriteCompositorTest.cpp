// The compositor, pixel by pixel: a 12 × 8 white page composed into a 14 × 10 red target
// at (2, 1). The target is painted red again before a frame, so that what the frame
// copies shows against it.
#include "multimedia/KSpriteLayer.h"
#include "multimedia/KSpriteSystem.h"
#include "tests/multimedia/AnimationTestSupport.h"
#include "tests/support/ReportCatcher.h"

namespace {

const PixelRows kRedTarget(10, std::string(14, 'r'));

class Compositor : public AnimationTest {
protected:
    void SetUp() override
    {
        AnimationTest::SetUp();
        m_target = solidImage(14, 10, 'r');
        m_system = new KSpriteSystem;
        m_layer = new KSpriteLayer;
        m_system->addLayer(*m_layer);
        m_system->setBounds(KGraphicRectangle(0, 0, 12, 8));
        m_system->setTargetRect(KGraphicRectangle(2, 1, 12, 8));
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
    EXPECT_EQ(target(), (PixelRows{
                            "rrrrrrrrrrrrrr",
                            "rr############",
                            "rr#ggg########",
                            "rr#ggg########",
                            "rr#ggg########",
                            "rr############",
                            "rr############",
                            "rr############",
                            "rr############",
                            "rrrrrrrrrrrrrr",
                        }));

    // A sprite asked to go is drawn once more, then leaves its layer.
    m_sprites[0]->setSpriteFlags(KSprite::RemovalRequested);
    tick();
    EXPECT_EQ(m_layer->getSpriteCount(), 0);
    EXPECT_EQ(m_system->getObjects().getCount(), 0);
}

TEST_F(Compositor, DirtyRectanglesCopyTheUnionOfAShortMoveAndBothPlacesOfAJump)
{
    KSprite& sprite = addSprite(1, 1, 3, 'g');
    startFrames(KSpriteSystem::DirtyRectangles);
    sprite.setPosition(2, 2);
    tick();
    EXPECT_EQ(target(), (PixelRows{
                            "rrrrrrrrrrrrrr",
                            "rrrrrrrrrrrrrr",
                            "rrr####rrrrrrr",
                            "rrr#gggrrrrrrr",
                            "rrr#gggrrrrrrr",
                            "rrr#gggrrrrrrr",
                            "rrrrrrrrrrrrrr",
                            "rrrrrrrrrrrrrr",
                            "rrrrrrrrrrrrrr",
                            "rrrrrrrrrrrrrr",
                        }));

    paintTargetRed();
    sprite.setPosition(8, 4);
    tick();
    EXPECT_EQ(target(), (PixelRows{
                            "rrrrrrrrrrrrrr",
                            "rrrrrrrrrrrrrr",
                            "rrrrrrrrrrrrrr",
                            "rrrr###rrrrrrr",
                            "rrrr###rrrrrrr",
                            "rrrr###rrrgggr",
                            "rrrrrrrrrrgggr",
                            "rrrrrrrrrrgggr",
                            "rrrrrrrrrrrrrr",
                            "rrrrrrrrrrrrrr",
                        }));

    // A hidden sprite that moves: its old place is restored and it is drawn nowhere.
    paintTargetRed();
    sprite.hide();
    sprite.setPosition(7, 4);
    tick();
    EXPECT_EQ(target(), (PixelRows{
                            "rrrrrrrrrrrrrr",
                            "rrrrrrrrrrrrrr",
                            "rrrrrrrrrrrrrr",
                            "rrrrrrrrrrrrrr",
                            "rrrrrrrrrrrrrr",
                            "rrrrrrrrr####r",
                            "rrrrrrrrr####r",
                            "rrrrrrrrr####r",
                            "rrrrrrrrrrrrrr",
                            "rrrrrrrrrrrrrr",
                        }));
    // Nothing changed: nothing is copied.
    paintTargetRed();
    tick();
    EXPECT_EQ(target(), kRedTarget);
}

TEST_F(Compositor, SpritesOverAMovingSpriteAreRedrawnThroughChainsOfOverlap)
{
    addSprite(2, 4, 3, 'g');
    addSprite(4, 2, 3, 'b');
    KSprite& mover = addSprite(9, 0, 2, 'y');
    startFrames(KSpriteSystem::DirtyRectangles);
    mover.setPosition(6, 1);
    tick();
    EXPECT_EQ(target(), (PixelRows{
                            "rrrrrrrrrrrrrr",
                            "rrrrrrrrrrr##r",
                            "rrrrrrrryyr##r",
                            "rrrrrrbbyyrrrr",
                            "rrrrrrbbbrrrrr",
                            "rrrrggbbbrrrrr",
                            "rrrrgggrrrrrrr",
                            "rrrrgggrrrrrrr",
                            "rrrrrrrrrrrrrr",
                            "rrrrrrrrrrrrrr",
                        }));
}

TEST_F(Compositor, ASpriteMovingAwayLeavesNoHoleInTheSpritesItCovered)
{
    addSprite(2, 2, 3, 'g');
    KSprite& cover = addSprite(3, 3, 3, 'b');
    startFrames(KSpriteSystem::DirtySprites);
    cover.setPosition(8, 3);
    tick();
    EXPECT_EQ(offscreen(), (PixelRows{
                               "############",
                               "############",
                               "##ggg#######",
                               "##ggg###bbb#",
                               "##ggg###bbb#",
                               "########bbb#",
                               "############",
                               "############",
                           }));
    // Mode 1 copies the whole composition.
    EXPECT_EQ(pixelRows(m_target->getGraphicDevice(), 2, 1, 12, 8), offscreen());
}

TEST_F(Compositor, InvalidatedPageRectanglesReachTheTargetAtTheNextFrame)
{
    startFrames(KSpriteSystem::DirtyRectangles);
    KGraphicDevice& page = m_system->getBackground().getGraphicDevice();
    const KGraphicRectangle changed(5, 2, 2, 2);
    page.paintRect(changed, nativeColor(0xFF0000));
    m_system->invalidate(changed);
    EXPECT_EQ(pixelRows(m_system->getOffscreen().getGraphicDevice(), 5, 2, 2, 2), PixelRows(2, "bb"));
    EXPECT_EQ(target(), kRedTarget);
    tick();
    EXPECT_EQ(pixelRows(m_target->getGraphicDevice(), 6, 2, 4, 4), (PixelRows{"rrrr", "rbbr", "rbbr", "rrrr"}));

    // A sprite over an invalidated rectangle is drawn again over the restored page.
    KSprite& sprite = addSprite(4, 1, 2, 'g');
    tick();
    paintTargetRed();
    page.paintRect(KGraphicRectangle(4, 1, 2, 2), KColor(kWhite));
    m_system->invalidate(KGraphicRectangle(5, 2, 1, 1));
    tick();
    EXPECT_EQ(pixelRows(m_target->getGraphicDevice(), 5, 1, 4, 4), (PixelRows{"rrrr", "rggr", "rggr", "rrrr"}));
    EXPECT_FALSE(sprite.hasSpriteFlags(KSprite::NeedsRedraw));
}

TEST_F(Compositor, WithoutLayersOnlyInvalidatedRectanglesAreCopied)
{
    m_system->removeAllLayers();
    startFrames(KSpriteSystem::DirtyRectangles);
    tick();
    EXPECT_EQ(target(), kRedTarget);
    m_system->invalidate(KGraphicRectangle(0, 0, 1, 1));
    tick();
    EXPECT_EQ(pixelRows(m_target->getGraphicDevice(), 1, 0, 3, 3), (PixelRows{"rrr", "r#r", "rrr"}));
}

TEST_F(Compositor, RemovalAndDepthOrderAreHonouredByTheFrames)
{
    // Modes 1 and 2 hide a sprite asked to go at one frame and take it out at the next.
    KSprite& leaving = addSprite(0, 0, 2, 'g');
    startFrames(KSpriteSystem::DirtySprites);
    leaving.setSpriteFlags(KSprite::RemovalRequested);
    tick();
    EXPECT_FALSE(leaving.isVisible());
    EXPECT_EQ(pixelRows(m_system->getOffscreen().getGraphicDevice(), 0, 0, 2, 2), PixelRows(2, "##"));
    EXPECT_EQ(m_layer->getSpriteCount(), 1);
    tick();
    EXPECT_EQ(m_layer->getSpriteCount(), 0);

    // A depth-sorted layer draws the sprite lower on the page in front.
    KSprite& low = addSprite(1, 2, 3, 'b');
    KSprite& high = addSprite(2, 1, 3, 'g');
    m_layer->setDepthSorted(true);
    m_system->redrawAll();
    EXPECT_EQ(&m_layer->getSpriteAt(0), &high);
    EXPECT_EQ(&m_layer->getSpriteAt(1), &low);
    EXPECT_EQ(pixelRows(m_system->getOffscreen().getGraphicDevice(), 2, 2, 1, 1), PixelRows{"b"});
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
    EXPECT_FALSE(detached->hasBackground());
    // Without a page nothing is drawn, but what changed is remembered.
    detached->invalidate(KGraphicRectangle(0, 0, 4, 4));
    detached->update();
    detached->redrawAll();
    EXPECT_TRUE(sprite->hasSpriteFlags(KSprite::NeedsRedraw));

    // The target's bounds become the target rectangle and the composition bounds.
    detached->setTargetDevice(m_target->getGraphicDevice());
    EXPECT_EQ(detached->getBounds(), KGraphicRectangle(0, 0, 14, 10));
    EXPECT_EQ(detached->getTargetRect(), KGraphicRectangle(0, 0, 14, 10));
    EXPECT_EQ(detached->getBackground().getSize(), KGraphicSize(14, 10));
    detached->update();
    EXPECT_EQ(pixelRows(m_target->getGraphicDevice(), 0, 0, 3, 3), (PixelRows{"gg.", "gg.", "..."}));
}

} // namespace
