#pragma once
// The event of the menu system: a menu is about to open, an item was chosen, an
// owner-drawn item must be drawn, or the About or a Help entry was chosen. Menu events are
// sent at once, inside the native message that caused them. A chosen item reaches the
// item, its menu, the menus above it, the menu bar and last the application; the first
// hook that answers true ends the walk.
#include "application/KEvent.h"

class KMenu;
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
    bool routeOpening();
    bool routeItemChosen();
    bool routeDrawItem();

    KThingPtr m_menu;
    KThingPtr m_menuItem;
};

K_POINTER_CLASS(KMenuEvent, KEventPtr);
