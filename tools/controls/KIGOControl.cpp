#include "tools/controls/KIGOControl.h"

#include "application/KApplicationEvent.h"
#include "application/KControlActionEvent.h"
#include "application/KMouseEvent.h"
#include "tools/controls/ControlLooks.h"

K_DEFINE_CLASS(KIGOControl, KControl, 1)

KIGOControl::KIGOControl() { setStateFlags(HoverLookFlag); }

KIGOControl::~KIGOControl() { releaseIGO(); }

void KIGOControl::releaseIGO()
{
    if (!hasIGO())
        return;
    KInteractiveGraphicObjectPtr igo = m_igo;
    m_igo.reset();
    // An object that outlives its host must not keep a link to it.
    if (igo->hasParent() && &igo->getParent() == this)
        igo->resetParent();
}

void KIGOControl::setIGO(KInteractiveGraphicObject& O)
{
    KInteractiveGraphicObjectPtr hold(O);
    if (m_igo != O)
        releaseIGO();
    m_igo = O;
    O.setParent(*this);
    O.setPosition(KWidePoint(0, 0));
    O.setSize(KWideSize(getWidth(), getHeight()));
}

void KIGOControl::clearIGO()
{
    getIGO();
    releaseIGO();
}

bool KIGOControl::handleAction(KActionEvent& E)
{
    KControlActionEventPtr action = new KControlActionEvent;
    if (action.hasObject(nullptr)) {
        action->copyFrom(E);
        action->setType(E.getType());
        action->setSource(*this);
        KApplicationEvent::post(*action);
    }
    return true;
}

void KIGOControl::draw()
{
    KGraphicDevicePtr device;
    KGraphicRectangle area;
    if (!acquireGraphicDevice(device, area))
        return;
    device->saveState();
    if (hasIGO()) {
        KInteractiveGraphicObjectPtr igo = m_igo;
        igo->draw(*device, area);
    }
    drawFocusInside(*device, area, *this);
    drawSubControls();
    device->restoreState();
    releaseGraphicDevice(device);
}

bool KIGOControl::handleNativeEvent(KNativeEvent& Event)
{
    if (hasIGO() && swallowEraseBackground(Event))
        return true;
    return KControl::handleNativeEvent(Event);
}

KWidePoint KIGOControl::pointOf(const KMouseEvent& E) const
{
    const KGraphicRectangle global = getGlobalBounds();
    return KWidePoint(E.getLocalPosition().getH() - global.getH(), E.getLocalPosition().getV() - global.getV());
}

KEventReturn KIGOControl::mouseDownEvent(KMouseEvent& E)
{
    if (!hasIGO())
        return 0;
    KInteractiveGraphicObjectPtr igo = m_igo;
    const KWidePoint p = pointOf(E);
    return igo->containsPoint(p) && igo->mouseDown(igo->toLocal(p), E) ? 4 : 0;
}

KEventReturn KIGOControl::mouseMoveEvent(KMouseEvent& E)
{
    if (!hasIGO())
        return 0;
    KInteractiveGraphicObjectPtr igo = m_igo;
    const KWidePoint p = pointOf(E);
    if (igo->getStateFlags() & TrackingFlag) {
        igo->mouseEnter(igo->toLocal(p));
        return 1;
    }
    if (!igo->containsPoint(p))
        return 0;
    if (igo->getStateFlags() & InsideFlag)
        igo->mouseMoved(igo->toLocal(p));
    else
        igo->setMouseInside(igo->toLocal(p), true);
    return 1;
}

KEventReturn KIGOControl::mouseRepeatEvent(KMouseEvent& E)
{
    if (hasIGO()) {
        KInteractiveGraphicObjectPtr igo = m_igo;
        igo->mouseLeave(igo->toLocal(pointOf(E)));
    }
    return 0;
}

KEventReturn KIGOControl::mouseUpEvent(KMouseEvent& E)
{
    if (!hasIGO())
        return 0;
    KInteractiveGraphicObjectPtr igo = m_igo;
    const KWidePoint p = pointOf(E);
    if (igo->getStateFlags() & TrackingFlag)
        igo->mouseUp(igo->toLocal(p));
    if (!igo->containsPoint(p))
        return 0;
    igo->setMouseInside(igo->toLocal(p), true);
    return 1;
}

KEventReturn KIGOControl::mouseEnterEvent(KMouseEvent& E)
{
    if (!hasIGO())
        return 0;
    KInteractiveGraphicObjectPtr igo = m_igo;
    const KWidePoint p = pointOf(E);
    if (!igo->containsPoint(p))
        return 0;
    igo->setMouseInside(igo->toLocal(p), true);
    return 1;
}

KEventReturn KIGOControl::mouseExitEvent(KMouseEvent& E)
{
    if (!hasIGO())
        return 0;
    KInteractiveGraphicObjectPtr igo = m_igo;
    const KGraphicPoint& at = E.getLocalPosition();
    igo->setMouseOutside(KWidePoint(at.getH() - igo->getPosition().getX(), at.getV() - igo->getPosition().getY()));
    return 1;
}
