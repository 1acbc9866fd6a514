#include "tools/controls/KLabelSliderControl.h"

#include "application/KControlActionEvent.h"
#include "foundation/KernelFunctions.h"
#include "tools/controls/CompoundControls.h"

#include <algorithm>

namespace {
constexpr short kDefaultLabelWidth = 64;
constexpr short kWidth = 150;
// Neither the captions nor the slider get narrower than this, however narrow the control.
constexpr short kLeast = 10;
} // namespace

K_DEFINE_CLASS(KLabelSliderControl, KControl, 1)

KLabelSliderControl::KLabelSliderControl()
    : m_labelWidth(kDefaultLabelWidth)
{
    m_slider = new KSliderControl;
    m_label = new KStaticTextNativeControl;
    m_minimumCaption = new KStaticTextNativeControl;
    m_maximumCaption = new KStaticTextNativeControl;
    m_minimumCaption->setText("Min");
    m_maximumCaption->setText("Max");
    // Only a native window made after this call takes the alignment.
    m_maximumCaption->setAlignment(kAlignRight);
    addControl(*m_slider);
    addControl(*m_label);
    addControl(*m_minimumCaption);
    addControl(*m_maximumCaption);
    for (uint8 platform : {kPlatformMac, kPlatformWindows}) {
        const short height = static_cast<short>(m_slider->getVariantSize(platform).getHeight()
                                                + m_minimumCaption->getVariantSize(platform).getHeight());
        setVariantSize(platform, KGraphicSize(kWidth, height));
    }
    applyVariantSize();
}

KLabelSliderControl::~KLabelSliderControl() = default;

void KLabelSliderControl::layoutSubControls()
{
    if (!m_maximumCaption.hasObject(nullptr))
        return;
    const uint8 platform = knsGetPlatform();
    const short w = getWidth(), lw = m_labelWidth;
    const short captionHeight = m_minimumCaption->getVariantSize(platform).getHeight();
    const short sliderHeight = m_slider->getVariantSize(platform).getHeight();
    const short labelHeight = m_label->getVariantSize(platform).getHeight();
    const short half = std::max<short>(static_cast<short>((w - lw) / 2), kLeast);
    m_minimumCaption->setBounds(KGraphicRectangle(lw, 0, half, captionHeight));
    m_maximumCaption->setBounds(KGraphicRectangle(static_cast<short>(lw + half), 0, half, captionHeight));
    m_slider->setBounds(KGraphicRectangle(lw, captionHeight, std::max<short>(static_cast<short>(w - lw), kLeast),
                                          sliderHeight));
    m_label->setBounds(KGraphicRectangle(0, static_cast<short>(captionHeight + (sliderHeight - labelHeight) / 2), lw,
                                         labelHeight));
}

bool KLabelSliderControl::handleAction(KControlActionEvent& E)
{
    if (!E.hasSource() || &E.getSource() != m_slider.get())
        return false;
    resendAsFrom(*this, E);
    return true;
}
