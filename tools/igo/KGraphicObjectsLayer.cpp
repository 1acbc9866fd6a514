#include "tools/igo/KGraphicObjectsLayer.h"

#include "application/KKeyEvent.h"
#include "application/KMouseEvent.h"
#include "application/KWindow.h"
#include "foundation/KWideRectangle.h"
#include "graphics/KImage.h"

namespace {
long unscale(short Value, double Scale) { return Scale == 0.0 ? 0 : static_cast<long>(Value / Scale); }
short scale(long Value, double Scale) { return static_cast<short>(static_cast<long>(Value * Scale)); }

// Offers E to Element, then up through its parents while none takes it.
bool offerUpParents(KInteractiveElement& Element, KKeyEvent& E, bool (KInteractiveElement::*Hook)(KKeyEvent&))
{
    KInteractiveElementPtr receiver(Element);
    bool handled = ((*receiver).*Hook)(E);
    while (!handled && receiver->hasParent()) {
        receiver = receiver->getParent();
        handled = ((*receiver).*Hook)(E);
    }
    return handled;
}

KInteractiveGraphicObject* graphicObjectOf(const KKeyEvent& E)
{
    return E.hasElement() ? dynamic_cast<KInteractiveGraphicObject*>(&E.getElement()) : nullptr;
}
} // namespace

K_DEFINE_CLASS(KGraphicObjectsLayer, KLayer, 1)

KGraphicObjectsLayer::KGraphicObjectsLayer() = default;

KGraphicObjectsLayer::~KGraphicObjectsLayer()
{
    while (m_objects.getCount() > 0)
        removeObject(objectAt(0));
    m_hovered.reset();
    m_pressed.reset();
    m_focus.reset();
}

void KGraphicObjectsLayer::addObject(KInteractiveGraphicObject& O)
{
    if (m_objects.has(O))
        return;
    m_objects.add(O);
    O.setLayer(*this);
}

void KGraphicObjectsLayer::removeObject(KInteractiveGraphicObject& O)
{
    if (!m_objects.has(O))
        return;
    KInteractiveGraphicObjectPtr hold(O);
    m_objects.remove(O);
    O.resetLayer();
    // An object that has left is neither under the mouse nor tracking it nor focused.
    if (m_hovered == O)
        m_hovered.reset();
    if (m_pressed == O)
        m_pressed.reset();
    if (m_focus == O)
        m_focus.reset();
}

KWidePoint KGraphicObjectsLayer::toLayer(const KGraphicPoint& P) const
{
    return KWidePoint(unscale(P.getH(), m_horizontalScale), unscale(P.getV(), m_verticalScale));
}

KGraphicRectangle KGraphicObjectsLayer::getWindowRect(const KInteractiveGraphicObject& O) const
{
    return KGraphicRectangle(scale(O.getPosition().getX(), m_horizontalScale),
                             scale(O.getPosition().getY(), m_verticalScale),
                             scale(O.getSize().getWidth(), m_horizontalScale),
                             scale(O.getSize().getHeight(), m_verticalScale));
}

bool KGraphicObjectsLayer::findObjectAtLayerPoint(const KWidePoint& P, KInteractiveGraphicObjectPtr& Out) const
{
    for (long i = m_objects.getCount() - 1; i >= 0; --i) {
        if (objectAt(i).containsPoint(P)) {
            Out = objectAt(i);
            return true;
        }
    }
    return false;
}

bool KGraphicObjectsLayer::findObjectAt(const KGraphicPoint& P, KInteractiveGraphicObjectPtr& Out) const
{
    return findObjectAtLayerPoint(toLayer(P), Out);
}

bool KGraphicObjectsLayer::isMouseTarget(const KGraphicPoint& P)
{
    KInteractiveGraphicObjectPtr found;
    return findObjectAt(P, found);
}

void KGraphicObjectsLayer::collectFocusableElements(KBag& Out) { Out.clear(); }

KGraphicRectangle KGraphicObjectsLayer::getBounds() const { return KGraphicRectangle(); }

void KGraphicObjectsLayer::invalidateRect(const KWideRectangle& R)
{
    if (!hasWindow())
        return;
    long x = 0, y = 0, width = 0, height = 0;
    R.get(x, y, width, height);
    getWindow().invalidateRect(KGraphicRectangle(scale(x, m_horizontalScale), scale(y, m_verticalScale),
                                                 scale(width, m_horizontalScale), scale(height, m_verticalScale)));
}

void KGraphicObjectsLayer::hoverOver(KInteractiveGraphicObject& T, const KWidePoint& P)
{
    KInteractiveGraphicObjectPtr target(T);
    if (hasHoveredObject() && m_hovered != T) {
        KInteractiveGraphicObjectPtr old = m_hovered;
        m_hovered.reset();
        old->setMouseOutside(old->toLocal(P));
    }
    m_hovered = T;
    T.setMouseInside(T.toLocal(P), true);
}

