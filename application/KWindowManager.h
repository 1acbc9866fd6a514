#pragma once
// The one window manager of the process: every open window in one list from back to
// front, the active window, windows of a higher window layer kept in front of those of a
// lower one, and input refused to every window behind the front-most open dialog. The
// native stacking is made to follow the list.
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
    // Whether W is a dialog (of the registered dialog class or a subclass of it).
    static bool isDialog(const KWindow& W);

    virtual void setActiveWindow(KWindow& W);
    virtual void resetActiveWindow();
    virtual void windowOpened(KWindow& W);
    virtual void windowClosed(KWindow& W);

    KWindow& getActiveWindow() const { return m_activeWindow.getObject(); }
    bool hasActiveWindow() const { return m_activeWindow.hasObject(nullptr); }
    long getDialogCount() const { return m_dialogCount; }

    // Index 0 is the back-most window.
    const KBag& getWindows() const { return m_windows; }
    void bringToFront(KWindow& W);
    void closeAllWindowsButMain();
    void arrangeNativeWindows();

    // Only visible windows are found; the get forms report error 91 when there is none.
    bool findFrontWindow(KWindowPtr& Out) const;
    bool hasFrontWindow() const;
    KWindow& getFrontWindow() const;
    bool findFrontWindow(long Layer, KWindowPtr& Out) const;
    bool hasFrontWindow(long Layer) const;
    KWindow& getFrontWindow(long Layer) const;
    bool findWindowBelow(const KWindow& W, KWindowPtr& Out) const;
    bool hasWindowBelow(const KWindow& W) const;
    KWindow& getWindowBelow(const KWindow& W) const;
    bool findWindowAbove(const KWindow& W, KWindowPtr& Out) const;
    bool hasWindowAbove(const KWindow& W) const;
    KWindow& getWindowAbove(const KWindow& W) const;
    // The front-most visible window whose frame holds the screen point.
    bool findWindowAt(const KGraphicPoint& ScreenPos, KWindowPtr& Out) const;

private:
    KWindow& windowAt(long Index) const { return static_cast<KWindow&>(m_windows[Index]); }
    // The nearest visible window from Start walking by Step; false when none.
    bool findVisibleFrom(long Start, long Step, long Layer, KWindowPtr& Out) const;
    KWindow& reportNoWindow(const char* Context) const;

    KWindowPtr m_activeWindow;
    KBag m_windows;
    long m_dialogCount = 0;
};

K_POINTER_CLASS(KWindowManager, KThingPtr);
