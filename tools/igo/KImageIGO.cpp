#include "tools/igo/KImageIGO.h"

#include "graphics/KColor.h"
#include "graphics/KGraphicDevice.h"

#include <algorithm>

namespace {
// Along one axis: a picture that fits lies centred in the destination at its own length;
// one that is longer shows its middle part, as long as the destination.
void centerAlong(short Source, short SourceLength, short Destination, short DestinationLength, short& PartStart,
                 short& PartLength, short& Start)
{
    if (SourceLength <= DestinationLength) {
        PartStart = Source;
        PartLength = SourceLength;
        Start = static_cast<short>(Destination + (DestinationLength - SourceLength) / 2);
    } else {
        PartStart = static_cast<short>(Source + (SourceLength - DestinationLength) / 2);
        PartLength = DestinationLength;
        Start = Destination;
    }
}
} // namespace

K_DEFINE_CLASS(KImageIGO, KInteractiveGraphicObject, 1)

KImageIGO::KImageIGO() = default;

KImageIGO::~KImageIGO()
{
    for (KGraphicObjectPtr& look : m_looks)
        look.reset();
}

void KImageIGO::setNormalImage(KGraphicObject& O) { m_looks[NormalHilite] = O; }
void KImageIGO::clearNormalImage() { m_looks[NormalHilite].reset(); }
void KImageIGO::setRolloverImage(KGraphicObject& O) { m_looks[HoverHilite] = O; }
void KImageIGO::clearRolloverImage() { m_looks[HoverHilite].reset(); }
void KImageIGO::setPressedImage(KGraphicObject& O) { m_looks[PressedHilite] = O; }
void KImageIGO::clearPressedImage() { m_looks[PressedHilite].reset(); }
void KImageIGO::setDimmedImage(KGraphicObject& O) { m_looks[DisabledHilite] = O; }
void KImageIGO::clearDimmedImage() { m_looks[DisabledHilite].reset(); }

KGraphicObject* KImageIGO::lookForHilite() const
{
    return getHilite() <= DisabledHilite ? lookAt(getHilite()) : nullptr;
}

void KImageIGO::takeSourceRectFrom(const KGraphicObject& Image)
{
    m_sourceRect.set(0, 0, Image.getSize().getWidth(), Image.getSize().getHeight());
}

void KImageIGO::drawImage(KGraphicDevice& Dev, KGraphicObject& Image, const KGraphicRectangle& Dst)
{
    if (m_sourceRect.getWidth() == 0)
        takeSourceRectFrom(Image);
    const KGraphicRectangle& s = m_sourceRect;
    switch (m_placement) {
    case NaturalPlacement: {
        // Cut along each axis where the picture is longer than the destination, so that
        // no part outside the picture is ever asked for.
        const short width = std::min(s.getWidth(), Dst.getWidth());
        const short height = std::min(s.getHeight(), Dst.getHeight());
        Image.drawPart(Dev, KGraphicRectangle(s.getH(), s.getV(), width, height),
                       KGraphicRectangle(Dst.getH(), Dst.getV(), width, height));
        break;
    }
    case FittedPlacement: {
        KGraphicRectangle fitted = s;
        fitted.fitInto(Dst, true);
        fitted.setOrigin(Dst.getOrigin());
        Image.drawPart(Dev, s, fitted);
        break;
    }
    case StretchedPlacement:
        Image.draw(Dev, Dst);
        break;
    case CenteredPlacement: {
        KGraphicRectangle part, placed;
        short start = 0, length = 0, at = 0;
        centerAlong(s.getH(), s.getWidth(), Dst.getH(), Dst.getWidth(), start, length, at);
        part.setH(start);
        part.setWidth(length);
        placed.setH(at);
        placed.setWidth(length);
        centerAlong(s.getV(), s.getHeight(), Dst.getV(), Dst.getHeight(), start, length, at);
        part.setV(start);
        part.setHeight(length);
        placed.setV(at);
        placed.setHeight(length);
        Image.drawPart(Dev, part, placed);
        break;
    }
    case FittedCenteredPlacement: {
        KGraphicRectangle fitted = s;
        fitted.fitInto(Dst, true);
        Image.drawPart(Dev, s, fitted);
        break;
    }
    default:
        break;
    }
}

void KImageIGO::drawAt(KGraphicDevice& Dev, const KGraphicPoint& At)
{
    KGraphicObject* image = isSelected() ? lookAt(NormalHilite) : lookForHilite();
    if (!image)
        return;
    KGraphicObjectPtr hold(image);
    drawImage(Dev, *image,
              KGraphicRectangle(At.getH(), At.getV(), image->getSize().getWidth(), image->getSize().getHeight()));
}

void KImageIGO::draw(KGraphicDevice& Dev, const KGraphicRectangle& Dst)
{
    KGraphicRectangle inner = Dst;
    inner.inset(m_inset, m_inset);
    if (!isSelected()) {
        if (KGraphicObject* image = lookForHilite())
            drawImage(Dev, *image, inner);
        return;
    }
    Dev.saveState();
    Dev.paintRect(Dst, KColor(kCyan));
    Dev.restoreState();
    if (KGraphicObject* image = lookAt(NormalHilite))
        drawImage(Dev, *image, inner);
}

void KImageIGO::drawPart(KGraphicDevice& Dev, const KGraphicRectangle& Src, const KGraphicRectangle& Dst)
{
    // Only a normal picture can give the source rectangle; without one it stays unset.
    if (m_sourceRect.getWidth() == 0 && hasNormalImage())
        takeSourceRectFrom(getNormalImage());
    KGraphicObject* image = lookForHilite();
    if (!image)
        return;
    const KGraphicRectangle part(static_cast<short>(m_sourceRect.getH() + Src.getH()),
                                 static_cast<short>(m_sourceRect.getV() + Src.getV()),
                                 std::min(Src.getWidth(), m_sourceRect.getWidth()),
                                 std::min(Src.getHeight(), m_sourceRect.getHeight()));
    image->drawPart(Dev, part, Dst);
}
