#pragma once
// A drop-down menu: a title and its items in display order, backed by one native pop-up
// menu. A menu hangs in the menu bar, under a sub-menu item of another menu, or nowhere,
// from where the menu manager can show it as a pop-up. Choosing an item reaches the
// item's hook, then this menu's, then those of the menus above it.
#include "foundation/KBag.h"
#include "foundation/KClass.h"
#include "foundation/KFlagSet.h"
#include "foundation/KNativePtr.h"
#include "foundation/KString.h"
#include "foundation/KThingPtr.h"

class KMenuBar;
class KMenuEvent;
class KMenuItem;

class KMenu : public KThing {
    K_DECLARE_CLASS(KMenu)
public:
    enum Flag : uint32 {
        EnabledFlag = 0x1,
    };

    enum Type : uint8 {
        PlainMenu = 0,
        SubMenu = 1,
        // Only while the menu manager shows it as a pop-up.
        PopupMenu = 2,
    };

    // Custom is 1 for an owner-drawn menu.
    explicit KMenu(uint8 Custom = 0);
    ~KMenu() override;

    virtual void setParentMenuBar(const KMenuBar& MB);
    virtual void resetParentMenuBar();
    virtual void setParentMenuItem(const KMenuItem& MI);
    virtual void resetParentMenuItem();
    // The menu is about to open: the place to enable, disable and check items.
    virtual bool doMenuOpening(KMenuEvent& E);
    // An item of this menu, or of a menu below it, was chosen.
    virtual bool doMenuItem(KMenuEvent& E);

    void setTitle(const KString& S);
    const KString& getTitle() const { return m_title; }
    void setType(uint8 T);
    uint8 getType() const { return m_type; }
    bool isCustom() const { return m_custom != 0; }
    long getMenuID() const { return m_menuID; }
    void* getNativeMenu() const { return m_nativeMenu; }
    uint32 getMenuFlags() const { return m_flags.getFlags(); }
    bool isEnabled() const { return (m_flags.getFlags() & EnabledFlag) != 0; }

    KMenuBar& getParentMenuBar() const;
    bool hasParentMenuBar() const { return m_parentMenuBar.get() != nullptr; }
    KMenuItem& getParentMenuItem() const;
    bool hasParentMenuItem() const { return m_parentMenuItem.get() != nullptr; }

    void appendItem(KMenuItem& Item);
    // New command items; a shortcut of 0 gives none.
    KMenuItem& appendItem(const KString& Title);
    KMenuItem& appendItem(const KString& Title, long ID);
    KMenuItem& appendItem(const KString& Title, char Shortcut, long ID);
    void appendSubMenu(KMenu& Menu);
    void appendSubMenu(KMenu& SubMenu, const KString& Title);
    void appendSeparator();

    // Items in display order; an item's position is its index here plus one.
    const KBag& getItems() const { return m_items; }
    long getItemCount() const { return m_items.getCount(); }
    // The first item, in position order, with that command ID or that title; error 72
    // and a null reference when there is none.
    KMenuItem& getItemWithID(long ID) const;
    KMenuItem& getItemWithTitle(const KString& Str) const;
    bool findItem(const KMenuItem& MI, long* OutPosition = nullptr) const;
    // The 1-based position; error 72 and -1 when the item is not here.
    long getItemPosition(const KMenuItem& MI) const;
    // Depth first, a menu's own title before the menus below it; error 73 and a null
    // reference when none matches.
    KMenu& getSubMenuWithTitle(KString& Title) const;
    // Appends every sub menu below this menu, each before its own sub menus.
    void getAllSubMenus(KBag& Out) const;

    void removeItem(KMenuItem& MI);
    void removeItemAt(long Position);
    void removeAllItems();
    void uncheckAllItems();
    void setEnabled(bool Enabled);
    void disable();
    void enableAllItems(bool Enabled = true);
    void disableAllItems();

protected:
    // Adds an item already entered in the native menu, and links it here.
    void adoptItem(KMenuItem& Item);

private:
    bool findSubMenu(const KString& Title, KMenu*& Out) const;
    // The 0-based index of this menu's entry in its menu bar, or -1.
    long findBarIndex() const;

    KNativePtr m_parentMenuBar;
    KNativePtr m_parentMenuItem;
    uint8 m_custom;
    long m_menuID = 0;
    // The menu ID was recorded by the menu manager and goes back to it.
    bool m_holdsMenuID = false;
    void* m_nativeMenu = nullptr;
    KFlagSet m_flags;
    uint8 m_type = PlainMenu;
    KString m_title;
    KBag m_items;
};

K_POINTER_CLASS(KMenu, KThingPtr);
