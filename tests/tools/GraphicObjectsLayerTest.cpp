// The window layer of graphic objects: mouse routing to the object under the pointer or
// to the pressed one, keys to the focus object and up its parents, the two ways of
// drawing an object, and objects that leave the layer.
#include "application/KKeyEvent.h"
#include "application/KWindowEvent.h"
#include "tests/tools/GraphicObjectsTestSupport.h"
#include "tools/igo/KGraphicObjectsLayer.h"

#include <gtest/gtest.h>

namespace {

class GraphicObjectsLayer : public ::testing::Test {
protected:
    GraphicObjectsLayer() { window->addLayer(*layer); }
    ~GraphicObjectsLayer() override { window->removeLayer(*layer); }

    NotingIGO& add(const char* Name, long X, long Y, long Width, long Height, bool AcceptsPress = true)
    {
        NotingIGOPtr object = new NotingIGO(Name, AcceptsPress);
        object->setPosition(KWidePoint(X, Y));
        object->setSize(KWideSize(Width, Height));
        object->clearStateFlags(KInteractiveElement::RedrawOnHiliteFlag);
        layer->addObject(*object);
        return *object;
    }
    KEventReturn mouse(long Kind, short H, short V)
    {
        KMouseEventPtr event = mouseEvent(Kind, H, V);
        switch (Kind) {
        case KMouseEvent::Enter:
            return layer->dispatchMouseEnter(*event);
        case KMouseEvent::Leave:
            return layer->dispatchMouseLeave(*event);
        case KMouseEvent::Down:
            return layer->dispatchMouseDown(*event);
        case KMouseEvent::Move:
            return layer->dispatchMouseMove(*event);
        case KMouseEvent::Tick:
            return layer->dispatchMouseTick(*event);
        default:
            return layer->dispatchMouseUp(*event);
        }
    }

