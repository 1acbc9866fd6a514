#include "tools/controls/KImageControl.h"

#include "application/KControlActionEvent.h"
#include "graphics/KColor.h"
#include "tools/controls/ControlLooks.h"

K_DEFINE_CLASS(KImageControl, KControl, 1)

KImageControl::KImageControl()
{
    setStateFlags(HoverLookFlag);
    clearStateFlags(EraseBackgroundFlag | AcceptsFocusFlag);
    getActionMask().clearAll();
    getActionMask().set(KControlActionEvent::Done);
}

KImageControl::~KImageControl() { m_looks.clearAll(); }

void KImageControl::setNormalImage(KGraphicObject& O) { m_looks.set(NormalHilite, O); }
void KImageControl::resetNormalImage() { m_looks.clear(NormalHilite); }
void KImageControl::setHoverImage(KGraphicObject& O) { m_looks.set(HoverHilite, O); }
void KImageControl::resetHoverImage() { m_looks.clear(HoverHilite); }
void KImageControl::setPressedImage(KGraphicObject& O) { m_looks.set(PressedHilite, O); }
void KImageControl::resetPressedImage() { m_looks.clear(PressedHilite); }
void KImageControl::setDisabledImage(KGraphicObject& O) { m_looks.set(DisabledHilite, O); }
void KImageControl::resetDisabledImage() { m_looks.clear(DisabledHilite); }

void KImageControl::draw()
{
    drawOnControl(*this, [this](KGraphicDevice& Dev, const KGraphicRectangle& Area) {
        if (getStateFlags() & EraseBackgroundFlag)
            Dev.eraseRect(Area);
        if (m_looks.isEmpty()) {
            Dev.paintRect(Area, KColor(kWhite));
            Dev.drawRaisedEdge(Area);
        } else if (KGraphicObject* look = m_looks.choose(isEnabled(), getHilite())) {
            KGraphicObjectPtr hold(look);
            look->draw(Dev, Area);
        }
        if (m_raisedEdge)
            Dev.drawRaisedEdge(Area);
        drawFocusInside(Dev, Area, *this);
    });
}

bool KImageControl::handleNativeEvent(KNativeEvent& Event)
{
    return swallowEraseBackground(Event) || KControl::handleNativeEvent(Event);
}
