#include "tools/controls/KGraphicSliderControl.h"

#include "application/KControlActionEvent.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KAlphaImage.h"
#include "tools/controls/ControlLooks.h"

#include <algorithm>

namespace {
constexpr short kSliderWidth = 100;
// The dimmed look: lighter and flatter than the picture.
constexpr double kDimmedBrightness = 0.3;
constexpr double kDimmedContrast = -0.2;

// Half the spare room, or 0 when there is none.
long centered(long Room, long Length) { return std::max(0L, (Room - Length) / 2); }
} // namespace

K_DEFINE_CLASS(KGraphicSliderControl, KControl, 1)

KGraphicSliderControl::KGraphicSliderControl()
{
    makeParts();
    m_left->setSize(KWideSize(0, 0));
    m_right->setSize(KWideSize(0, 0));
    for (uint8 variant = 1; variant <= 2; ++variant)
        setVariantSize(variant, KGraphicSize(kSliderWidth, m_slider->getVariantSize(variant).getHeight()));
    applyVariantSize();
}

KGraphicSliderControl::KGraphicSliderControl(short LeftImage, short LeftMask, short RightImage, short RightMask)
{
    makeParts();
    makeLooks(*m_left, LeftImage, LeftMask);
    makeLooks(*m_right, RightImage, RightMask);
    const long pictures = std::max(m_left->getSize().getHeight(), m_right->getSize().getHeight());
    const long width = m_left->getSize().getWidth() + kSliderWidth + m_right->getSize().getWidth();
    for (uint8 variant = 1; variant <= 2; ++variant) {
        const long height = std::max<long>(m_slider->getVariantSize(variant).getHeight(), pictures);
        setVariantSize(variant, KGraphicSize(static_cast<short>(width), static_cast<short>(height)));
    }
    applyVariantSize();
}

KGraphicSliderControl::~KGraphicSliderControl()
{
    m_left.reset();
    m_right.reset();
    m_slider.reset();
}

void KGraphicSliderControl::makeParts()
{
    m_slider = new KSliderControl;
    m_left.newObject();
    m_right.newObject();
    addControl(*m_slider);
}

void KGraphicSliderControl::makeLooks(KImageIGO& Picture, short Image, short Mask)
{
    KAlphaImagePtr normal = new KAlphaImage(Image, Mask);
    normal->setAlphaMode(KAlphaImage::kPerPixelAlpha);
    Picture.setNormalImage(*normal);
    Picture.setSize(KWideSize(normal->getSize()));
    KAlphaImagePtr dimmed = new KAlphaImage(Image, Mask);
    dimmed->makeGrey();
    dimmed->adjustBrightnessContrast(kDimmedBrightness, kDimmedContrast);
    dimmed->setAlphaMode(KAlphaImage::kPerPixelAlpha);
    Picture.setDimmedImage(*dimmed);
}

void KGraphicSliderControl::enable(bool On)
{
    m_left->enable(On);
    m_right->enable(On);
    KControl::enable(On);
}

void KGraphicSliderControl::disable()
{
    m_left->disable();
    m_right->disable();
    KControl::disable();
}

void KGraphicSliderControl::layoutSubControls()
{
    if (!m_slider.hasObject(nullptr))
        return;
    const long width = getWidth(), height = getHeight();
    const long leftWidth = m_left->getSize().getWidth(), leftHeight = m_left->getSize().getHeight();
    const long rightWidth = m_right->getSize().getWidth(), rightHeight = m_right->getSize().getHeight();
    const long sliderHeight = m_slider->getVariantSize(knsGetPlatform()).getHeight();
    if (leftWidth + rightWidth <= width) {
        m_left->setPosition(KWidePoint(0, centered(height, leftHeight)));
        m_slider->setBounds(KGraphicRectangle(static_cast<short>(leftWidth),
                                              static_cast<short>(centered(height, sliderHeight)),
                                              static_cast<short>(width - leftWidth - rightWidth),
                                              static_cast<short>(sliderHeight)));
        m_right->setPosition(KWidePoint(width - rightWidth, centered(height, rightHeight)));
        return;
    }
    // No room beside the slider: the pictures go below it.
    m_slider->setBounds(
        KGraphicRectangle(0, 0, static_cast<short>(width), static_cast<short>(sliderHeight)));
    const long below = m_slider->getHeight();
    m_left->setPosition(KWidePoint(0, below));
    m_right->setPosition(KWidePoint(width - rightWidth, below));
}

void KGraphicSliderControl::draw()
{
    drawOnControl(*this, [this](KGraphicDevice& Dev, const KGraphicRectangle& Area) {
        for (KImageIGO* picture : {m_left.get(), m_right.get()}) {
            picture->drawAt(Dev, KGraphicPoint(static_cast<short>(Area.getH() + picture->getPosition().getX()),
                                               static_cast<short>(Area.getV() + picture->getPosition().getY())));
        }
    });
}

bool KGraphicSliderControl::handleAction(KControlActionEvent& E)
{
    if (!E.hasSource() || m_slider.get() != &E.getSource())
        return false;
    KControlActionEventPtr own = new KControlActionEvent(E);
    if (own.hasObject(nullptr)) {
        own->setSource(*this);
        KEvent::send(*own);
    }
    return true;
}

void KGraphicSliderControl::setMinimum(long Minimum) { m_slider->setMinimum(Minimum); }
void KGraphicSliderControl::setMaximum(long Maximum) { m_slider->setMaximum(Maximum); }
void KGraphicSliderControl::setPageSize(long PageSize) { m_slider->setPageSize(PageSize); }
void KGraphicSliderControl::setValue(long Value, bool Update) { m_slider->setValue(Value, Update); }
long KGraphicSliderControl::getValue() { return m_slider->getValue(); }
