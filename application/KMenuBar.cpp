#include "application/KMenuBar.h"

#include "application/KApplication.h"
#include "application/KMenu.h"
#include "application/KMenuEvent.h"
#include "application/KMenuItem.h"
#include "application/KMenuManager.h"
#include "application/NativeMenusWin32.h"
#include "foundation/ErrorTable.h"

namespace {
KMenu& menuAt(const KBag& Menus, long Index) { return static_cast<KMenu&>(Menus[Index]); }

KString entryText(const KMenu& M)
{
    KString text("&");
    text += M.getTitle();
    return text;
}

KString localizedExitTitle()
{
    const KString key("E&xit\tAlt+F4");
    KApplication* application = KApplication::getApplication();
    return application && application->hasLocalizer() ? application->getLocalizer().getText(key) : key;
}
} // namespace

K_DEFINE_CLASS(KMenuBar, KThing, 1)

KMenuBar::KMenuBar()
    : m_flags(EnabledFlag)
{
    m_nativeRecord = createNativeMenuBarWin32();
}

KMenuBar::~KMenuBar()
{
    resetExitItem();
    destroyAbout();
    m_flags.clear(HelpFlag);
    for (long i = 0; i < m_menus.getCount(); ++i)
        menuAt(m_menus, i).resetParentMenuBar();
    m_menus.clear();
    destroyNativeMenuBarWin32(m_nativeRecord);
    m_nativeRecord = nullptr;
}

void KMenuBar::setExitItem(KMenuItem& Item) { m_exitItem.setObject(Item); }
void KMenuBar::resetExitItem() { m_exitItem.reset(); }
void KMenuBar::setReservedItem(KThing& Item) { m_reservedItem.setObject(Item); }
void KMenuBar::resetReservedItem() { m_reservedItem.reset(); }

bool KMenuBar::doMenuOpening(KMenuEvent&) { return false; }
bool KMenuBar::doMenuItem(KMenuEvent&) { return false; }
bool KMenuBar::doHelp(KMenuEvent&) { return false; }
bool KMenuBar::doAbout(KMenuEvent&) { return false; }
bool KMenuBar::doMenuRequest(KMenuEvent&) { return false; }
bool KMenuBar::doCustomMenuItem(KMenuEvent&) { return false; }

KMenu* KMenuBar::getHelpMenu() const { return getHelpMenuWin32(*this); }

KMenuItem& KMenuBar::getExitItem() const { return static_cast<KMenuItem&>(m_exitItem.getObject()); }

bool KMenuBar::isInstalled() const
{
    return KMenuManager::exists() && KMenuManager::getMenuManager().hasMenuBar()
           && &KMenuManager::getMenuManager().getMenuBar() == this;
}

void KMenuBar::append(KMenu& M)
{
    const char* context = "void KMenuBar::append(KMenu& M)";
    if (M.hasParentMenuBar() || M.hasParentMenuItem())
        kksReportError(85, context);
    if (!M.getNativeMenu())
        kksReportError(83, context);
    if (M.getTitle().isEmpty())
        kksReportError(84, context);
    m_menus.add(M);
    void* nativeBar = getNativeMenuWin32(*this);
    KMenu* help = getHelpMenu();
    // The Help menu stays the last entry.
    if (keepsHelpMenuLast() && help)
        removeNativeSubMenuEntryWin32(nativeBar, help->getNativeMenu());
    appendNativeSubMenuWin32(nativeBar, M.getNativeMenu(), entryText(M).getText());
    M.setParentMenuBar(*this);
    if (keepsHelpMenuLast() && help)
        appendNativeSubMenuWin32(nativeBar, help->getNativeMenu(), entryText(*help).getText());
    redrawMenuBarWin32(*this);
    invalidateAcceleratorsWin32();
}

void KMenuBar::appendAbout(const KString& Title)
{
    if (m_flags.getFlags() & AboutFlag)
        return;
    KMenuPtr help = &makeHelpMenu();
    if (!help.hasObject(nullptr))
        return;
    if (help->getItemCount() > 0)
        help->appendSeparator();
    m_aboutTitle = Title;
    help->appendItem(Title);
    m_flags.set(AboutFlag);
    redrawMenuBarWin32(*this);
}

KMenu& KMenuBar::makeHelpMenu()
{
    if (KMenu* help = getHelpMenu())
        return *help;
    createHelpMenuWin32(*this);
    KMenu* made = getHelpMenu();
    if (!made)
        return kNullReference<KMenu>();
    made->setTitle("Help");
    made->setParentMenuBar(*this);
    appendNativeSubMenuWin32(getNativeMenuWin32(*this), made->getNativeMenu(), "&Help");
    return *made;
}

void KMenuBar::destroyAbout()
{
    if (!(m_flags.getFlags() & AboutFlag))
        return;
    KMenuPtr help = getHelpMenu();
    if (!help.hasObject(nullptr)) {
        kksReportError(86, "void KMenuBar::destroyAbout()");
        return;
    }
    m_aboutTitle.clear();
    help->removeItemAt(help->getItemCount());
    m_flags.clear(AboutFlag);
    if (!(m_flags.getFlags() & HelpFlag)) {
        // A released Help menu must not stay in the bar as an entry that opens nothing.
        removeNativeSubMenuEntryWin32(getNativeMenuWin32(*this), help->getNativeMenu());
        releaseHelpMenuWin32(*this);
    }
    redrawMenuBarWin32(*this);
}

void KMenuBar::appendExitItem(KMenu& M, bool Separator)
{
    KMenuItemPtr item = new KMenuItem;
    item->setTitle(localizedExitTitle());
    setExitItem(*item);
    if (Separator)
        M.appendSeparator();
    M.appendItem(*item);
}

void KMenuBar::getAllMenus(KBag& Out) const
{
    Out.addAll(m_menus);
    for (long i = 0; i < m_menus.getCount(); ++i)
        menuAt(m_menus, i).getAllSubMenus(Out);
}

bool KMenuBar::findMenu(const KMenu& M, long* OutPosition) const
{
    long index = -1;
    if (!m_menus.has(M, &index))
        return false;
    if (OutPosition)
        *OutPosition = index + 1;
    return true;
}

void KMenuBar::enableNativeEntries(bool Enable)
{
    void* nativeBar = getNativeMenuWin32(*this);
    const long count = m_menus.getCount();
    for (long i = 0; i < count; ++i) {
        // A menu disabled on its own stays grey.
        if (!Enable || menuAt(m_menus, i).isEnabled())
            enableNativeEntryWin32(nativeBar, i, Enable);
    }
    KMenu* help = getHelpMenu();
    if (help && help->getNativeMenu())
        enableNativeEntryWin32(nativeBar, count, Enable);
}

void KMenuBar::disable()
{
    enableNativeEntries(false);
    m_flags.clear(EnabledFlag);
    if (isInstalled()) {
        redrawMenuBarWin32(*this);
        invalidateAcceleratorsWin32();
    }
    sendUpdateEvents();
}

void KMenuBar::enable()
{
    m_flags.set(EnabledFlag);
    enableNativeEntries(true);
    sendUpdateEvents();
    if (isInstalled()) {
        redrawMenuBarWin32(*this);
        invalidateAcceleratorsWin32();
    }
}

void KMenuBar::sendUpdateEvents()
{
    KBag menus;
    getAllMenus(menus);
    for (long i = 0; i < menus.getCount(); ++i) {
        KMenuEventPtr update = new KMenuEvent;
        update->setType(KMenuEvent::Opening);
        update->setMenu(menuAt(menus, i));
        KEvent::send(*update);
    }
}
