#include "tools/controls/KLabelEditTextControl.h"

#include "application/KControlActionEvent.h"
#include "application/KKeyEvent.h"
#include "foundation/KernelFunctions.h"
#include "tools/controls/CompoundControls.h"

#include <algorithm>

namespace {
constexpr short kDefaultLabelWidth = 64;
constexpr short kFieldGap = 5;
constexpr short kDesktopHeight = 24;
} // namespace

K_DEFINE_CLASS(KLabelEditTextControl, KControl, 1)

KLabelEditTextControl::KLabelEditTextControl()
    : m_labelText("Label:")
    , m_labelWidth(kDefaultLabelWidth)
{
    clearStateFlags(AcceptsFocusFlag);
    m_label = new KStaticTextNativeControl;
    m_field = new KEditTextControl;
    m_label->setText(m_labelText);
    m_field->setText(m_text);
    addControl(*m_label);
    addControl(*m_field);
    const KGraphicSize label1 = m_label->getVariantSize(kPlatformMac), field1 = m_field->getVariantSize(kPlatformMac);
    setVariantSize(kPlatformMac, KGraphicSize(static_cast<short>(label1.getWidth() + field1.getWidth()),
                                              std::max(label1.getHeight(), field1.getHeight())));
    const KGraphicSize label2 = m_label->getVariantSize(kPlatformWindows);
    const KGraphicSize field2 = m_field->getVariantSize(kPlatformWindows);
    setVariantSize(kPlatformWindows,
                   KGraphicSize(static_cast<short>(label2.getWidth() + field2.getWidth()), kDesktopHeight));
    applyVariantSize();
}

KLabelEditTextControl::~KLabelEditTextControl() = default;

void KLabelEditTextControl::enable(bool On)
{
    if (!On) {
        disable();
        return;
    }
    m_field->enable(true);
    KControl::enable(true);
}

void KLabelEditTextControl::disable()
{
    m_field->disable();
    KControl::disable();
}

bool KLabelEditTextControl::keyTyped(KKeyEvent& E)
{
    E.setSource(*this);
    return false;
}

bool KLabelEditTextControl::focusGained(KKeyEvent&) { return true; }
bool KLabelEditTextControl::focusLost(KKeyEvent&) { return true; }

void KLabelEditTextControl::layoutSubControls()
{
    if (!m_label.hasObject(nullptr) || !m_field.hasObject(nullptr))
        return;
    const short w = getWidth(), h = getHeight(), lw = m_labelWidth;
    const short labelHeight = m_label->getVariantSize(knsGetPlatform()).getHeight();
    m_label->setBounds(KGraphicRectangle(0, static_cast<short>((h - labelHeight) / 2), lw, labelHeight));
    m_field->setBounds(KGraphicRectangle(static_cast<short>(lw + kFieldGap), 1, static_cast<short>(w - lw - 8),
                                         static_cast<short>(h - 2)));
}

void KLabelEditTextControl::draw() { drawCompoundControl(*this); }

bool KLabelEditTextControl::handleAction(KControlActionEvent& E)
{
    if (E.hasSource() && &E.getSource() == m_field.get())
        E.setSource(*this);
    return false;
}

void KLabelEditTextControl::setText(const KString& Text)
{
    m_text = Text;
    if (m_field.hasObject(nullptr))
        m_field->setText(Text);
}

const KString& KLabelEditTextControl::getText()
{
    if (m_field.hasObject(nullptr))
        m_text = m_field->getText();
    return m_text;
}

void KLabelEditTextControl::setLabel(const KString& Text)
{
    m_labelText = Text;
    if (m_label.hasObject(nullptr))
        m_label->setText(Text);
}

void KLabelEditTextControl::setLabelWidth(short Width)
{
    m_labelWidth = Width;
    layoutSubControls();
}
