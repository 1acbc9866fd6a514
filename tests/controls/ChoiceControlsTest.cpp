// The defaults of the choice, range and scroll-view controls, and the controls that offer
// a choice: the pop-up list kept in step with its native list,
// the pop-up menu control opening its menu under itself, the tab strip, the pages that
// follow it with their remembered focus, and the pile.
#include "application/KMenuItem.h"
#include "application/KMenuManager.h"
#include "application/NativeMenusWin32.h"
#include "controls/KPagesControl.h"
#include "controls/KPileControl.h"
#include "controls/KPopUpListControl.h"
#include "controls/KPopUpMenuControl.h"
#include "controls/KProgressBarControl.h"
#include "controls/KPushButtonControl.h"
#include "controls/KScrollViewControl.h"
#include "controls/KSliderControl.h"
#include "controls/KSmallArrowsControl.h"
#include "graphics/KColor.h"
#include "tests/controls/SentActions.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

TEST(ChoiceAndRangeControls, EveryKindStartsWithItsOwnSizeFlagsAndMask)
{
    struct Kind {
        KControlPtr control;
        KGraphicSize size;
        uint32 flags;
    };
    const Kind kinds[] = {
        {new KPopUpListControl, {80, 22}, 0x1f394},   {new KPopUpMenuControl, {16, 16}, 0x1f384},
        {new KProgressBarControl, {100, 20}, 0x1f384}, {new KScrollBarControl, {16, 16}, 0x1f394},
        {new KSliderControl, {16, 16}, 0x1f394},       {new KSmallArrowsControl, {15, 23}, 0x1f384},
        {new KTabControl, {16, 16}, 0x1f394},          {new KPagesControl, {16, 16}, 0x1f384},
        {new KPileControl, {16, 16}, 0x1c380},         {new KScrollViewControl, {16, 16}, 0x0f394},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.control->getClass().getName());
        EXPECT_EQ(kind.control->getSize(), kind.size);
        EXPECT_EQ(kind.control->getStateFlags(), kind.flags);
        for (uint32 type = 1; type <= 6; ++type)
            EXPECT_EQ(kind.control->getActionMask().isSet(type), type == 1 || type == 4) << type;
    }
    EXPECT_EQ(KSliderControlPtr(new KSliderControl)->getVariantSize(2), KGraphicSize(16, 30));
    EXPECT_EQ(KSmallArrowsControlPtr(new KSmallArrowsControl)->getVariantSize(1), KGraphicSize(13, 23));
    EXPECT_EQ(KPopUpListControlPtr(new KPopUpListControl)->getVariantSize(1), KGraphicSize(80, 20));
}

using ChoiceControls = PlacedControls;

LRESULT lines(const KControl& C) { return SendMessageA(nativeOf(C), CB_GETCOUNT, 0, 0); }
LRESULT chosenLine(const KControl& C) { return SendMessageA(nativeOf(C), CB_GETCURSEL, 0, 0); }

// What the native list tells its parent when the user picks the line (0-based; -1 none).
void pickLine(const KControl& C, WPARAM Line)
{
    SendMessageA(nativeOf(C), CB_SETCURSEL, Line, 0);
    SendMessageA(GetParent(nativeOf(C)), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(nativeOf(C)));
}

