#include "application/KWindowManager.h"

#include "application/KApplication.h"
#include "application/KCursorManager.h"
#include "application/KKeyboardManager.h"
#include "application/KMenuManager.h"
#include "application/MacStyleMenuBarWin32.h"
#include "application/WindowStackingWin32.h"
#include "foundation/KernelFunctions.h"

#include <cstring>

namespace {
KWindowManagerPtr s_manager;

// Any window layer: the find operations that take no layer.
constexpr long kAnyLayer = -1;

// The separate menu-bar window while it shows the menu bar, on the platforms where the
// stacking keeps it on top (the Windows 95 family makes it topmost instead); else null.
void* menuBarWindowInStack()
{
    if (!KMenuManager::exists() || knsGetOSVersion() < 15)
        return nullptr;
    const KMenuManager& menus = KMenuManager::getMenuManager();
    if (menus.hasWindowMenuBars() || !menus.hasMenuBar() || !menus.isMenuBarShown() || !isMacStyleMenuBarShownWin32())
        return nullptr;
    return getMacStyleMenuBarWindowWin32();
}

// The dialog class is registered by the dialogs' own code; until then nothing is a
// dialog. The registry is walked so that a missing class is not an error.
KClass* findDialogClass()
{
    for (KClass* record = KClass::getFirst(); record; record = record->getNext()) {
        if (std::strcmp(record->getName(), "KDialog") == 0)
            return record;
    }
    return nullptr;
}
} // namespace

K_DEFINE_CLASS(KWindowManager, KThing, 1)

KWindowManager::KWindowManager() = default;

KWindowManager::~KWindowManager() { m_windows.clear(); }

KWindowManager& KWindowManager::get() { return s_manager.getObject(); }
bool KWindowManager::exists() { return s_manager.hasObject(nullptr); }

void KWindowManager::create(KClass& ManagerClass)
{
    KThingPtr made = ManagerClass.createObject();
    if (!made.hasObject(nullptr))
        return;
    if (!made->isEqualOrSubClass(*getClassRecord())) {
        kksReportError(18, "void KApplication::createWindowManager(KClass& WindowManagerClass)");
        return;
    }
    s_manager = static_cast<KWindowManager&>(*made);
}

void KWindowManager::release() { s_manager.reset(); }

bool KWindowManager::isDialog(const KWindow& W)
{
    KClass* dialogClass = findDialogClass();
    return dialogClass && W.isEqualOrSubClass(*dialogClass);
}

void KWindowManager::setActiveWindow(KWindow& W) { m_activeWindow.setObject(W); }
void KWindowManager::resetActiveWindow() { m_activeWindow.reset(); }

void KWindowManager::windowOpened(KWindow& W)
{
    const bool dialog = isDialog(W);
    if (dialog)
        ++m_dialogCount;
    // The menu bar is grey while any dialog is open.
    if (dialog && m_dialogCount == 1 && KMenuManager::exists())
        KMenuManager::getMenuManager().disableMenuBar();
    m_windows.add(W);
    acceptDroppedFilesWin32(W.getNativeWindow());
    bringToFront(W);
    if (dialog) {
        for (long i = 0; i < m_windows.getCount(); ++i) {
            if (&windowAt(i) != &W)
                windowAt(i).blockInput();
        }
    }
    arrangeNativeWindows();
}

void KWindowManager::windowClosed(KWindow& W)
{
    KWindowPtr hold(W.isOnHeap() ? &W : nullptr);
    m_windows.remove(W);
    // The front-most remaining dialog and everything in front of it take input; the
    // windows behind it stay blocked.
    bool behindDialog = false;
    for (long i = m_windows.getCount() - 1; i >= 0; --i) {
        KWindow& window = windowAt(i);
        if (behindDialog)
            window.blockInput();
        else
            window.unblockInput();
        if (isDialog(window))
            behindDialog = true;
    }
    arrangeNativeWindows();
    if (hasActiveWindow() && &getActiveWindow() == &W)
        resetActiveWindow();
    if (KCursorManager::exists()) {
        KCursorManager& cursor = KCursorManager::get();
        if (cursor.hasCaptureWindow() && &cursor.getCaptureWindow() == &W)
            cursor.releaseMouse();
        KWindowPtr underMouse;
        if (cursor.getWindowUnderMouse(underMouse) && underMouse == W)
            cursor.clearWindowUnderMouse();
    }
    if (KKeyboardManager::exists()) {
        KKeyboardManager& keyboard = KKeyboardManager::getManager();
        if (keyboard.hasFocusElement() && keyboard.getFocusElement().hasLayer()) {
            KLayer& layer = keyboard.getFocusElement().getLayer();
            if (layer.hasWindow() && &layer.getWindow() == &W)
                keyboard.clearFocusElement();
        }
    }
    if (isDialog(W) && m_dialogCount > 0) {
        --m_dialogCount;
        if (m_dialogCount == 0 && KMenuManager::exists())
            KMenuManager::getMenuManager().enableMenuBar(true);
    }
    hold.reset();
    // What lies under the mouse may have been this window.
    if (KCursorManager::exists())
        KCursorManager::get().trackMouseAgain();
}

