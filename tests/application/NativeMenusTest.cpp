// The menus' native layer: native command IDs, the accelerator table built from the
// installed bar's shortcuts, and a Control-key shortcut going through the main loop.
#include "tests/application/MenuTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Accelerators = std::vector<std::pair<int, int>>;

class NativeMenus : public ::testing::Test {
protected:
    NativeMenus()
    {
        file->appendItem("Open", 'O', 1);
        file->appendItem("Save", 's', 2);
        edit->appendItem("Undo", 'Z', 3);
        edit->appendSubMenu(*sub);
        sub->appendItem("Deep", 'D', 4);
        bar->append(*file);
        bar->append(*edit);
        bar->appendAbout("About");
        bar->getHelpMenu()->appendItem("Manual", 'M', 5);
        KMenuManager::getMenuManager().setMenuBar(*bar);
    }

    // The keys and items of the rebuilt table, in its order; every entry is Control and a
    // virtual key.
    Accelerators accelerators()
    {
        buildAcceleratorTableWin32();
        Accelerators keys;
        auto table = static_cast<HACCEL>(getAcceleratorTableWin32());
        if (!table)
            return keys;
        std::vector<ACCEL> entries(CopyAcceleratorTableA(table, nullptr, 0));
        CopyAcceleratorTableA(table, entries.data(), static_cast<int>(entries.size()));
        for (const ACCEL& entry : entries) {
            EXPECT_EQ(entry.fVirt, FVIRTKEY | FCONTROL);
            KMenuItem* item = findMenuItemByNativeIDWin32(entry.cmd);
            keys.emplace_back(entry.key, item ? static_cast<int>(item->getID()) : -1);
        }
        return keys;
    }

    MenuScope scope;
    LoggingMenuBarPtr bar = new LoggingMenuBar;
    LoggingMenuPtr file = new LoggingMenu("File");
    LoggingMenuPtr edit = new LoggingMenu("Edit");
    LoggingMenuPtr sub = new LoggingMenu("Sub");
};

TEST(NativeCommandIDs, RiseFromOneAndStartAgainBelowWhenTheLastGoesBack)
{
    // Every test gives its IDs back, so none is in use here, as at the start of a process.
    ApplicationScope<> scope;
    KMenuItemPtr a = new KMenuItem, b = new KMenuItem, c = new KMenuItem;
    EXPECT_EQ(assignUniqueIDWin32(*a), 1);
    EXPECT_EQ(assignUniqueIDWin32(*b), 2);
    releaseNativeIDWin32(1);
    EXPECT_EQ(assignUniqueIDWin32(*c), 3);
    releaseNativeIDWin32(3);
    EXPECT_EQ(getLastNativeIDWin32(), 0);
    EXPECT_EQ(assignUniqueIDWin32(*c), 1);
    EXPECT_EQ(findMenuItemByNativeIDWin32(1), c.get());
    EXPECT_EQ(findMenuItemByNativeIDWin32(3), nullptr);
    // Every ID in use: the next item gets none.
    for (long id = 3; id <= 65535; ++id)
        ASSERT_EQ(assignUniqueIDWin32(*a), id);
    {
        ReportCatcher catcher;
        EXPECT_EQ(assignUniqueIDWin32(*b), -1);
        EXPECT_TRUE(catcher.caught(81, "void assignUniqueIDWin32(KMenuItem& MenuItem)"));
    }
    for (long id = 1; id <= 65535; ++id)
        releaseNativeIDWin32(id);
    EXPECT_EQ(getLastNativeIDWin32(), 0);
}

TEST_F(NativeMenus, TheTableHoldsTheEnabledShortcutsOfTheEnabledMenusOfTheBar)
{
    // The Help menu is not searched; a lower-case key is the virtual key of its code.
    EXPECT_EQ(accelerators(), (Accelerators{{'O', 1}, {'s', 2}, {'Z', 3}, {'D', 4}}));
    // Installing the installed bar again changes nothing, not even the accelerators.
    KMenuManager::getMenuManager().setMenuBar(*bar);
    EXPECT_FALSE(areAcceleratorsDirtyWin32());
    // A disabled sub menu still gives its enabled items; a disabled item gives nothing.
    sub->disable();
    sub->getItemWithID(4).enable();
    file->getItemWithID(2).disable();
    EXPECT_EQ(accelerators(), (Accelerators{{'O', 1}, {'Z', 3}, {'D', 4}}));
    // A disabled top-level menu gives nothing until it is enabled again.
    edit->disable();
    EXPECT_EQ(accelerators(), (Accelerators{{'O', 1}}));
    edit->setEnabled(true);
    EXPECT_EQ(accelerators(), (Accelerators{{'O', 1}, {'Z', 3}, {'D', 4}}));
    // A hidden bar has no shortcuts; shown again, it has them back.
    KMenuManager::getMenuManager().hideMenuBar();
    EXPECT_TRUE(accelerators().empty());
    EXPECT_FALSE(hasAcceleratorTableWin32());
    KMenuManager::getMenuManager().showMenuBar(true);
    EXPECT_EQ(accelerators().size(), 3u);
    // A shortcut given to an attached item counts at once.
    file->getItemWithID(2).enable();
    file->getItemWithID(2).setShortcutKey('S');
    EXPECT_EQ(accelerators()[1], std::make_pair(int('S'), 2));
    KMenuManager::getMenuManager().resetMenuBar();
    EXPECT_TRUE(accelerators().empty());
}

TEST_F(NativeMenus, ControlWithTheKeyChoosesTheItemThroughTheMainLoop)
{
    scope->createMainWindow(*KWindow::getClassRecord());
    HWND main = static_cast<HWND>(scope->getMainWindow().getNativeWindow());
    ASSERT_EQ(GetMenu(main), getNativeMenuWin32(*bar));
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(main, WM_KEYDOWN, 'Z', 0);
    scope->processIdleOnce();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    // The platform opens the item's menu for a moment first.
    EXPECT_EQ(interactionLog(), (Log{"Edit opening", "bar opening", "application opening", "Edit item Undo",
                                     "bar item", "application item Undo"}));
}

} // namespace
