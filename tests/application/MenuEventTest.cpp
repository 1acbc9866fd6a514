// The routing of menu events: a chosen item from the item up through its menus to the menu
// bar and the application, opening menus, owner-drawn cells, About, Help and the events
// behind a common dialog.
#include "tests/application/MenuTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

class LoggingCell : public KCustomMenuItem {
public:
    bool doCustomMenuItem(KMenuEvent&) override { return answers.noted("cell", "draw") != 0; }
    Answers answers;
};
K_POINTER_CLASS(LoggingCell, KCustomMenuItemPtr);

class LoggingCustomMenu : public KCustomMenu {
public:
    bool doCustomMenuItem(KMenuEvent&) override { return answers.noted("cells", "draw") != 0; }
    Answers answers;
};
K_POINTER_CLASS(LoggingCustomMenu, KCustomMenuPtr);

class MenuEvents : public ::testing::Test {
protected:
    MenuEvents()
    {
        // File > Recent > Item, in an installed bar.
        recent->appendItem(*item);
        file->appendSubMenu(*recent);
        bar->append(*file);
        KMenuManager::getMenuManager().setMenuBar(*bar);
        interactionLog().clear();
    }

    KEventReturn send(long Kind, KMenu* Menu, KMenuItem* Item)
    {
        KMenuEventPtr event = new KMenuEvent;
        event->setType(Kind);
        if (Menu)
            event->setMenu(*Menu);
        if (Item)
            event->setMenuItem(*Item);
        return KEvent::send(*event);
    }

    MenuScope scope;
    LoggingMenuBarPtr bar = new LoggingMenuBar;
    LoggingMenuPtr file = new LoggingMenu("File");
    LoggingMenuPtr recent = new LoggingMenu("Recent");
    LoggingMenuItemPtr item = new LoggingMenuItem("Item");
};

TEST_F(MenuEvents, AChosenItemClimbsFromTheItemThroughItsMenusToTheBarAndTheApplication)
{
    EXPECT_EQ(send(KMenuEvent::ItemChosen, recent.get(), item.get()), 0);
    EXPECT_EQ(interactionLog(), (Log{"Item item", "Recent item Item", "File item Item", "bar item",
                                     "application item Item"}));
    // The first hook that answers ends the walk.
    interactionLog().clear();
    file->answers.answer("item Item", 1);
    EXPECT_EQ(send(KMenuEvent::ItemChosen, recent.get(), item.get()), 1);
    EXPECT_EQ(interactionLog(), (Log{"Item item", "Recent item Item", "File item Item"}));

    interactionLog().clear();
    EXPECT_EQ(send(KMenuEvent::Opening, recent.get(), nullptr), 0);
    EXPECT_EQ(interactionLog(), (Log{"Recent opening", "File opening", "bar opening", "application opening"}));
    // Behind a common dialog nothing hears it.
    interactionLog().clear();
    int dialog = 0;
    KEvent::setCommonDialogWindow(&dialog);
    const KEventReturn answer = send(KMenuEvent::ItemChosen, recent.get(), item.get());
    KEvent::setCommonDialogWindow(nullptr);
    EXPECT_EQ(answer, 1);
    EXPECT_TRUE(interactionLog().empty());
}

TEST_F(MenuEvents, AboutHelpAndRequestsGoToTheBarThenTheApplication)
{
    send(KMenuEvent::About, nullptr, nullptr);
    send(KMenuEvent::Help, file.get(), item.get());
    send(KMenuEvent::Request, nullptr, nullptr);
    EXPECT_EQ(send(7, file.get(), item.get()), 0);
    EXPECT_EQ(interactionLog(),
              (Log{"bar about", "application about", "bar help", "application help", "bar request", "application request"}));
}

TEST_F(MenuEvents, OnlyCellsOfCustomMenusAreDrawnByTheirHooks)
{
    EXPECT_EQ(send(KMenuEvent::DrawItem, recent.get(), item.get()), 0);
    EXPECT_TRUE(interactionLog().empty());

    LoggingCustomMenuPtr cells = new LoggingCustomMenu;
    LoggingCellPtr cell = new LoggingCell;
    cells->setGrid(1, 1);
    cells->appendCustomItem(*cell);
    send(KMenuEvent::DrawItem, cells.get(), cell.get());
    // A cell in a plain menu is drawn by the cell alone.
    send(KMenuEvent::DrawItem, recent.get(), cell.get());
    EXPECT_EQ(interactionLog(), (Log{"cell draw", "cells draw", "bar draw", "application draw", "cell draw"}));
}

TEST_F(MenuEvents, WithoutAMenuBarAChoiceGoesFromTheMenusToTheApplication)
{
    KMenuManager::getMenuManager().resetMenuBar();
    LoggingMenuPtr popup = new LoggingMenu("Popup");
    KMenuItem& choice = popup->appendItem("Choice");
    send(KMenuEvent::ItemChosen, popup.get(), &choice);
    EXPECT_EQ(interactionLog(), (Log{"Popup item Choice", "application item Choice"}));
    // An event without the menu it needs is reported, not followed.
    ReportCatcher catcher;
    EXPECT_EQ(send(KMenuEvent::ItemChosen, nullptr, &choice), 0);
    EXPECT_TRUE(catcher.caught(18, "KThing& KThingPtr::getObject() const"));
}

} // namespace
