#include "tools/controls/KLabelEditTextControl.h"

#include "application/KControlActionEvent.h"
#include "foundation/KernelFunctions.h"

#include <algorithm>

namespace {
constexpr short kFieldGap = 5;
constexpr short kDesktopHeight = 24;
} // namespace

K_DEFINE_CLASS(KLabelEditTextControl, KControl, 1)

KLabelEditTextControl::KLabelEditTextControl()
    : KLabelledFieldControl("Label:")
{
    getField().setText(m_text);
    const KGraphicSize label1 = getLabel().getVariantSize(kPlatformMac);
    const KGraphicSize field1 = getField().getVariantSize(kPlatformMac);
    setVariantSize(kPlatformMac, KGraphicSize(static_cast<short>(label1.getWidth() + field1.getWidth()),
                                              std::max(label1.getHeight(), field1.getHeight())));
    const KGraphicSize label2 = getLabel().getVariantSize(kPlatformWindows);
    const KGraphicSize field2 = getField().getVariantSize(kPlatformWindows);
    setVariantSize(kPlatformWindows,
                   KGraphicSize(static_cast<short>(label2.getWidth() + field2.getWidth()), kDesktopHeight));
    applyVariantSize();
}

KLabelEditTextControl::~KLabelEditTextControl() = default;

void KLabelEditTextControl::layoutSubControls()
{
    if (!hasChildren())
        return;
    const short lw = getLabelWidth();
    placeLabel();
    getField().setBounds(KGraphicRectangle(static_cast<short>(lw + kFieldGap), 1, static_cast<short>(getWidth() - lw - 8),
                                           static_cast<short>(getHeight() - 2)));
}

bool KLabelEditTextControl::handleAction(KControlActionEvent& E)
{
    if (E.hasSource() && &E.getSource() == &getField())
        E.setSource(*this);
    return false;
}

void KLabelEditTextControl::setText(const KString& Text)
{
    m_text = Text;
    getField().setText(Text);
}

const KString& KLabelEditTextControl::getText()
{
    m_text = getField().getText();
    return m_text;
}
