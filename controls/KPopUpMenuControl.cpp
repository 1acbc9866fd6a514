#include "controls/KPopUpMenuControl.h"

#include "application/KControlActionEvent.h"
#include "application/KMenuManager.h"
#include "controls/ImmediateActions.h"
#include "graphics/KColor.h"

namespace {
constexpr short kLabelLeft = 4;
// The label leaves the arrow strip and a margin free.
constexpr short kLabelInset = 20;
constexpr short kArrowStripWidth = 16;
// The menu opens this far under the control.
constexpr short kMenuGap = 4;
} // namespace

K_DEFINE_CLASS(KPopUpMenuControl, KControl, 1)

KPopUpMenuControl::KPopUpMenuControl()
    : m_title("Menu")
{
    m_label = new KStaticTextNativeControl;
    m_label->setText(m_title);
    m_label->getActionMask().clearAll();
    m_label->getActionMask().set(KControlActionEvent::Down);
    addControl(*m_label);
    clearStateFlags(AcceptsFocusFlag);
    layoutSubControls();
}

KPopUpMenuControl::~KPopUpMenuControl() { m_label.reset(); }

void KPopUpMenuControl::layoutSubControls()
{
    // The base constructor sizes the control before the label exists.
    if (!m_label.hasObject(nullptr))
        return;
    m_label->setBounds(
        KGraphicRectangle(kLabelLeft, 0, static_cast<short>(getWidth() - kLabelInset), getHeight()));
}

void KPopUpMenuControl::draw()
{
    if (!isVisible() || !hasParentWindow())
        return;
    KGraphicDevicePtr device;
    KGraphicRectangle area;
    if (!acquireGraphicDevice(device, area))
        return;
    device->saveState();
    drawSubControls();
    device->setForeColor(KColor(kGray));
    device->fillDownArrow(KGraphicRectangle(static_cast<short>(area.getH() + area.getWidth() - kArrowStripWidth),
                                            area.getV(), kArrowStripWidth, area.getHeight()));
    device->restoreState();
    releaseGraphicDevice(device);
}

KEventReturn KPopUpMenuControl::mouseDownEvent(KMouseEvent&)
{
    if (hasMenu() && hasParentWindow())
        openMenu(KControlActionEvent::Down);
    return 1;
}

bool KPopUpMenuControl::handleAction(KControlActionEvent& E)
{
    if (!E.hasSource() || !m_label.hasObject(nullptr) || m_label.get() != &E.getSource())
        return false;
    if (hasMenu() && hasParentWindow())
        openMenu(E.getType());
    return true;
}

void KPopUpMenuControl::openMenu(long ActionType)
{
    if (!KMenuManager::exists())
        return;
    // The menu or this control may be let go while the menu is up.
    KMenuPtr menu = m_menu;
    KControlPtr self(*this);
    const KGraphicRectangle bounds = getGlobalBounds();
    const KGraphicPoint at(bounds.getH(), static_cast<short>(bounds.getV() + bounds.getHeight() + kMenuGap));
    long selected = 1;
    if (KMenuManager::getMenuManager().doPopupMenu(*menu, getParentWindow(), at, selected))
        sendControlActionNow(*this, ActionType);
}

void KPopUpMenuControl::setMenu(KMenu& Menu) { m_menu = Menu; }
void KPopUpMenuControl::clearMenu() { m_menu.reset(); }
