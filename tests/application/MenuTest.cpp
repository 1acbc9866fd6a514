// Menus and their items, and what their native menus show: entry texts with the access
// key and the shortcut, look-ups, removal, check marks and grey entries, and the links
// between menus, items and sub menus.
#include "tests/application/MenuTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

class Menus : public ::testing::Test {
protected:
    MenuScope scope;
    LoggingMenuPtr menu = new LoggingMenu("File");
};

TEST_F(Menus, NativeEntriesShowTheTitleAfterAnAccessKeyAndTheShortcutAfterATab)
{
    KMenuItem& open = menu->appendItem("Open", 'O', 10);
    KMenuItem& close = menu->appendItem("Close", 0, 11);
    menu->appendItem("E&xit\tAlt+F4");
    menu->appendSeparator();
    LoggingMenuPtr more = new LoggingMenu("More");
    menu->appendSubMenu(*more);
    void* native = menu->getNativeMenu();

    ASSERT_EQ(getNativeEntryCountWin32(native), 5);
    EXPECT_EQ(entryTexts(native, {0, 1, 2, 4}), "&Open\tCtrl+O|&Close|&E&xit\tAlt+F4|&More");
    EXPECT_TRUE(entryState(native, 3) & MF_SEPARATOR);
    EXPECT_EQ(entrySubMenu(native, 4), more->getNativeMenu());
    EXPECT_EQ(more->getType(), KMenu::SubMenu);
    EXPECT_EQ(&more->getParentMenuItem(), &menuItem(*menu, 4));
    // Every change reaches the entry at once.
    open.setTitle("Open...");
    close.setShortcutKey('W');
    more->setTitle("Less");
    EXPECT_EQ(entryTexts(native, {0, 1, 4}), "&Open...\tCtrl+O|&Close\tCtrl+W|&Less");
    EXPECT_EQ(findMenuItemByNativeIDWin32(open.getNativeID()), &open);
}

TEST_F(Menus, LookUpsFindTheFirstMatchAndReportWhatTheyMiss)
{
    menu->appendItem("Open", 'O', 10);
    KMenuItem& unnumbered = menu->appendItem("Print");
    menu->appendItem("Open", 12);
    EXPECT_EQ(&menu->getItemWithID(-1), &unnumbered);
    EXPECT_EQ(menu->getItemWithTitle("Open").getID(), 10);
    // Sub menus: depth first, a menu's own title before the menus below it.
    LoggingMenuPtr a = new LoggingMenu("A"), b = new LoggingMenu("B"), c = new LoggingMenu("C"), d = new LoggingMenu("C");
    b->appendSubMenu(*c);
    a->appendSubMenu(*b);
    menu->appendSubMenu(*a);
    menu->appendSubMenu(*d);
    KString title("C");
    EXPECT_EQ(&menu->getSubMenuWithTitle(title), c.get());
    KBag all;
    menu->getAllSubMenus(all);
    ASSERT_EQ(all.getCount(), 4);
    EXPECT_EQ(std::vector<KThing*>({&all[0], &all[1], &all[2], &all[3]}),
              std::vector<KThing*>({a.get(), b.get(), c.get(), d.get()}));

    ReportCatcher catcher;
    KString missing("Z");
    menu->getItemWithID(99);
    EXPECT_TRUE(kIsNullReference(&menu->getItemWithTitle("Nope")));
    menu->getSubMenuWithTitle(missing);
    EXPECT_TRUE(catcher.caught(72, "KMenuItem& KMenu::getItemWithID(long ID) const 99"));
    EXPECT_TRUE(catcher.caught(72, "KMenuItem& KMenu::getItemWithTitle(const KString& Str) const Nope"));
    EXPECT_TRUE(catcher.caught(73, "KMenu& KMenu::getSubMenuWithTitle(KString& Title) const"));
    EXPECT_EQ(catcher.codes().size(), 3u);
}

TEST_F(Menus, RemovingAnItemRenumbersThoseBehindAndGivesItsIDBack)
{
    KMenuItemPtr first = &menu->appendItem("One");
    KMenuItem& second = menu->appendItem("Two");
    menu->appendItem("Three");
    const long id = first->getNativeID();

    menu->removeItem(*first);
    EXPECT_EQ(menu->getItemPosition(second), 1);
    EXPECT_EQ(entryText(menu->getNativeMenu(), 0), "&Two");
    EXPECT_EQ(first->getNativeID(), 0);
    EXPECT_EQ(findMenuItemByNativeIDWin32(id), nullptr);
    ReportCatcher catcher;
    EXPECT_EQ(menu->getItemPosition(*first), -1);
    EXPECT_TRUE(catcher.caught(72, "long KMenu::getItemPosition(const KMenuItem& MI) const"));
}

TEST_F(Menus, CheckMarksAndGreyEntriesFollowTheItems)
{
    KMenuItem& a = menu->appendItem("A");
    KMenuItem& b = menu->appendItem("B");
    void* native = menu->getNativeMenu();
    a.setChecked(true);
    EXPECT_TRUE(entryState(native, 0) & MF_CHECKED);
    b.disable();
    EXPECT_TRUE(entryState(native, 1) & MF_GRAYED);
    // A grey entry stays grey when it is checked.
    b.setChecked(true);
    EXPECT_EQ(entryState(native, 1) & (MF_CHECKED | MF_GRAYED), UINT(MF_CHECKED | MF_GRAYED));

    menu->uncheckAllItems();
    EXPECT_FALSE(a.isChecked());
    EXPECT_EQ(entryState(native, 0) & MF_CHECKED, 0u);
    // Items already unchecked leave their entries alone.
    CheckMenuItem(static_cast<HMENU>(native), 0, MF_BYPOSITION | MF_CHECKED);
    menu->uncheckAllItems();
    EXPECT_TRUE(entryState(native, 0) & MF_CHECKED);
}

TEST_F(Menus, ASubMenuThatOutlivesItsMenuForgetsTheItemItHungUnder)
{
    LoggingMenuPtr sub = new LoggingMenu("Sub");
    menu->appendSubMenu(*sub);
    menu = nullptr;
    EXPECT_FALSE(sub->hasParentMenuItem());
    sub->setTitle("Renamed");
    EXPECT_EQ(sub->getTitle(), "Renamed");
    // Free again, it can hang under another item.
    LoggingMenuPtr holder = new LoggingMenu("Holder");
    holder->appendSubMenu(*sub);
    EXPECT_EQ(entryText(holder->getNativeMenu(), 0), "&Renamed");
}

} // namespace