TEST_F(ChoiceControls, APopUpListKeepsItsLinesAndValueInStepWithTheNativeList)
{
    auto& list = place(new NotingActions<KPopUpListControl>, KGraphicRectangle(10, 10, 80, 22));
    EXPECT_EQ(list.getValue(), 1);
    EXPECT_EQ(list.getSelectedItem(), "");
    // Empty: disabled on screen while the control counts as enabled.
    EXPECT_TRUE(list.isEnabled());
    EXPECT_FALSE(IsWindowEnabled(nativeOf(list)));
    list.enable(true);
    EXPECT_FALSE(IsWindowEnabled(nativeOf(list)));
    KString one("One");
    list.appendItem(one);
    EXPECT_TRUE(IsWindowEnabled(nativeOf(list)));

    // Only the strings of a bag, in order.
    KBag more;
    more.add(*new KString("Two"));
    more.add(*new KColor(kRed));
    more.add(*new KString("Three"));
    list.appendItems(more);
    EXPECT_EQ(list.getItemCount(), 3);
    EXPECT_EQ(lines(list), 3);
    long index = 9;
    EXPECT_TRUE(list.hasItem("Two", nullptr));
    EXPECT_FALSE(list.hasItem("Four", &index));
    EXPECT_EQ(index, 9);
    EXPECT_TRUE(list.hasItem("Three", &index));
    EXPECT_EQ(index, 3);

    for (long ignored : {0L, -1L, 4L})
        list.setValue(ignored);
    EXPECT_EQ(list.getValue(), 1);
    list.setValue(2);
    EXPECT_EQ(chosenLine(list), 1);
    list.selectItemText("Three");
    EXPECT_EQ(list.getValue(), 3);
    EXPECT_EQ(list.getSelectedItem(), "Three");
    list.selectItemText("Four");
    EXPECT_EQ(list.getValue(), 3);

    // The user's choice is sent at once, whatever the mask holds; no choice sends nothing.
    list.setValue(1);
    list.getActionMask().clearAll();
    pickLine(list, 2);
    EXPECT_EQ(list.getValue(), 3);
    EXPECT_EQ(sent(), (Log{"4"}));
    pickLine(list, WPARAM(-1));
    EXPECT_EQ(list.getValue(), 3);
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(queued().empty());

    // Emptied, the list keeps its value, which may then name no line.
    list.removeAllItems();
    EXPECT_FALSE(IsWindowEnabled(nativeOf(list)));
    EXPECT_EQ(lines(list), 0);
    EXPECT_EQ(list.getValue(), 3);
    KString a("A");
    list.appendItem(a);
    EXPECT_EQ(list.getSelectedItem(), "");
    EXPECT_EQ(chosenLine(list), CB_ERR);
}

