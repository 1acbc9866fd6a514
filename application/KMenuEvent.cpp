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
    KApplication* application = KApplication::getApplication();
    KMenuBar* bar = nullptr;
    bool handled = false;
    switch (getType()) {
    case Opening:
        handled = routeOpening();
        break;
    case ItemChosen:
        handled = routeItemChosen();
        break;
    case DrawItem:
        return routeDrawItem() ? 1 : 0;
    case About:
        bar = installedMenuBar();
        handled = bar && bar->doAbout(*this);
        if (!handled && application)
            handled = application->doAbout(*this) != 0;
        break;
    case Help:
        bar = installedMenuBar();
        handled = bar && bar->doHelp(*this);
        if (!handled && application)
            handled = application->doHelp(*this) != 0;
        break;
    case Request:
        bar = installedMenuBar();
        handled = bar && bar->doMenuRequest(*this);
        if (!handled && application)
            handled = application->doMenuRequest(*this) != 0;
        break;
    default:
        return 0;
    }
    return handled ? 1 : 0;
}

bool KMenuEvent::routeOpening()
{
    KMenu& menu = getMenu();
    if (kIsNullReference(&menu))
        return false;
    KMenuPtr hold(menu);
    for (KMenu* current = &menu; current; current = menuAbove(*current)) {
        if (current->doMenuOpening(*this))
            return true;
    }
    if (KMenuBar* bar = installedMenuBar()) {
        if (bar->doMenuOpening(*this))
            return true;
    }
    KApplication* application = KApplication::getApplication();
    return application && application->doMenuOpening(*this) != 0;
}

bool KMenuEvent::routeItemChosen()
{
    KMenuItem& item = getMenuItem();
    if (kIsNullReference(&item))
        return false;
    KMenuItemPtr holdItem(item);
    if (item.doMenuItem(*this))
        return true;
    KMenu& menu = getMenu();
    if (kIsNullReference(&menu))
        return false;
    KMenuPtr holdMenu(menu);
    for (KMenu* current = &menu; current; current = menuAbove(*current)) {
        if (current->doMenuItem(*this))
            return true;
    }
    if (KMenuBar* bar = installedMenuBar()) {
        if (bar->doMenuItem(*this))
            return true;
    }
    KApplication* application = KApplication::getApplication();
    return application && application->doMenuItem(*this) != 0;
}

bool KMenuEvent::routeDrawItem()
{
    KMenuItem& item = getMenuItem();
    if (kIsNullReference(&item) || !isOf(item, KCustomMenuItem::getClassRecord()))
        return false;
    KMenuItemPtr holdItem(item);
    if (static_cast<KCustomMenuItem&>(item).doCustomMenuItem(*this))
        return true;
    KMenu& menu = getMenu();
    if (kIsNullReference(&menu) || !isOf(menu, KCustomMenu::getClassRecord()))
        return false;
    KMenuPtr holdMenu(menu);
    if (static_cast<KCustomMenu&>(menu).doCustomMenuItem(*this))
        return true;
    if (KMenuBar* bar = installedMenuBar()) {
        if (bar->doCustomMenuItem(*this))
            return true;
    }
    KApplication* application = KApplication::getApplication();
    return application && application->doCustomMenuItem(*this) != 0;
}
