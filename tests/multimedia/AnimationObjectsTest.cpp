// Animation objects, their float geometry and its blocks, line stepping, sprites and the
// order of sprites in their layers.
#include "multimedia/KAnimationController.h"
#include "multimedia/KBresenham.h"
#include "multimedia/KSpriteLayer.h"
#include "multimedia/KSpriteSystem.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/multimedia/AnimationTestSupport.h"
#include "tests/support/TemporaryFolder.h"

#include <cstring>
#include <utility>

namespace {

struct Point {
    long x, y;
    bool last;
    bool operator==(const Point& O) const { return x == O.x && y == O.y && last == O.last; }
};

std::vector<Point> walk(KBresenham& Line)
{
    std::vector<Point> points;
    for (int guard = 0; guard < 100; ++guard) {
        Point p{0, 0, false};
        p.last = Line.next(p.x, p.y);
        points.push_back(p);
        if (p.last)
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
        std::vector<Point> points;
    } cases[] = {
        {0, 0, 3, 1, {{0, 0, false}, {1, 0, false}, {2, 1, false}, {3, 1, true}}},
        {5, 5, 5, 5, {{5, 5, true}}},
        {0, 0, -1, -4, {{0, 0, false}, {0, -1, false}, {0, -2, false}, {-1, -3, false}, {-1, -4, true}}},
        // A tie on the error term keeps the minor axis where it is.
        {0, 0, 2, 1, {{0, 0, false}, {1, 0, false}, {2, 1, true}}},
        {2, 0, -1, 1, {{2, 0, false}, {1, 0, false}, {0, 1, false}, {-1, 1, true}}},
    };
    for (const Case& c : cases) {
        KBresenham line;
        line.init(c.x0, c.y0, c.x1, c.y1);
        EXPECT_EQ(walk(line), c.points) << c.x0 << "," << c.y0 << " to " << c.x1 << "," << c.y1;
    }
    KBresenham fromFloats;
    EXPECT_EQ(walk(fromFloats), (std::vector<Point>{{0, 0, true}}));
    fromFloats.init(KAnimationPoint(-0.9f, 0.5f), KAnimationPoint(2.7f, -1.2f));
    EXPECT_EQ(walk(fromFloats), (std::vector<Point>{{0, 0, false}, {1, 0, false}, {2, -1, true}}));
}

TEST_F(Animation, NewObjectsStandVisibleAtTheOriginAndCopiesTakeTheController)
{
    KAnimationObjectPtr object(new KAnimationObject);
    EXPECT_TRUE(object->isVisible());
    EXPECT_EQ(object->getPosition(), KAnimationPoint(0, 0));
    EXPECT_EQ(object->getOrigin(), KAnimationVector(0, 0));
    EXPECT_EQ(object->getScale(), KAnimationVector(1, 1));
    EXPECT_EQ(object->getCollisionMask(), 0u);
    EXPECT_FALSE(object->hasController());

    KAnimationControllerPtr controller(new KAnimationController);
    KAnimationObjectPtr source(new KAnimationObject);
    source->setController(*controller);
    source->setPosition(1.5f, 2);
    source->setOrigin(3, 4);
    source->setScale(0.5f, 2);
    source->hide();
    source->setCollisionCategory(4);
    source->setCollisionMask(6);
    object->copyFrom(*source);
    EXPECT_EQ(&object->getController(), controller.get());
    EXPECT_EQ(object->getPosition(), KAnimationPoint(1.5f, 2));
    EXPECT_EQ(object->getOrigin(), KAnimationVector(3, 4));
    EXPECT_EQ(object->getScale(), KAnimationVector(0.5f, 2));
    EXPECT_FALSE(object->isVisible());
    EXPECT_EQ(object->getCollisionCategory(), 4u);
    EXPECT_EQ(object->getCollisionMask(), 6u);
    // A source without controller leaves the copy without one.
    object->copyFrom(KAnimationObject());
    EXPECT_FALSE(object->hasController());
    source->removeController();
}

TEST_F(Animation, PointsAndVectorsStoreTwoFloatsInSectionOne)
{
    TemporaryFolder folder;
    BlockFile blocks(folder.file("point.bin"));
    KAnimationPoint point(1.5f, -2.25f);
    const Bytes payload = ByteList().append(floatBytes(1.5f)).append(floatBytes(-2.25f));
    EXPECT_EQ(blocks.written(point), ByteList().append(BlockFile::header("KAnimationPoint", 16)).append(payload).bytes());
    KAnimationPoint pointBack;
    EXPECT_EQ(blocks.readBack(pointBack), 0);
    EXPECT_EQ(pointBack, point);

    KAnimationVector vector(0.5f, 3);
    KAnimationVector vectorBack;
    EXPECT_EQ(blocks.roundTrip(vector, vectorBack), 0);
    EXPECT_EQ(vectorBack, vector);

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

    KSpritePtr empty(new KSprite);
    empty->setPosition(50, 50);
    KGraphicRectangle bounds;
    empty->getBounds(bounds);
    EXPECT_EQ(bounds, KGraphicRectangle(0, 0, 0, 0));
    KImage page;
    makePicture(page, PixelRows(4, "####"));
    empty->draw(page.getGraphicDevice());
    EXPECT_EQ(pixelRows(page), PixelRows(4, "####"));

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
    auto orderOf = [](const KSpriteLayer& Layer, const std::vector<KSprite*>& Names) {
        std::string order;
        for (long i = 0; i < Layer.getSpriteCount(); ++i)
            for (size_t n = 0; n < Names.size(); ++n)
                if (&Layer.getSpriteAt(i) == Names[n])
                    order += char('a' + n);
        return order;
    };
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
        KSpriteLayerPtr layer(new KSpriteLayer);
        std::vector<KSpritePtr> sprites;
        std::vector<KSprite*> names;
        for (int i = 0; i < 4; ++i) {
            sprites.push_back(solidSprite(0, 0, 1, 1, 'g'));
            names.push_back(sprites.back().get());
            layer->addSprite(*sprites.back());
        }
        (sprites[size_t(c.sprite)].get()->*c.move)();
        EXPECT_EQ(orderOf(*layer, names), c.order) << "sprite " << c.sprite;
    }

