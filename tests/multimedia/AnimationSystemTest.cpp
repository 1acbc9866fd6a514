// The animation system's clock: steps per tick with and without catch-up, the animation
// time, the frame-rate reading, controllers and collision passes.
#include "multimedia/KAnimationController.h"
#include "multimedia/KAnimationSystem.h"
#include "multimedia/KSprite.h"
#include "tests/multimedia/AnimationTestSupport.h"

#include <functional>
#include <vector>

namespace {

// Records the times of its steps.
class RecordingSystem : public KAnimationSystem {
public:
    void step(float T) override
    {
        times.push_back(T);
        KAnimationSystem::step(T);
    }
    std::vector<float> times;
};
K_POINTER_CLASS(RecordingSystem, KAnimationSystemPtr);

class RecordingController : public KAnimationController {
public:
    void animate(float T) override { times.push_back(T); }
    std::vector<float> times;
};
K_POINTER_CLASS(RecordingController, KAnimationControllerPtr);

// A sprite that collides by its bounds and keeps the hits it is told of.
class HitSprite : public KSprite {
public:
    void handleCollisions(KBag& Hits) override
    {
        for (long i = 0; i < Hits.getCount(); ++i)
            hits.push_back(&Hits[i]);
        if (onHit)
            onHit();
    }
    std::vector<KThing*> hits;
    std::function<void()> onHit;
};
K_POINTER_CLASS(HitSprite, KSpritePtr);

class AnimationSystem : public AnimationTest {
protected:
    // Moves the clock on and lets the step timer fire as the manager would.
    void tickAfter(uint32 Milliseconds)
    {
        m_clock.advance(Milliseconds);
        m_system->doTimer(m_system->getStepTimer());
    }

    void SetUp() override
    {
        AnimationTest::SetUp();
        m_system = new RecordingSystem;
    }
    void TearDown() override
    {
        m_system = nullptr;
        AnimationTest::TearDown();
    }

