#include "tools/controls/KPathEditingControl.h"

#include "application/KControlActionEvent.h"
#include "application/KKeyEvent.h"
#include "application/KKeyboardManager.h"
#include "foundation/KernelFunctions.h"
#include "tools/controls/CompoundControls.h"

#include <algorithm>

namespace {
constexpr short kDefaultLabelWidth = 64;
constexpr short kButtonWidth = 80;
constexpr short kGap = 6;
} // namespace

KPathEditingControl::KPathEditingControl(const char* LabelText)
    : m_labelText(LabelText)
    , m_labelWidth(kDefaultLabelWidth)
{
    clearStateFlags(AcceptsFocusFlag);
    m_label = new KStaticTextNativeControl;
    m_label->setText(m_labelText);
    m_field = new KEditTextControl;
    m_field->setText(m_pathText);
    m_browseButton = new KPushButtonControl;
    m_browseButton->setTitle("Browse...");
    addControl(*m_label);
    addControl(*m_field);
    addControl(*m_browseButton);
    for (uint8 platform : {kPlatformMac, kPlatformWindows}) {
        const KGraphicSize button = m_browseButton->getVariantSize(platform);
        const KGraphicSize label = m_label->getVariantSize(platform);
        const KGraphicSize field = m_field->getVariantSize(platform);
        setVariantSize(platform,
                       KGraphicSize(static_cast<short>(button.getWidth() + label.getWidth() + field.getWidth() + 12),
                                    std::max({button.getHeight(), label.getHeight(), field.getHeight()})));
    }
    applyVariantSize();
}

KPathEditingControl::~KPathEditingControl() = default;

void KPathEditingControl::enable(bool On)
{
    if (!On) {
        disable();
        return;
    }
    m_field->enable(true);
    KControl::enable(true);
}

void KPathEditingControl::disable()
{
    m_field->disable();
    KControl::disable();
}

bool KPathEditingControl::keyTyped(KKeyEvent& E)
{
    E.setSource(*this);
    return false;
}

bool KPathEditingControl::focusGained(KKeyEvent&) { return true; }
bool KPathEditingControl::focusLost(KKeyEvent&) { return true; }

void KPathEditingControl::layoutSubControls()
{
    if (!m_browseButton.hasObject(nullptr))
        return;
    const uint8 platform = knsGetPlatform();
    const short w = getWidth(), h = getHeight(), lw = m_labelWidth;
    const short labelHeight = m_label->getVariantSize(platform).getHeight();
    const short buttonHeight = m_browseButton->getVariantSize(platform).getHeight();
    const short fieldHeight = m_field->getVariantSize(platform).getHeight();
    m_label->setBounds(KGraphicRectangle(0, static_cast<short>((h - labelHeight) / 2), lw, labelHeight));
    m_browseButton->setBounds(KGraphicRectangle(static_cast<short>(w - kButtonWidth),
                                                static_cast<short>((h - buttonHeight) / 2), kButtonWidth, buttonHeight));
    m_field->setBounds(KGraphicRectangle(static_cast<short>(lw + kGap), static_cast<short>((h - fieldHeight) / 2),
                                         static_cast<short>(w - (lw + kButtonWidth + 2 * kGap)), fieldHeight));
}

void KPathEditingControl::draw() { drawCompoundControl(*this); }

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
        KKeyboardManager::getManager().setFocusElement(*m_field);
    m_field->setText(Text);
}

void KPathEditingControl::setLabelText(const KString& Text)
{
    m_labelText = Text;
    m_label->setText(Text);
}

void KPathEditingControl::setLabelWidthTo(short Width)
{
    m_labelWidth = Width;
    layoutSubControls();
}
