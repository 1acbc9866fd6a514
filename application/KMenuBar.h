#pragma once
// The application's menu bar: its top-level menus in order, a Help menu kept last that
// ends with the About entry, and the Exit item that the application places in one of its
// menus. The application builds it at start-up and gives it to the menu manager.
#include "foundation/KBag.h"
#include "foundation/KClass.h"
#include "foundation/KFlagSet.h"
#include "foundation/KString.h"
#include "foundation/KThingPtr.h"

class KMenu;
class KMenuEvent;
class KMenuItem;

class KMenuBar : public KThing {
    K_DECLARE_CLASS(KMenuBar)
public:
    enum Flag : uint32 {
        EnabledFlag = 0x1,
        // Tested with the About flag; the framework never sets it.
        HelpFlag = 0x2,
        AboutFlag = 0x4,
    };

    KMenuBar();
    ~KMenuBar() override;

    virtual void setExitItem(KMenuItem& Item);
    virtual void resetExitItem();
    // Kept for the application; the menus never read it.
    virtual void setReservedItem(KThing& Item);
    virtual void resetReservedItem();
    // Menu events that no item or menu handled: kinds 0, 1, 4, 3, 5 and 2.
    virtual bool doMenuOpening(KMenuEvent& E);
    virtual bool doMenuItem(KMenuEvent& E);
    virtual bool doHelp(KMenuEvent& E);
    virtual bool doAbout(KMenuEvent& E);
    virtual bool doMenuRequest(KMenuEvent& E);
    virtual bool doCustomMenuItem(KMenuEvent& E);

    void append(KMenu& M);
    // The Help menu, made on first need, gets the About entry as its last item.
    void appendAbout(const KString& Title);
    // The Help menu, made and put last in the bar when there is none yet. Items that the
    // application appends to it before the About entry reach its Help hook.
    KMenu& makeHelpMenu();
    void destroyAbout();
    // The item that quits the application, titled with the localised "E&xit\tAlt+F4".
    void appendExitItem(KMenu& M, bool Separator);

    // The Help menu, or null.
    KMenu* getHelpMenu() const;
    KMenuItem& getExitItem() const;
    bool hasExitItem() const { return m_exitItem.hasObject(nullptr); }
    const KString& getAboutTitle() const { return m_aboutTitle; }
    // The top-level menus in order; the Help menu is not among them.
    const KBag& getMenus() const { return m_menus; }
    // Appends the top-level menus, then all menus below each of them in turn.
    void getAllMenus(KBag& Out) const;
    bool findMenu(const KMenu& M, long* OutPosition = nullptr) const;
    void enable();
    void disable();
    bool isEnabled() const { return (m_flags.getFlags() & EnabledFlag) != 0; }
    uint32 getBarFlags() const { return m_flags.getFlags(); }
    // Every menu hears that its state should be brought up to date.
    void sendUpdateEvents();

    void* getNativeRecord() const { return m_nativeRecord; }

private:
    bool keepsHelpMenuLast() const { return (m_flags.getFlags() & (HelpFlag | AboutFlag)) != 0; }
    bool isInstalled() const;
    // Greys or enables the native entries of the top-level menus and of the Help menu.
    void enableNativeEntries(bool Enable);

    KThingPtr m_exitItem;
    KThingPtr m_reservedItem;
    void* m_nativeRecord = nullptr;
    KFlagSet m_flags;
    KBag m_menus;
    KString m_aboutTitle;
};

K_POINTER_CLASS(KMenuBar, KThingPtr);
