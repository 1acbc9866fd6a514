#include "tools/controls/KImagePopUpMenuControl.h"

#include "application/KControlActionEvent.h"
#include "application/KMenuManager.h"

namespace {
constexpr short kMenuGap = 4;
} // namespace

K_DEFINE_CLASS(KImagePopUpMenuControl, KSimpleImageControl, 1)

KImagePopUpMenuControl::KImagePopUpMenuControl()
{
    getActionMask().clearAll();
    getActionMask().set(KControlActionEvent::Down);
    clearStateFlags(AcceptsFocusFlag);
}

KImagePopUpMenuControl::~KImagePopUpMenuControl() { m_menu.reset(); }

void KImagePopUpMenuControl::setMenu(KMenu& M) { m_menu = M; }
void KImagePopUpMenuControl::resetMenu() { m_menu.reset(); }

KEventReturn KImagePopUpMenuControl::mouseDownEvent(KMouseEvent& E)
{
    KWindowPtr window;
    if (!hasMenu() || !findParentWindow(window) || !KMenuManager::exists())
        return KSimpleImageControl::mouseDownEvent(E);
    // The menu or this control may be let go while the menu is up.
    KMenuPtr menu = m_menu;
    KControlPtr self(*this);
    const KGraphicRectangle bounds = getGlobalBounds();
    const KGraphicPoint at(bounds.getH(), static_cast<short>(bounds.getV() + bounds.getHeight() + kMenuGap));
    long selected = 1;
    if (KMenuManager::getMenuManager().doPopupMenu(*menu, *window, at, selected))
        postActionAlways(KControlActionEvent::Done);
    return 1;
}
