// Actors playing their movements: frames rendered from the frame tapes with their masks,
// the seven play modes stepped by the actor's own timer on the driven clock, and the
// movements themselves.
#include "graphics/KAlphaImage.h"
#include "tests/story/ActorStageSupport.h"
#include "tests/support/ReportCatcher.h"

namespace {

class ActorAnimation : public StoryTest {
protected:
    // One step of the frame timer of a movement of speed Speed.
    void tick(long Speed)
    {
        m_clock.advance(uint32(Speed * Speed + 1));
        timers().fire();
    }
};

TEST_F(ActorAnimation, EachPlayModeGoesThroughTheFramesInItsOrder)
{
    struct Case {
        uint8 mode;
        std::vector<long> frames; // at the start, then after each step
        uint8 modeAfter;
    } cases[] = {
        {1, {0, 0, 0}, 1},
        {2, {0, 1, 2, 3, 3, 3}, 1},
        {3, {3, 2, 1, 0, 0, 0}, 1},
        {4, {0, 1, 2, 3, 2, 1, 0, 0}, 1},
        {5, {0, 1, 2, 3, 0, 1}, 5},
        {6, {0, 3, 2, 1, 0, 3}, 6},
        {7, {0, 1, 2, 3, 2, 1, 0, 1, 2}, 7},
    };
    for (const Case& c : cases) {
        ActorSequencePtr walk = movementOf("Walk", "gbry", KGraphicRectangle(0, 0, 2, 2), 3, c.mode);
        ActorPtr actor = actorWith("Hero", *walk);
        actor->buildFrames(KString("Walk"));
        // Speed 3 steps every 9 ms.
        EXPECT_EQ(actor->getTimer().getPeriod(), 9);
        std::vector<long> seen{actor->getCurrentFrame()};
        for (size_t i = 1; i < c.frames.size(); ++i) {
            tick(3);
            seen.push_back(actor->getCurrentFrame());
        }
        EXPECT_EQ(seen, c.frames) << int(c.mode);
        EXPECT_EQ(actor->getPlayMode(), c.modeAfter) << int(c.mode);
        // A finished movement keeps its timer running, doing nothing.
        EXPECT_TRUE(actor->getTimer().isRunning());
    }
}

TEST_F(ActorAnimation, FramesAreDrawnAtTheActorsBoundsWithTheirShapesAsMasks)
{
    Stage stage(16, 8);
    stage.page().paintRect(KGraphicRectangle(0, 0, 16, 8), colorOf('y'));
    stage.compositor().invalidate(KGraphicRectangle(0, 0, 16, 8));
    // Two objects of one frame: the actor's bounds are their union, 4 × 4 at (10, 10).
    ActorSequencePtr wave = movementOf("Wave", "g", KGraphicRectangle(10, 10, 2, 2));
    TapeObjectPtr second(new Swatch(KGraphicRectangle(12, 12, 2, 2), 'b'));
    wave->getFrameAt(0).add(*second);
    ActorPtr actor = actorWith("Hero", *wave);
    stage.tape().addActor(*actor);
    EXPECT_EQ(actor->getActorBounds(), KGraphicRectangle(10, 10, 4, 4));

    actor->buildFrames(KString("Wave"));
    ASSERT_EQ(actor->getFrames().getCount(), 1);
    auto& frame = static_cast<KAlphaImage&>(actor->getFrames()[0]);
    EXPECT_EQ(pixelRows(frame), (PixelRows{"gg..", "gg..", "..bb", "..bb"}));
    EXPECT_EQ(pixelRows(frame.getAlphaMask()), (PixelRows{"..##", "..##", "##..", "##.."}));
    EXPECT_TRUE(actor->isVisible());
    // On stage, the page shows through where the frame has no shape.
    actor->setPosition(3, 2);
    stage.tape().showActor(KString("Hero"));
    EXPECT_EQ(stage.shown(2, 2, 6, 4), (PixelRows{"yggyyy", "yggyyy", "yyybby", "yyybby"}));
    // Without frames the actor keeps its whole rectangle, scaled.
    actor->stopAnimation();
    actor->setScale(2.0f, 0.5f);
    KGraphicRectangle bounds;
    actor->getBounds(bounds);
    EXPECT_EQ(bounds, KGraphicRectangle(3, 2, 8, 2));
    EXPECT_EQ(actor->getFrames().getCount(), 0);
    EXPECT_EQ(actor->getCurrentFrame(), -1);
    EXPECT_FALSE(actor->isVisible());
    EXPECT_TRUE(actor->getCurrentMovement().isEmpty());
}

TEST_F(ActorAnimation, BuildingTheRunningMovementAgainRestartsItWithoutRendering)
{
    ActorSequencePtr walk = movementOf("Walk", "gbr", KGraphicRectangle(0, 0, 2, 2), 0, 5);
    ActorPtr actor = actorWith("Hero", *walk);
    ActorSequencePtr jump = movementOf("Jump", "gb", KGraphicRectangle(0, 0, 2, 2), 2, 3);
    actor->getMovements().add(*jump);
    actor->computeBounds();

    actor->buildFrames(KString("Walk"));
    // Speed 0 steps at every pass of the timer manager once the clock has moved.
    EXPECT_EQ(actor->getTimer().getPeriod(), 0);
    tick(0);
    tick(0);
    EXPECT_EQ(actor->getCurrentFrame(), 2);
    const KThing* firstFrame = &actor->getFrames()[0];
    actor->buildFrames(KString("Walk"));
    EXPECT_EQ(actor->getCurrentFrame(), 0);
    EXPECT_EQ(&actor->getFrames()[0], firstFrame);
    // Another movement is rendered afresh; in mode 3 it starts from its last frame.
    actor->buildFrames(KString("Jump"));
    EXPECT_EQ(actor->getFrames().getCount(), 2);
    EXPECT_EQ(actor->getCurrentFrame(), 1);
    EXPECT_EQ(actor->getTimer().getPeriod(), 4);
    // A movement the actor lacks stops the timer on frame 0 of the frames it holds.
    actor->buildFrames(KString("Fly"));
    EXPECT_FALSE(actor->getTimer().isRunning());
    EXPECT_EQ(actor->getCurrentFrame(), 0);
    EXPECT_EQ(actor->getFrames().getCount(), 2);
    EXPECT_EQ(text(actor->getCurrentMovement()), "Jump");

    {
        ReportCatcher catcher;
        EXPECT_TRUE(kIsNullReference(&actor->getSequence(KString("Fly"))));
        EXPECT_TRUE(catcher.caught(18, "ActorSequence& Actor::getSequence(const KString& SequenceName)"));
    }
}

TEST_F(ActorAnimation, AnActorLetGoWhileItPlaysIsDestroyedAndItsTimerStops)
{
    ActorPtr actor = actorWith("Hero", *movementOf("Walk", "gb", KGraphicRectangle(0, 0, 2, 2)));
    actor->buildFrames(KString("Walk"));
    KTimerPtr timer(&actor->getTimer());
    // A firing of another timer is no step of the actor's.
    actor->doTimer(*KTimerPtr(new KTimer));
    EXPECT_EQ(actor->getCurrentFrame(), 0);
    actor.reset();
    EXPECT_FALSE(timer->isRunning());
    EXPECT_EQ(timers().getTimerCount(), 0);
}

TEST_F(ActorAnimation, MovementsKeepTheirFramesSpeedAndPlayModeInTheirBlock)
{
    ActorSequencePtr walk = movementOf("Walk", "gb", KGraphicRectangle(1, 2, 3, 4), 7, 4);
    const Bytes bytes = m_blocks.written(*walk);
    // The play mode is the low byte of its 16 bits.
    Bytes wide = bytes;
    wide[wide.size() - 2] = 0x01;
    ActorSequencePtr back(new ActorSequence);
    EXPECT_EQ(m_blocks.read(*back, wide), 0);
    EXPECT_EQ(m_blocks.written(*back), bytes);
    // A deep copy shares no frame with its source.
    KThingPtr copy(&walk->deepCopy());
    EXPECT_EQ(m_blocks.written(*copy), bytes);
    EXPECT_NE(&static_cast<ActorSequence&>(*copy).getFrameAt(0).getObjectAt(0), &walk->getFrameAt(0).getObjectAt(0));
}

} // namespace