    // Outside a layer nothing happens.
    KSpritePtr alone = solidSprite(0, 0, 1, 1, 'g');
    alone->bringToFront();
    EXPECT_FALSE(alone->hasLayer());
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
    EXPECT_EQ(&layer->getSpriteSystem(), system.get());
    EXPECT_EQ(&after->getLayer(), layer.get());
    EXPECT_EQ(system->getObjects().getCount(), 2);

    // A layer joins one system once.
    KSpriteSystemPtr other(new KSpriteSystem);
    other->addLayer(*layer);
    system->addLayer(*layer);
    EXPECT_EQ(other->getLayers().getCount(), 0);
    EXPECT_EQ(system->getLayers().getCount(), 1);

    // Taking a sprite out of the layer takes it out of the animation and the collision
    // tests.
    system->addCollisionObject(*before);
    layer->removeSprite(*before);
    EXPECT_FALSE(before->hasLayer());
    EXPECT_EQ(system->getObjects().getCount(), 1);
    EXPECT_EQ(system->getCollisionObjects().getCount(), 0);

    // A copy refers to the source's layer and frames without joining the layer's list.
    KSpritePtr copy(new KSprite);
    after->setCurrentFrame(0);
    copy->copyFrom(*after);
    EXPECT_EQ(&copy->getLayer(), layer.get());
    EXPECT_EQ(&copy->getFrames()[0], &after->getFrames()[0]);
    EXPECT_TRUE(copy->hasSpriteFlags(KSprite::NeedsRedraw));
    EXPECT_EQ(layer->getSpriteCount(), 1);

    system->removeAllLayers();
    EXPECT_FALSE(layer->hasSpriteSystem());
    EXPECT_EQ(system->getObjects().getCount(), 0);
}

} // namespace
