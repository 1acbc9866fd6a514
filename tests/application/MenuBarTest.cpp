// The menu manager and the menu bar: menu IDs, the Help menu with its About entry, the
// Exit item, greying, windows that carry the bar, the separate menu-bar window and
// pop-up menus.
#include "application/MacStyleMenuBarWin32.h"
#include "tests/application/MenuTestSupport.h"
#include "tests/application/WindowTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

class MenuBars : public ::testing::Test {
protected:
    KMenuManager& manager() const { return KMenuManager::getMenuManager(); }

    MenuScope scope;
    LoggingMenuBarPtr bar = new LoggingMenuBar;
    LoggingMenuPtr file = new LoggingMenu("File");
    LoggingMenuPtr edit = new LoggingMenu("Edit");
};

TEST_F(MenuBars, MenuIDsAreTheSmallestFreeOnesUpTo255)
{
    // The fixture's two menus hold 0 and 1.
    LoggingMenuPtr a = new LoggingMenu("A"), b = new LoggingMenu("B"), c = new LoggingMenu("C");
    EXPECT_EQ(file->getMenuID(), 0);
    EXPECT_EQ(a->getMenuID(), 2);
    EXPECT_EQ(b->getMenuID(), 3);
    EXPECT_EQ(c->getMenuID(), 4);
    b = nullptr;
    LoggingMenuPtr d = new LoggingMenu("D");
    EXPECT_EQ(d->getMenuID(), 3);

    std::vector<KMenuPtr> many;
    while (manager().getUsedMenuIDCount() < 256)
        many.push_back(new KMenu);
    ReportCatcher catcher;
    KMenuPtr extra = new KMenu;
    EXPECT_EQ(extra->getMenuID(), 0);
    EXPECT_EQ(manager().getUsedMenuIDCount(), 256);
    EXPECT_TRUE(catcher.caught(88, "long KMenuManager::getNewUniqueMenuID()"));
    // It gives back nothing: the menu that holds 0 keeps it.
    extra = nullptr;
    EXPECT_EQ(manager().getUsedMenuIDCount(), 256);
    many.clear();
    manager().releaseID(300);
    EXPECT_TRUE(catcher.caught(89, "void KMenuManager::releaseID(long ID)"));
}

TEST_F(MenuBars, TheHelpMenuStaysLastAndEndsWithTheAboutEntry)
{
    scope->initLocalizedStrings();
    bar->append(*file);
    bar->appendExitItem(*file, true);
    bar->appendAbout("About Fabulo...");
    bar->appendAbout("About again");
    bar->append(*edit);
    void* native = getNativeMenuWin32(*bar);

    ASSERT_EQ(getNativeEntryCountWin32(native), 3);
    EXPECT_EQ(entryText(native, 0), "&File");
    EXPECT_EQ(entryText(native, 1), "&Edit");
    EXPECT_EQ(entryText(native, 2), "&Help");
    KMenu* help = bar->getHelpMenu();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(entrySubMenu(native, 2), help->getNativeMenu());
    ASSERT_EQ(help->getItemCount(), 1);
    EXPECT_EQ(help->getItemWithTitle("About Fabulo...").getType(), kCommandItem);
    EXPECT_EQ(bar->getAboutTitle(), "About Fabulo...");

    // The Exit item, after a separator, with the localised title.
    ASSERT_TRUE(bar->hasExitItem());
    EXPECT_EQ(file->getItemCount(), 2);
    EXPECT_EQ(static_cast<KMenuItem&>(file->getItems()[0]).getType(), kSeparatorItem);
    EXPECT_EQ(entryText(file->getNativeMenu(), 1), "&E&xit\tAlt+F4");

    // A retitled bar menu shows the title as it is given.
    edit->setTitle("Tools");
    help->setTitle("Aide");
    EXPECT_EQ(entryText(native, 1), "Tools");
    EXPECT_EQ(entryText(native, 2), "Aide");

    // All menus: the top-level menus, then those below them; never the Help menu.
    LoggingMenuPtr sub = new LoggingMenu("Sub");
    edit->appendSubMenu(*sub);
    KBag all;
    bar->getAllMenus(all);
    ASSERT_EQ(all.getCount(), 3);
    EXPECT_EQ(&all[2], sub.get());

    // Without its About entry the Help menu leaves the bar.
    KMenuPtr oldHelp = help;
    bar->destroyAbout();
    EXPECT_EQ(bar->getHelpMenu(), nullptr);
    EXPECT_FALSE(oldHelp->hasParentMenuBar());
    EXPECT_EQ(getNativeEntryCountWin32(native), 2);
    EXPECT_TRUE(bar->getAboutTitle().isEmpty());
}

TEST_F(MenuBars, AHelpMenuWithItemsGetsASeparatorBeforeTheAboutEntry)
{
    createHelpMenuWin32(*bar);
    KMenu* help = bar->getHelpMenu();
    help->appendItem("Manual");
    bar->appendAbout("About");
    ASSERT_EQ(help->getItemCount(), 3);
    EXPECT_EQ(static_cast<KMenuItem&>(help->getItems()[1]).getType(), kSeparatorItem);
    EXPECT_EQ(static_cast<KMenuItem&>(help->getItems()[2]).getTitle(), "About");
}

