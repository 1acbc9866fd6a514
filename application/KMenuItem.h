#pragma once
// One entry of a menu: a command with a title and an optional Control-key shortcut, a
// separator, or the holder of a sub menu. Every change is written at once into the native
// entry of the menu it is attached to.
#include "foundation/KClass.h"
#include "foundation/KFlagSet.h"
#include "foundation/KNativePtr.h"
#include "foundation/KString.h"
#include "foundation/KThingPtr.h"

class KMenu;
class KMenuEvent;

enum KMenuItemType : uint8 {
    kCommandItem = 0,
    kSeparatorItem = 1,
    kSubMenuItem = 2,
};

class KMenuItem : public KThing {
    K_DECLARE_CLASS(KMenuItem)
public:
    enum Flag : uint32 {
        EnabledFlag = 0x1,
        ShortcutFlag = 0x2,
        CheckedFlag = 0x4,
    };

    // The shortcut of an item that has none.
    static constexpr char kNoShortcut = static_cast<char>(0xFF);

    KMenuItem();
    ~KMenuItem() override;

    // An object the owner attaches to the item; the menus never read it.
    virtual void setItemData(KThing& Data);
    virtual void resetItemData();
    virtual void setSubMenu(KMenu& M);
    virtual void resetSubMenu();
    virtual void setParentMenu(KMenu& M);
    virtual void resetParentMenu();
    // The item was chosen; true when handled.
    virtual bool doMenuItem(KMenuEvent& E);

    // Only a detached item's type should be set.
    void setType(KMenuItemType T);
    KMenuItemType getType() const { return m_type; }
    void setTitle(const KString& S);
    const KString& getTitle() const { return m_title; }
    // The application's own number for the item; -1 until set.
    void setID(long ID) { m_id = ID; }
    long getID() const { return m_id; }
    void setShortcutKey(char Key);
    char getShortcutKey() const { return m_shortcut; }
    bool hasShortcut() const { return (m_flags.getFlags() & ShortcutFlag) != 0; }
    void setChecked(bool Checked);
    bool isChecked() const { return (m_flags.getFlags() & CheckedFlag) != 0; }
    void enable(bool Enable = true);
    void disable();
    bool isEnabled() const { return (m_flags.getFlags() & EnabledFlag) != 0; }
    uint32 getItemFlags() const { return m_flags.getFlags(); }

    KMenu& getSubMenu() const;
    bool hasSubMenu() const { return m_subMenu.hasObject(nullptr); }
    KMenu& getParentMenu() const;
    bool hasParentMenu() const { return m_parentMenu.get() != nullptr; }
    KThing& getItemData() const { return m_itemData.getObject(); }
    bool hasItemData() const { return m_itemData.hasObject(nullptr); }

    // The native command ID: 0 while detached.
    void setNativeID(long ID) { m_nativeID = ID; }
    long getNativeID() const { return m_nativeID; }
    // The text of the native entry: "&" before the title, and a shortcut as a tab,
    // "Ctrl+" and the key.
    KString getNativeText() const;

protected:
    // Separators and owner-drawn cells show no text.
    virtual bool hasNativeText() const { return m_type != kSeparatorItem; }

private:
    // Rewrites the attached entry's text; true when there was one to rewrite.
    bool rewriteNativeEntry();

    KThingPtr m_itemData;
    KThingPtr m_subMenu;
    KNativePtr m_parentMenu;
    long m_nativeID = 0;
    long m_id = -1;
    char m_shortcut = kNoShortcut;
    KFlagSet m_flags;
    KMenuItemType m_type = kCommandItem;
    KString m_title;
};

K_POINTER_CLASS(KMenuItem, KThingPtr);
