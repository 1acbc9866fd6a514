#include "application/KCustomMenuItem.h"

#include "application/KCustomMenu.h"
#include "application/NativeMenusWin32.h"

K_DEFINE_CLASS(KCustomMenuItem, KMenuItem, 1)

KCustomMenuItem::KCustomMenuItem() = default;

KCustomMenuItem::~KCustomMenuItem() { clearDrawInfo(); }

bool KCustomMenuItem::doCustomMenuItem(KMenuEvent&) { return false; }

bool KCustomMenuItem::createGraphicDevice(KGraphicDevicePtr& Device, KGraphicRectangle& ItemRect)
{
    Device.reset();
    if (!m_drawRequest)
        return false;
    KGraphicDevice* made = createMenuItemDeviceWin32(m_drawRequest, ItemRect);
    if (!made)
        return false;
    Device = made;
    return true;
}

void KCustomMenuItem::disposeGraphicDevice(KGraphicDevicePtr& Device)
{
    if (Device.hasObject(nullptr))
        Device->releaseNative();
    Device.reset();
    clearDrawInfo();
}

void KCustomMenuItem::getPosition(short& Column, short& Row) const
{
    Column = -1;
    Row = -1;
    if (!hasParentMenu() || !getParentMenu().isCustom())
        return;
    const auto& menu = static_cast<const KCustomMenu&>(getParentMenu());
    long position = 0;
    // A menu without rows lays out no cells.
    if (menu.getRows() <= 0 || !menu.findItem(*this, &position))
        return;
    const long rows = menu.getRows();
    Column = static_cast<short>((position - 1) / rows);
    Row = static_cast<short>((menu.getItemCount() - position) % rows);
}
