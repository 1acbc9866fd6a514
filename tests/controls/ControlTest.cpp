// The base control and the controls layer: the defaults of every control class, geometry,
// containment, the native windows that come and go with windows and containers, the mouse
// routed to the control under it or to the tracked one, focus order and keys.
#include "controls/KCheckBoxControl.h"
#include "controls/KEditFieldControl.h"
#include "controls/KEditTextControl.h"
#include "controls/KGroupControl.h"
#include "controls/KPagesControl.h"
#include "controls/KPileControl.h"
#include "controls/KPopUpListControl.h"
#include "controls/KPopUpMenuControl.h"
#include "controls/KProgressBarControl.h"
#include "controls/KRadioButtonControl.h"
#include "controls/KRadioButtonGroup.h"
#include "controls/KScrollViewControl.h"
#include "controls/KSliderControl.h"
#include "controls/KSmallArrowsControl.h"
#include "controls/KStaticImageControl.h"
#include "controls/KStaticTextNativeControl.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

std::string maskOf(const KControl& C)
{
    std::string bits;
    for (uint32 type = 1; type <= 6; ++type) {
        if (C.getActionMask().isSet(type))
            bits += std::to_string(type);
    }
    return bits;
}

// What became of the native windows: the "made" and "gone" lines.
Log nativeLog()
{
    Log lines;
    for (const std::string& line : interactionLog()) {
        if (line.find(" made") != std::string::npos || line.find(" gone") != std::string::npos)
            lines.push_back(line);
    }
    return lines;
}

TEST(Control, EveryKindStartsWithItsOwnBoundsFlagsAndMask)
{
    InteractionScope scope;
    struct Kind {
        KControlPtr control;
        const char* bounds;
        uint32 flags;
        const char* mask;
    };
    const Kind kinds[] = {
        {new KControl, "5,5 16x16", 0x1f394, "14"},
        {new KPushButtonControl, "5,5 80x20", 0x1f394, "4"},
        {new KCheckBoxControl, "5,5 100x16", 0x1f394, "14"},
        {new KRadioButtonControl, "5,5 100x16", 0x1f394, "14"},
        {new KRadioButtonGroup, "5,5 16x16", 0x1f384, "14"},
        {new KGroupControl, "5,5 16x16", 0x1c380, "14"},
        {new KStaticTextNativeControl, "5,5 80x20", 0x1f384, ""},
        {new KStaticImageControl, "5,5 16x16", 0x180, ""},
        {new KPopUpListControl, "5,5 80x22", 0x1f394, "14"},
        {new KPopUpMenuControl, "5,5 16x16", 0x1f384, "14"},
        {new KProgressBarControl, "5,5 100x20", 0x1f384, "14"},
        {new KScrollBarControl, "5,5 16x16", 0x1f394, "14"},
        {new KSliderControl, "5,5 16x16", 0x1f394, "14"},
        {new KSmallArrowsControl, "5,5 15x23", 0x1f384, "14"},
        {new KTabControl, "5,5 16x16", 0x1f394, "14"},
        {new KPagesControl, "5,5 16x16", 0x1f384, "14"},
        {new KPileControl, "5,5 16x16", 0x1c380, "14"},
        {new KScrollViewControl, "5,5 16x16", 0x0f394, "14"},
        {new KEditTextControl, "5,5 80x22", 0x1f394, "14"},
        {new KEditFieldControl, "5,5 16x16", 0xc394, "14"},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.control->getClass().getName());
        EXPECT_EQ(boundsText(kind.control->getBounds()), kind.bounds);
        EXPECT_EQ(kind.control->getStateFlags(), kind.flags);
        EXPECT_EQ(maskOf(*kind.control), kind.mask);
    }
    EXPECT_EQ(KPushButtonControlPtr(new KPushButtonControl)->getTitle(), "OK");
    EXPECT_EQ(KCheckBoxControlPtr(new KCheckBoxControl)->getTitle(), "Check Box");
}