    InteractionScope scope;
    KWindowPtr window = new KWindow;
    KGraphicObjectsLayerPtr layer = new KGraphicObjectsLayer;
};

TEST_F(GraphicObjectsLayer, AnEmptyLayerTakesNoMouseAndDrawsNothing)
{
    for (long kind = KMouseEvent::Enter; kind <= KMouseEvent::Up; ++kind)
        EXPECT_EQ(mouse(kind, 5, 5), 0) << kind;
    EXPECT_FALSE(layer->isMouseTarget(KGraphicPoint(5, 5)));
    KWindowEvent paint;
    EXPECT_FALSE(layer->drawLayer(paint));
}

TEST_F(GraphicObjectsLayer, TheUpperObjectTakesThePressAndTracksItWhereverTheMouseGoes)
{
    add("lower", 0, 0, 50, 50);
    NotingIGO& upper = add("upper", 20, 20, 50, 50);
    EXPECT_TRUE(layer->isMouseTarget(KGraphicPoint(60, 60)));
    EXPECT_EQ(mouse(KMouseEvent::Down, 30, 30), 4);
    EXPECT_EQ(&layer->getPressedObject(), &upper);
    EXPECT_EQ(mouse(KMouseEvent::Move, 5, 5), 1);
    EXPECT_EQ(mouse(KMouseEvent::Tick, 200, 200), 0);
    // Released outside every object: the pressed object still hears it.
    EXPECT_EQ(mouse(KMouseEvent::Up, 200, 200), 0);
    EXPECT_FALSE(layer->hasPressedObject());
    EXPECT_EQ(takeNotes(), Log({"upper down 10,10", "upper enter -15,-15", "upper leave 180,180", "upper up 180,180"}));

    // A refused press is not offered to the object below.
    upper.acceptsPress = false;
    EXPECT_EQ(mouse(KMouseEvent::Down, 30, 30), 0);
    EXPECT_EQ(takeNotes(), Log({"upper down 10,10"}));
}

TEST_F(GraphicObjectsLayer, TheHoverFollowsThePointerFromObjectToObject)
{
    add("a", 0, 0, 20, 20);
    add("b", 30, 0, 20, 20);
    EXPECT_EQ(mouse(KMouseEvent::Enter, 5, 5), 1);
    EXPECT_EQ(mouse(KMouseEvent::Move, 6, 5), 1);
    EXPECT_EQ(mouse(KMouseEvent::Move, 35, 5), 1);
    // Between the objects nothing changes.
    EXPECT_EQ(mouse(KMouseEvent::Move, 25, 5), 0);
    EXPECT_EQ(mouse(KMouseEvent::Leave, 25, 5), 1);
    EXPECT_EQ(takeNotes(), Log({"a inside 5,5", "a moved 6,5", "a outside 35,5", "b inside 5,5", "b outside 25,5"}));
    EXPECT_FALSE(layer->hasHoveredObject());
    // A release over an object that is not hovered yet makes it so.
    EXPECT_EQ(mouse(KMouseEvent::Up, 5, 5), 1);
    EXPECT_EQ(takeNotes(), Log({"a inside 5,5"}));
}

TEST_F(GraphicObjectsLayer, KeysGoToTheFocusObjectAndUpItsParents)
{
    NotingIGO& object = add("object", 0, 0, 10, 10);
    NotingIGOPtr parent = new NotingIGO("parent");
    object.setParent(*parent);
    KKeyEventPtr key = new KKeyEvent;
    EXPECT_FALSE(layer->keyTyped(*key));

    // A focus event for the layer itself sets no focus object.
    key->setElement(*layer);
    EXPECT_FALSE(layer->focusGained(*key));
    EXPECT_FALSE(layer->hasFocusObject());

    key->setElement(object);
    parent->answers.answer("gained", 1);
    EXPECT_TRUE(layer->focusGained(*key));
    EXPECT_EQ(&layer->getFocusObject(), &object);
    parent->answers.answer("key", 1);
    EXPECT_TRUE(layer->keyTyped(*key));
    EXPECT_EQ(takeNotes(), Log({"object gained", "parent gained", "object key", "parent key"}));
    EXPECT_FALSE(layer->focusLost(*key));
    EXPECT_FALSE(layer->hasFocusObject());
}

TEST_F(GraphicObjectsLayer, AnObjectAskingForItIsDrawnThroughAnImageOfItsRectangle)
{
    NotingIGO& direct = add("direct", 10, 20, 30, 40);
    NotingIGO& buffered = add("buffered", 50, 60, 70, 80);
    buffered.setIGOFlags(KInteractiveGraphicObject::DrawOffScreenFlag);
    KWindowEvent paint;
    EXPECT_FALSE(layer->drawLayer(paint));
    EXPECT_EQ(takeNotes(), Log({"direct drawn 10,20 30x40", "buffered drawn 0,0 70x80"}));
    EXPECT_EQ(direct.drawnOn, window.get());
    ASSERT_NE(buffered.drawnOn, nullptr);
    EXPECT_EQ(buffered.drawnOn->getBounds(), KGraphicRectangle(0, 0, 70, 80));

    // Without a window nothing is drawn.
    window->removeLayer(*layer);
    layer->drawObject(direct);
    EXPECT_TRUE(takeNotes().empty());
    window->addLayer(*layer);
}

TEST_F(GraphicObjectsLayer, AnObjectThatLeavesNoLongerHearsTheMouseOrTheKeys)
{
    NotingIGOPtr object(add("object", 0, 0, 20, 20));
    KKeyEventPtr key = new KKeyEvent;
    key->setElement(*object);
    layer->focusGained(*key);
    mouse(KMouseEvent::Enter, 5, 5);
    mouse(KMouseEvent::Down, 5, 5);
    layer->removeObject(*object);
    EXPECT_FALSE(object->hasLayer());
    EXPECT_FALSE(layer->hasPressedObject() || layer->hasHoveredObject() || layer->hasFocusObject());
    takeNotes();
    mouse(KMouseEvent::Up, 5, 5);
    EXPECT_FALSE(layer->keyTyped(*key));
    EXPECT_TRUE(takeNotes().empty());

    // A layer that goes lets its objects go.
    NotingIGOPtr kept(add("kept", 0, 0, 5, 5));
    window->removeLayer(*layer);
    layer = nullptr;
    EXPECT_FALSE(kept->hasLayer());
    layer = new KGraphicObjectsLayer;
    window->addLayer(*layer);
}

} // namespace
