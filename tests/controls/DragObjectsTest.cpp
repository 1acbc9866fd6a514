// Drag objects and their layer: handle squares and hits, the frame and handles drawn, the
// content that follows the object, and selecting, moving and resizing with the mouse
// through the cursor manager, the rubber band snapped to the drag grid.
#include "controls/KDragObject.h"
#include "controls/KDragObjectsLayer.h"
#include "application/KWindowEvent.h"
#include "graphics/KImage.h"
#include "tests/controls/ControlTestSupport.h"

#include <gtest/gtest.h>

namespace {

KDragObjectPtr makeObject(short H, short V, short Width, short Height)
{
    KDragObjectPtr object = new KDragObject;
    object->setBounds(KGraphicRectangle(H, V, Width, Height));
    return object;
}

// Counts the times it is given a native parent.
class FramedControl : public KControl {
public:
    void setNativeParent(KThing& Element) override
    {
        ++parentChanges;
        KControl::setNativeParent(Element);
    }
    int parentChanges = 0;
};
K_POINTER_CLASS(FramedControl, KControlPtr);

// Notes where it is drawn: "window" or "control", and the rectangle.
class NotedDragObject : public KDragObject {
public:
    void draw(KGraphicDevice& Device, const KGraphicRectangle& Bounds) override
    {
        drawings.push_back((dynamic_cast<KWindow*>(&Device) ? "window " : "control ") + boundsText(Bounds));
    }
    std::vector<std::string> drawings;
};
K_POINTER_CLASS(NotedDragObject, KDragObjectPtr);

TEST(DragObject, HandleSquaresLieOnTheEdgesAndTheFirstInCodeOrderIsHit)
{
    KDragObjectPtr object = makeObject(10, 20, 100, 50);
    const KGraphicRectangle bounds = object->getBounds();
    const std::pair<uint8, const char*> squares[] = {
        {0x01, "10,41 8x8"},  {0x02, "102,41 8x8"}, {0x04, "56,20 8x8"},  {0x08, "56,62 8x8"},
        {0x10, "10,20 8x8"},  {0x20, "102,20 8x8"}, {0x40, "10,62 8x8"},  {0x80, "102,62 8x8"},
        {0x03, "0,0 8x8"},
    };
    for (const auto& square : squares)
        EXPECT_EQ(boundsText(object->getHandleRect(square.first, bounds)), square.second) << int(square.first);
    // Only the middle handles are drawn, but every handle can be hit; right and bottom
    // edges are outside.
    object->setHandles(0x0F);
    EXPECT_EQ(object->hitHandle(KGraphicPoint(109, 69)), 0x80);
    EXPECT_EQ(object->hitHandle(KGraphicPoint(110, 69)), 0);
    EXPECT_EQ(object->hitHandle(KGraphicPoint(60, 40)), 0);
    // On a small object the squares overlap: the left middle one comes first.
    KDragObjectPtr small = makeObject(0, 0, 10, 10);
    EXPECT_EQ(small->hitHandle(KGraphicPoint(2, 2)), 0x01);
}

TEST(DragObject, DrawsAnOutlineOrWhenSelectedAFrameAndTheChosenHandles)
{
    KImagePtr image = new KImage;
    image->create(60, 60);
    KGraphicDevice& device = image->getGraphicDevice();
    device.paintRect(KGraphicRectangle(0, 0, 60, 60), KColor(kGray));
    KDragObjectPtr object = makeObject(10, 10, 40, 40);
    const auto colourAt = [&](short H, short V) {
        const KColor c = device.getPixel(H, V);
        return c.getNativeColor() == 0 ? 'b' : c.getNativeColor() == 0xFFFFFF ? 'w' : '.';
    };
    object->draw(device, object->getBounds());
    EXPECT_EQ(std::string({colourAt(10, 30), colourAt(11, 30), colourAt(30, 30)}), "b..");

    object->setHandles(0x0F);
    object->setSelected(true);
    object->draw(device, object->getBounds());
    // Outer white, inner black, the left handle black inside its white outline, and no
    // corner handle.
    EXPECT_EQ(std::string({colourAt(30, 10), colourAt(30, 11), colourAt(12, 30), colourAt(11, 12)}), "wbbb");
    EXPECT_EQ(std::string({colourAt(10, 26), colourAt(12, 27), colourAt(14, 14)}), "wb.");
    // The device keeps its own colours.
    EXPECT_EQ(device.getForeColor(), KColor(kGray));
}

TEST(DragObject, ContentFollowsTheBoundsNamesTheObjectAsItsNativeParentAndSleepsWhileSelected)
{
    FramedControlPtr control = new FramedControl;
    KInteractiveElementPtr element = new KInteractiveElement;
    KDragObjectPtr object = makeObject(0, 0, 20, 20);
    object->setContent(*control);
    object->setContent(*control);
    EXPECT_EQ(control->parentChanges, 1);
    EXPECT_EQ(&control->getNativeParent(), object.get());
    object->setBounds(KGraphicRectangle(5, 6, 30, 40));
    EXPECT_EQ(boundsText(control->getBounds()), "5,6 30x40");
    // Other content lets the control go; so does an object that goes away.
    object->setContent(*element);
    EXPECT_FALSE(control->hasNativeParent());
    object->setBounds(KGraphicRectangle(1, 2, 3, 4));
    EXPECT_EQ(std::make_pair(element->getPosition(), element->getSize()), std::make_pair(KWidePoint(1, 2), KWideSize(3, 4)));
    object->setContent(*control);
    object.reset();
    EXPECT_FALSE(control->hasNativeParent());
    // Only an enabled object is selected; a compound content sleeps while it is, and only
    // the end of a selection wakes it.
    KDragObjectPtr frame = makeObject(0, 0, 50, 50);
    frame->disable();
    frame->setSelected(true);
    EXPECT_FALSE(frame->isSelected());
    frame->enable(true);
    KControlPtr inner = new KControl;
    control->addControl(*inner);
    frame->setContent(*control);
    frame->setSelected(true);
    EXPECT_TRUE(frame->isSelected());
    EXPECT_FALSE(control->isEnabled() || inner->isEnabled());
    frame->clearSelected();
    EXPECT_TRUE(inner->isEnabled());
    control->disable();
    frame->clearSelected();
    EXPECT_FALSE(inner->isEnabled());
}

class DragLayer : public ::testing::Test {
protected:
    DragLayer()
    {
        // Out of the way of the objects until one frames it.
        content->setPosition(KGraphicPoint(400, 400));
        scope.window->addElement(*content);
    }
    ~DragLayer() override { holdKey(VK_SHIFT, false); }