void KWindowManager::bringToFront(KWindow& W)
{
    // One pass: W moves forward past every window of an equal or lower layer, and any
    // window standing behind one of a lower layer moves one place forward.
    for (long i = 0; i + 1 < m_windows.getCount(); ++i) {
        KWindow& back = windowAt(i);
        KWindow& front = windowAt(i + 1);
        const bool swap = &back == &W ? back.getWindowLayer() >= front.getWindowLayer()
                                      : back.getWindowLayer() > front.getWindowLayer();
        if (swap)
            m_windows.swap(i, i + 1);
    }
    activateNativeWindowWin32(W.getNativeWindow());
    arrangeNativeWindows();
}

void KWindowManager::closeAllWindowsButMain()
{
    KApplication* application = KApplication::getApplication();
    KWindow* mainWindow = application && application->hasMainWindow() ? &application->getMainWindow() : nullptr;
    for (long i = m_windows.getCount() - 1; i >= 0; --i) {
        if (i >= m_windows.getCount())
            continue;
        KWindow& window = windowAt(i);
        if (&window != mainWindow)
            window.close();
    }
}

void KWindowManager::arrangeNativeWindows()
{
    if (!exists())
        return;
    std::vector<void*> visible;
    for (long i = m_windows.getCount() - 1; i >= 0; --i) {
        KWindow& window = windowAt(i);
        if (window.isVisible() && window.getNativeWindow())
            visible.push_back(window.getNativeWindow());
    }
    void* commonDialog = KEvent::getCommonDialogWindow();
    void* menuBar = menuBarWindowInStack();
    if (visible.size() + (commonDialog ? 1 : 0) + (menuBar ? 1 : 0) < 2)
        return;
    void* active = hasActiveWindow() ? getActiveWindow().getNativeWindow() : nullptr;
    stackNativeWindowsWin32(commonDialog, menuBar, visible, active);
    // The Windows 95 family keeps the menu-bar window on top by making it topmost.
    if (knsGetOSVersion() < 15)
        raiseNativeWindowToTopmostWin32(isMacStyleMenuBarShownWin32() ? getMacStyleMenuBarWindowWin32() : nullptr);
}

bool KWindowManager::findVisibleFrom(long Start, long Step, long Layer, KWindowPtr& Out) const
{
    for (long i = Start; i >= 0 && i < m_windows.getCount(); i += Step) {
        KWindow& window = windowAt(i);
        if (window.isVisible() && (Layer == kAnyLayer || window.getWindowLayer() == Layer)) {
            Out = window;
            return true;
        }
    }
    return false;
}

KWindow& KWindowManager::reportNoWindow(const char* Context) const
{
    kksReportError(91, Context);
    // Reached only when the application took the fatal report; callers must not use it.
    return kNullReference<KWindow>();
}

bool KWindowManager::findFrontWindow(KWindowPtr& Out) const
{
    return findVisibleFrom(m_windows.getCount() - 1, -1, kAnyLayer, Out);
}

bool KWindowManager::hasFrontWindow() const
{
    KWindowPtr found;
    return findFrontWindow(found);
}

KWindow& KWindowManager::getFrontWindow() const
{
    KWindowPtr found;
    if (!findFrontWindow(found))
        return reportNoWindow("KWindow& KWindowManager::getFrontWindow() const");
    return *found;
}

bool KWindowManager::findFrontWindow(long Layer, KWindowPtr& Out) const
{
    return findVisibleFrom(m_windows.getCount() - 1, -1, Layer, Out);
}

bool KWindowManager::hasFrontWindow(long Layer) const
{
    KWindowPtr found;
    return findFrontWindow(Layer, found);
}

KWindow& KWindowManager::getFrontWindow(long Layer) const
{
    KWindowPtr found;
    if (!findFrontWindow(Layer, found))
        return reportNoWindow("KWindow& KWindowManager::getFrontWindow(long Layer) const");
    return *found;
}

bool KWindowManager::findWindowBelow(const KWindow& W, KWindowPtr& Out) const
{
    const long index = m_windows.findIndexOf(W);
    return index >= 0 && findVisibleFrom(index - 1, -1, kAnyLayer, Out);
}

bool KWindowManager::hasWindowBelow(const KWindow& W) const
{
    KWindowPtr found;
    return findWindowBelow(W, found);
}

KWindow& KWindowManager::getWindowBelow(const KWindow& W) const
{
    KWindowPtr found;
    if (!findWindowBelow(W, found))
        return reportNoWindow("KWindow& KWindowManager::getWindowBelow(KWindow& W) const");
    return *found;
}

bool KWindowManager::findWindowAbove(const KWindow& W, KWindowPtr& Out) const
{
    const long index = m_windows.findIndexOf(W);
    return index >= 0 && findVisibleFrom(index + 1, 1, kAnyLayer, Out);
}

bool KWindowManager::hasWindowAbove(const KWindow& W) const
{
    KWindowPtr found;
    return findWindowAbove(W, found);
}

KWindow& KWindowManager::getWindowAbove(const KWindow& W) const
{
    KWindowPtr found;
    if (!findWindowAbove(W, found))
        return reportNoWindow("KWindow& KWindowManager::getWindowAbove(KWindow&) const");
    return *found;
}

bool KWindowManager::findWindowAt(const KGraphicPoint& ScreenPos, KWindowPtr& Out) const
{
    for (long i = m_windows.getCount() - 1; i >= 0; --i) {
        KWindow& window = windowAt(i);
        if (window.isVisible() && window.getFrame().contains(ScreenPos)) {
            Out = window;
            return true;
        }
    }
    return false;
}
