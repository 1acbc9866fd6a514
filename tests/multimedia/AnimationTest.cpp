// Animation objects, their float geometry and its blocks, line stepping, sprites and the
// order of sprites in their layers; the animation system's clock: steps per tick with and
// without catch-up, the animation time, the frame-rate reading and collision passes.
#include "multimedia/KAnimationSystem.h"
#include "multimedia/KBresenham.h"
#include "multimedia/KSpriteLayer.h"
#include "multimedia/KSpriteSystem.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/multimedia/AnimationTestSupport.h"
#include "tests/support/TemporaryFolder.h"

#include <cstring>
#include <functional>
#include <vector>

namespace {

// The points of a line, "x,y" each, the last one marked with "!".
std::string walk(KBresenham& Line)
{
    std::string points;
    for (int guard = 0; guard < 100; ++guard) {
        long x = 0;
        long y = 0;
        const bool last = Line.next(x, y);
        points += (points.empty() ? "" : " ") + std::to_string(x) + "," + std::to_string(y) + (last ? "!" : "");
        if (last)
            break;
    }
    return points;
}

Bytes floatBytes(float Value)
{
    unsigned char raw[4];
    std::memcpy(raw, &Value, 4);
    return Bytes{raw[3], raw[2], raw[1], raw[0]};
}

using Animation = AnimationTest;

TEST_F(Animation, LinesAreSteppedInTheirOwnOrientation)
{
    struct Case {
        long x0, y0, x1, y1;
        const char* points;
    } cases[] = {
        {0, 0, 3, 1, "0,0 1,0 2,1 3,1!"},
        {5, 5, 5, 5, "5,5!"},
        {0, 0, -1, -4, "0,0 0,-1 0,-2 -1,-3 -1,-4!"},
        // A tie on the error term keeps the minor axis where it is.
        {0, 0, 2, 1, "0,0 1,0 2,1!"},
        {2, 0, -1, 1, "2,0 1,0 0,1 -1,1!"},
    };
    for (const Case& c : cases) {
        KBresenham line;
        line.init(c.x0, c.y0, c.x1, c.y1);
        EXPECT_EQ(walk(line), c.points);
    }
    KBresenham fromFloats;
    EXPECT_EQ(walk(fromFloats), "0,0!");
    fromFloats.init(KAnimationPoint(-0.9f, 0.5f), KAnimationPoint(2.7f, -1.2f));
    EXPECT_EQ(walk(fromFloats), "0,0 1,0 2,-1!");
}

TEST_F(Animation, NewObjectsStandVisibleAtTheOriginAndPointsStoreTwoFloats)
{
    KAnimationObjectPtr object(new KAnimationObject);
    EXPECT_TRUE(object->isVisible());
    EXPECT_EQ(object->getPosition(), KAnimationPoint(0, 0));
    EXPECT_EQ(object->getOrigin(), KAnimationVector(0, 0));
    EXPECT_EQ(object->getScale(), KAnimationVector(1, 1));
    EXPECT_EQ(object->getCollisionMask(), 0u);

    TemporaryFolder folder;
    BlockFile blocks(folder.file("point.bin"));
    KAnimationPoint point(1.5f, -2.25f);
    const Bytes payload = ByteList().append(floatBytes(1.5f)).append(floatBytes(-2.25f));
    EXPECT_EQ(blocks.written(point), ByteList().append(BlockFile::header("KAnimationPoint", 16)).append(payload).bytes());
    KAnimationVector vector;
    EXPECT_EQ(blocks.read(vector, ByteList().append(BlockFile::header("KAnimationVector", 16)).append(payload)), 0);
    EXPECT_EQ(vector, KAnimationVector(1.5f, -2.25f));
    // A block whose first section is another one leaves the value as it was.
    const long id = KClass::findClass("KAnimationVector")->getClassID();
    KAnimationVector untouched(7, 8);
    EXPECT_EQ(blocks.read(untouched, ByteList().longs({id, 1, 16, 1, 2, 16}).append(payload)), 0);
    EXPECT_EQ(untouched, KAnimationVector(7, 8));
}

TEST_F(Animation, SpriteBoundsPlaceTheScaledFrameByPositionAndOrigin)
{
    struct Case {
        float x, y, originX, originY, scaleX, scaleY;
        long frame;
        KGraphicRectangle bounds;
    } cases[] = {
        {100, 100, 10, 20, 0.5f, 0.5f, 0, {95, 90, 20, 15}},
        {3.5f, 0, 7, 0, 1, 1, 0, {-3, 0, 40, 30}},
        {-0.5f, 2.9f, 0, 0, 1.5f, 0.1f, 0, {0, 2, 60, 3}},
        {100, 100, 10, 20, 1, 1, 1, {0, 0, 0, 0}},
        {100, 100, 10, 20, 1, 1, -1, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        KSpritePtr sprite = solidSprite(0, 0, 40, 30, 'g');
        sprite->setPosition(c.x, c.y);
        sprite->setOrigin(c.originX, c.originY);
        sprite->setScale(c.scaleX, c.scaleY);
        sprite->setCurrentFrame(c.frame);
        KGraphicRectangle bounds(1, 1, 1, 1);
        sprite->getBounds(bounds);
        EXPECT_EQ(bounds, c.bounds) << c.x << "," << c.y << " frame " << c.frame;
    }
    // A frame index outside the frames draws nothing.
    KSpritePtr past = solidSprite(0, 0, 2, 2, 'g');
    past->setCurrentFrame(1);
    KImagePtr page = solidImage(2, 2, '#');
    past->draw(page->getGraphicDevice());
    EXPECT_EQ(pixelRows(*page), PixelRows(2, "##"));
    // Collisions are overlaps of the bounds; other objects never collide with a sprite.
    KSpritePtr overlapping = solidSprite(39, 29, 10, 10, 'b');
    KSpritePtr touching = solidSprite(40, 0, 10, 10, 'b');
    KSpritePtr at = solidSprite(0, 0, 40, 30, 'g');
    KAnimationObject plain;
    EXPECT_TRUE(at->collidesWith(*overlapping));
    EXPECT_FALSE(at->collidesWith(*touching));
    EXPECT_FALSE(at->collidesWith(plain));
}

TEST_F(Animation, SpritesChangeTheirOrderWithinTheirLayer)
{
    struct Case {
        void (KSprite::*move)();
        int sprite;
        const char* order;
    } cases[] = {
        {&KSprite::bringToFront, 0, "bcda"}, {&KSprite::bringToFront, 3, "abcd"},
        {&KSprite::bringForward, 1, "acbd"}, {&KSprite::bringForward, 3, "abcd"},
        {&KSprite::sendToBack, 2, "cabd"},   {&KSprite::sendToBack, 0, "abcd"},
        {&KSprite::sendBackward, 2, "acbd"}, {&KSprite::sendBackward, 0, "abcd"},
    };
    for (const Case& c : cases) {
        // Each sprite is named by its x position: a is at 0, b at 1...
        KSpriteLayerPtr layer(new KSpriteLayer);
        for (short i = 0; i < 4; ++i)
            layer->addSprite(*solidSprite(i, 0, 1, 1, 'g'));
        (layer->getSpriteAt(c.sprite).*c.move)();
        std::string order;
        for (long i = 0; i < 4; ++i)
            order += char('a' + layer->getSpriteAt(i).getPosition().getX());
        EXPECT_EQ(order, c.order) << "sprite " << c.sprite;
    }
}

TEST_F(Animation, LayersInASystemRegisterTheirSpritesWithItsAnimation)
{
    KSpriteSystemPtr system(new KSpriteSystem);
    KSpriteLayerPtr layer(new KSpriteLayer);
    KSpritePtr before = solidSprite(0, 0, 1, 1, 'g');
    layer->addSprite(*before);
    system->addLayer(*layer);
    KSpritePtr after = solidSprite(0, 0, 1, 1, 'b');
    layer->addSprite(*after);
    EXPECT_EQ(system->getObjects().getCount(), 2);
    // A layer joins one system once.
    KSpriteSystemPtr other(new KSpriteSystem);
    other->addLayer(*layer);
    EXPECT_EQ(other->getLayers().getCount(), 0);
    // Taking a sprite out of the layer takes it out of the animation and the collision
    // tests.
    system->addCollisionObject(*before);
    layer->removeSprite(*before);
    EXPECT_FALSE(before->hasLayer());
    EXPECT_EQ(system->getObjects().getCount(), 1);
    EXPECT_EQ(system->getCollisionObjects().getCount(), 0);

    system->removeAllLayers();
    EXPECT_FALSE(layer->hasSpriteSystem());
    EXPECT_EQ(system->getObjects().getCount(), 0);
}


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