TEST(Control, SizesVariantsAndPlacesItselfNextToAnother)
{
    TracedControlPtr control = new TracedControl("c");
    control->setVariantSize(1, KGraphicSize(100, 16));
    control->setVariantSize(2, KGraphicSize(80, 22));
    EXPECT_EQ(control->getVariantSize(0), KGraphicSize(100, 22));
    EXPECT_EQ(control->getVariantSize(4), KGraphicSize(0, 0));

    KControlPtr other = new KControl;
    other->setBounds(KGraphicRectangle(100, 50, 80, 21));
    struct Placement {
        uint8 where;
        short width;
        KGraphicPoint expected;
    };

    // Halves truncate toward zero, also when this control is the wider one.
    const Placement placements[] = {{1, 40, {56, 55}}, {8, 40, {140, 36}}, {10, 89, {96, 75}}, {12, 40, {0, 0}}};
    for (const Placement& p : placements) {
        control->setSize(KGraphicSize(p.width, 10));
        control->placeNextTo(*other, p.where, 4);
        EXPECT_EQ(control->getPosition(), p.expected) << int(p.where);
    }
}

TEST(Control, ContainersPassTheirStateOnAndFindTheDeepestControl)
{
    KControlPtr outer = new KControl, middle = new KControl, inner = new KControl;
    outer->setBounds(KGraphicRectangle(10, 20, 100, 100));
    middle->setBounds(KGraphicRectangle(5, 5, 50, 50));
    inner->setBounds(KGraphicRectangle(1, 2, 10, 10));
    middle->hide();
    middle->disable();
    middle->addControl(*inner);
    middle->addControl(*inner);
    EXPECT_EQ(middle->getControls().getCount(), 1);
    EXPECT_FALSE(inner->isVisible() || inner->isEnabled());
    outer->addControl(*middle);
    // A control is never put inside itself.
    inner->addControl(*outer);
    EXPECT_FALSE(inner->hasControls());

    EXPECT_TRUE(outer->containsControl(*inner));
    EXPECT_EQ(boundsText(inner->getGlobalBounds()), "16,27 10x10");
    KControlPtr found;
    EXPECT_FALSE(outer->findControlAt(KGraphicPoint(7, 8), found));
    middle->show(true);
    ASSERT_TRUE(outer->findControlAt(KGraphicPoint(7, 8), found));
    EXPECT_EQ(found.get(), inner.get());
    // Right and bottom edges lie outside.
    ASSERT_TRUE(outer->findControlAt(KGraphicPoint(16, 17), found));
    EXPECT_EQ(found.get(), middle.get());

    outer->removeControl(*middle);
    EXPECT_FALSE(middle->hasParentControl());
    EXPECT_FALSE(outer->containsControl(*inner));
}

class ControlLife : public ::testing::Test {
protected:
    ControlLife()
    {
        a->setBounds(KGraphicRectangle(10, 10, 100, 80));
        b->setBounds(KGraphicRectangle(3, 4, 20, 20));
        a->addControl(*b);
        a->addControl(*c);
    }

    ControlScope scope;
    TracedControlPtr a = new TracedControl("a"), b = new TracedControl("b"), c = new TracedControl("c");
};

TEST_F(ControlLife, NativeWindowsComeParentsFirstAndGoChildrenFirst)
{
    // Nothing is live before a window is reachable.
    EXPECT_TRUE(nativeLog().empty());
    scope.window->addElement(*a);
    EXPECT_EQ(nativeLog(), (Log{"a made", "b made", "c made"}));
    EXPECT_EQ(GetParent(nativeOf(*b)), nativeOf(*a));
    EXPECT_EQ(&b->getLayer(), &scope.window->getControlsLayer());
    // Closing the window takes the native windows; opening it again brings them back.
    interactionLog().clear();
    scope.window->close();
    EXPECT_FALSE(a->hasParentWindow());
    scope.window->open(KWindow::OpenHidden);
    EXPECT_EQ(nativeLog(), (Log{"b gone", "c gone", "a gone", "a made", "b made", "c made"}));
    // A control that leaves its container and comes back into a window brings its own
    // sub-controls along.
    KControlPtr holder = new KControl;
    scope.window->removeControl(*a);
    scope.window->addElement(*holder);
    interactionLog().clear();
    holder->addControl(*a);
    EXPECT_EQ(GetParent(nativeOf(*a)), nativeOf(*holder));
    holder->removeControl(*a);
    EXPECT_EQ(nativeLog(), (Log{"a made", "b made", "c made", "b gone", "c gone", "a gone"}));
}

