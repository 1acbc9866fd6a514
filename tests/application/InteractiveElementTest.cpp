// Interactive elements: the hilite that follows their state and the mouse, the action
// events their mask lets them post, their redraw requests on the way to the layer, and
// the road of an action event back up to the application.
#include "foundation/KWideRectangle.h"
#include "tests/application/InteractionTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Keeps the redraw requests that reach it.
class RedrawLayer : public LoggingLayer {
public:
    RedrawLayer()
        : LoggingLayer("layer")
    {
    }
    void invalidateRect(const KWideRectangle& R) override
    {
        long x = 0, y = 0, width = 0, height = 0;
        R.get(x, y, width, height);
        note("redraw " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(width) + "x"
             + std::to_string(height));
    }
};
K_POINTER_CLASS(RedrawLayer, LoggingLayerPtr);

class InteractiveElement : public ::testing::Test {
protected:
    InteractiveElement()
    {
        element->setLayer(*layer);
        element->setPosition(KWidePoint(5, 6));
        element->setSize(KWideSize(20, 10));
    }

    // The types of the actions the element posted since the last look.
    static std::vector<long> posted()
    {
        interactionLog().clear();
        KApplicationEvent::flushQueue();
        std::vector<long> types;
        for (const std::string& line : interactionLog()) {
            if (line.rfind("element action ", 0) == 0)
                types.push_back(std::stol(line.substr(15)));
        }
        return types;
    }

    InteractionScope scope;
    RedrawLayerPtr layer = new RedrawLayer;
    LoggingElementPtr element = new LoggingElement("element");
    KMouseEvent press;
    const KWidePoint at{1, 1};
};

TEST_F(InteractiveElement, HiliteFollowsTheStateAndRedrawsTheElementOnlyOnChange)
{
    EXPECT_EQ(element->getStateFlags(), 0x1f384u);
    using Step = void (*)(KInteractiveElement&);
    const std::pair<Step, uint8> steps[] = {
        {[](KInteractiveElement& E) { E.disable(); }, 3},
        {[](KInteractiveElement& E) { E.hide(); }, 4},
        {[](KInteractiveElement& E) { E.show(true); }, 3},
        {[](KInteractiveElement& E) { E.enable(true); }, 0},
        {[](KInteractiveElement& E) { E.setMouseInside(KWidePoint(1, 1), true); }, 1},
        {[](KInteractiveElement& E) { E.deactivate(); }, 0},
        {[](KInteractiveElement& E) { E.setMouseInside(KWidePoint(1, 1), true); }, 0},
        {[](KInteractiveElement& E) { E.activate(true); }, 0},
    };
    for (const auto& step : steps) {
        step.first(*element);
        EXPECT_EQ(element->getHilite(), step.second) << &step - steps;
    }
    interactionLog().clear();
    element->setHilite(2);
    element->setHilite(2);
    element->clearStateFlags(KInteractiveElement::RedrawOnHiliteFlag);
    element->setHilite(1);
    EXPECT_EQ(element->getHilite(), 1);
    EXPECT_EQ(interactionLog(), (Log{"redraw 5,6 20x10"}));
    // A disabled element keeps its selection as it is.
    element->disable();
    element->setSelected(true);
    EXPECT_FALSE(element->isSelected());
}

TEST_F(InteractiveElement, RedrawRequestsGainEachOriginOnTheWayToTheLayer)
{
    LoggingElementPtr child = new LoggingElement("child");
    child->setParent(*element);
    child->setPosition(KWidePoint(2, 3));
    child->setSize(KWideSize(4, 4));
    child->invalidateRect(KWideRectangle(1, 1, 2, 2));
    child->invalidate();
    EXPECT_EQ(interactionLog(), (Log{"redraw 8,10 2x2", "redraw 7,9 4x4"}));
}

TEST_F(InteractiveElement, PressAndReleasePostTheActionsTheMaskHolds)
{
    EXPECT_TRUE(element->mouseDown(at, press));
    EXPECT_EQ(element->getHilite(), KInteractiveElement::PressedHilite);
    element->setMouseOutside(at);
    element->mouseUp(at);
    // Released outside: done only because the element also reports entering.
    EXPECT_EQ(posted(), (std::vector<long>{1, 4}));

    element->getActionMask().clear(KInteractiveElement::EnterAction);
    element->mouseEnter(at);
    element->mouseLeave(at);
    element->mouseDown(at, press);
    element->mouseUp(at);
    EXPECT_EQ(posted(), (std::vector<long>{3, 1}));

    element->setMouseInside(at, true);
    element->mouseDown(at, press);
    element->mouseUp(at);
    EXPECT_EQ(element->getHilite(), KInteractiveElement::HoverHilite);
    EXPECT_EQ(posted(), (std::vector<long>{1, 4}));
    // Hidden or inactive, an element takes no press; disabled, it reports it untracked.
    element->hide();
    EXPECT_FALSE(element->mouseDown(at, press));
    element->show(true);
    element->deactivate();
    EXPECT_FALSE(element->mouseDown(at, press));
    element->activate(true);
    element->disable();
    EXPECT_TRUE(element->mouseDown(at, press));
    EXPECT_FALSE(element->getStateFlags() & KInteractiveElement::TrackingFlag);
    EXPECT_EQ(posted(), (std::vector<long>{1}));
}

TEST_F(InteractiveElement, AnActionClimbsTheElementsThenTheLayerAndTheWindowToTheApplication)
{
    LoggingWindowPtr window = new LoggingWindow;
    window->addLayer(*layer);
    LoggingElementPtr child = new LoggingElement("child");
    child->setParent(*element);
    child->mouseEnter(at);
    KApplicationEvent::flushQueue();
    EXPECT_EQ(interactionLog(),
              (Log{"child action 2", "element action 2", "layer action 2", "window action 2", "application action 2"}));

    interactionLog().clear();
    element->resetLayer();
    element->answers.answer("action 2", 1);
    child->mouseEnter(at);
    LoggingElementPtr loose = new LoggingElement("loose");
    loose->mouseEnter(at);
    KApplicationEvent::flushQueue();
    EXPECT_EQ(interactionLog(), (Log{"child action 2", "element action 2", "loose action 2", "application action 2"}));
}

} // namespace