    RecordingSystemPtr m_system;
};

TEST_F(AnimationSystem, LateTicksAreMadeUpForWithinOneSecond)
{
    struct Case {
        uint32 late;
        bool noCatchUp;
        size_t steps;
    } cases[] = {
        {20, false, 1}, {59, false, 1}, {60, false, 2}, {100, false, 4}, {1000, false, 49}, {5000, false, 49},
        {5000, true, 1},
    };
    for (const Case& c : cases) {
        m_system = new RecordingSystem;
        m_system->setNoCatchUp(c.noCatchUp);
        tickAfter(c.late);
        EXPECT_EQ(m_system->times.size(), c.steps) << c.late << " ms";
        // The animation time takes the whole lateness, whatever was made up.
        EXPECT_FLOAT_EQ(m_system->getAnimationTime(), c.late / 1000.0f) << c.late << " ms";
        EXPECT_FLOAT_EQ(m_system->times.back(), c.late / 1000.0f);
    }

    // The steps made up lie a period apart before the regular one.
    m_system = new RecordingSystem;
    tickAfter(100);
    EXPECT_EQ(m_system->getCatchUpSteps(), 4);
    ASSERT_EQ(m_system->times.size(), 4u);
    EXPECT_FLOAT_EQ(m_system->times[0], 0.04f);
    EXPECT_FLOAT_EQ(m_system->times[1], 0.06f);
    EXPECT_FLOAT_EQ(m_system->times[2], 0.08f);

    // Ticks on time: one step each, the time growing by a period.
    m_system = new RecordingSystem;
    for (int i = 0; i < 3; ++i)
        tickAfter(20);
    EXPECT_EQ(m_system->times, (std::vector<float>{0.02f, 0.04f, 0.06f}));
}

TEST_F(AnimationSystem, TimersOfTheManagerDriveTheStepsAndCountTheFrameRate)
{
    EXPECT_TRUE(m_system->getStepTimer().isRunning());
    EXPECT_EQ(m_system->getStepTimer().getPeriod(), 20);
    EXPECT_EQ(m_system->getFrameRateTimer().getPeriod(), 1000);
    // The manager fires a timer once more than its period has passed: the frame-rate
    // timer first, at the 41st pass.
    for (int i = 0; i < 41; ++i) {
        m_clock.advance(25);
        timers().fire();
    }
    EXPECT_EQ(m_system->times.size(), 41u);
    EXPECT_FLOAT_EQ(m_system->getFramesPerSecond(), 40.0f);
    // Later readings count one tick more than their second had (41 ticks between the
    // readings here): the count restarts at 1.
    for (int i = 0; i < 41; ++i) {
        m_clock.advance(25);
        timers().fire();
    }
    EXPECT_FLOAT_EQ(m_system->getFramesPerSecond(), 42.0f);

    // A dropped system stops its timers.
    const long running = timers().getTimerCount();
    m_system = nullptr;
    EXPECT_EQ(timers().getTimerCount(), running - 2);
}

TEST_F(AnimationSystem, ControllersAreAnimatedOnTheirOwnTimeBase)
{
    RecordingControllerPtr controller(new RecordingController);
    controller->setTimeScale(2.0f);
    controller->setTimeOffset(1.0f);
    KSpritePtr moved = solidSprite(0, 0, 1, 1, 'g');
    KSpritePtr still = solidSprite(0, 0, 1, 1, 'g');
    moved->setController(*controller);
    m_system->addObject(*moved);
    m_system->addObject(*moved);
    m_system->addObject(*still);
    EXPECT_EQ(m_system->getObjects().getCount(), 2);
    tickAfter(20);
    tickAfter(20);
    EXPECT_EQ(controller->times, (std::vector<float>{1.04f, 1.08f}));
    m_system->removeObject(*moved);
    tickAfter(20);
    EXPECT_EQ(controller->times.size(), 2u);
    moved->removeController();
}

TEST_F(AnimationSystem, ParticipantsTestTheObjectsOfTheirMaskOncePerPass)
{
    HitSprite* tester = new HitSprite;
    HitSpritePtr testerRef(tester);
    tester->addFrame(*solidImage(10, 10, 'g'));
    tester->setCollisionMask(0x2);
    HitSpritePtr wrongCategory(new HitSprite);
    wrongCategory->addFrame(*solidImage(10, 10, 'g'));
    wrongCategory->setCollisionCategory(0x4);
    HitSpritePtr hit(new HitSprite);
    hit->addFrame(*solidImage(10, 10, 'g'));
    hit->setCollisionCategory(0x2);
    hit->setCollisionMask(0x2);
    // A mask of 0 starts no tests, but the object is still hit.
    HitSpritePtr silent(new HitSprite);
    silent->addFrame(*solidImage(10, 10, 'g'));
    silent->setCollisionCategory(0x2);
    for (KSprite* s : std::vector<KSprite*>{tester, wrongCategory.get(), hit.get(), silent.get()}) {
        m_system->addObject(*s);
        m_system->addCollisionObject(*s);
    }
    tickAfter(20);
    EXPECT_EQ(tester->hits, (std::vector<KThing*>{hit.get(), silent.get()}));
    // An object hit in the pass starts no test of its own in it.
    EXPECT_TRUE(hit->hits.empty());
    EXPECT_TRUE(silent->hits.empty());
    EXPECT_TRUE(hit->getState() & KAnimationObject::HandledInCollisionPass);

    // A hidden tester tests nothing; the next pass clears the marks first.
    tester->hits.clear();
    tester->hide();
    tickAfter(20);
    EXPECT_TRUE(tester->hits.empty());
    EXPECT_EQ(hit->hits, (std::vector<KThing*>{silent.get()}));
}

TEST_F(AnimationSystem, AParticipantLeavingDuringItsTestDoesNotCostTheNextOneItsTurn)
{
    // Two pairs far apart; the first of each pair tests, and the first tester leaves the
    // tests when it is told of its hit.
    std::vector<HitSpritePtr> sprites;
    for (short position : {0, 0, 200, 200}) {
        sprites.push_back(new HitSprite);
        sprites.back()->addFrame(*solidImage(10, 10, 'g'));
        sprites.back()->setCollisionCategory(0x1);
        sprites.back()->setPosition(position, position);
        m_system->addObject(*sprites.back());
    }
    for (size_t tester : {0u, 2u}) {
        sprites[tester]->setCollisionMask(0x1);
        m_system->addCollisionObject(*sprites[tester]);
    }
    sprites[0]->onHit = [&] { m_system->removeCollisionObject(*sprites[0]); };
    tickAfter(20);
    EXPECT_EQ(sprites[0]->hits, (std::vector<KThing*>{sprites[1].get()}));
    EXPECT_EQ(m_system->getCollisionObjects().getCount(), 1);
    EXPECT_EQ(sprites[2]->hits, (std::vector<KThing*>{sprites[3].get()}));
}

} // namespace