TEST_F(MenuBars, GreyingTheBarGreysItsEntriesAndBringsTheMenusUpToDate)
{
    bar->append(*file);
    bar->append(*edit);
    bar->appendAbout("About");
    manager().setMenuBar(*bar);
    void* native = getNativeMenuWin32(*bar);
    edit->disable();
    interactionLog().clear();

    manager().disableMenuBar();
    for (long i = 0; i < 3; ++i)
        EXPECT_TRUE(entryState(native, i) & MF_GRAYED) << i;
    EXPECT_EQ(interactionLog(), (Log{"File opening", "bar opening", "application opening", "Edit opening",
                                     "bar opening", "application opening"}));
    manager().enableMenuBar(true);
    EXPECT_EQ(entryState(native, 0) & MF_GRAYED, 0u);
    EXPECT_TRUE(entryState(native, 1) & MF_GRAYED);
    EXPECT_EQ(entryState(native, 2) & MF_GRAYED, 0u);

    // A bar installed while disabled stays disabled.
    LoggingMenuBarPtr other = new LoggingMenuBar;
    other->disable();
    manager().setMenuBar(*other);
    manager().enableMenuBar(true);
    EXPECT_FALSE(other->isEnabled());
    EXPECT_EQ(manager().getManagerFlags(), UINT(KMenuManager::ShownFlag | KMenuManager::EnabledFlag));
}

TEST_F(MenuBars, InstallingTheSameBarAgainChangesNothing)
{
    bar->append(*file);
    manager().setMenuBar(*bar);
    buildAcceleratorTableWin32();
    EXPECT_FALSE(areAcceleratorsDirtyWin32());
    manager().setMenuBar(*bar);
    EXPECT_FALSE(areAcceleratorsDirtyWin32());
    manager().hideMenuBar();
    EXPECT_TRUE(areAcceleratorsDirtyWin32());
    buildAcceleratorTableWin32();
}

TEST_F(MenuBars, BarReportsMenusItCannotShow)
{
    ReportCatcher catcher;
    LoggingMenuPtr untitled = new LoggingMenu("");
    bar->append(*untitled);
    bar->append(*untitled);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{84, 85, 84, 75}));
    EXPECT_TRUE(catcher.caught(85, "void KMenuBar::append(KMenu& M)"));
    bar = nullptr;
    EXPECT_FALSE(untitled->hasParentMenuBar());
}

TEST(MenuManagerSingleton, LivesWithTheApplicationsSingletons)
{
    ApplicationScope<> scope;
    scope->createSingletons();
    ASSERT_TRUE(KMenuManager::exists());
    KMenuPtr survivor = new KMenu;
    scope->destroySingletons();
    EXPECT_FALSE(KMenuManager::exists());
    // A menu that outlives the manager has no ID to give back.
    survivor = nullptr;
}

// Windows that carry the bar, and the separate menu-bar window.
class MenuBarPlaces : public MenuBars {
protected:
    MenuBarPlaces()
    {
        bar->append(*file);
        file->appendItem("Open", 'O', 1);
        window->attachMenuBar(true);
        window->setBounds(KGraphicRectangle(100, 120, 300, 200));
    }

    void expectContentAt(const KGraphicRectangle& R) const
    {
        const RECT client = clientAreaOnScreen(window->getNativeWindow());
        EXPECT_EQ(client.left, R.getH());
        EXPECT_EQ(client.top, R.getV());
        EXPECT_EQ(client.right - client.left, R.getWidth());
        EXPECT_EQ(client.bottom - client.top, R.getHeight());
    }

    HMENU windowMenu() const { return GetMenu(static_cast<HWND>(window->getNativeWindow())); }

    LoggingWindowPtr window = new LoggingWindow;
};

TEST_F(MenuBarPlaces, AWindowThatCarriesTheBarKeepsItsContentWhereItWas)
{
    const KGraphicRectangle content(100, 120, 300, 200);
    const KGraphicRectangle bare = window->getFrame();
    manager().setMenuBar(*bar);
    const KGraphicRectangle withBar = window->getFrame();
    EXPECT_GT(withBar.getHeight(), bare.getHeight());
    window->open(KWindow::OpenHidden);
    EXPECT_EQ(windowMenu(), getNativeMenuWin32(*bar));
    expectContentAt(content);

    manager().hideMenuBar();
    EXPECT_EQ(windowMenu(), nullptr);
    expectContentAt(content);
    manager().showMenuBar(true);
    EXPECT_EQ(windowMenu(), getNativeMenuWin32(*bar));
    expectContentAt(content);
    window->detachMenuBar();
    EXPECT_EQ(windowMenu(), nullptr);
    expectContentAt(content);
    window->attachMenuBar(true);
    EXPECT_EQ(windowMenu(), getNativeMenuWin32(*bar));
    expectContentAt(content);

    // A closing window leaves the bar's menus alive.
    window->close();
    EXPECT_TRUE(IsMenu(static_cast<HMENU>(getNativeMenuWin32(*bar))));
    EXPECT_TRUE(IsMenu(static_cast<HMENU>(file->getNativeMenu())));
    // While the bar is hidden a window opens without it.
    manager().hideMenuBar();
    window->open(KWindow::OpenHidden);
    EXPECT_EQ(windowMenu(), nullptr);
    expectContentAt(content);
}

