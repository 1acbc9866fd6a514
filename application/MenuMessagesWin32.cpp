#include "application/MenuMessagesWin32.h"

#include "application/KApplication.h"
#include "application/KCustomMenu.h"
#include "application/KCustomMenuItem.h"
#include "application/KMenu.h"
#include "application/KMenuBar.h"
#include "application/KMenuEvent.h"
#include "application/KMenuItem.h"
#include "application/KMenuManager.h"
#include "application/NativeMenusWin32.h"

#include <windows.h>

namespace {
KMenuEvent* makeMenuEvent(long Kind, KMenu* Menu, KMenuItem* Item, const KNativeMessage& Message)
{
    auto* event = new KMenuEvent;
    event->setType(Kind);
    if (Menu)
        event->setMenu(*Menu);
    if (Item)
        event->setMenuItem(*Item);
    event->setNativeMessage(&Message);
    return event;
}

KMenuBar* installedMenuBar()
{
    if (!KMenuManager::exists() || !KMenuManager::getMenuManager().hasMenuBar())
        return nullptr;
    return &KMenuManager::getMenuManager().getMenuBar();
}

// The cell of a custom menu that the platform names by its command ID and item data. The
// item data is only trusted when the ID table gives the same cell.
KCustomMenuItem* findCustomCell(UINT ID, ULONG_PTR ItemData)
{
    KMenuItem* item = findMenuItemByNativeIDWin32(static_cast<long>(ID));
    KClass* cellClass = KCustomMenuItem::getClassRecord();
    KClass* menuClass = KCustomMenu::getClassRecord();
    if (!item || reinterpret_cast<ULONG_PTR>(item) != ItemData || !cellClass || !menuClass
        || !item->isEqualOrSubClass(*cellClass) || !item->hasParentMenu()
        || !item->getParentMenu().isEqualOrSubClass(*menuClass))
        return nullptr;
    return static_cast<KCustomMenuItem*>(item);
}
} // namespace

KEvent* translateMenuCommandWin32(const KNativeMessage& Message)
{
    // Notification codes above 1 come from controls, not from menus or accelerators.
    if (HIWORD(Message.wParam) > 1)
        return nullptr;
    KMenuItem* item = findMenuItemByNativeIDWin32(LOWORD(Message.wParam));
    if (!item || !item->isEnabled() || !item->hasParentMenu() || !item->getParentMenu().isEnabled())
        return nullptr;
    KMenu& menu = item->getParentMenu();
    KMenuBar* bar = installedMenuBar();
    KMenu* help = bar ? bar->getHelpMenu() : nullptr;
    if (&menu == help) {
        long position = 0;
        const bool isAbout = (bar->getBarFlags() & KMenuBar::AboutFlag) && menu.findItem(*item, &position)
                             && position == menu.getItemCount();
        if (isAbout)
            return makeMenuEvent(KMenuEvent::About, nullptr, nullptr, Message);
        return makeMenuEvent(KMenuEvent::Help, &menu, item, Message);
    }
    if (bar && bar->hasExitItem() && &bar->getExitItem() == item) {
        if (KApplication* application = KApplication::getApplication())
            application->quit();
        return nullptr;
    }
    // While a pop-up menu is shown, only its own items are chosen.
    KMenuManager* manager = KMenuManager::exists() ? &KMenuManager::getMenuManager() : nullptr;
    if (!manager || !manager->hasPopupMenu())
        return makeMenuEvent(KMenuEvent::ItemChosen, &menu, item, Message);
    KMenu& popup = manager->getPopupMenu();
    return &menu == &popup ? makeMenuEvent(KMenuEvent::ItemChosen, &popup, item, Message) : nullptr;
}

KEvent* translateMenuOpeningWin32(const KNativeMessage& Message)
{
    KMenuBar* bar = installedMenuBar();
    if (!bar)
        return nullptr;
    KBag menus;
    bar->getAllMenus(menus);
    const auto opening = reinterpret_cast<void*>(static_cast<uintptr_t>(Message.wParam));
    for (long i = menus.getCount() - 1; i >= 0; --i) {
        auto& menu = static_cast<KMenu&>(menus[i]);
        if (menu.getNativeMenu() == opening)
            return makeMenuEvent(KMenuEvent::Opening, &menu, nullptr, Message);
    }
    return nullptr;
}

KEventReturn measureMenuItemWin32(const KNativeMessage& Message)
{
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.lParam);
    if (!measure || measure->CtlType != ODT_MENU)
        return 0;
    KCustomMenuItem* cell = findCustomCell(measure->itemID, measure->itemData);
    if (!cell)
        return 0;
    const auto& menu = static_cast<const KCustomMenu&>(cell->getParentMenu());
    // The platform adds the check-mark area to the width it is given.
    const long width = menu.getItemSize().getWidth() - getMenuCheckMarkWidthWin32();
    measure->itemWidth = width > 0 ? static_cast<UINT>(width) : 0;
    measure->itemHeight = menu.getItemSize().getHeight() > 0 ? menu.getItemSize().getHeight() : 0;
    return 1;
}

KEventReturn drawMenuItemWin32(const KNativeMessage& Message)
{
    const auto* request = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.lParam);
    if (!request || request->CtlType != ODT_MENU)
        return 0;
    KCustomMenuItemPtr cell = findCustomCell(request->itemID, request->itemData);
    if (!cell.hasObject(nullptr))
        return 0;
    cell->setDrawInfo(request);
    cell->setSelected(isSelectingDrawRequestWin32(request));
    KMenuEventPtr draw = makeMenuEvent(KMenuEvent::DrawItem, &cell->getParentMenu(), cell.get(), Message);
    KEvent::send(*draw);
    // The request lives only as long as the message.
    cell->clearDrawInfo();
    return 1;
}