TEST_F(ChoiceControls, APopUpListMadeLaterGetsItsLinesValueAndState)
{
    KPopUpListControlPtr list = new KPopUpListControl;
    EXPECT_EQ(list->getSize(), KGraphicSize(80, 22));
    for (const char* text : {"Red", "Green", "Blue"}) {
        KString line(text);
        list->appendItem(line);
    }
    list->setValue(2);
    list->disable();
    place(list.get(), KGraphicRectangle(10, 10, 80, 22));
    EXPECT_EQ(lines(*list), 3);
    EXPECT_EQ(chosenLine(*list), 1);
    EXPECT_FALSE(IsWindowEnabled(nativeOf(*list)));
    // The native height is that of the opened list, also after a move.
    list->setBounds(KGraphicRectangle(20, 20, 100, 22));
    RECT dropped{};
    SendMessageA(nativeOf(*list), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_GT(dropped.bottom - dropped.top, 50);
}

// A pop-up menu control with the platform's modal menu answered by the test.
class PopUpMenus : public ChoiceControls {
protected:
    PopUpMenus()
    {
        KMenuManager::create();
        for (const char* title : {"Small", "Large"})
            menu->appendItem(title);
        current() = this;
        setPopupMenuTrackerWin32([](void*, short H, short V, void*) {
            current()->shownAt.push_back({H, V});
            return current()->answer;
        });
        control.setBounds(KGraphicRectangle(30, 40, 100, 20));
    }
    ~PopUpMenus() override
    {
        setPopupMenuTrackerWin32(nullptr);
        KMenuManager::destroy();
    }
    static PopUpMenus*& current()
    {
        static PopUpMenus* test = nullptr;
        return test;
    }
    KEventReturn press()
    {
        KMouseEventPtr mouse = new KMouseEvent;
        mouse->setType(KMouseEvent::Down);
        mouse->setWindow(*scope.window);
        return control.mouseDownEvent(*mouse);
    }
    long itemID(long Index) const { return static_cast<KMenuItem&>(menu->getItems()[Index]).getNativeID(); }

    KMenuPtr menu = new KMenu;
    NotingActions<KPopUpMenuControl>& control = place(new NotingActions<KPopUpMenuControl>, KGraphicRectangle());
    std::vector<std::pair<short, short>> shownAt;
    long answer = 0;
};

TEST_F(PopUpMenus, AClickOpensTheMenuUnderTheControlAndAChoiceIsSentAtOnce)
{
    EXPECT_FALSE(control.acceptsFocus());
    EXPECT_EQ(control.getLabel().getBounds(), KGraphicRectangle(4, 0, 80, 20));
    EXPECT_EQ(control.getLabel().getText(), "Menu");

    // Without a menu a press is swallowed.
    EXPECT_EQ(press(), 1);
    EXPECT_TRUE(shownAt.empty());

    control.setMenu(*menu);
    const KGraphicRectangle window = scope.window->getBounds();
    const std::pair<short, short> under{short(window.getH() + 30), short(window.getV() + 64)};
    EXPECT_EQ(press(), 1);
    EXPECT_EQ(shownAt, (std::vector<std::pair<short, short>>{under}));
    EXPECT_TRUE(sent().empty());
    answer = itemID(1);
    press();
    EXPECT_EQ(sent(), (Log{"1"}));

    // The label's press opens it too, and the label's action goes no further.
    KControlActionEventPtr labelPress = new KControlActionEvent;
    labelPress->setType(KControlActionEvent::Down);
    labelPress->setSource(control.getLabel());
    KEvent::send(*labelPress);
    EXPECT_EQ(shownAt.size(), 3u);
    EXPECT_EQ(sent(), (Log{"1"}));
    EXPECT_TRUE(actionsFor("window").empty());
}

TEST_F(ChoiceControls, ATabStripGetsItsTabsAndSelectionWhenItIsMade)
{
    KTabControlPtr tabs = new KTabControl;
    for (const char* title : {"One", "Two", "Three"}) {
        KString tab(title);
        tabs->appendTab(tab);
    }
    tabs->selectTab(2);
    tabs->selectTab(3);
    EXPECT_EQ(tabs->getSelectedTab(), 2);
    place(tabs.get(), KGraphicRectangle(10, 10, 200, 100));
    EXPECT_EQ(SendMessageA(nativeOf(*tabs), TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(nativeOf(*tabs), TCM_GETCURSEL, 0, 0), 2);
    KString four("Four");
    EXPECT_EQ(tabs->appendTab(four), 3);
    EXPECT_EQ(SendMessageA(nativeOf(*tabs), TCM_GETITEMCOUNT, 0, 0), 4);
    tabs->selectTab(0);
    EXPECT_EQ(SendMessageA(nativeOf(*tabs), TCM_GETCURSEL, 0, 0), 0);
}

// A pages control of two pages, each a frameless group with two push buttons.
class Pages : public ChoiceControls {
protected:
    Pages()
    {
        KWindowManager::get().setActiveWindow(*scope.window);
        for (int page = 0; page < 2; ++page) {
            KString title(page == 0 ? "First" : "Second");
            pages.appendTab(title);
            KGroupControlPtr group = new KGroupControl;
            group->setFramed(false);
            for (int i = 0; i < 2; ++i) {
                buttons[page][i] = new KPushButtonControl;
                buttons[page][i]->setPosition(KGraphicPoint(10, short(10 + 30 * i)));
                group->addControl(*buttons[page][i]);
            }
            pages.addPage(*group);
        }
        interactionLog().clear();
    }

    KControl& page(long Index) const { return static_cast<KControl&>(pages.getPages()[Index]); }
    KInteractiveElement* focus() const { return &KKeyboardManager::getManager().getFocusElement(); }
    // The user's choice of a tab on the native strip.
    void chooseTab(long Index)
    {
        SendMessageA(nativeOf(pages), TCM_SETCURSEL, Index, 0);
        NMHDR change{nativeOf(pages), 0, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageA(GetParent(nativeOf(pages)), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    }

    NotingActions<KPagesControl>& pages = place(new NotingActions<KPagesControl>, KGraphicRectangle(10, 10, 200, 150));
    KPushButtonControlPtr buttons[2][2];
};

TEST_F(Pages, TheChosenTabShowsItsPageAloneUnderTheStrip)
{
    EXPECT_FALSE(pages.acceptsFocus());
    for (long i = 0; i < 2; ++i)
        EXPECT_EQ(page(i).getBounds(), KGraphicRectangle(2, 21, 196, 127));
    EXPECT_EQ(GetParent(nativeOf(page(0))), nativeOf(pages));
    EXPECT_TRUE(page(0).isVisible() && page(0).isEnabled());
    EXPECT_FALSE(page(1).isVisible() || page(1).isEnabled());

    chooseTab(1);
    EXPECT_EQ(pages.getSelectedTab(), 1);
    EXPECT_FALSE(page(0).isVisible() || page(0).isEnabled());
    EXPECT_TRUE(page(1).isVisible() && page(1).isEnabled());
    EXPECT_FALSE(IsWindowVisible(nativeOf(*buttons[0][0])) && IsWindowEnabled(nativeOf(*buttons[0][0])));
    EXPECT_TRUE(IsWindowEnabled(nativeOf(*buttons[1][0])));
    EXPECT_EQ(&pages.getControls()[pages.getControls().getCount() - 1], &page(1));
    // A tab change reports nothing.
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(queued().empty());

    pages.setBounds(KGraphicRectangle(0, 0, 300, 200));
    EXPECT_EQ(page(0).getBounds(), KGraphicRectangle(2, 21, 296, 177));
}

TEST_F(Pages, EachPageGetsTheFocusBackWhereItWasLeft)
{
    KKeyboardManager::getManager().setFocusElement(*buttons[0][1]);
    // First visit: the window's first focusable element.
    chooseTab(1);
    EXPECT_EQ(focus(), buttons[1][0].get());
    KKeyboardManager::getManager().setFocusElement(*buttons[1][1]);
    chooseTab(0);
    EXPECT_EQ(focus(), buttons[0][1].get());
    pages.selectTab(1);
    EXPECT_EQ(focus(), buttons[1][1].get());

    // The selected tab again changes nothing, the focus included.
    KKeyboardManager::getManager().setFocusElement(*buttons[1][0]);
    pages.selectTab(1);
    EXPECT_EQ(focus(), buttons[1][0].get());
    EXPECT_TRUE(page(1).isVisible());
}

TEST_F(ChoiceControls, APileShowsOnlyItsCurrentPageAndNothingWhileHidden)
{
    auto& pile = place(new KPileControl, KGraphicRectangle(10, 10, 200, 100));
    EXPECT_FALSE(pile.isFramed());
    EXPECT_FALSE(pile.acceptsFocus());
    KControlPtr controls[2];
    for (int page = 0; page < 2; ++page) {
        controls[page] = new KPushButtonControl;
        pile.addControlToPage(pile.addPage(), *controls[page]);
    }
    pile.addControlToPage(5, *new KPushButtonControl);
    const auto shown = [&] { return std::make_pair(controls[0]->isVisible(), controls[1]->isVisible()); };
    pile.show(true);
    EXPECT_EQ(shown(), std::make_pair(true, false));
    pile.setCurrentPage(1);
    EXPECT_EQ(shown(), std::make_pair(false, true));
    EXPECT_TRUE(GetWindowLongA(nativeOf(*controls[1]), GWL_STYLE) & WS_VISIBLE);
    pile.setCurrentPage(2);
    EXPECT_EQ(pile.getCurrentPage(), 1);
    pile.hide();
    EXPECT_EQ(shown(), std::make_pair(false, false));
    pile.show(true);
    EXPECT_EQ(shown(), std::make_pair(false, true));
}

} // namespace
