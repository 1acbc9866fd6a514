// Interactive elements: their defaults, the hilite that follows enabling, showing and the
// mouse, the action events they post by their action mask, the redraw requests that climb
// to their layer, and the road of an action event back up to the application.
#include "foundation/KWideRectangle.h"
#include "tests/application/InteractionTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A layer that keeps the redraw requests that reach it.
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

    // The types of the action events waiting in the queue, which it then forgets.
    static std::vector<long> posted()
    {
        std::vector<long> types;
        interactionLog().clear();
        KApplicationEvent::flushQueue();
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

TEST_F(InteractiveElement, StartsVisibleEnabledActiveAndReportingAllFourActions)
{
    KInteractiveElementPtr fresh = new KInteractiveElement;
    EXPECT_EQ(fresh->getStateFlags(), 0x1f384u);
    EXPECT_EQ(fresh->getHilite(), KInteractiveElement::NormalHilite);
    EXPECT_TRUE(fresh->isVisible() && fresh->isEnabled() && fresh->isActive());
    EXPECT_FALSE(fresh->isSelected() || fresh->acceptsFocus() || fresh->hasLayer() || fresh->hasParent());
    for (uint32 bit = 0; bit < 33; ++bit)
        EXPECT_EQ(fresh->getActionMask().isSet(bit), bit >= 1 && bit <= 4) << bit;
}

TEST_F(InteractiveElement, HiliteFollowsTheStateAndRedrawsTheWholeElementOnChange)
{
    using Step = void (*)(KInteractiveElement&);
    struct Case {
        const char* what;
        Step step;
        uint8 hilite;
    };
    const Case cases[] = {
        {"disable", [](KInteractiveElement& E) { E.disable(); }, 3},
        {"hide while disabled", [](KInteractiveElement& E) { E.hide(); }, 4},
        {"show while disabled", [](KInteractiveElement& E) { E.show(true); }, 3},
        {"enable", [](KInteractiveElement& E) { E.enable(true); }, 0},
        {"inside", [](KInteractiveElement& E) { E.setMouseInside(KWidePoint(1, 1), true); }, 1},
        {"deactivate", [](KInteractiveElement& E) { E.deactivate(); }, 0},
        {"inside while inactive", [](KInteractiveElement& E) { E.setMouseInside(KWidePoint(1, 1), true); }, 0},
        {"activate", [](KInteractiveElement& E) { E.activate(true); }, 0},
        {"hide", [](KInteractiveElement& E) { E.show(false); }, 4},
        {"show", [](KInteractiveElement& E) { E.show(true); }, 0},
    };
    for (const Case& c : cases) {
        c.step(*element);
        EXPECT_EQ(element->getHilite(), c.hilite) << c.what;
    }

    interactionLog().clear();
    element->setHilite(2);
    element->setHilite(2);
    EXPECT_EQ(interactionLog(), (std::vector<std::string>{"redraw 5,6 20x10"}));
    element->clearStateFlags(KInteractiveElement::RedrawOnHiliteFlag);
    element->setHilite(1);
    EXPECT_EQ(element->getHilite(), 1);
    EXPECT_EQ(interactionLog().size(), 1u);
}

TEST_F(InteractiveElement, ADisabledElementKeepsItsSelection)
{
    element->disable();
    element->setSelected(true);
    EXPECT_FALSE(element->isSelected());
    element->enable(true);
    element->setSelected(true);
    element->disable();
    element->clearSelected();
    EXPECT_TRUE(element->isSelected());
}

TEST_F(InteractiveElement, RedrawRequestsGainEachOriginOnTheWayToTheLayer)
{
    LoggingElementPtr child = new LoggingElement("child");
    child->setParent(*element);
    child->setPosition(KWidePoint(2, 3));
    child->setSize(KWideSize(4, 4));
    interactionLog().clear();
    child->invalidateRect(KWideRectangle(1, 1, 2, 2));
    child->invalidate();
    EXPECT_EQ(interactionLog(), (std::vector<std::string>{"redraw 8,10 2x2", "redraw 7,9 4x4"}));

    LoggingElementPtr loose = new LoggingElement("loose");
    interactionLog().clear();
    loose->invalidate();
    EXPECT_TRUE(interactionLog().empty());
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
}

TEST_F(InteractiveElement, OnlyAVisibleActiveElementTakesAPressAndOnlyAnEnabledOneTracksIt)
{
    element->hide();
    EXPECT_FALSE(element->mouseDown(at, press));
    element->show(true);
    element->deactivate();
    EXPECT_FALSE(element->mouseDown(at, press));
    EXPECT_TRUE(posted().empty());

    element->activate(true);
    element->disable();
    EXPECT_TRUE(element->mouseDown(at, press));
    EXPECT_FALSE(element->getStateFlags() & KInteractiveElement::TrackingFlag);
    EXPECT_EQ(element->getHilite(), KInteractiveElement::DisabledHilite);
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
    EXPECT_EQ(interactionLog(), (std::vector<std::string>{"child action 2", "element action 2", "layer action 2",
                                                        "window action 2", "application action 2"}));

    interactionLog().clear();
    element->resetLayer();
    element->answers.answer("action 2", 1);
    child->mouseEnter(at);
    LoggingElementPtr loose = new LoggingElement("loose");
    loose->mouseEnter(at);
    KApplicationEvent::flushQueue();
    EXPECT_EQ(interactionLog(), (std::vector<std::string>{"child action 2", "element action 2", "loose action 2",
                                                        "application action 2"}));
}

} // namespace
