#include "tools/controls/KSimpleImageControl.h"

#include "application/KNativeEvent.h"
#include "tools/controls/ControlLooks.h"

namespace {
// Every KSimpleImageControl draws through this one image.
KImagePtr s_offScreen;

// Hover is lighter and flatter, pressed darker and harder, disabled grey, light and flat.
void adjustForHilite(KImage& Look, uint8 Hilite)
{
    switch (Hilite) {
    case KInteractiveElement::HoverHilite:
        Look.adjustBrightnessContrast(0.15, -0.2);
        break;
    case KInteractiveElement::PressedHilite:
        Look.adjustBrightnessContrast(-0.3, 0.2);
        break;
    case KInteractiveElement::DisabledHilite:
        Look.makeGrey();
        Look.adjustBrightnessContrast(0.3, -0.2);
        break;
    default:
        break;
    }
}
} // namespace

K_DEFINE_CLASS(KSimpleImageControl, KControl, 1)

KSimpleImageControl::KSimpleImageControl()
{
    setStateFlags(RedrawOnHiliteFlag | HoverLookFlag);
    clearStateFlags(EraseBackgroundFlag | AcceptsFocusFlag);
}

KSimpleImageControl::~KSimpleImageControl()
{
    for (KAlphaImagePtr& look : m_looks)
        look.reset();
    m_onImage.reset();
    m_backgroundImage.reset();
    m_sourceImage.reset();
}

void KSimpleImageControl::setImage(KImage& Image)
{
    m_sourceImage = Image;
    for (KAlphaImagePtr& look : m_looks) {
        look = new KAlphaImage;
        look->create(Image.getSize());
    }
    deriveLooks();
    invalidate();
}

void KSimpleImageControl::setImageFromResource(short Number)
{
    KImagePtr image = new KImage;
    image->createFromResource(Number);
    setImage(*image);
}

void KSimpleImageControl::setImageResources(short Image, short Mask)
{
    m_imageResource = Image;
    m_maskResource = Mask;
}

void KSimpleImageControl::setBackgroundImage(KAlphaImage& Image)
{
    m_backgroundImage = Image;
    m_backgroundRect.set(0, 0, Image.getSize().getWidth(), Image.getSize().getHeight());
}

void KSimpleImageControl::setOnImage(KAlphaImage& Image)
{
    m_onImage = Image;
    m_onRect.set(0, 0, Image.getSize().getWidth(), Image.getSize().getHeight());
}

void KSimpleImageControl::deriveLooks()
{
    const KGraphicSize& size = m_sourceImage->getSize();
    for (uint8 hilite = NormalHilite; hilite <= DisabledHilite; ++hilite) {
        KAlphaImage& look = *m_looks[hilite];
        m_sourceImage->drawAt(look.getGraphicDevice(), KGraphicPoint(0, 0));
        adjustForHilite(look, hilite);
        m_lookRects[hilite].set(0, 0, size.getWidth(), size.getHeight());
    }
}

void KSimpleImageControl::draw()
{
    drawThroughOffScreen(*this, s_offScreen,
                         [this](KGraphicDevice& Dev, const KGraphicRectangle& Area) { paint(Dev, Area); });
}

void KSimpleImageControl::paint(KGraphicDevice& Dev, const KGraphicRectangle& Area)
{
    if (m_backgroundImage.hasObject(nullptr))
        m_backgroundImage->drawPart(Dev, m_backgroundRect, Area);
    const bool derived = m_looks[NormalHilite].hasObject(nullptr);
    if (!derived && !hasResources())
        return;
    uint8 hilite = getHilite();
    if (hilite > DisabledHilite)
        return;
    if (m_on && hilite <= HoverHilite) {
        if (m_onImage.hasObject(nullptr)) {
            m_onImage->drawPart(Dev, m_onRect, Area);
            return;
        }
        // Without an on picture the on state looks pressed.
        hilite = PressedHilite;
    }
    if (derived)
        m_looks[hilite]->drawPart(Dev, m_lookRects[hilite], Area);
    else
        paintFromResources(Dev, Area, hilite);
}

void KSimpleImageControl::paintFromResources(KGraphicDevice& Dev, const KGraphicRectangle& Area, uint8 Hilite)
{
    KAlphaImagePtr look = new KAlphaImage(m_imageResource, m_maskResource);
    adjustForHilite(*look, Hilite);
    look->setAlphaMode(KAlphaImage::kPerPixelAlpha);
    look->drawPart(Dev, KGraphicRectangle(0, 0, getWidth(), getHeight()), Area);
}

bool KSimpleImageControl::handleNativeEvent(KNativeEvent& Event)
{
    return swallowEraseBackground(Event) || KControl::handleNativeEvent(Event);
}

KEventReturn KSimpleImageControl::mouseUpEvent(KMouseEvent& E)
{
    m_on = toggleOnRelease(*this, m_toggleMode, m_on);
    return KControl::mouseUpEvent(E);
}
