// The controls drawn from pictures and graphic objects: the look each state chooses, the
// outline or field shown without any, the picture buttons with their derived looks,
// toggles and pop-up menu, and the control that hosts one graphic object.
#include "application/KMenuManager.h"
#include "application/NativeMenusWin32.h"
#include "application/KMenuItem.h"
#include "tests/controls/SentActions.h"
#include "tests/tools/GraphicObjectsTestSupport.h"
#include "tools/controls/KGraphicObjectControl.h"
#include "tools/controls/KIGOControl.h"
#include "tools/controls/KImageControl.h"
#include "tools/controls/KImagePopUpMenuControl.h"
#include "tools/controls/KMultiImageControl.h"
#include "tools/controls/KSimpleImageControl.h"
#include "tools/controls/KSimpleMultiImageControl.h"

#include <gtest/gtest.h>

namespace {

using R = KGraphicRectangle;

// The control in each state: hilite 0 to 2 enabled, then disabled.
template <typename Control>
std::vector<uint32> centreInEachState(Control& C, short H = 15, short V = 15)
{
    std::vector<uint32> pixels;
    for (uint8 hilite = 0; hilite <= 2; ++hilite) {
        C.setHilite(hilite);
        C.redrawOn(kBlack);
        pixels.push_back(C.pixel(H, V));
    }
    C.setHilite(0);
    C.disable();
    C.redrawOn(kBlack);
    pixels.push_back(C.pixel(H, V));
    C.enable(true);
    return pixels;
}

template <typename Control>
Control& sized(Control* C, short Width = 30, short Height = 30)
{
    C->setBounds(R(0, 0, Width, Height));
    return *C;
}

TEST(ImageLooks, WithNothingToShowAnOutlineTakesTheColourOfTheState)
{
    const std::vector<uint32> outline = {colorValue(kBlue), colorValue(kYellow), colorValue(kRed), colorValue(kGray)};
    const std::vector<uint32> inside(4, colorValue(kBlack));
    KControlPtr objects = &sized(new DrawnOffScreen<KGraphicObjectControl>);
    KControlPtr frames = &sized(new DrawnOffScreen<KMultiImageControl>);
    auto& objectControl = static_cast<DrawnOffScreen<KGraphicObjectControl>&>(*objects);
    auto& frameControl = static_cast<DrawnOffScreen<KMultiImageControl>&>(*frames);
    EXPECT_EQ(centreInEachState(objectControl, 3, 15), outline);
    EXPECT_EQ(centreInEachState(objectControl, 8, 15), inside);
    EXPECT_EQ(centreInEachState(frameControl, 7, 15), outline);
    EXPECT_EQ(centreInEachState(frameControl, 8, 15), inside);

    // The image control shows a white field in a raised edge instead.
    KControlPtr image = &sized(new DrawnOffScreen<KImageControl>);
    auto& imageControl = static_cast<DrawnOffScreen<KImageControl>&>(*image);
    EXPECT_EQ(centreInEachState(imageControl), std::vector<uint32>(4, colorValue(kWhite)));
    EXPECT_NE(imageControl.pixel(29, 29), colorValue(kWhite));
}

TEST(ImageLooks, AStateWithoutALookOfItsOwnShowsTheNormalOne)
{
    KImagePtr red = solidImage(4, 4, KColor(kRed)), blue = solidImage(4, 4, KColor(kBlue));
    const uint32 r = colorValue(kRed), b = colorValue(kBlue);
    KControlPtr objects = &sized(new DrawnOffScreen<KGraphicObjectControl>);
    auto& objectControl = static_cast<DrawnOffScreen<KGraphicObjectControl>&>(*objects);
    objectControl.setNormalObject(*red);
    EXPECT_EQ(centreInEachState(objectControl), std::vector<uint32>({r, r, r, r}));
    objectControl.setPressedObject(*blue);
    EXPECT_EQ(centreInEachState(objectControl), std::vector<uint32>({r, r, b, r}));

    KControlPtr image = &sized(new DrawnOffScreen<KImageControl>);
    auto& imageControl = static_cast<DrawnOffScreen<KImageControl>&>(*image);
    imageControl.setNormalImage(*red);
    EXPECT_EQ(centreInEachState(imageControl), std::vector<uint32>({r, r, r, r}));
    imageControl.setDisabledImage(*blue);
    EXPECT_EQ(centreInEachState(imageControl), std::vector<uint32>({r, r, r, b}));
}

TEST(MultiImageControl, ShowsTheFrameAtItsIndexOrThatOfTheNormalList)
{
    KControlPtr hold = &sized(new DrawnOffScreen<KMultiImageControl>);
    auto& control = static_cast<DrawnOffScreen<KMultiImageControl>&>(*hold);
    KImagePtr red = solidImage(4, 4, KColor(kRed)), green = solidImage(4, 4, KColor(kGreen));
    KImagePtr yellow = solidImage(4, 4, KColor(kYellow));
    control.getFrames(0).add(*red);
    control.getFrames(0).add(*green);
    control.getFrames(1).add(*yellow);
    const uint32 r = colorValue(kRed), g = colorValue(kGreen), y = colorValue(kYellow);
    EXPECT_EQ(centreInEachState(control), std::vector<uint32>({r, y, r, r}));
    control.setFrameIndex(1);
    EXPECT_EQ(centreInEachState(control), std::vector<uint32>({g, g, g, g}));
    // An index past every list shows nothing.
    control.setFrameIndex(2);
    EXPECT_EQ(centreInEachState(control), std::vector<uint32>(4, colorValue(kBlack)));
}

TEST(ImageControl, ReportsClicksAndNothingElse)
{
    ControlScope scope;
    KImageControl& control = placeIn(*scope.window, new KImageControl, R(10, 10, 30, 30));
    EXPECT_FALSE(control.acceptsFocus());
    KMouseEventPtr enter = mouseEvent(KMouseEvent::Enter, 15, 15, &control);
    control.mouseEnterEvent(*enter);
    EXPECT_EQ(control.getHilite(), KInteractiveElement::HoverHilite);
    KMouseEventPtr down = mouseEvent(KMouseEvent::Down, 15, 15, &control);
    EXPECT_EQ(control.mouseDownEvent(*down), 4);
    EXPECT_TRUE(actionsFor("window").empty());
    KMouseEventPtr up = mouseEvent(KMouseEvent::Up, 15, 15, &control);
    control.mouseUpEvent(*up);
    EXPECT_EQ(actionsFor("window"), Actions({"4"}));
}

TEST(SimpleImageControl, DerivesItsLooksFromThePictureAndKeepsItsSize)
{
    KControlPtr hold = &sized(new DrawnOffScreen<KSimpleImageControl>, 40, 20);
    auto& control = static_cast<DrawnOffScreen<KSimpleImageControl>&>(*hold);
    // Nothing to show: white.
    control.redrawOn(kBlack);
    EXPECT_EQ(control.pixel(5, 5), colorValue(kWhite));

    KImagePtr red = solidImage(10, 10, KColor(kRed));
    control.setImage(*red);
    EXPECT_EQ(control.getSize(), KGraphicSize(40, 20));
    // Hover lighter and flatter, pressed darker and harder, disabled grey, light, flat.
    const std::vector<uint32> looks = {0x0000FF, 0x3F3FFF, 0x0000CB, 0xAAAAAA};
    for (uint8 hilite = 0; hilite <= 3; ++hilite)
        EXPECT_EQ(pixelOf(control.getLook(hilite), 5, 5), looks[hilite]) << int(hilite);
    EXPECT_EQ(centreInEachState(control, 20, 10), looks);
}

TEST(SimpleImageControl, AToggleChangesOnlyOnAClickThatEndsOverIt)
{
    KControlPtr hold = &sized(new DrawnOffScreen<KSimpleImageControl>, 20, 20);
    auto& control = static_cast<DrawnOffScreen<KSimpleImageControl>&>(*hold);
    control.setImage(*solidImage(20, 20, KColor(kRed)));
    const auto click = [&](bool EndsInside) {
        KMouseEventPtr event = mouseEvent(KMouseEvent::Down, 5, 5, &control);
        control.setMouseInside(KWidePoint(5, 5), true);
        control.mouseDownEvent(*event);
        if (!EndsInside)
            control.setMouseOutside(KWidePoint(50, 5));
        control.mouseUpEvent(*event);
        control.setMouseOutside(KWidePoint(50, 5));
        return control.isOn();
    };
    control.setToggleMode(KSimpleImageControl::FlipToggle);
    EXPECT_TRUE(click(true));
    EXPECT_TRUE(click(false));
    EXPECT_FALSE(click(true));
    // Released elsewhere after a press elsewhere: no click.
    KMouseEventPtr release = mouseEvent(KMouseEvent::Up, 5, 5, &control);
    control.setMouseInside(KWidePoint(5, 5), true);
    control.mouseUpEvent(*release);
    EXPECT_FALSE(control.isOn());

    control.setToggleMode(KSimpleImageControl::StickyToggle);
    EXPECT_TRUE(click(true));
    EXPECT_TRUE(click(true));
    // On, at rest, the button looks pressed.
    control.redrawOn(kBlack);
    EXPECT_EQ(control.pixel(5, 5), 0x0000CBu);
    KApplicationEvent::clearQueue();
}

// The pop-up with the platform's modal menu answered by the test.
TEST(ImagePopUpMenuControl, APressOpensTheMenuUnderItAndAChoiceIsAClick)
{
    ControlScope scope;
    KMenuManager::create();
    static std::vector<std::pair<short, short>> shownAt;
    static long answer = 0;
    shownAt.clear();
    setPopupMenuTrackerWin32([](void*, short H, short V, void*) {
        shownAt.push_back({H, V});
        return answer;
    });
    KImagePopUpMenuControl& control = placeIn(*scope.window, new KImagePopUpMenuControl, R(30, 40, 24, 24));
    EXPECT_FALSE(control.acceptsFocus());
    // Without a menu it is a plain button that reports the press.
    KMouseEventPtr press = mouseEvent(KMouseEvent::Down, 35, 45, &control);
    press->setWindow(*scope.window);
    EXPECT_EQ(control.mouseDownEvent(*press), 4);
    control.mouseUpEvent(*press);
    EXPECT_EQ(actionsFor("window"), Actions({"1"}));

    KMenuPtr menu = new KMenu;
    menu->appendItem(KString("One"));
    control.setMenu(*menu);
    EXPECT_EQ(control.mouseDownEvent(*press), 1);
    EXPECT_TRUE(actionsFor("window").empty());
    answer = static_cast<KMenuItem&>(menu->getItems()[0]).getNativeID();
    EXPECT_EQ(control.mouseDownEvent(*press), 1);
    EXPECT_EQ(actionsFor("window"), Actions({"4"}));
    const KGraphicRectangle window = scope.window->getBounds();
    ASSERT_EQ(shownAt.size(), 2u);
    EXPECT_EQ(shownAt[0], std::make_pair(short(window.getH() + 30), short(window.getV() + 68)));

    setPopupMenuTrackerWin32(nullptr);
    KMenuManager::destroy();
}

TEST(IGOControl, HostsOneObjectAndSendsItsActionsAsTheControls)
{
    ControlScope scope;
    KIGOControl& control = placeIn(*scope.window, new KIGOControl, R(10, 10, 50, 40));
    KMouseEventPtr nothing = mouseEvent(KMouseEvent::Down, 15, 15, &control);
    EXPECT_EQ(control.mouseDownEvent(*nothing), 0);

    NotingIGOPtr igo = new NotingIGO("igo");
    control.setIGO(*igo);
    EXPECT_EQ(textOf(igo->getFrame()), "0,0 50x40");
    control.setSize(KGraphicSize(80, 80));
    EXPECT_EQ(igo->getSize(), KWideSize(50, 40));
    const auto send = [&](long Kind, short H, short V) {
        KMouseEventPtr event = mouseEvent(Kind, H, V, &control);
        switch (Kind) {
        case KMouseEvent::Down:
            return control.mouseDownEvent(*event);
        case KMouseEvent::Move:
            return control.mouseMoveEvent(*event);
        default:
            return control.mouseUpEvent(*event);
        }
    };
    EXPECT_EQ(send(KMouseEvent::Move, 15, 15), 1);
    EXPECT_EQ(send(KMouseEvent::Down, 15, 15), 4);
    EXPECT_EQ(send(KMouseEvent::Move, 200, 200), 1);
    EXPECT_EQ(send(KMouseEvent::Up, 20, 20), 1);
    EXPECT_EQ(takeNotes("igo"), Log({"igo inside 5,5", "igo down 5,5", "igo enter 190,190", "igo up 10,10",
                                     "igo inside 10,10"}));
    // The object's press and click leave the control as its own.
    EXPECT_EQ(actionsFor("window"), Actions({"1", "4"}));

    // An object replaced or cleared no longer has the control as its parent.
    NotingIGOPtr other = new NotingIGO("other");
    control.setIGO(*other);
    EXPECT_FALSE(igo->hasParent());
    control.clearIGO();
    EXPECT_FALSE(other->hasParent());
}

} // namespace