KEventReturn KGraphicObjectsLayer::dispatchMouseEnter(KMouseEvent& E)
{
    const KWidePoint p = toLayer(E.getLocalPosition());
    KInteractiveGraphicObjectPtr target;
    if (!findObjectAtLayerPoint(p, target))
        return 0;
    // While a press lasts only the pressed object hears the mouse.
    if (hasPressedObject() && m_pressed != *target)
        return 1;
    hoverOver(*target, p);
    return 1;
}

KEventReturn KGraphicObjectsLayer::dispatchMouseLeave(KMouseEvent& E)
{
    if (!hasHoveredObject())
        return 0;
    KInteractiveGraphicObjectPtr hovered = m_hovered;
    m_hovered.reset();
    const KGraphicPoint& at = E.getLocalPosition();
    hovered->setMouseOutside(KWidePoint(at.getH() - getPosition().getX(), at.getV() - getPosition().getY()));
    return 1;
}

KEventReturn KGraphicObjectsLayer::dispatchMouseDown(KMouseEvent& E)
{
    const KWidePoint p = toLayer(E.getLocalPosition());
    KInteractiveGraphicObjectPtr target;
    if (!findObjectAtLayerPoint(p, target) || !target->mouseDown(target->toLocal(p), E))
        return 0;
    m_pressed = *target;
    return 4;
}

KEventReturn KGraphicObjectsLayer::dispatchMouseMove(KMouseEvent& E)
{
    const KWidePoint p = toLayer(E.getLocalPosition());
    if (m_objects.getCount() > 0 && hasPressedObject()) {
        KInteractiveGraphicObjectPtr pressed = m_pressed;
        pressed->mouseEnter(pressed->toLocal(p));
        return 1;
    }
    KInteractiveGraphicObjectPtr target;
    if (!findObjectAtLayerPoint(p, target))
        return 0;
    if (m_hovered == *target)
        target->mouseMoved(target->toLocal(p));
    else
        hoverOver(*target, p);
    return 1;
}

KEventReturn KGraphicObjectsLayer::dispatchMouseTick(KMouseEvent& E)
{
    if (!hasPressedObject())
        return 0;
    KInteractiveGraphicObjectPtr pressed = m_pressed;
    pressed->mouseLeave(pressed->toLocal(toLayer(E.getLocalPosition())));
    return 0;
}

KEventReturn KGraphicObjectsLayer::dispatchMouseUp(KMouseEvent& E)
{
    const KWidePoint p = toLayer(E.getLocalPosition());
    if (m_objects.getCount() > 0 && hasPressedObject()) {
        KInteractiveGraphicObjectPtr pressed = m_pressed;
        m_pressed.reset();
        pressed->mouseUp(pressed->toLocal(p));
    }
    KInteractiveGraphicObjectPtr target;
    if (!findObjectAtLayerPoint(p, target))
        return 0;
    if (m_hovered != *target)
        hoverOver(*target, p);
    return 1;
}

bool KGraphicObjectsLayer::keyTyped(KKeyEvent& E)
{
    if (!hasFocusObject())
        return false;
    KInteractiveGraphicObjectPtr focus = m_focus;
    return offerUpParents(*focus, E, &KInteractiveElement::keyTyped);
}

bool KGraphicObjectsLayer::focusGained(KKeyEvent& E)
{
    m_focus.reset();
    KInteractiveGraphicObject* object = graphicObjectOf(E);
    if (!object)
        return false;
    m_focus = *object;
    return offerUpParents(*object, E, &KInteractiveElement::focusGained);
}

bool KGraphicObjectsLayer::focusLost(KKeyEvent& E)
{
    KInteractiveGraphicObject* object = graphicObjectOf(E);
    const bool handled = object && offerUpParents(*object, E, &KInteractiveElement::focusLost);
    m_focus.reset();
    return handled;
}

bool KGraphicObjectsLayer::drawLayer(KWindowEvent&)
{
    if (!hasWindow())
        return false;
    for (long i = 0; i < m_objects.getCount(); ++i) {
        KInteractiveGraphicObjectPtr object(objectAt(i));
        drawObject(*object);
    }
    return false;
}

void KGraphicObjectsLayer::drawObject(KInteractiveGraphicObject& O)
{
    if (!hasWindow())
        return;
    KWindow& window = getWindow();
    const KGraphicRectangle r = getWindowRect(O);
    if (!(O.getIGOFlags() & KInteractiveGraphicObject::DrawOffScreenFlag)) {
        O.draw(window, r);
        return;
    }
    // An object of no extent has nothing to show through an image.
    if (r.getWidth() <= 0 || r.getHeight() <= 0)
        return;
    KImagePtr image = new KImage;
    image->create(r.getSize());
    O.draw(image->getGraphicDevice(), KGraphicRectangle(0, 0, r.getWidth(), r.getHeight()));
    image->draw(window, r);
}
