#include "tools/igo/KDisclosureIGO.h"

#include "application/KActionEvent.h"
#include "foundation/KWideRectangle.h"
#include "graphics/KColor.h"
#include "graphics/KGraphicDevice.h"
#include "graphics/KGraphicRegion.h"

namespace {
constexpr short kTriangleSide = 8;
} // namespace

K_DEFINE_CLASS(KDisclosureIGO, KInteractiveGraphicObject, 1)

KDisclosureIGO::KDisclosureIGO()
{
    getActionMask().clearAll();
    getActionMask().set(UpAction);
}

KDisclosureIGO::~KDisclosureIGO() = default;

bool KDisclosureIGO::handleAction(KActionEvent& E)
{
    if (E.getType() == UpAction) {
        m_open = m_open == 0 ? 1 : 0;
        invalidateRect(KWideRectangle(0, 0, getSize().getWidth(), getSize().getHeight()));
    }
    return false;
}

void KDisclosureIGO::drawAt(KGraphicDevice& Dev, const KGraphicPoint& At)
{
    draw(Dev, KGraphicRectangle(At.getH(), At.getV(), kTriangleSide, kTriangleSide));
}

void KDisclosureIGO::draw(KGraphicDevice& Dev, const KGraphicRectangle& Dst)
{
    static const KStandardColor kColors[] = {kGray, kDarkGray, kBlack, kLightGray};
    Dev.saveState();
    if (getHilite() <= DisabledHilite)
        Dev.setForeColor(KColor(kColors[getHilite()]));
    KGraphicRegion triangle;
    if (m_open == 0) {
        KGraphicRectangle t(0, 0, kTriangleSide / 2, kTriangleSide);
        t.centerIn(Dst);
        triangle.addPoint(t.getH(), t.getV());
        triangle.addPoint(static_cast<short>(t.getH() + t.getWidth()), static_cast<short>(t.getV() + t.getHeight() / 2));
        triangle.addPoint(t.getH(), static_cast<short>(t.getV() + t.getHeight()));
        triangle.addPoint(t.getH(), t.getV());
    } else if (m_open == 1) {
        KGraphicRectangle t(0, 0, kTriangleSide, kTriangleSide / 2);
        t.centerIn(Dst);
        triangle.addPoint(t.getH(), t.getV());
        triangle.addPoint(static_cast<short>(t.getH() + t.getWidth()), t.getV());
        triangle.addPoint(static_cast<short>(t.getH() + t.getWidth() / 2), static_cast<short>(t.getV() + t.getHeight()));
        triangle.addPoint(t.getH(), t.getV());
    }
    if (m_open <= 1) {
        triangle.makePolygon();
        Dev.fillRegion(triangle);
    }
    Dev.restoreState();
}

void KDisclosureIGO::drawPart(KGraphicDevice& Dev, const KGraphicRectangle&, const KGraphicRectangle& Dst)
{
    draw(Dev, Dst);
}
