#include "tools/controls/KIGOControl.h"

#include "application/KApplicationEvent.h"
#include "application/KControlActionEvent.h"
#include "application/KMouseEvent.h"
#include "tools/controls/ControlLooks.h"
#include "tools/controls/HostedElementMouse.h"

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
    drawOnControl(*this, [this](KGraphicDevice& Dev, const KGraphicRectangle& Area) {
        if (hasIGO()) {
            KInteractiveGraphicObjectPtr igo = m_igo;
            igo->draw(Dev, Area);
        }
        drawFocusInside(Dev, Area, *this);
    });
}

bool KIGOControl::handleNativeEvent(KNativeEvent& Event)
{
    if (hasIGO() && swallowEraseBackground(Event))
        return true;
    return KControl::handleNativeEvent(Event);
}

bool KIGOControl::isTrackedByIGO() const { return (m_igo->getStateFlags() & TrackingFlag) != 0; }

KEventReturn KIGOControl::mouseDownEvent(KMouseEvent& E)
{
    if (!hasIGO())
        return 0;
    KInteractiveGraphicObjectPtr igo = m_igo;
    const KWidePoint p = controlPointOf(*this, E);
    return igo->containsPoint(p) && igo->mouseDown(igo->toLocal(p), E) ? 4 : 0;
}

KEventReturn KIGOControl::mouseMoveEvent(KMouseEvent& E)
{
    return hasIGO() ? moveOverHosted(*m_igo, controlPointOf(*this, E), isTrackedByIGO()) : 0;
}

KEventReturn KIGOControl::mouseRepeatEvent(KMouseEvent& E)
{
    if (hasIGO()) {
        KInteractiveGraphicObjectPtr igo = m_igo;
        igo->mouseLeave(igo->toLocal(controlPointOf(*this, E)));
    }
    return 0;
}

KEventReturn KIGOControl::mouseUpEvent(KMouseEvent& E)
{
    return hasIGO() ? releaseOverHosted(*m_igo, controlPointOf(*this, E), isTrackedByIGO()) : 0;
}

KEventReturn KIGOControl::mouseEnterEvent(KMouseEvent& E)
{
    return hasIGO() ? enterHosted(*m_igo, controlPointOf(*this, E)) : 0;
}

KEventReturn KIGOControl::mouseExitEvent(KMouseEvent& E) { return hasIGO() ? leaveHosted(*m_igo, E) : 0; }
