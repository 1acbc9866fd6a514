#include "application/KMenuItem.h"

#include "application/KMenu.h"
#include "application/NativeMenusWin32.h"
#include "foundation/ErrorTable.h"

K_DEFINE_CLASS(KMenuItem, KThing, 1)

KMenuItem::KMenuItem()
    : m_flags(EnabledFlag)
{
}

KMenuItem::~KMenuItem()
{
    // A sub menu that outlives its item must not keep a link to it.
    if (hasSubMenu()) {
        KMenu& subMenu = getSubMenu();
        if (subMenu.hasParentMenuItem() && &subMenu.getParentMenuItem() == this)
            subMenu.resetParentMenuItem();
    }
}

void KMenuItem::setItemData(KThing& Data) { m_itemData.setObject(Data); }
void KMenuItem::resetItemData() { m_itemData.reset(); }

void KMenuItem::setSubMenu(KMenu& M)
{
    if (M.hasParentMenuBar() || M.hasParentMenuItem())
        kksReportError(70, "void KMenuItem::setSubMenu(KMenu& M)");
    m_subMenu.setObject(M);
    M.setType(KMenu::SubMenu);
}

void KMenuItem::resetSubMenu()
{
    if (!hasSubMenu()) {
        kksReportError(69, "void KMenuItem::resetSubMenu()");
        return;
    }
    KMenu& subMenu = getSubMenu();
    subMenu.setType(KMenu::PlainMenu);
    if (subMenu.hasParentMenuItem() && &subMenu.getParentMenuItem() == this)
        subMenu.resetParentMenuItem();
    m_subMenu.reset();
}

void KMenuItem::setParentMenu(KMenu& M)
{
    if (hasParentMenu())
        kksReportError(70, "void KMenuItem::setParentMenu(KMenu& M)");
    m_parentMenu.setNativePtr(&M);
}

void KMenuItem::resetParentMenu()
{
    if (!hasParentMenu())
        kksReportError(71, "void KMenuItem::resetParentMenu()");
    m_parentMenu.reset();
}

bool KMenuItem::doMenuItem(KMenuEvent&) { return false; }

void KMenuItem::setType(KMenuItemType T)
{
    if (hasParentMenu())
        kksReportError(70, "void KMenuItem::setType(KMenuItemType T)");
    m_type = T;
}

void KMenuItem::setTitle(const KString& S)
{
    m_title = S;
    if (rewriteNativeEntry())
        redrawItemMenuWin32(*this);
}

void KMenuItem::setShortcutKey(char Key)
{
    m_shortcut = Key;
    m_flags.set(ShortcutFlag);
    // A detached item's shortcut reaches the accelerators when it is appended.
    if (rewriteNativeEntry()) {
        redrawItemMenuWin32(*this);
        invalidateAcceleratorsWin32();
    }
}

void KMenuItem::setChecked(bool Checked)
{
    if (Checked == isChecked())
        return;
    if (Checked)
        m_flags.set(CheckedFlag);
    else
        m_flags.clear(CheckedFlag);
    long position = 0;
    if (hasParentMenu() && getParentMenu().getNativeMenu() && getParentMenu().findItem(*this, &position)) {
        setNativeEntryCheckedWin32(getParentMenu().getNativeMenu(), position - 1, Checked, isEnabled());
        redrawItemMenuWin32(*this);
    }
}

void KMenuItem::enable(bool Enable)
{
    if (!Enable) {
        disable();
        return;
    }
    m_flags.set(EnabledFlag);
    long position = 0;
    if (hasParentMenu() && getParentMenu().getNativeMenu() && getParentMenu().findItem(*this, &position))
        enableNativeEntryWin32(getParentMenu().getNativeMenu(), position - 1, true);
    if (hasShortcut())
        invalidateAcceleratorsWin32();
}

void KMenuItem::disable()
{
    m_flags.clear(EnabledFlag);
    long position = 0;
    if (hasParentMenu() && getParentMenu().getNativeMenu() && getParentMenu().findItem(*this, &position))
        enableNativeEntryWin32(getParentMenu().getNativeMenu(), position - 1, false);
    if (hasShortcut())
        invalidateAcceleratorsWin32();
}

KMenu& KMenuItem::getSubMenu() const { return static_cast<KMenu&>(m_subMenu.getObject()); }

KMenu& KMenuItem::getParentMenu() const { return static_cast<KMenu&>(m_parentMenu.getNativePtr()); }

KString KMenuItem::getNativeText() const
{
    KString text("&");
    if (m_type == kSubMenuItem && hasSubMenu()) {
        text += getSubMenu().getTitle();
        return text;
    }
    text += m_title;
    if (hasShortcut()) {
        text += "\tCtrl+";
        text += m_shortcut;
    }
    return text;
}

bool KMenuItem::rewriteNativeEntry()
{
    long position = 0;
    if (!hasNativeText() || !hasParentMenu() || !getParentMenu().getNativeMenu()
        || !getParentMenu().findItem(*this, &position))
        return false;
    setNativeEntryTextWin32(getParentMenu().getNativeMenu(), position - 1, getNativeText().getText());
    return true;
}
