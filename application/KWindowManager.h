#pragma once
// The one window manager of the process: every open window in one list from back to
// front, the active window, windows of a higher window layer kept in front of those of a
// lower one, and the native stacking made to follow the list.
#include "application/KWindow.h"
#include "foundation/KBag.h"
#include "foundation/KClass.h"

class KWindowManager : public KThing {
    K_DECLARE_CLASS(KWindowManager)
public:
    KWindowManager();
    ~KWindowManager() override;

    // The global manager; error 18 when there is none.
    static KWindowManager& get();
    static bool exists();
    // Makes the global manager an object of the given class (the application's start-up
    // names it), or drops it.
    static void create(KClass& ManagerClass);
    static void release();

    virtual void setActiveWindow(KWindow& W);
    virtual void resetActiveWindow();
    virtual void windowOpened(KWindow& W);
    virtual void windowClosed(KWindow& W);

    KWindow& getActiveWindow() const { return m_activeWindow.getObject(); }
    bool hasActiveWindow() const { return m_activeWindow.hasObject(nullptr); }

    // Index 0 is the back-most window.
    const KBag& getWindows() const { return m_windows; }
    void bringToFront(KWindow& W);
    void closeAllWindowsButMain();
    void arrangeNativeWindows();

private:
    KWindowPtr m_activeWindow;
    KBag m_windows;
};

K_POINTER_CLASS(KWindowManager, KThingPtr);
