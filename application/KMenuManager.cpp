#include "application/KMenuManager.h"

#include "application/KMenu.h"
#include "application/KMenuBar.h"
#include "application/KMenuEvent.h"
#include "application/KMenuItem.h"
#include "application/KMouseEvent.h"
#include "application/KWindow.h"
#include "application/KWindowManager.h"
#include "application/MacStyleMenuBarWin32.h"
#include "application/NativeMenusWin32.h"
#include "foundation/ErrorTable.h"

namespace {
KMenuManagerPtr s_manager;

// Menus live with IDs from 0 to this one.
constexpr long kLastMenuID = 255;
} // namespace

K_DEFINE_CLASS(KMenuManager, KThing, 1)

KMenuManager::KMenuManager()
    : m_flags(ShownFlag)
{
    m_usedMenuIDs.setIsDirect(true);
}

KMenuManager::~KMenuManager()
{
    resetMenuBar();
    // The separate menu-bar window is this manager's; it goes with it.
    if (!m_windowMenuBars)
        destroyMacStyleMenuBarWin32();
}

void KMenuManager::create() { s_manager = new KMenuManager; }

void KMenuManager::destroy()
{
    // The menus that go with the manager find it gone and keep their IDs to themselves.
    KMenuManagerPtr leaving = s_manager;
    s_manager.reset();
}

KMenuManager& KMenuManager::getMenuManager() { return s_manager.getObject(); }
bool KMenuManager::exists() { return s_manager.hasObject(nullptr); }

long KMenuManager::getNewUniqueMenuID()
{
    long candidate = 0;
    for (long i = 0; i < m_usedMenuIDs.getCount(); ++i) {
        if (m_usedMenuIDs.getDirectDataAt(i) == candidate) {
            ++candidate;
            i = -1;
        }
    }
    if (candidate > kLastMenuID) {
        kksReportError(88, "long KMenuManager::getNewUniqueMenuID()");
        return 0;
    }
    m_usedMenuIDs.addDirectData(candidate);
    return candidate;
}

void KMenuManager::releaseID(long ID)
{
    for (long i = 0; i < m_usedMenuIDs.getCount(); ++i) {
        if (m_usedMenuIDs.getDirectDataAt(i) == ID) {
            m_usedMenuIDs.removeAt(i);
            return;
        }
    }
    kksReportError(89, "void KMenuManager::releaseID(long ID)");
}

KMenuBar& KMenuManager::getMenuBar() const { return static_cast<KMenuBar&>(m_menuBar.getObject()); }
KMenu& KMenuManager::getPopupMenu() const { return static_cast<KMenu&>(m_popupMenu.getObject()); }

void KMenuManager::setPopupMenu(KMenu& M) { m_popupMenu.setObject(M); }
void KMenuManager::resetPopupMenu() { m_popupMenu.reset(); }

void* KMenuManager::getNativeMenuForWindows() const
{
    if (!m_windowMenuBars || !hasMenuBar() || !isMenuBarShown())
        return nullptr;
    return getNativeMenuWin32(getMenuBar());
}

void KMenuManager::collectWindowsWithBar(KBag& Out)
{
    if (!KWindowManager::exists())
        return;
    const KBag& windows = KWindowManager::get().getWindows();
    for (long i = 0; i < windows.getCount(); ++i) {
        auto& window = static_cast<KWindow&>(windows[i]);
        if ((window.getStateFlags() & KWindow::CarriesMenuBarFlag) && window.getNativeWindow())
            Out.add(window);
    }
}

void KMenuManager::applyToWindows(void* Menu)
{
    KBag windows;
    collectWindowsWithBar(windows);
    for (long i = 0; i < windows.getCount(); ++i) {
        auto& window = static_cast<KWindow&>(windows[i]);
        const KGraphicRectangle content(window.getBounds());
        setWindowMenuWin32(window.getNativeWindow(), Menu, window.isVisible());
        window.resize(content);
    }
}

void KMenuManager::setMenuBar(KMenuBar& MB)
{
    if (hasMenuBar() && &getMenuBar() == &MB)
        return;
    resetMenuBar();
    m_menuBar.setObject(MB);
    if (MB.isEnabled())
        m_flags.set(InstalledEnabledFlag);
    else
        m_flags.clear(InstalledEnabledFlag);
    invalidateAcceleratorsWin32();
    if (m_windowMenuBars) {
        // A hidden bar comes to the windows when it is shown.
        applyToWindows(getNativeMenuForWindows());
        return;
    }
    setMacStyleMenuBarMenuWin32(getNativeMenuWin32(MB));
    if (isMenuBarShown())
        showMacStyleMenuBarWin32();
    else
        hideMacStyleMenuBarWin32();
}

