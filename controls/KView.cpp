#include "controls/KView.h"

#include "foundation/KGraphicRectangle.h"
#include "graphics/KColor.h"
#include "graphics/KGraphicDevice.h"
#include "graphics/KImage.h"

#include <cmath>
#include <limits>

namespace {
// Truncated toward zero and kept within 16 bits.
short toShort(double Value)
{
    constexpr double low = std::numeric_limits<short>::min();
    constexpr double high = std::numeric_limits<short>::max();
    if (!(Value > low))
        return static_cast<short>(low);
    if (Value > high)
        return static_cast<short>(high);
    return static_cast<short>(std::trunc(Value));
}
} // namespace

K_DEFINE_CLASS(KView, KGraphicObject, 1)

KView::KView() = default;
KView::~KView() = default;

void KView::drawAt(KGraphicDevice& D, const KGraphicPoint& P)
{
    draw(D, KGraphicRectangle(P.getH(), P.getV(), getSize().getWidth(), getSize().getHeight()));
}

void KView::draw(KGraphicDevice& D, const KGraphicRectangle& R)
{
    if (!hasContent()) {
        D.outlineRect(R, KColor(kWhite));
        return;
    }
    KGraphicObjectPtr content(getContent());
    const KGraphicRectangle whole(0, 0, content->getSize().getWidth(), content->getSize().getHeight());
    switch (m_mode) {
    case NaturalSize:
        D.pushClipRegion();
        D.setClipRect(R);
        content->drawPart(D, whole, KGraphicRectangle(R.getH(), R.getV(), whole.getWidth(), whole.getHeight()));
        D.popClipRegion();
        break;
    case Stretched:
        content->drawPart(D, whole, R);
        break;
    case Proportional:
        drawProportional(D, R, whole);
        break;
    case OriginAndZoom:
        drawFromOrigin(D, R, whole);
        break;
    default:
        break;
    }
}

void KView::drawProportional(KGraphicDevice& D, const KGraphicRectangle& R, const KGraphicRectangle& Whole)
{
    const double w = R.getWidth(), h = R.getHeight();
    const double cw = Whole.getWidth(), ch = Whole.getHeight();
    const double rx = cw / w, ry = ch / h;
    double ratio = 0.0;
    if (cw > w || ch > h)
        ratio = (rx > ry && w > 0) ? rx : (h > 0 ? ry : 0.0);
    else if (cw < w || ch < h)
        ratio = (rx < ry && w > 0) ? rx : (h > 0 ? ry : 0.0);
    KGraphicRectangle target(R.getH(), R.getV(), Whole.getWidth(), Whole.getHeight());
    // A content without width or height has no ratio to scale by.
    if (ratio > 0.0)
        target.setSize(toShort(cw / ratio), toShort(ch / ratio));
    getContent().drawPart(D, Whole, target);
}

void KView::drawFromOrigin(KGraphicDevice& D, const KGraphicRectangle& R, const KGraphicRectangle& Whole)
{
    const double scale = getScale();
    KGraphicRectangle source(m_origin.getH(), m_origin.getV(), toShort(R.getWidth() / scale),
                             toShort(R.getHeight() / scale));
    D.pushClipRegion();
    D.setClipRect(R);
    KGraphicRectangle target = R;
    if (!Whole.contains(source)) {
        D.outlineRect(R, KColor(kWhite));
        source.intersectWith(Whole);
        target.setSize(toShort(source.getWidth() * scale + 1.0), toShort(source.getHeight() * scale + 1.0));
    }
    getContent().drawPart(D, source, target);
    D.popClipRegion();
}

void KView::drawPart(KGraphicDevice& Device, const KGraphicRectangle& S, const KGraphicRectangle& D)
{
    KImagePtr image = new KImage;
    image->create(D.getSize());
    draw(image->getGraphicDevice(), KGraphicRectangle(0, 0, D.getWidth(), D.getHeight()));
    image->drawPart(Device, S, D);
}

void KView::setContent(KGraphicObject& Object)
{
    clearContent();
    m_content = Object;
}

void KView::clearContent() { m_content.reset(); }

void KView::setZoom(float Zoom)
{
    if (Zoom > 0.0f)
        m_zoom = Zoom;
}
