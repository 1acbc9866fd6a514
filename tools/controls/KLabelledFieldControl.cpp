#include "tools/controls/KLabelledFieldControl.h"

#include "application/KKeyEvent.h"
#include "foundation/KernelFunctions.h"
#include "tools/controls/CompoundControls.h"

namespace {
constexpr short kDefaultLabelWidth = 64;
} // namespace

KLabelledFieldControl::KLabelledFieldControl(const char* LabelText)
    : m_labelText(LabelText)
    , m_labelWidth(kDefaultLabelWidth)
{
    // Pressing the compound control does not take the focus from its field.
    clearStateFlags(AcceptsFocusFlag);
    m_label = new KStaticTextNativeControl;
    m_label->setText(m_labelText);
    m_field = new KEditTextControl;
    addControl(*m_label);
    addControl(*m_field);
}

KLabelledFieldControl::~KLabelledFieldControl() = default;

void KLabelledFieldControl::enable(bool On)
{
    if (!On) {
        disable();
        return;
    }
    m_field->enable(true);
    KControl::enable(true);
}

void KLabelledFieldControl::disable()
{
    m_field->disable();
    KControl::disable();
}

bool KLabelledFieldControl::keyTyped(KKeyEvent& E)
{
    E.setSource(*this);
    return false;
}

bool KLabelledFieldControl::focusGained(KKeyEvent&) { return true; }
bool KLabelledFieldControl::focusLost(KKeyEvent&) { return true; }

void KLabelledFieldControl::draw() { drawCompoundControl(*this); }

void KLabelledFieldControl::setLabel(const KString& Text)
{
    m_labelText = Text;
    m_label->setText(Text);
}

void KLabelledFieldControl::setLabelWidth(short Width)
{
    m_labelWidth = Width;
    layoutSubControls();
}

void KLabelledFieldControl::placeLabel()
{
    const short height = m_label->getVariantSize(knsGetPlatform()).getHeight();
    m_label->setBounds(KGraphicRectangle(0, centred(height), m_labelWidth, height));
}
