#include "tools/controls/KGraphicObjectControl.h"

#include "tools/controls/ControlLooks.h"

K_DEFINE_CLASS(KGraphicObjectControl, KControl, 1)

KGraphicObjectControl::KGraphicObjectControl() { setStateFlags(HoverLookFlag); }

KGraphicObjectControl::~KGraphicObjectControl() { m_looks.clearAll(); }

void KGraphicObjectControl::setNormalObject(KGraphicObject& O) { m_looks.set(NormalHilite, O); }
void KGraphicObjectControl::clearNormalObject() { m_looks.clear(NormalHilite); }
void KGraphicObjectControl::setRolloverObject(KGraphicObject& O) { m_looks.set(HoverHilite, O); }
void KGraphicObjectControl::clearRolloverObject() { m_looks.clear(HoverHilite); }
void KGraphicObjectControl::setPressedObject(KGraphicObject& O) { m_looks.set(PressedHilite, O); }
void KGraphicObjectControl::clearPressedObject() { m_looks.clear(PressedHilite); }
void KGraphicObjectControl::setDimmedObject(KGraphicObject& O) { m_looks.set(DisabledHilite, O); }
void KGraphicObjectControl::clearDimmedObject() { m_looks.clear(DisabledHilite); }

void KGraphicObjectControl::draw()
{
    drawOnControl(*this, [this](KGraphicDevice& Dev, const KGraphicRectangle& Area) {
        if (m_looks.isEmpty()) {
            drawStateOutline(Dev, Area, isEnabled(), getHilite());
        } else if (KGraphicObject* look = m_looks.choose(isEnabled(), getHilite())) {
            KGraphicObjectPtr hold(look);
            look->draw(Dev, Area);
        }
        drawFocusInside(Dev, Area, *this);
    });
}