void KMenuManager::resetMenuBar()
{
    if (!hasMenuBar())
        return;
    invalidateAcceleratorsWin32();
    if (!m_windowMenuBars) {
        setMacStyleMenuBarMenuWin32(nullptr);
    } else {
        KBag windows;
        collectWindowsWithBar(windows);
        for (long i = 0; i < windows.getCount(); ++i) {
            auto& window = static_cast<KWindow&>(windows[i]);
            const KGraphicRectangle content(window.getBounds());
            setWindowMenuWin32(window.getNativeWindow(), nullptr, false);
            drawWindowMenuBarWin32(window.getNativeWindow());
            window.setBounds(content);
        }
    }
    m_menuBar.reset();
}

void KMenuManager::attachMenuBar(bool OnWindows)
{
    if (OnWindows == m_windowMenuBars)
        return;
    invalidateAcceleratorsWin32();
    const bool barShown = hasMenuBar() && isMenuBarShown();
    if (!OnWindows) {
        if (barShown)
            applyToWindows(nullptr);
        m_windowMenuBars = false;
        createMacStyleMenuBarWin32(barShown, hasMenuBar() ? getNativeMenuWin32(getMenuBar()) : nullptr);
        return;
    }
    destroyMacStyleMenuBarWin32();
    m_windowMenuBars = true;
    if (hasMenuBar())
        applyToWindows(getNativeMenuForWindows());
}

void KMenuManager::showMenuBar(bool Show)
{
    if (!Show) {
        hideMenuBar();
        return;
    }
    invalidateAcceleratorsWin32();
    m_flags.set(ShownFlag);
    void* nativeBar = hasMenuBar() ? getNativeMenuWin32(getMenuBar()) : nullptr;
    if (m_windowMenuBars) {
        if (nativeBar)
            applyToWindows(nativeBar);
        return;
    }
    setMacStyleMenuBarMenuWin32(nativeBar);
    showMacStyleMenuBarWin32();
}

void KMenuManager::hideMenuBar()
{
    invalidateAcceleratorsWin32();
    if (!m_windowMenuBars)
        hideMacStyleMenuBarWin32();
    else if (hasMenuBar())
        applyToWindows(nullptr);
    m_flags.clear(ShownFlag);
}

void KMenuManager::enableMenuBar(bool Enable)
{
    if (!Enable) {
        disableMenuBar();
        return;
    }
    m_flags.set(EnabledFlag);
    // A bar installed while disabled stays disabled.
    if (hasMenuBar() && (m_flags.getFlags() & InstalledEnabledFlag))
        getMenuBar().enable();
    if (!m_windowMenuBars)
        enableMacStyleMenuBarWin32();
}

void KMenuManager::disableMenuBar()
{
    if (hasMenuBar())
        getMenuBar().disable();
    m_flags.clear(EnabledFlag);
    if (!m_windowMenuBars)
        disableMacStyleMenuBarWin32();
}

bool KMenuManager::doPopupMenu(KMenu& M, KWindow& W, const KGraphicPoint& Pos, long& SelectedItem)
{
    if (M.hasParentMenuBar() || M.hasParentMenuItem())
        kksReportError(75, "bool KMenu::doPopupMenu(const KWindow& W, const KGraphicPoint& Pos,long& SelectedItem, "
                           "bool CheckSelected)");
    KMenuPtr hold(M);
    KWindowPtr window(W);
    setPopupMenu(M);
    M.setType(KMenu::PopupMenu);
    const short h = static_cast<short>(Pos.getH() + W.getBounds().getH());
    const short v = static_cast<short>(Pos.getV() + W.getBounds().getV());
    const long chosen = trackPopupMenuWin32(M.getNativeMenu(), h, v, W.getNativeWindow());
    M.setType(KMenu::PlainMenu);
    if (chosen == 0) {
        resetPopupMenu();
        return false;
    }
    // The menu's modal loop took the button's release; the press that opened the menu
    // ends here.
    KMouseEventPtr release = new KMouseEvent;
    release->setType(KMouseEvent::Up);
    release->setWindow(W);
    release->setLocalPosition(Pos);
    KGraphicPoint global(Pos);
    W.localToScreen(global);
    release->setGlobalPosition(global);
    release->setButton(KMouseEvent::LeftButton);
    release->setButtonHeld(0);
    KEvent::send(*release);

    KMenuItemPtr item = findMenuItemByNativeIDWin32(chosen);
    if (!item.hasObject(nullptr)) {
        resetPopupMenu();
        return false;
    }
    // An item of a sub menu of M has no position in M.
    if (!M.findItem(*item, &SelectedItem))
        SelectedItem = -1;
    KMenuEventPtr choice = new KMenuEvent;
    choice->setType(KMenuEvent::ItemChosen);
    choice->setMenu(M);
    choice->setMenuItem(*item);
    KEvent::send(*choice);
    resetPopupMenu();
    return true;
}
