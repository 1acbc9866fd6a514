// Actor motions: the path walked point by point on the driven clock, the wait at the end
// of short paths, the block, and the actor file they look for.
#include "foundation/KStringBag.h"
#include "story/ActorMotion.h"
#include "tests/story/ActorStageSupport.h"

namespace {

// An actor that records every place it is put.
class TracedActor : public Actor {
public:
    void setPosition(const KAnimationPoint& P) override { setPosition(P.getX(), P.getY()); }
    void setPosition(float X, float Y) override
    {
        places.push_back({long(X), long(Y)});
        Actor::setPosition(X, Y);
    }
    std::vector<std::pair<long, long>> places;
};

class ActorMotions : public StoryTest {
protected:
    void SetUp() override
    {
        StoryTest::SetUp();
        m_stage = std::make_unique<Stage>(16, 16);
        m_actor = ActorPtr(new TracedActor);
        m_actor->setName(KString("Hero"));
        m_stage->tape().addActor(*m_actor);
    }
    void TearDown() override
    {
        m_actor.reset();
        m_stage.reset();
        StoryTest::TearDown();
    }

    TracedActor& actor() const { return static_cast<TracedActor&>(*m_actor); }
    // A motion of the actor along the points, on the stage's tape.
    ActorMotion& motionAlong(const std::vector<std::pair<long, long>>& Points, const char* Name = "Hero")
    {
        ActorMotionPtr motion(new ActorMotion);
        motion->setActorName(KString(Name));
        for (auto [x, y] : Points)
            motion->addPoint(x, y);
        m_stage->tape().add(*motion);
        motion->setTape(m_stage->tape());
        return *motion;
    }
    // One tape tick after the motion's timer has run out; whether the motion still runs.
    bool tick(ActorMotion& M)
    {
        m_clock.advance(uint32(m_stage->tape().getTickInterval() + 1));
        timers().fire();
        M.step();
        return m_stage->tape().hasRunningObject();
    }

    std::unique_ptr<Stage> m_stage;
    ActorPtr m_actor;
};

TEST_F(ActorMotions, APathIsWalkedOnePointPerPeriodAndShortPathsWaitAtTheEnd)
{
    struct Case {
        std::vector<std::pair<long, long>> points;
        long ticks;
    } cases[] = {
        {{{5, 5}}, 5},
        {{{0, 0}, {3, 0}}, 6},
        {{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}, 6},
        {{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}}, 7},
    };
    for (const Case& c : cases) {
        ActorMotion& motion = motionAlong(c.points);
        m_stage->play(motion);
        // Paced like the tape.
        EXPECT_EQ(motion.getTimer().getPeriod(), 20);
        long ticks = 1;
        while (tick(motion) && ticks < 20)
            ++ticks;
        EXPECT_EQ(ticks, c.ticks) << c.points.size();
        EXPECT_EQ(actor().places.back(), c.points.back()) << c.points.size();
    }
}

TEST_F(ActorMotions, TheActorGoesThroughEveryPointOfTheLineAndWaitsForTheTimer)
{
    ActorMotion& motion = motionAlong({{0, 0}, {3, 1}});
    m_stage->play(motion);
    // Nothing moves until the period has passed.
    motion.step();
    EXPECT_TRUE(actor().places.empty());
    tick(motion);
    tick(motion);
    EXPECT_EQ(actor().places, (std::vector<std::pair<long, long>>{{0, 0}, {0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    // Drawing the page up to a motion puts the actor at its last point.
    actor().places.clear();
    motionAlong({{1, 2}, {7, 9}}).drawOnPage();
    EXPECT_EQ(actor().places, (std::vector<std::pair<long, long>>{{7, 9}}));
    // A motion without points, or whose actor is not in the cast, ends at once.
    for (ActorMotion* idle : {&motionAlong({}), &motionAlong({{1, 1}}, "Nobody")}) {
        m_stage->play(*idle);
        EXPECT_FALSE(m_stage->tape().hasRunningObject());
    }
}

TEST_F(ActorMotions, TheBlockHoldsTheBaseBlockThePathAndTheActorName)
{
    ActorMotion& motion = motionAlong({{1, -2}, {300000, 4}});
    motion.setLabel(KString("Run"));
    const Bytes bytes = m_blocks.written(motion);
    ActorMotionPtr back(new ActorMotion);
    EXPECT_EQ(m_blocks.read(*back, bytes), 0);
    EXPECT_EQ(m_blocks.written(*back), bytes);
    EXPECT_EQ(back->getPointX(1), 300000);
    // A copy keeps room for a path of its own, so its block is the same.
    ActorMotionPtr copy(new ActorMotion);
    copy->copyFrom(motion);
    EXPECT_EQ(m_blocks.written(*copy), bytes);

    // A path stored as objects cannot be walked: it goes, counted, and points can be added.
    KBagPtr objects(new KBag);
    objects->add(*KStringPtr(new KString("x")));
    const Bytes payload = ByteList()
                              .append(m_blocks.written(*TapeObjectPtr(new TapeObject)))
                              .append(m_blocks.written(*objects))
                              .append(m_blocks.written(*KStringPtr(new KString("Hero"))));
    KClassReader::resetLoadCounters();
    ActorMotionPtr damaged(new ActorMotion);
    EXPECT_EQ(m_blocks.read(*damaged, ByteList().append(BlockFile::header("ActorMotion", long(payload.size()) + 8)).append(payload)), 0);
    EXPECT_GT(KClassReader::getMismatchedBlockCount(), 0);
    damaged->addPoint(3, 4);
    EXPECT_EQ(damaged->getPointX(0), 3);
}

TEST_F(ActorMotions, TheActorFileIsAskedForOnceAndGivingUpStopsTheSearch)
{
    const KPath folder = folderIn();
    MissingFileAnswers answers(TapeMediaFile::IgnoreAll);
    // Without an actor name there is no file to look for nor to count.
    ActorMotion& unnamed = motionAlong({{0, 0}}, "");
    EXPECT_FALSE(unnamed.findMissingMedia(folder, KPathPtr()));
    KStringBag names;
    unnamed.collectMediaNames(names);
    EXPECT_EQ(names.getCount(), 0);
    EXPECT_TRUE(answers.asked.empty());

    motionAlong({{0, 0}}, "Hero");
    motionAlong({{0, 0}}, "Dragon");
    EXPECT_TRUE(m_stage->tape().findMissingMedia(folder));
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_NE(answers.asked[0].find("Hero.ACT"), std::string::npos);
}

} // namespace