TEST_F(ControlLife, HidingAndDisablingReachTheNativeWindowsButDeactivatingIsRefused)
{
    scope.window->addElement(*a);
    a->hide();
    EXPECT_FALSE(IsWindowVisible(nativeOf(*b)));
    a->disable();
    EXPECT_FALSE(IsWindowEnabled(nativeOf(*c)));
    ReportCatcher catcher;
    a->deactivate();
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].caption + " " + catcher.boxes()[0].text,
              "void KControl::deactivate() Controls cannot be deactivated");
    EXPECT_TRUE(a->isActive());
}

class ControlsLayerMouse : public ::testing::Test {
protected:
    ControlsLayerMouse()
    {
        control->setBounds(KGraphicRectangle(10, 10, 20, 20));
        scope.window->addElement(*control);
    }

    KEventReturn send(long Kind, short H, short V) { return sendMouse(*scope.window, Kind, H, V); }

    ControlScope scope;
    KControlsLayer& layer = scope.window->getControlsLayer();
    TracedControlPtr control = new TracedControl("control");
};

TEST_F(ControlsLayerMouse, APressIsTrackedAndCapturedUntilTheRelease)
{
    send(KMouseEvent::Down, 15, 15);
    EXPECT_EQ(actionsFor("control"), (Actions{"1"}));
    EXPECT_EQ(control->getHilite(), KInteractiveElement::PressedHilite);
    EXPECT_EQ(&layer.getTrackedControl(), control.get());
    EXPECT_EQ(GetCapture(), nativeOf(*control));
    // Out of the control the press goes on; the release outside is done only for a
    // control that also reports the drag.
    send(KMouseEvent::Move, 100, 100);
    EXPECT_FALSE(layer.hasMouseControl());
    EXPECT_TRUE(layer.hasTrackedControl());
    send(KMouseEvent::Up, 100, 100);
    EXPECT_TRUE(actionsFor("control").empty());
    EXPECT_FALSE(layer.hasTrackedControl());
    EXPECT_EQ(GetCapture(), nullptr);

    control->getActionMask().set(KControlActionEvent::Drag);
    control->clearStateFlags(KInteractiveElement::PressedLookFlag);
    send(KMouseEvent::Down, 15, 15);
    EXPECT_EQ(control->getHilite(), KInteractiveElement::NormalHilite);
    send(KMouseEvent::Move, 100, 100);
    send(KMouseEvent::Up, 100, 100);
    EXPECT_EQ(actionsFor("control"), (Actions{"1", "2", "4"}));
    // A release inside with the mouse over the control.
    send(KMouseEvent::Down, 15, 15);
    send(KMouseEvent::Up, 16, 16);
    EXPECT_EQ(actionsFor("control"), (Actions{"1", "4"}));
    EXPECT_EQ(&layer.getMouseControl(), control.get());
}

TEST_F(ControlsLayerMouse, TheControlUnderTheMouseShowsItsHelpTextWhenTheApplicationAsks)
{
    layer.updateMouseControl(KGraphicPoint(15, 15));
    EXPECT_EQ(&layer.getMouseControl(), control.get());
    EXPECT_EQ(KControlsLayer::getToolTipWindow(), nullptr);
    layer.clearMouseControl();

    scope->setApplicationFlags(KApplication::ControlToolTipsFlag);
    control->setText(KString("Help"));
    interactionLog().clear();
    layer.updateMouseControl(KGraphicPoint(15, 15));
    const auto tip = static_cast<HWND>(KControlsLayer::getToolTipWindow());
    ASSERT_TRUE(IsWindow(tip));
    EXPECT_EQ(GetWindow(tip, GW_OWNER), scope.window->getNativeWindow());
    layer.updateMouseControl(KGraphicPoint(100, 100));
    EXPECT_FALSE(IsWindow(tip));
    EXPECT_EQ(KControlsLayer::getToolTipWindow(), nullptr);
    // Enter and leave reach the control and go on to the window.
    EXPECT_EQ(interactionLog(), (Log{"window enter", "application enter", "window leave", "application leave"}));
    EXPECT_FALSE(control->getStateFlags() & KInteractiveElement::InsideFlag);
}

