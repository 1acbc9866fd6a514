#pragma once
// The event of the menu system: a menu is about to open, an item was chosen, an
// owner-drawn item must be drawn, or the About or a Help entry was chosen. Menu events are
// sent at once, inside the native message that caused them. A chosen item reaches the
// item, its menu, the menus above it, the menu bar and last the application; the first
// hook that answers true ends the walk.
#include "application/KEvent.h"

class KApplication;
class KMenu;
class KMenuBar;
class KMenuItem;

class KMenuEvent : public KEvent {
    K_DECLARE_CLASS(KMenuEvent)
public:
    enum Kind : long {
        Opening = 0,
        ItemChosen = 1,
        DrawItem = 2,
        About = 3,
        Help = 4,
        // No framework code makes it.
        Request = 5,
    };

    KMenuEvent();
    ~KMenuEvent() override;

    KEventReturn handle() override;

    virtual void setMenu(KMenu& M);
    virtual void resetMenu();
    virtual void setMenuItem(KMenuItem& MI);
    virtual void resetMenuItem();

    // Error 18 when empty.
    KMenu& getMenu() const;
    bool hasMenu() const { return m_menu.hasObject(nullptr); }
    KMenuItem& getMenuItem() const;
    bool hasMenuItem() const { return m_menuItem.hasObject(nullptr); }

private:
    using MenuHook = bool (KMenu::*)(KMenuEvent&);
    using BarHook = bool (KMenuBar::*)(KMenuEvent&);
    using ApplicationHook = KEventReturn (KApplication::*)(KMenuEvent&);

    // The menu bar (when one is installed), then the application.
    bool offerToBarAndApplication(BarHook Bar, ApplicationHook Application);
    // The event's menu and the menus above it, then the bar and the application.
    bool offerToMenus(MenuHook Menu, BarHook Bar, ApplicationHook Application);
    bool offerToItem();
    bool offerToCell();

    KThingPtr m_menu;
    KThingPtr m_menuItem;
};

K_POINTER_CLASS(KMenuEvent, KEventPtr);
