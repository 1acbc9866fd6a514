#include "application/KMenu.h"

#include "application/KMenuBar.h"
#include "application/KMenuItem.h"
#include "application/KMenuManager.h"
#include "application/NativeMenusWin32.h"
#include "foundation/ErrorTable.h"

namespace {
KMenuItem& itemAt(const KBag& Items, long Index) { return static_cast<KMenuItem&>(Items[Index]); }

// The context of a failed look-up: the signature followed by what was looked for.
void reportNotFound(const char* Signature, const KString& What)
{
    KString context(Signature);
    context += What;
    kksReportError(72, context.getText());
}
} // namespace

K_DEFINE_CLASS(KMenu, KThing, 1)

KMenu::KMenu(uint8 Custom)
    : m_custom(Custom)
    , m_flags(EnabledFlag)
{
    if (KMenuManager::exists()) {
        // With every ID in use the menu gets 0 unrecorded, and must not give back the 0
        // that another menu holds.
        KMenuManager& manager = KMenuManager::getMenuManager();
        const long recorded = manager.getUsedMenuIDCount();
        m_menuID = manager.getNewUniqueMenuID();
        m_holdsMenuID = manager.getUsedMenuIDCount() > recorded;
    }
    m_nativeMenu = createNativePopupMenuWin32();
}

KMenu::~KMenu()
{
    removeAllItems();
    if (!m_nativeMenu)
        return;
    if (m_holdsMenuID && KMenuManager::exists())
        KMenuManager::getMenuManager().releaseID(m_menuID);
    destroyNativeMenuWin32(m_nativeMenu);
}

void KMenu::setParentMenuBar(const KMenuBar& MB)
{
    if (hasParentMenuBar() || hasParentMenuItem())
        kksReportError(75, "void KMenu::setParentMenuBar(const KMenuBar& MB)");
    m_parentMenuBar.setNativePtr(const_cast<KMenuBar*>(&MB));
}

void KMenu::resetParentMenuBar() { m_parentMenuBar.reset(); }

void KMenu::setParentMenuItem(const KMenuItem& MI)
{
    if (hasParentMenuBar() || hasParentMenuItem())
        kksReportError(75, "void KMenu::setParentMenuItem(const KMenuItem& MI)");
    m_parentMenuItem.setNativePtr(const_cast<KMenuItem*>(&MI));
}

void KMenu::resetParentMenuItem() { m_parentMenuItem.reset(); }

bool KMenu::doMenuOpening(KMenuEvent&) { return false; }
bool KMenu::doMenuItem(KMenuEvent&) { return false; }

KMenuBar& KMenu::getParentMenuBar() const { return static_cast<KMenuBar&>(m_parentMenuBar.getNativePtr()); }
KMenuItem& KMenu::getParentMenuItem() const { return static_cast<KMenuItem&>(m_parentMenuItem.getNativePtr()); }

void KMenu::setTitle(const KString& S)
{
    m_title = S;
    if (hasParentMenuItem()) {
        getParentMenuItem().setTitle(S);
        return;
    }
    if (!hasParentMenuBar())
        return;
    KMenuBar& bar = getParentMenuBar();
    long index = findBarIndex();
    if (index < 0 && bar.getHelpMenu() == this) {
        // The Help menu is not among the top-level menus; its entry is always the last.
        index = bar.getMenus().getCount();
    } else if (index < 0 && (bar.getBarFlags() & (KMenuBar::HelpFlag | KMenuBar::AboutFlag))) {
        kksReportError(83, "");
    }
    if (index >= 0)
        setNativeEntryTextWin32(getNativeMenuWin32(bar), index, S.getText());
    redrawMenuBarWin32(bar);
}

void KMenu::setType(uint8 T)
{
    if (hasParentMenuBar() || hasParentMenuItem())
        kksReportError(75, "void KMenu::setType()");
    m_type = T;
}

