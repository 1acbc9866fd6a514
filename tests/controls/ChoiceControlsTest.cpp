// The controls that offer a choice: the pop-up list kept in step with its native list,
// the pop-up menu control opening its menu under itself, the tab strip, the pages that
// follow it with their remembered focus, and the pile.
#include "application/KMenuItem.h"
#include "application/KMenuManager.h"
#include "application/NativeMenusWin32.h"
#include "controls/KPagesControl.h"
#include "controls/KPileControl.h"
#include "controls/KPopUpListControl.h"
#include "controls/KPopUpMenuControl.h"
#include "graphics/KColor.h"
#include "tests/controls/SentActions.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <type_traits>

namespace {

using ChoiceControls = PlacedControls;

LRESULT lines(const KControl& C) { return SendMessageA(nativeOf(C), CB_GETCOUNT, 0, 0); }
LRESULT chosenLine(const KControl& C) { return SendMessageA(nativeOf(C), CB_GETCURSEL, 0, 0); }
bool nativeEnabled(const KControl& C) { return IsWindowEnabled(nativeOf(C)); }

template <typename Control>
void appendLines(Control& C, std::initializer_list<const char*> Texts)
{
    for (const char* text : Texts) {
        KString line(text);
        if constexpr (std::is_base_of_v<KTabControl, Control>)
            C.appendTab(line);
        else
            C.appendItem(line);
    }
}

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
    list.enable(true);
    EXPECT_TRUE(list.isEnabled() && !nativeEnabled(list));
    appendLines(list, {"One"});
    EXPECT_TRUE(nativeEnabled(list));
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
    list.selectItemText("Four");
    EXPECT_EQ(list.getValue(), 3);
    EXPECT_EQ(list.getSelectedItem(), "Three");
    // The user's choice is sent at once, whatever the mask holds; no choice sends nothing.
    list.setValue(1);
    list.getActionMask().clearAll();
    pickLine(list, 2);
    EXPECT_EQ(sent(), (Log{"4"}));
    pickLine(list, WPARAM(-1));
    EXPECT_EQ(list.getValue(), 3);
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(queued().empty());
    // Emptied, the list keeps its value, which may then name no line.
    list.removeAllItems();
    EXPECT_FALSE(nativeEnabled(list));
    EXPECT_EQ(lines(list), 0);
    EXPECT_EQ(list.getValue(), 3);
    appendLines(list, {"A"});
    EXPECT_EQ(list.getSelectedItem(), "");
    EXPECT_EQ(chosenLine(list), CB_ERR);
}

TEST_F(ChoiceControls, APopUpListMadeLaterGetsItsLinesValueAndState)
{
    KPopUpListControlPtr list = new KPopUpListControl;
    appendLines(*list, {"Red", "Green", "Blue"});
    list->setValue(2);
    list->disable();
    place(list.get(), KGraphicRectangle(10, 10, 80, 22));
    EXPECT_EQ(lines(*list), 3);
    EXPECT_EQ(chosenLine(*list), 1);
    EXPECT_FALSE(nativeEnabled(*list));
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

    KMenuPtr menu = new KMenu;
    NotingActions<KPopUpMenuControl>& control =
        place(new NotingActions<KPopUpMenuControl>, KGraphicRectangle(30, 40, 100, 20));
    std::vector<std::pair<short, short>> shownAt;
    long answer = 0;
};

TEST_F(PopUpMenus, AClickOpensTheMenuUnderTheControlAndAChoiceIsSentAtOnce)
{
    // Without a menu a press is swallowed.
    EXPECT_EQ(press(), 1);
    EXPECT_TRUE(shownAt.empty());

    control.setMenu(*menu);
    const KGraphicRectangle window = scope.window->getBounds();
    const std::pair<short, short> under{short(window.getH() + 30), short(window.getV() + 64)};
    EXPECT_EQ(press(), 1);
    EXPECT_EQ(shownAt, (std::vector<std::pair<short, short>>{under}));
    EXPECT_TRUE(sent().empty());
    answer = static_cast<KMenuItem&>(menu->getItems()[1]).getNativeID();
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
    appendLines(*tabs, {"One", "Two", "Three"});
    tabs->selectTab(2);
    tabs->selectTab(3);
    EXPECT_EQ(tabs->getSelectedTab(), 2);
    place(tabs.get(), KGraphicRectangle(10, 10, 200, 100));
    const auto native = [&](UINT Message) { return SendMessageA(nativeOf(*tabs), Message, 0, 0); };
    EXPECT_EQ(native(TCM_GETITEMCOUNT), 3);
    EXPECT_EQ(native(TCM_GETCURSEL), 2);
    KString four("Four");
    EXPECT_EQ(tabs->appendTab(four), 3);
    EXPECT_EQ(native(TCM_GETITEMCOUNT), 4);
    tabs->selectTab(0);
    EXPECT_EQ(native(TCM_GETCURSEL), 0);
}

// A pages control of two pages, each a frameless group with two push buttons.
class Pages : public ChoiceControls {
protected:
    Pages()
    {
        KWindowManager::get().setActiveWindow(*scope.window);
        for (int page = 0; page < 2; ++page) {
            appendLines(pages, {page == 0 ? "First" : "Second"});
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
    void setFocus(long Page, long Button) { KKeyboardManager::getManager().setFocusElement(*buttons[Page][Button]); }
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
    for (long i = 0; i < 2; ++i)
        EXPECT_EQ(page(i).getBounds(), KGraphicRectangle(2, 21, 196, 127));
    EXPECT_EQ(GetParent(nativeOf(page(0))), nativeOf(pages));
    EXPECT_TRUE(page(0).isVisible() && page(0).isEnabled());
    EXPECT_FALSE(page(1).isVisible() || page(1).isEnabled());

    chooseTab(1);
    EXPECT_EQ(pages.getSelectedTab(), 1);
    EXPECT_FALSE(page(0).isVisible() || page(0).isEnabled());
    EXPECT_TRUE(page(1).isVisible() && page(1).isEnabled());
    EXPECT_FALSE(IsWindowVisible(nativeOf(*buttons[0][0])) && nativeEnabled(*buttons[0][0]));
    EXPECT_TRUE(nativeEnabled(*buttons[1][0]));
    EXPECT_EQ(&pages.getControls()[pages.getControls().getCount() - 1], &page(1));
    // A tab change reports nothing.
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(queued().empty());

    pages.setBounds(KGraphicRectangle(0, 0, 300, 200));
    EXPECT_EQ(page(0).getBounds(), KGraphicRectangle(2, 21, 296, 177));
}

TEST_F(Pages, EachPageGetsTheFocusBackWhereItWasLeft)
{
    setFocus(0, 1);
    // First visit: the window's first focusable element.
    chooseTab(1);
    EXPECT_EQ(focus(), buttons[1][0].get());
    setFocus(1, 1);
    chooseTab(0);
    EXPECT_EQ(focus(), buttons[0][1].get());
    pages.selectTab(1);
    EXPECT_EQ(focus(), buttons[1][1].get());
    // The selected tab again changes nothing, the focus included.
    setFocus(1, 0);
    pages.selectTab(1);
    EXPECT_EQ(focus(), buttons[1][0].get());
    EXPECT_TRUE(page(1).isVisible());
}

TEST_F(ChoiceControls, APileShowsOnlyItsCurrentPageAndNothingWhileHidden)
{
    auto& pile = place(new KPileControl, KGraphicRectangle(10, 10, 200, 100));
    KControlPtr controls[2] = {new KPushButtonControl, new KPushButtonControl};
    for (KControlPtr& control : controls)
        pile.addControlToPage(pile.addPage(), *control);
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
