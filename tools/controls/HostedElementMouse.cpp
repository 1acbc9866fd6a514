#include "tools/controls/HostedElementMouse.h"

#include "application/KMouseEvent.h"
#include "controls/KControl.h"

namespace {
KWidePoint localTo(const KInteractiveElement& Hosted, const KWidePoint& P)
{
    return KWidePoint(P.getX() - Hosted.getPosition().getX(), P.getY() - Hosted.getPosition().getY());
}
} // namespace

KWidePoint controlPointOf(const KControl& C, const KMouseEvent& E)
{
    const KGraphicRectangle global = C.getGlobalBounds();
    return KWidePoint(E.getLocalPosition().getH() - global.getH(), E.getLocalPosition().getV() - global.getV());
}

KEventReturn moveOverHosted(KInteractiveElement& Hosted, const KWidePoint& P, bool Tracking)
{
    KInteractiveElementPtr hold(Hosted);
    if (Tracking) {
        Hosted.mouseEnter(localTo(Hosted, P));
        return 1;
    }
    if (!Hosted.containsPoint(P))
        return 0;
    if (Hosted.getStateFlags() & KInteractiveElement::InsideFlag)
        Hosted.mouseMoved(localTo(Hosted, P));
    else
        Hosted.setMouseInside(localTo(Hosted, P), true);
    return 1;
}

KEventReturn releaseOverHosted(KInteractiveElement& Hosted, const KWidePoint& P, bool Tracking)
{
    KInteractiveElementPtr hold(Hosted);
    if (Tracking)
        Hosted.mouseUp(localTo(Hosted, P));
    return enterHosted(Hosted, P);
}

KEventReturn enterHosted(KInteractiveElement& Hosted, const KWidePoint& P)
{
    if (!Hosted.containsPoint(P))
        return 0;
    Hosted.setMouseInside(localTo(Hosted, P), true);
    return 1;
}

KEventReturn leaveHosted(KInteractiveElement& Hosted, const KMouseEvent& E)
{
    const KWidePoint window(E.getLocalPosition().getH(), E.getLocalPosition().getV());
    Hosted.setMouseOutside(localTo(Hosted, window));
    return 1;
}
