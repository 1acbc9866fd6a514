#include "tools/controls/KSimpleMultiImageControl.h"

#include "application/KNativeEvent.h"
#include "tools/controls/ControlLooks.h"

namespace {
// Every KSimpleMultiImageControl draws through this one image.
KImagePtr s_offScreen;
} // namespace

K_DEFINE_CLASS(KSimpleMultiImageControl, KControl, 1)

KSimpleMultiImageControl::KSimpleMultiImageControl()
{
    setStateFlags(RedrawOnHiliteFlag | HoverLookFlag);
    clearStateFlags(AcceptsFocusFlag);
}

KSimpleMultiImageControl::~KSimpleMultiImageControl() { clearStateImages(); }

void KSimpleMultiImageControl::setStateImage(uint8 Hilite, KAlphaImage& Image)
{
    if (Hilite > DisabledHilite)
        return;
    m_images[Hilite] = Image;
    invalidate();
}

void KSimpleMultiImageControl::clearStateImages()
{
    for (KAlphaImagePtr& image : m_images)
        image.reset();
}

void KSimpleMultiImageControl::draw()
{
    drawThroughOffScreen(*this, s_offScreen,
                         [this](KGraphicDevice& Dev, const KGraphicRectangle& Area) { paint(Dev, Area); });
}

void KSimpleMultiImageControl::paint(KGraphicDevice& Dev, const KGraphicRectangle& Area)
{
    if (!m_images[NormalHilite].hasObject(nullptr) || getHilite() > DisabledHilite)
        return;
    uint8 shown = getHilite();
    if (m_on && shown <= HoverHilite)
        shown = PressedHilite;
    if (m_images[shown].hasObject(nullptr))
        m_images[shown]->draw(Dev, Area);
}

bool KSimpleMultiImageControl::handleNativeEvent(KNativeEvent& Event)
{
    return swallowEraseBackground(Event) || KControl::handleNativeEvent(Event);
}

KEventReturn KSimpleMultiImageControl::mouseUpEvent(KMouseEvent& E)
{
    m_on = toggleOnRelease(*this, m_toggleMode, m_on);
    return KControl::mouseUpEvent(E);
}
