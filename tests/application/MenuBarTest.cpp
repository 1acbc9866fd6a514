// The menu manager and the menu bar: menu IDs, the Help menu with its About entry, the
// Exit item, greying, windows that carry the bar, the separate menu-bar window and
// pop-up menus.
#include "application/MacStyleMenuBarWin32.h"
#include "tests/application/MenuTestSupport.h"
#include "tests/application/WindowTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <tuple>

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
    EXPECT_EQ((std::vector<long>{file->getMenuID(), a->getMenuID(), b->getMenuID(), c->getMenuID()}),
              (std::vector<long>{0, 2, 3, 4}));
    b = nullptr;
    LoggingMenuPtr d = new LoggingMenu("D");
    EXPECT_EQ(d->getMenuID(), 3);

    std::vector<KMenuPtr> many;
    while (manager().getUsedMenuIDCount() < 256)
        many.push_back(new KMenu);
    ReportCatcher catcher;
    KMenuPtr extra = new KMenu;
    EXPECT_EQ(extra->getMenuID(), 0);
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
    KMenuPtr help = bar->getHelpMenu();
    ASSERT_TRUE(help.hasObject(nullptr));
    ASSERT_EQ(getNativeEntryCountWin32(native), 3);
    EXPECT_EQ(entryTexts(native, {0, 1, 2}), "&File|&Edit|&Help");
    EXPECT_EQ(entrySubMenu(native, 2), help->getNativeMenu());
    ASSERT_EQ(help->getItemCount(), 1);
    EXPECT_EQ(menuItem(*help, 0).getTitle(), "About Fabulo...");
    // The Exit item, after a separator, with the localised title.
    EXPECT_EQ(menuItem(*file, 0).getType(), kSeparatorItem);
    EXPECT_EQ(&menuItem(*file, 1), &bar->getExitItem());
    EXPECT_EQ(entryText(file->getNativeMenu(), 1), "&E&xit\tAlt+F4");
    // A retitled bar menu shows the title as it is given.
    edit->setTitle("Tools");
    help->setTitle("Aide");
    EXPECT_EQ(entryTexts(native, {1, 2}), "Tools|Aide");
    // Without its About entry the Help menu leaves the bar.
    bar->destroyAbout();
    EXPECT_EQ(bar->getHelpMenu(), nullptr);
    EXPECT_FALSE(help->hasParentMenuBar());
    EXPECT_EQ(getNativeEntryCountWin32(native), 2);
    // With a Help menu that has items, a separator comes before the About entry.
    createHelpMenuWin32(*bar);
    bar->getHelpMenu()->appendItem("Manual");
    bar->appendAbout("About");
    ASSERT_EQ(bar->getHelpMenu()->getItemCount(), 3);
    EXPECT_EQ(menuItem(*bar->getHelpMenu(), 1).getType(), kSeparatorItem);
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
    for (long i = 0; i < 3; ++i)
        EXPECT_EQ(entryState(native, i) & MF_GRAYED, i == 1 ? UINT(MF_GRAYED) : 0u) << i;
    // A bar installed while disabled stays disabled.
    LoggingMenuBarPtr other = new LoggingMenuBar;
    other->disable();
    manager().setMenuBar(*other);
    manager().enableMenuBar(true);
    EXPECT_FALSE(other->isEnabled());
    EXPECT_EQ(manager().getManagerFlags(), UINT(KMenuManager::ShownFlag | KMenuManager::EnabledFlag));
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

    // The window shows the bar or not, and its content stays where it was put.
    void expectCarrying(bool Bar) const
    {
        EXPECT_EQ(windowMenu(), Bar ? getNativeMenuWin32(*bar) : nullptr);
        const RECT client = clientAreaOnScreen(window->getNativeWindow());
        EXPECT_EQ((std::vector<long>{client.left, client.top, client.right, client.bottom}),
                  (std::vector<long>{100, 120, 400, 320}));
    }

    HMENU windowMenu() const { return GetMenu(static_cast<HWND>(window->getNativeWindow())); }

    LoggingWindowPtr window = new LoggingWindow;
};

TEST_F(MenuBarPlaces, AWindowThatCarriesTheBarKeepsItsContentWhereItWas)
{
    const KGraphicRectangle bare = window->getFrame();
    manager().setMenuBar(*bar);
    EXPECT_GT(window->getFrame().getHeight(), bare.getHeight());
    window->open(KWindow::OpenHidden);
    expectCarrying(true);
    manager().hideMenuBar();
    expectCarrying(false);
    manager().showMenuBar(true);
    expectCarrying(true);
    window->detachMenuBar();
    expectCarrying(false);
    window->attachMenuBar(true);
    expectCarrying(true);
    // A closing window leaves the bar's menus alive.
    window->close();
    EXPECT_TRUE(IsMenu(static_cast<HMENU>(getNativeMenuWin32(*bar))));
    EXPECT_TRUE(IsMenu(static_cast<HMENU>(file->getNativeMenu())));
    // While the bar is hidden a window opens without it.
    manager().hideMenuBar();
    window->open(KWindow::OpenHidden);
    expectCarrying(false);
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
    expectCarrying(false);
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
    expectCarrying(false);

    manager().attachMenuBar(true);
    EXPECT_EQ(getMacStyleMenuBarWindowWin32(), nullptr);
    EXPECT_FALSE(IsWindow(separate));
    expectCarrying(true);
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
            const bool shown = KMenuManager::getMenuManager().hasPopupMenu();
            test.tracked = {Menu == test.popup->getNativeMenu() && shown, H, V, Owner};
            return test.answer;
        });
        interactionLog().clear();
    }

    static PopupMenus*& current()
    {
        static PopupMenus* test = nullptr;
        return test;
    }

    // What the platform's menu was given: the pop-up (shown as such), the point, the owner.
    std::tuple<bool, short, short, void*> tracked;
    long answer = 0;
    LoggingMenuPtr popup = new LoggingMenu("Popup");
};

TEST_F(PopupMenus, AChoiceEndsThePressAndReachesThePopupMenu)
{
    answer = menuItem(*popup, 1).getNativeID();
    long selected = 0;
    EXPECT_TRUE(manager().doPopupMenu(*popup, *window, KGraphicPoint(10, 20), selected));
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(tracked, std::make_tuple(true, short(110), short(140), window->getNativeWindow()));
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
