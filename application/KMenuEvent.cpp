#include "application/KMenuEvent.h"

#include "application/KApplication.h"
#include "application/KCustomMenu.h"
#include "application/KCustomMenuItem.h"
#include "application/KMenu.h"
#include "application/KMenuBar.h"
#include "application/KMenuItem.h"
#include "application/KMenuManager.h"

namespace {
// The installed menu bar, or null. An event that reaches the bar while none is installed
// (a pop-up menu of an application without one) goes on to the application.
KMenuBar* installedMenuBar()
{
    if (!KMenuManager::exists() || !KMenuManager::getMenuManager().hasMenuBar())
        return nullptr;
    return &KMenuManager::getMenuManager().getMenuBar();
}

// Whether T is of the class of Record or of a subclass; false while the class is not
// registered.
bool isOf(const KThing& T, KClass* Record) { return Record && T.isEqualOrSubClass(*Record); }

// The menu that holds the sub-menu item M hangs under, or null.
KMenu* menuAbove(const KMenu& M)
{
    if (!M.hasParentMenuItem() || !M.getParentMenuItem().hasParentMenu())
        return nullptr;
    return &M.getParentMenuItem().getParentMenu();
}
} // namespace

K_DEFINE_CLASS(KMenuEvent, KEvent, 1)

KMenuEvent::KMenuEvent() = default;
KMenuEvent::~KMenuEvent() = default;

void KMenuEvent::setMenu(KMenu& M) { m_menu.setObject(M); }
void KMenuEvent::resetMenu() { m_menu.reset(); }
void KMenuEvent::setMenuItem(KMenuItem& MI) { m_menuItem.setObject(MI); }
void KMenuEvent::resetMenuItem() { m_menuItem.reset(); }

KMenu& KMenuEvent::getMenu() const { return static_cast<KMenu&>(m_menu.getObject()); }
KMenuItem& KMenuEvent::getMenuItem() const { return static_cast<KMenuItem&>(m_menuItem.getObject()); }

KEventReturn KMenuEvent::handle()
{
    if (isCommonDialogOpen())
        return 1;
    KMenuEventPtr hold(isOnHeap() ? this : nullptr);
    bool handled = false;
    switch (getType()) {
    case Opening:
        handled = offerToMenus(&KMenu::doMenuOpening, &KMenuBar::doMenuOpening, &KApplication::doMenuOpening);
        break;
    case ItemChosen:
        handled = offerToItem() || offerToMenus(&KMenu::doMenuItem, &KMenuBar::doMenuItem, &KApplication::doMenuItem);
        break;
    case DrawItem:
        handled = offerToCell();
        break;
    case About:
        handled = offerToBarAndApplication(&KMenuBar::doAbout, &KApplication::doAbout);
        break;
    case Help:
        handled = offerToBarAndApplication(&KMenuBar::doHelp, &KApplication::doHelp);
        break;
    case Request:
        handled = offerToBarAndApplication(&KMenuBar::doMenuRequest, &KApplication::doMenuRequest);
        break;
    default:
        break;
    }
    return handled ? 1 : 0;
}

bool KMenuEvent::offerToBarAndApplication(BarHook Bar, ApplicationHook Application)
{
    if (KMenuBar* bar = installedMenuBar()) {
        if ((bar->*Bar)(*this))
            return true;
    }
    KApplication* application = KApplication::getApplication();
    return application && (application->*Application)(*this) != 0;
}

bool KMenuEvent::offerToMenus(MenuHook Menu, BarHook Bar, ApplicationHook Application)
{
    KMenu& menu = getMenu();
    if (kIsNullReference(&menu))
        return false;
    KMenuPtr hold(menu);
    for (KMenu* current = &menu; current; current = menuAbove(*current)) {
        if ((current->*Menu)(*this))
            return true;
    }
    return offerToBarAndApplication(Bar, Application);
}

bool KMenuEvent::offerToItem()
{
    KMenuItem& item = getMenuItem();
    if (kIsNullReference(&item))
        return false;
    KMenuItemPtr hold(item);
    return item.doMenuItem(*this);
}

bool KMenuEvent::offerToCell()
{
    KMenuItem& item = getMenuItem();
    if (kIsNullReference(&item) || !isOf(item, KCustomMenuItem::getClassRecord()))
        return false;
    KMenuItemPtr holdItem(item);
    if (static_cast<KCustomMenuItem&>(item).doCustomMenuItem(*this))
        return true;
    // Only the cell's own menu is asked, not the menus above it.
    KMenu& menu = getMenu();
    if (kIsNullReference(&menu) || !isOf(menu, KCustomMenu::getClassRecord()))
        return false;
    KMenuPtr holdMenu(menu);
    if (static_cast<KCustomMenu&>(menu).doCustomMenuItem(*this))
        return true;
    return offerToBarAndApplication(&KMenuBar::doCustomMenuItem, &KApplication::doCustomMenuItem);
}