TEST_F(MenuBarPlaces, TheSeparateWindowShowsTheBarWhileTheWindowsDoNot)
{
    // Without a window the shown flag still follows.
    showMacStyleMenuBarWin32();
    EXPECT_TRUE(isMacStyleMenuBarShownWin32());
    hideMacStyleMenuBarWin32();
    EXPECT_FALSE(isMacStyleMenuBarShownWin32());

    manager().setMenuBar(*bar);
    window->open(KWindow::OpenHidden);
    manager().hideMenuBar();
    manager().attachMenuBar(false);
    HWND separate = static_cast<HWND>(getMacStyleMenuBarWindowWin32());
    ASSERT_NE(separate, nullptr);
    EXPECT_EQ(windowMenu(), nullptr);
    EXPECT_EQ(GetMenu(separate), getNativeMenuWin32(*bar));
    EXPECT_FALSE(IsWindowVisible(separate));
    EXPECT_EQ(GetWindowLongA(separate, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    RECT frame{};
    GetWindowRect(separate, &frame);
    EXPECT_EQ(std::vector<long>({frame.left, frame.top, frame.right}), std::vector<long>({0, 0, knsGetScreenWidth()}));
    manager().disableMenuBar();
    EXPECT_FALSE(IsWindowEnabled(separate));
    manager().enableMenuBar(true);
    EXPECT_TRUE(IsWindowEnabled(separate));

    // Shown before it has a menu, the window waits for one.
    setMacStyleMenuBarMenuWin32(nullptr);
    showMacStyleMenuBarWin32();
    EXPECT_FALSE(IsWindowVisible(separate));
    manager().showMenuBar(true);
    EXPECT_TRUE(IsWindowVisible(separate));
    EXPECT_EQ(windowMenu(), nullptr);

    manager().attachMenuBar(true);
    EXPECT_EQ(getMacStyleMenuBarWindowWin32(), nullptr);
    EXPECT_FALSE(IsWindow(separate));
    EXPECT_EQ(windowMenu(), getNativeMenuWin32(*bar));
    EXPECT_TRUE(IsMenu(static_cast<HMENU>(getNativeMenuWin32(*bar))));
}

// Pop-up menus, with the platform's modal menu answered by the test.
class PopupMenus : public MenuBarPlaces {
protected:
    PopupMenus()
    {
        window->open(KWindow::OpenHidden);
        popup->appendItem("Cut");
        popup->appendItem("Copy");
        current() = this;
        setPopupMenuTrackerWin32([](void* Menu, short H, short V, void* Owner) {
            PopupMenus& test = *current();
            test.tracked = {Menu, H, V, Owner};
            test.shownPopup = KMenuManager::getMenuManager().hasPopupMenu();
            return test.answer;
        });
        interactionLog().clear();
    }

    static PopupMenus*& current()
    {
        static PopupMenus* test = nullptr;
        return test;
    }

    struct Tracked {
        void* menu;
        short h;
        short v;
        void* owner;
    };
    Tracked tracked{};
    bool shownPopup = false;
    long answer = 0;
    LoggingMenuPtr popup = new LoggingMenu("Popup");
};

TEST_F(PopupMenus, AChoiceEndsThePressAndReachesThePopupMenu)
{
    KMenuItem& copy = static_cast<KMenuItem&>(popup->getItems()[1]);
    answer = copy.getNativeID();
    long selected = 0;
    EXPECT_TRUE(manager().doPopupMenu(*popup, *window, KGraphicPoint(10, 20), selected));
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(tracked.menu, popup->getNativeMenu());
    EXPECT_EQ(tracked.h, 110);
    EXPECT_EQ(tracked.v, 140);
    EXPECT_EQ(tracked.owner, window->getNativeWindow());
    EXPECT_TRUE(shownPopup);
    EXPECT_FALSE(manager().hasPopupMenu());
    EXPECT_EQ(popup->getType(), KMenu::PlainMenu);
    EXPECT_EQ(interactionLog(), (Log{"window up", "application up", "Popup item Copy", "application item Copy"}));
}

TEST_F(PopupMenus, ADismissedPopupSendsNothing)
{
    long selected = 7;
    EXPECT_FALSE(manager().doPopupMenu(*popup, *window, KGraphicPoint(0, 0), selected));
    EXPECT_EQ(selected, 7);
    EXPECT_TRUE(interactionLog().empty());

    ReportCatcher catcher;
    EXPECT_FALSE(manager().doPopupMenu(*file, *window, KGraphicPoint(0, 0), selected));
    EXPECT_TRUE(catcher.caught(75, "bool KMenu::doPopupMenu(const KWindow& W, const KGraphicPoint& Pos,long& "
                                   "SelectedItem, bool CheckSelected)"));
}

} // namespace