void KMenu::appendItem(KMenuItem& Item)
{
    const char* context = "void KMenu::appendItem(KMenuItem& Item)";
    if (Item.hasParentMenu())
        kksReportError(70, context);
    if (!m_nativeMenu)
        kksReportError(73, context);
    KMenuItemPtr hold(Item);
    // An item appended twice keeps only its newest ID.
    if (Item.getNativeID() != 0)
        releaseNativeIDWin32(Item.getNativeID());
    const long id = assignUniqueIDWin32(Item);
    Item.setNativeID(id);
    switch (Item.getType()) {
    case kCommandItem:
        appendNativeCommandWin32(m_nativeMenu, id, Item.getNativeText().getText());
        adoptItem(Item);
        if (Item.hasShortcut())
            invalidateAcceleratorsWin32();
        break;
    case kSeparatorItem:
        appendNativeSeparatorWin32(m_nativeMenu);
        adoptItem(Item);
        break;
    case kSubMenuItem: {
        KMenu& subMenu = Item.getSubMenu();
        if (kIsNullReference(&subMenu))
            break;
        appendNativeSubMenuWin32(m_nativeMenu, subMenu.getNativeMenu(), Item.getNativeText().getText());
        m_items.add(Item);
        Item.setParentMenu(*this);
        subMenu.setParentMenuItem(Item);
        invalidateAcceleratorsWin32();
        redrawMenuWin32(*this);
        return;
    }
    default:
        break;
    }
    // An item that made no entry gives its ID back.
    if (!Item.hasParentMenu() || &Item.getParentMenu() != this) {
        releaseNativeIDWin32(id);
        Item.setNativeID(0);
    }
}

void KMenu::adoptItem(KMenuItem& Item)
{
    m_items.add(Item);
    Item.setParentMenu(*this);
    redrawMenuWin32(*this);
}

KMenuItem& KMenu::appendItem(const KString& Title) { return appendItem(Title, 0, -1); }

KMenuItem& KMenu::appendItem(const KString& Title, long ID) { return appendItem(Title, 0, ID); }

KMenuItem& KMenu::appendItem(const KString& Title, char Shortcut, long ID)
{
    KMenuItemPtr item = new KMenuItem;
    item->setTitle(Title);
    item->setID(ID);
    if (Shortcut != 0)
        item->setShortcutKey(Shortcut);
    appendItem(*item);
    return *item;
}

void KMenu::appendSubMenu(KMenu& Menu)
{
    if (Menu.hasParentMenuBar() || Menu.hasParentMenuItem())
        kksReportError(75, "void KMenu::appendSubMenu(KMenu& Menu)");
    Menu.setType(SubMenu);
    KMenuItemPtr item = new KMenuItem;
    item->setSubMenu(Menu);
    item->setType(kSubMenuItem);
    item->setTitle(Menu.getTitle());
    appendItem(*item);
}

void KMenu::appendSubMenu(KMenu& SubMenu, const KString& Title)
{
    if (SubMenu.hasParentMenuBar() || SubMenu.hasParentMenuItem())
        kksReportError(75, "void KMenu::appendSubMenu(KMenu& SubMenu, const KString& Title)");
    SubMenu.setTitle(Title);
    appendSubMenu(SubMenu);
}

void KMenu::appendSeparator()
{
    KMenuItemPtr item = new KMenuItem;
    item->setType(kSeparatorItem);
    appendItem(*item);
}

KMenuItem& KMenu::getItemWithID(long ID) const
{
    for (long i = 0; i < m_items.getCount(); ++i) {
        if (itemAt(m_items, i).getID() == ID)
            return itemAt(m_items, i);
    }
    KString id;
    id.setNumber(ID);
    reportNotFound("KMenuItem& KMenu::getItemWithID(long ID) const ", id);
    return kNullReference<KMenuItem>();
}

KMenuItem& KMenu::getItemWithTitle(const KString& Str) const
{
    for (long i = 0; i < m_items.getCount(); ++i) {
        if (itemAt(m_items, i).getTitle() == Str)
            return itemAt(m_items, i);
    }
    reportNotFound("KMenuItem& KMenu::getItemWithTitle(const KString& Str) const ", Str);
    return kNullReference<KMenuItem>();
}

bool KMenu::findItem(const KMenuItem& MI, long* OutPosition) const
{
    long index = -1;
    if (!m_items.has(MI, &index))
        return false;
    if (OutPosition)
        *OutPosition = index + 1;
    return true;
}

