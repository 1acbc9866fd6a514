#include "tools/controls/KEditValueControl.h"

#include "application/KControlActionEvent.h"
#include "application/KKeyEvent.h"
#include "application/KKeyboardManager.h"
#include "foundation/KVariable.h"
#include "foundation/KernelFunctions.h"

#include <algorithm>
#include <cmath>

namespace {
const char* const kWholeCharacters = "0123456789+-";
const char* const kDecimalCharacters = "0123456789+-.";
} // namespace

K_DEFINE_CLASS(KEditValueControl, KControl, 1)

KEditValueControl::KEditValueControl()
    : KLabelledFieldControl("Value:")
{
    getField().setAcceptedCharacters(kDecimalCharacters);
    showValue();
    // Return is this control's to confirm the number.
    getField().setActionOnReturn(0);
    m_arrows = new KSmallArrowsControl;
    addControl(*m_arrows);
    setVariantSize(kPlatformMac, KGraphicSize(128, 23));
    setVariantSize(kPlatformWindows, KGraphicSize(128, 22));
    setSize(KGraphicSize(128, 23));
}

KEditValueControl::~KEditValueControl() = default;

long KEditValueControl::wholeMaximum() const { return static_cast<long>(std::trunc(m_maximum)); }
long KEditValueControl::wholeMinimum() const { return static_cast<long>(std::trunc(m_minimum)); }

void KEditValueControl::setValueKind(uint8 Kind)
{
    m_kind = Kind;
    if (Kind == WholeNumber)
        getField().setAcceptedCharacters(kWholeCharacters);
    else if (Kind == DecimalNumber)
        getField().setAcceptedCharacters(kDecimalCharacters);
    else
        return;
    showValue();
}

void KEditValueControl::showValue()
{
    KString text;
    if (m_kind == WholeNumber)
        text.setNumber(m_wholeValue);
    else if (m_kind == DecimalNumber)
        text.setFloat(m_decimalValue, m_decimals);
    getField().setText(text);
}

void KEditValueControl::setIntValue(long Value)
{
    m_wholeValue = std::min(std::max(Value, wholeMinimum()), wholeMaximum());
    KString text;
    text.setNumber(m_wholeValue);
    getField().setText(text);
    getField().selectAll();
}

long KEditValueControl::getIntValue()
{
    m_wholeValue = std::min(std::max(getField().getText().toLong(), wholeMinimum()), wholeMaximum());
    return m_wholeValue;
}

void KEditValueControl::confirm(long Steps)
{
    // Stepping up clamps to the maximum first, stepping down to the minimum first: with a
    // minimum above the maximum the bound checked last wins.
    if (m_kind == WholeNumber) {
        long value = getField().getText().toLong() + Steps * m_wholeStep;
        if (Steps >= 0) {
            value = std::max(std::min(value, wholeMaximum()), wholeMinimum());
        } else {
            value = std::min(std::max(value, wholeMinimum()), wholeMaximum());
        }
        m_wholeValue = value;
    } else if (m_kind == DecimalNumber) {
        double value = getField().getText().toDouble() + static_cast<double>(Steps) * m_decimalStep;
        if (Steps >= 0) {
            value = std::max(std::min(value, m_maximum), m_minimum);
        } else {
            value = std::min(std::max(value, m_minimum), m_maximum);
        }
        m_decimalValue = value;
    }
    showValue();
    getField().selectAll();
}

bool KEditValueControl::keyTyped(KKeyEvent& E)
{
    if (E.getKey() == KKeyboardManager::ReturnKey)
        confirm(0);
    return KLabelledFieldControl::keyTyped(E);
}

void KEditValueControl::layoutSubControls()
{
    if (!m_arrows.hasObject(nullptr))
        return;
    const uint8 platform = knsGetPlatform();
    const short w = getWidth(), lw = getLabelWidth();
    const KGraphicSize field = getField().getVariantSize(platform);
    const KGraphicSize arrows = m_arrows->getVariantSize(platform);
    placeLabel();
    getField().setBounds(KGraphicRectangle(static_cast<short>(lw + 8), centred(field.getHeight()),
                                           static_cast<short>(w - lw - arrows.getWidth() - 17), field.getHeight()));
    m_arrows->setBounds(KGraphicRectangle(static_cast<short>(w - arrows.getWidth() - 2), centred(arrows.getHeight()),
                                          arrows.getWidth(), arrows.getHeight()));
}

bool KEditValueControl::handleAction(KControlActionEvent& E)
{
    if (!E.hasSource())
        return false;
    if (&E.getSource() == m_arrows.get()) {
        KVariable part;
        if (E.findVariable("ControlPart", part)) {
            const KString name = part.getString();
            if (name == "UpButton")
                confirm(1);
            else if (name == "DownButton")
                confirm(-1);
        }
        E.setSource(*this);
    } else if (&E.getSource() == &getField() && E.getType() == KControlActionEvent::TextChanged) {
        E.setSource(*this);
    }
    return false;
}
