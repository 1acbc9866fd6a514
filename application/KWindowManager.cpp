#include "application/KWindowManager.h"

#include "application/KApplication.h"
#include "application/WindowStackingWin32.h"

namespace {
KWindowManagerPtr s_manager;
}

K_DEFINE_CLASS(KWindowManager, KThing, 1)

KWindowManager::KWindowManager() = default;

KWindowManager::~KWindowManager()
{
    m_windows.clear();
}

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

void KWindowManager::setActiveWindow(KWindow& W) { m_activeWindow.setObject(W); }
void KWindowManager::resetActiveWindow() { m_activeWindow.reset(); }

void KWindowManager::windowOpened(KWindow& W)
{
    m_windows.add(W);
    acceptDroppedFilesWin32(W.getNativeWindow());
    bringToFront(W);
    arrangeNativeWindows();
}

void KWindowManager::windowClosed(KWindow& W)
{
    KWindowPtr hold(W.isOnHeap() ? &W : nullptr);
    m_windows.remove(W);
    arrangeNativeWindows();
    if (hasActiveWindow() && &getActiveWindow() == &W)
        resetActiveWindow();
}

void KWindowManager::bringToFront(KWindow& W)
{
    // One pass: W moves forward past every window of an equal or lower layer, and any
    // window standing behind one of a lower layer moves one place forward.
    for (long i = 0; i + 1 < m_windows.getCount(); ++i) {
        auto& back = static_cast<KWindow&>(m_windows[i]);
        auto& front = static_cast<KWindow&>(m_windows[i + 1]);
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
        auto& window = static_cast<KWindow&>(m_windows[i]);
        if (&window != mainWindow)
            window.close();
    }
}

void KWindowManager::arrangeNativeWindows()
{
    // The visible windows, front-most first, stacked in that order.
    KBag visible;
    for (long i = m_windows.getCount() - 1; i >= 0; --i) {
        auto& window = static_cast<KWindow&>(m_windows[i]);
        if (window.isVisible())
            visible.add(window);
    }
    if (visible.getCount() < 2)
        return;
    void* active = hasActiveWindow() ? getActiveWindow().getNativeWindow() : nullptr;
    stackNativeWindowsWin32(visible, active);
}
