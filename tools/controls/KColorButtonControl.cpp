#include "tools/controls/KColorButtonControl.h"

#include "application/KControlActionEvent.h"
#include "application/KDialogHandler.h"
#include "application/KKeyboardManager.h"
#include "application/KMenuManager.h"
#include "tools/menus/KColorMenu.h"
#include "tools/menus/KColorMenuItem.h"

K_DEFINE_CLASS(KColorButtonControl, KControl, 1)

KColorButtonControl::KColorButtonControl()
{
    m_options.set(ChoosesColorOption);
    m_options.set(EtchedOption);
    getActionMask().clearAll();
    getActionMask().set(KControlActionEvent::Down);
    setStateFlags(RedrawOnSelectionFlag);
    clearStateFlags(RedrawOnHiliteFlag | EraseBackgroundFlag);
}

KColorButtonControl::~KColorButtonControl() = default;

void KColorButtonControl::draw()
{
    KGraphicDevicePtr device;
    KGraphicRectangle area;
    if (!acquireGraphicDevice(device, area))
        return;
    device->saveState();
    drawFace(*device, area);
    drawSubControls();
    device->restoreState();
    releaseGraphicDevice(device);
}

void KColorButtonControl::drawFace(KGraphicDevice& D, KGraphicRectangle R) const
{
    const bool dimmed = getHilite() == DisabledHilite;
    const KColor field = dimmed ? KColor(kLightGray) : KColor(kWhite);
    const KColor ring = dimmed ? KColor(kDarkGray) : m_frameColor;
    const KColor swatch = dimmed ? KColor(kLightGray) : m_color;
    if (m_options.isSet(EtchedOption)) {
        D.paintRect(R, field);
        D.drawEtchedEdge(R);
        R.inset(2, 2);
        if (isSelected()) {
            D.setPenSize(1);
            D.setDrawMode(KGraphicDeviceState::kCopy);
            D.outlineRect(R, ring);
            R.inset(1, 1);
            D.outlineRect(R, ring);
            R.inset(1, 1);
            D.outlineRect(R, m_backgroundColor);
            R.inset(1, 1);
        } else {
            // Erasing the outline takes away a focus ring drawn before.
            D.setDrawMode(KGraphicDeviceState::kErase);
            D.outlineRect(R);
            R.inset(1, 1);
            D.drawRaisedEdge(R);
            R.inset(2, 2);
        }
    } else {
        D.drawRaisedEdge(R);
        R.inset(2, 2);
    }
    D.setDrawMode(KGraphicDeviceState::kCopy);
    D.paintRect(R, swatch);
    if (KKeyboardManager::exists() && KKeyboardManager::getManager().hasFocusElement() &&
        &KKeyboardManager::getManager().getFocusElement() == this)
        D.drawFocusRect(R);
}

KEventReturn KColorButtonControl::mouseDownEvent(KMouseEvent& E)
{
    if (!isEnabled())
        return KControl::mouseDownEvent(E);
    if (!m_options.isSet(ChoosesColorOption)) {
        postActionAlways(KControlActionEvent::Done);
        return KControl::mouseDownEvent(E);
    }
    KControlPtr hold(isOnHeap() ? this : nullptr);
    KColor chosen;
    const bool picked =
        m_options.isSet(ChoosesFromMenuOption) ? chooseFromMenu(chosen) : chooseWithChooser(chosen);
    if (picked) {
        m_color = chosen;
        draw();
        postActionAlways(KControlActionEvent::Done);
    }
    return 1;
}

bool KColorButtonControl::chooseWithChooser(KColor& Chosen)
{
    Chosen = m_color;
    return KDialogHandler::exists() && KDialogHandler::getDialogHandler().chooseColor(Chosen);
}

bool KColorButtonControl::chooseFromMenu(KColor& Chosen)
{
    KWindowPtr window;
    if (!findParentWindow(window) || !KMenuManager::exists())
        return false;
    KColorMenuPtr menu = new KColorMenu;
    if (!menu.hasObject(nullptr))
        return false;
    menu->buildPalette(m_menuKind, 0);
    const KGraphicRectangle global = getGlobalBounds();
    // The menu opens beside the button's top right corner.
    const KGraphicPoint corner(static_cast<short>(global.getH() + global.getWidth()), global.getV());
    long selected = 1;
    if (!KMenuManager::getMenuManager().doPopupMenu(*menu, *window, corner, selected))
        return false;
    KColorMenuItem* swatch = menu->getSwatchAt(selected - 1);
    if (!swatch)
        return false;
    Chosen = swatch->getColor();
    return true;
}
