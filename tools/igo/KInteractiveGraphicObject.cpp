#include "tools/igo/KInteractiveGraphicObject.h"

#include "graphics/KGraphicDevice.h"

K_DEFINE_CLASS(KInteractiveGraphicObject, KInteractiveElement, 1)

KInteractiveGraphicObject::KInteractiveGraphicObject() = default;

KInteractiveGraphicObject::~KInteractiveGraphicObject() { m_graphicObject.reset(); }

void KInteractiveGraphicObject::setGraphicObject(KThing& Object) { m_graphicObject = Object; }
void KInteractiveGraphicObject::clearGraphicObject() { m_graphicObject.reset(); }

void KInteractiveGraphicObject::drawAt(KGraphicDevice&, const KGraphicPoint&) {}
void KInteractiveGraphicObject::draw(KGraphicDevice&, const KGraphicRectangle&) {}
void KInteractiveGraphicObject::drawPart(KGraphicDevice&, const KGraphicRectangle&, const KGraphicRectangle&) {}

KGraphicRectangle KInteractiveGraphicObject::getFrame() const
{
    return KGraphicRectangle(static_cast<short>(getPosition().getX()), static_cast<short>(getPosition().getY()),
                             static_cast<short>(getSize().getWidth()), static_cast<short>(getSize().getHeight()));
}

KWidePoint KInteractiveGraphicObject::toLocal(const KWidePoint& P) const
{
    return KWidePoint(P.getX() - getPosition().getX(), P.getY() - getPosition().getY());
}