    KDragObject& add(short H, short V, short Width, short Height)
    {
        KDragObjectPtr object = makeObject(H, V, Width, Height);
        layer.addObject(*object);
        return *object;
    }

    KEventReturn send(long Kind, short H, short V) { return sendMouse(*scope.window, Kind, H, V); }

    void drag(short FromH, short FromV, short ToH, short ToV)
    {
        send(KMouseEvent::Down, FromH, FromV);
        send(KMouseEvent::Move, ToH, ToV);
        band = boundsText(layer.getTrackingRect());
        send(KMouseEvent::Up, ToH, ToV);
    }

    ControlScope scope;
    KDragObjectsLayer& layer = scope.window->getDragObjectsLayer();
    KControlPtr content = new KControl;
    std::string band;
};

TEST_F(DragLayer, APressSelectsTheObjectAloneOrWithShiftBesideTheOthers)
{
    KDragObject& first = add(10, 10, 40, 40);
    add(100, 10, 40, 40);
    EXPECT_EQ(&first.getLayer(), &layer);
    EXPECT_EQ(&first.getWindow(), scope.window.get());
    EXPECT_TRUE(layer.isMouseTarget(KGraphicPoint(49, 49)));
    EXPECT_FALSE(layer.isMouseTarget(KGraphicPoint(50, 50)));

    EXPECT_NE(send(KMouseEvent::Down, 20, 20), 0);
    EXPECT_EQ(&layer.getTrackedObject(), &first);
    EXPECT_EQ(GetCapture(), scope.window->getNativeWindow());
    send(KMouseEvent::Up, 20, 20);
    EXPECT_FALSE(GetCapture() || layer.hasTrackedObject());
    // A press on nothing leaves the selection as it is.
    EXPECT_EQ(send(KMouseEvent::Down, 300, 300), 0);
    EXPECT_TRUE(first.isSelected());

    holdKey(VK_SHIFT, true);
    ASSERT_TRUE(knsIsShiftDown());
    drag(110, 20, 110, 20);
    EXPECT_EQ(layer.countSelected(), 2);
    holdKey(VK_SHIFT, false);
    KDragObject& third = add(200, 10, 40, 40);
    drag(210, 20, 210, 20);
    EXPECT_EQ(layer.countSelected(), 1);
    EXPECT_TRUE(third.isSelected());
    // A disabled object is neither selected nor dragged.
    first.disable();
    EXPECT_EQ(send(KMouseEvent::Down, 20, 20), 0);
    EXPECT_FALSE(first.isSelected() || third.isSelected());
    // Where two overlap, the press takes the one added last: it is drawn on top.
    add(10, 100, 40, 40);
    KDragObject& top = add(30, 100, 40, 40);
    send(KMouseEvent::Down, 40, 120);
    EXPECT_EQ(&layer.getTrackedObject(), &top);
    send(KMouseEvent::Up, 40, 120);
}

TEST_F(DragLayer, AHandleResizesOnTheGridAndNoSmallerThanTheMinimum)
{
    KDragObject& object = add(10, 10, 40, 40);
    object.setContent(*content);
    // The bottom-right handle by (+7, +3): every edge snaps to the grid of 4.
    drag(48, 48, 55, 51);
    EXPECT_EQ(band, "8,8 48x44");
    EXPECT_EQ(boundsText(object.getBounds()), "8,8 48x44");
    EXPECT_EQ(boundsText(content->getBounds()), "8,8 48x44");

    drag(54, 50, 0, 0);
    EXPECT_EQ(boundsText(object.getBounds()), "8,8 16x16");
    object.setMinimumSize(KGraphicSize(20, 24));
    drag(22, 22, 0, 0);
    EXPECT_EQ(boundsText(object.getBounds()), "8,8 20x24");
    // The body moves the whole band, snapped.
    drag(17, 20, 28, 20);
    EXPECT_EQ(boundsText(object.getBounds()), "16,8 20x24");
}

TEST_F(DragLayer, SeveralSelectedObjectsMoveTogetherByTheExactDisplacement)
{
    KDragObject& first = add(10, 10, 40, 40);
    KDragObject& second = add(100, 10, 40, 40);
    first.setSelected(true);
    second.setSelected(true);
    // Pressed on a handle, the band still only moves.
    drag(48, 48, 55, 51);
    EXPECT_EQ(band, "16,12 128x40");
    EXPECT_EQ(boundsText(first.getBounds()), "17,13 40x40");
    EXPECT_EQ(boundsText(second.getBounds()), "107,13 40x40");
    EXPECT_EQ(boundsText(layer.getSelectionBounds()), "17,13 130x40");
}

TEST_F(DragLayer, ObjectsAreDrawnIntoTheWindowAndOverTheNativeWindowTheyFrameUntilTakenOut)
{
    NotedDragObjectPtr framing = new NotedDragObject;
    framing->setContent(*content);
    framing->setBounds(KGraphicRectangle(10, 10, 40, 30));
    layer.addObject(*framing);
    KWindowEventPtr paint = new KWindowEvent;
    paint->setWindow(*scope.window);
    EXPECT_FALSE(layer.drawLayer(*paint));
    SendMessageA(nativeOf(*content), WM_PAINT, 0, 0);
    EXPECT_EQ(framing->drawings, (std::vector<std::string>{"window 10,10 40x30", "control 0,0 40x30"}));
    // Taken out, it lets everything go that the layer and the object gave.
    layer.removeObject(*framing);
    EXPECT_EQ(layer.getObjects().getCount(), 0);
    EXPECT_FALSE(framing->hasContent() || framing->hasWindow() || framing->hasLayer());
    EXPECT_FALSE(content->hasNativeParent());
}

} // namespace
