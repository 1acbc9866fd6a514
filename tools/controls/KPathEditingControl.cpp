#include "tools/controls/KPathEditingControl.h"

#include "application/KControlActionEvent.h"
#include "application/KKeyboardManager.h"
#include "foundation/KernelFunctions.h"

#include <algorithm>

namespace {
constexpr short kButtonWidth = 80;
constexpr short kGap = 6;
} // namespace

KPathEditingControl::KPathEditingControl(const char* LabelText)
    : KLabelledFieldControl(LabelText)
{
    m_browseButton = new KPushButtonControl;
    m_browseButton->setTitle("Browse...");
    addControl(*m_browseButton);
    for (uint8 platform : {kPlatformMac, kPlatformWindows}) {
        const KGraphicSize button = m_browseButton->getVariantSize(platform);
        const KGraphicSize label = getLabel().getVariantSize(platform);
        const KGraphicSize field = getField().getVariantSize(platform);
        setVariantSize(platform,
                       KGraphicSize(static_cast<short>(button.getWidth() + label.getWidth() + field.getWidth() + 12),
                                    std::max({button.getHeight(), label.getHeight(), field.getHeight()})));
    }
    applyVariantSize();
}

KPathEditingControl::~KPathEditingControl() = default;

void KPathEditingControl::layoutSubControls()
{
    if (!m_browseButton.hasObject(nullptr))
        return;
    const uint8 platform = knsGetPlatform();
    const short w = getWidth(), lw = getLabelWidth();
    const short buttonHeight = m_browseButton->getVariantSize(platform).getHeight();
    const short fieldHeight = getField().getVariantSize(platform).getHeight();
    placeLabel();
    m_browseButton->setBounds(
        KGraphicRectangle(static_cast<short>(w - kButtonWidth), centred(buttonHeight), kButtonWidth, buttonHeight));
    getField().setBounds(KGraphicRectangle(static_cast<short>(lw + kGap), centred(fieldHeight),
                                           static_cast<short>(w - (lw + kButtonWidth + 2 * kGap)), fieldHeight));
}

bool KPathEditingControl::handleAction(KControlActionEvent& E)
{
    if (!E.hasSource())
        return false;
    if (&E.getSource() == m_browseButton.get()) {
        if (browse())
            postAction(KControlActionEvent::TextChanged);
        return true;
    }
    return &E.getSource() == this && E.getType() != KControlActionEvent::TextChanged;
}

void KPathEditingControl::showPath(const KString& Text)
{
    if (KKeyboardManager::exists())
        KKeyboardManager::getManager().setFocusElement(getField());
    getField().setText(Text);
}
