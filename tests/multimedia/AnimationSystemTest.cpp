// The animation system's clock: steps per tick with and without catch-up, the animation
// time, the frame-rate reading and collision passes.
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

    // A 10 × 10 sprite at (Position, Position) in the animation.
    HitSpritePtr hitSprite(short Position, uint32 Category, uint32 Mask)
    {
        HitSpritePtr sprite(new HitSprite);
        sprite->addFrame(*solidImage(10, 10, 'g'));
        sprite->setPosition(Position, Position);
        sprite->setCollisionCategory(Category);
        sprite->setCollisionMask(Mask);
        m_system->addObject(*sprite);
        return sprite;
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
    EXPECT_FLOAT_EQ(m_system->times[2], 0.08f);

    // Ticks on time: one step each, the time growing by a period.
    tickAfter(20);
    EXPECT_EQ(m_system->times.size(), 5u);
    EXPECT_FLOAT_EQ(m_system->times.back(), 0.12f);
}

TEST_F(AnimationSystem, TimersOfTheManagerDriveTheStepsAndCountTheFrameRate)
{
    // The manager fires a timer once more than its period has passed: the frame-rate
    // timer first, at the 41st pass.
    // Later readings count one tick more than their second had (41 ticks between the
    // readings here): the count restarts at 1.
    for (float reading : {40.0f, 42.0f}) {
        for (int i = 0; i < 41; ++i) {
            m_clock.advance(25);
            timers().fire();
        }
        EXPECT_FLOAT_EQ(m_system->getFramesPerSecond(), reading);
    }
    EXPECT_EQ(m_system->times.size(), 82u);

    // A dropped system stops its timers.
    const long running = timers().getTimerCount();
    m_system = nullptr;
    EXPECT_EQ(timers().getTimerCount(), running - 2);
}

TEST_F(AnimationSystem, ParticipantsTestTheObjectsOfTheirMaskOncePerPass)
{
    // category, mask; all on the same spot.
    std::vector<HitSpritePtr> s;
    for (auto [category, mask] : std::vector<std::pair<uint32, uint32>>{{0, 2}, {4, 0}, {2, 2}, {2, 0}}) {
        s.push_back(hitSprite(0, category, mask));
        m_system->addCollisionObject(*s.back());
    }
    tickAfter(20);
    // The first tests the two of category 2; an object hit in the pass starts no test of
    // its own in it, and a mask of 0 starts none at all.
    EXPECT_EQ(s[0]->hits, (std::vector<KThing*>{s[2].get(), s[3].get()}));
    EXPECT_TRUE(s[2]->hits.empty());
    EXPECT_TRUE(s[3]->hits.empty());
    // A hidden object tests nothing; the next pass clears the marks first.
    s[0]->hits.clear();
    s[0]->hide();
    tickAfter(20);
    EXPECT_TRUE(s[0]->hits.empty());
    EXPECT_EQ(s[2]->hits, (std::vector<KThing*>{s[3].get()}));
}

TEST_F(AnimationSystem, AParticipantLeavingDuringItsTestDoesNotCostTheNextOneItsTurn)
{
    // Two pairs far apart; the first of each pair tests, and the first tester leaves the
    // tests when it is told of its hit.
    std::vector<HitSpritePtr> s;
    for (short position : {0, 0, 200, 200})
        s.push_back(hitSprite(position, 1, 0));
    for (size_t tester : {0u, 2u}) {
        s[tester]->setCollisionMask(1);
        m_system->addCollisionObject(*s[tester]);
    }
    s[0]->onHit = [&] { m_system->removeCollisionObject(*s[0]); };
    tickAfter(20);
    EXPECT_EQ(s[0]->hits, (std::vector<KThing*>{s[1].get()}));
    EXPECT_EQ(m_system->getCollisionObjects().getCount(), 1);
    EXPECT_EQ(s[2]->hits, (std::vector<KThing*>{s[3].get()}));
}

} // namespace