long KMenu::getItemPosition(const KMenuItem& MI) const
{
    long position = -1;
    if (!findItem(MI, &position)) {
        kksReportError(72, "long KMenu::getItemPosition(const KMenuItem& MI) const");
        return -1;
    }
    return position;
}

bool KMenu::findSubMenu(const KString& Title, KMenu*& Out) const
{
    for (long i = 0; i < m_items.getCount(); ++i) {
        const KMenuItem& item = itemAt(m_items, i);
        if (item.getType() != kSubMenuItem || !item.hasSubMenu())
            continue;
        KMenu& subMenu = item.getSubMenu();
        if (subMenu.getTitle() == Title) {
            Out = &subMenu;
            return true;
        }
        if (subMenu.findSubMenu(Title, Out))
            return true;
    }
    return false;
}

KMenu& KMenu::getSubMenuWithTitle(KString& Title) const
{
    KMenu* found = nullptr;
    if (findSubMenu(Title, found))
        return *found;
    kksReportError(73, "KMenu& KMenu::getSubMenuWithTitle(KString& Title) const");
    return kNullReference<KMenu>();
}

void KMenu::getAllSubMenus(KBag& Out) const
{
    for (long i = 0; i < m_items.getCount(); ++i) {
        const KMenuItem& item = itemAt(m_items, i);
        if (item.getType() != kSubMenuItem || !item.hasSubMenu())
            continue;
        Out.add(item.getSubMenu());
        item.getSubMenu().getAllSubMenus(Out);
    }
}

void KMenu::removeItem(KMenuItem& MI)
{
    const long position = getItemPosition(MI);
    if (position < 0)
        return;
    KMenuItemPtr hold(MI);
    if (m_nativeMenu) {
        removeNativeEntryWin32(m_nativeMenu, position - 1);
        redrawMenuWin32(*this);
        // A sub menu's shortcuts leave with it, as they came with it.
        if (MI.hasShortcut() || MI.getType() == kSubMenuItem)
            invalidateAcceleratorsWin32();
        releaseNativeIDWin32(MI.getNativeID());
        MI.setNativeID(0);
    }
    MI.resetParentMenu();
    m_items.removeAt(position - 1);
}

void KMenu::removeItemAt(long Position)
{
    KMenuItem& item = itemAt(m_items, Position - 1);
    if (!kIsNullReference(&item))
        removeItem(item);
}

void KMenu::removeAllItems()
{
    while (m_items.getCount() > 0)
        removeItem(itemAt(m_items, 0));
}

void KMenu::uncheckAllItems()
{
    for (long i = 0; i < m_items.getCount(); ++i)
        itemAt(m_items, i).setChecked(false);
}

long KMenu::findBarIndex() const
{
    long position = 0;
    if (!hasParentMenuBar() || !getParentMenuBar().findMenu(*this, &position))
        return -1;
    return position - 1;
}

void KMenu::setEnabled(bool Enabled)
{
    if (!Enabled) {
        disable();
        return;
    }
    enableAllItems();
    const long index = findBarIndex();
    if (index >= 0) {
        enableNativeEntryWin32(getNativeMenuWin32(getParentMenuBar()), index, true);
        redrawMenuBarWin32(getParentMenuBar());
    }
    m_flags.set(EnabledFlag);
}

void KMenu::disable()
{
    m_flags.clear(EnabledFlag);
    disableAllItems();
    const long index = findBarIndex();
    if (index >= 0) {
        enableNativeEntryWin32(getNativeMenuWin32(getParentMenuBar()), index, false);
        redrawMenuBarWin32(getParentMenuBar());
    }
}

void KMenu::enableAllItems(bool Enabled)
{
    if (!Enabled) {
        disableAllItems();
        return;
    }
    for (long i = 0; i < m_items.getCount(); ++i)
        itemAt(m_items, i).enable();
}

void KMenu::disableAllItems()
{
    for (long i = 0; i < m_items.getCount(); ++i)
        itemAt(m_items, i).disable();
}
