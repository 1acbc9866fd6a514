#pragma once
// The one menu manager of the process. It hands out the menu IDs of all menus, holds the
// application's menu bar, decides where the bar is shown (as the native menu of every
// window that carries it, or in the separate menu-bar window), shows, hides, greys and
// enables it, and shows menus as pop-ups at a point of a window.
#include "foundation/KBag.h"
#include "foundation/KClass.h"
#include "foundation/KFlagSet.h"
#include "foundation/KGraphicPoint.h"
#include "foundation/KThingPtr.h"

class KMenu;
class KMenuBar;
class KWindow;

class KMenuManager : public KThing {
    K_DECLARE_CLASS(KMenuManager)
public:
    enum Flag : uint32 {
        ShownFlag = 0x1,
        // The bar was enabled when it was installed.
        InstalledEnabledFlag = 0x2,
        EnabledFlag = 0x4,
    };

    KMenuManager();
    ~KMenuManager() override;

    // Made and dropped by the application with its other singletons.
    static void create();
    static void destroy();
    // Error 18 when there is none.
    static KMenuManager& getMenuManager();
    static bool exists();

    virtual void setMenuBar(KMenuBar& MB);
    virtual void resetMenuBar();
    virtual void setPopupMenu(KMenu& M);
    virtual void resetPopupMenu();

    // The smallest free ID from 0 to 255.
    long getNewUniqueMenuID();
    void releaseID(long ID);
    long getUsedMenuIDCount() const { return m_usedMenuIDs.getCount(); }

    KMenuBar& getMenuBar() const;
    bool hasMenuBar() const { return m_menuBar.hasObject(nullptr); }
    KMenu& getPopupMenu() const;
    bool hasPopupMenu() const { return m_popupMenu.hasObject(nullptr); }
    uint32 getManagerFlags() const { return m_flags.getFlags(); }
    bool isMenuBarShown() const { return (m_flags.getFlags() & ShownFlag) != 0; }

    // True: the bar is the native menu of every window that carries it; false: it lives
    // in the separate menu-bar window.
    void attachMenuBar(bool OnWindows);
    bool hasWindowMenuBars() const { return m_windowMenuBars; }
    // The native menu that a window carrying the menu bar shows: the installed bar's
    // while it is shown on the windows, else none.
    void* getNativeMenuForWindows() const;

    void showMenuBar(bool Show = true);
    void hideMenuBar();
    void enableMenuBar(bool Enable = true);
    void disableMenuBar();

    // Shows M at Pos (W's coordinates) and waits for the choice; true when an item was
    // chosen, whose 1-based position then goes into SelectedItem.
    bool doPopupMenu(KMenu& M, KWindow& W, const KGraphicPoint& Pos, long& SelectedItem);

private:
    // The windows of the window manager that carry the menu bar and have a native window.
    static void collectWindowsWithBar(KBag& Out);
    // Every window that carries the menu bar gets Menu (or none); its content keeps its
    // place while the frame grows or shrinks by the bar.
    void applyToWindows(void* Menu);

    KThingPtr m_menuBar;
    KThingPtr m_popupMenu;
    KBag m_usedMenuIDs;
    KFlagSet m_flags;
    bool m_windowMenuBars = true;
};

K_POINTER_CLASS(KMenuManager, KThingPtr);