TEST_F(ControlsLayerMouse, HiddenDisabledAndContainedControls)
{
    EXPECT_EQ(send(KMouseEvent::Tick, 15, 15), 0);
    control->disable();
    EXPECT_EQ(send(KMouseEvent::Down, 15, 15), 0);
    EXPECT_TRUE(actionsFor("control").empty());
    // Called directly, a disabled control still reports the press, without tracking.
    control->handleMouseDown(KWidePoint(1, 1));
    EXPECT_EQ(actionsFor("control"), (Actions{"1"}));
    EXPECT_FALSE(control->getStateFlags() & KInteractiveElement::TrackingFlag);
    control->enable(true);
    control->hide();
    EXPECT_EQ(send(KMouseEvent::Down, 15, 15), 0);
    // A press its control leaves to the container makes the container the tracked one,
    // without the capture.
    TracedControlPtr outer = new TracedControl("outer", 4), inner = new TracedControl("inner", 0);
    outer->setBounds(KGraphicRectangle(50, 50, 40, 40));
    outer->addControl(*inner);
    scope.window->addElement(*outer);
    interactionLog().clear();
    send(KMouseEvent::Down, 60, 60);
    Log downs;
    std::copy_if(interactionLog().begin(), interactionLog().end(), std::back_inserter(downs),
                 [](const std::string& Line) { return Line.find(" down") != std::string::npos; });
    EXPECT_EQ(downs, (Log{"inner down", "outer down"}));
    EXPECT_EQ(&layer.getTrackedControl(), outer.get());
    EXPECT_EQ(GetCapture(), nullptr);
    send(KMouseEvent::Up, 60, 60);
}

TEST(ControlsLayer, ListsTheFocusOrderAndHandsKeysOutward)
{
    ControlScope scope;
    KControlsLayer& layer = scope.window->getControlsLayer();
    EXPECT_EQ(boundsText(layer.getBounds()), "0,0 0x0");
    TracedControlPtr controls[4] = {new TracedControl("hidden"), new TracedControl("in hidden"),
                                    new TracedControl("disabled"), new TracedControl("plain")};
    controls[0]->addControl(*controls[1]);
    for (long i : {0, 2, 3})
        scope.window->addElement(*controls[i]);
    controls[0]->hide();
    controls[1]->show(true);
    controls[2]->disable();
    KBag order;
    layer.collectFocusableElements(order);
    ASSERT_EQ(order.getCount(), 2);
    EXPECT_EQ(&order[0], controls[1].get());
    EXPECT_EQ(&order[1], controls[3].get());

    KKeyEventPtr key = new KKeyEvent;
    key->setElement(*controls[1]);
    interactionLog().clear();
    EXPECT_FALSE(layer.keyTyped(*key));
    controls[1]->answers.answer("key", 1);
    EXPECT_TRUE(layer.keyTyped(*key));
    EXPECT_EQ(interactionLog(), (Log{"in hidden key", "hidden key", "in hidden key"}));
    // The focus is gone before the native window.
    KKeyboardManager::getManager().setFocusElement(*controls[3]);
    interactionLog().clear();
    scope.window->removeControl(*controls[3]);
    EXPECT_EQ(interactionLog(), (Log{"window lost", "application lost", "plain gone"}));
    EXPECT_FALSE(KKeyboardManager::getManager().hasFocusElement());
}

} // namespace
