#include "tools/controls/KEditValueControl.h"

#include "application/KControlActionEvent.h"
#include "application/KKeyEvent.h"
#include "application/KKeyboardManager.h"
#include "foundation/KVariable.h"
#include "foundation/KernelFunctions.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr short kDefaultLabelWidth = 64;
const char* const kWholeCharacters = "0123456789+-";
const char* const kDecimalCharacters = "0123456789+-.";
} // namespace

K_DEFINE_CLASS(KEditValueControl, KControl, 1)

KEditValueControl::KEditValueControl()
    : m_labelText("Value:")
    , m_labelWidth(kDefaultLabelWidth)
{
    m_label = new KStaticTextNativeControl;
    m_label->setText(m_labelText);
    m_field = new KEditTextControl;
    m_field->setAcceptedCharacters(kDecimalCharacters);
    KString zero;
    zero.setFloat(m_decimalValue, m_decimals);
    m_field->setText(zero);
    m_field->setActionOnReturn(0);
    m_arrows = new KSmallArrowsControl;
    addControl(*m_label);
    addControl(*m_field);
    addControl(*m_arrows);
    setVariantSize(kPlatformMac, KGraphicSize(128, 23));
    setVariantSize(kPlatformWindows, KGraphicSize(128, 22));
    setSize(KGraphicSize(128, 23));
    clearStateFlags(AcceptsFocusFlag);
}

KEditValueControl::~KEditValueControl() = default;

void KEditValueControl::enable(bool On)
{
    if (!On)
        disable();
    else
        KControl::enable(true);
}

void KEditValueControl::disable() { KControl::disable(); }

long KEditValueControl::wholeMaximum() const { return static_cast<long>(std::trunc(m_maximum)); }
long KEditValueControl::wholeMinimum() const { return static_cast<long>(std::trunc(m_minimum)); }

void KEditValueControl::setValueKind(uint8 Kind)
{
    m_kind = Kind;
    if (Kind == WholeNumber)
        m_field->setAcceptedCharacters(kWholeCharacters);
    else if (Kind == DecimalNumber)
        m_field->setAcceptedCharacters(kDecimalCharacters);
    else
        return;
    showValue();
}

void KEditValueControl::setLabelWidth(short Width)
{
    m_labelWidth = Width;
    layoutSubControls();
}

void KEditValueControl::setLabel(const KString& Text)
{
    m_labelText = Text;
    m_label->setText(Text);
}

void KEditValueControl::showValue()
{
    KString text;
    if (m_kind == WholeNumber)
        text.setNumber(m_wholeValue);
    else if (m_kind == DecimalNumber)
        text.setFloat(m_decimalValue, m_decimals);
    m_field->setText(text);
}

void KEditValueControl::setIntValue(long Value)
{
    m_wholeValue = std::min(std::max(Value, wholeMinimum()), wholeMaximum());
    KString text;
    text.setNumber(m_wholeValue);
    m_field->setText(text);
    m_field->selectAll();
}

long KEditValueControl::getIntValue()
{
    m_wholeValue = std::min(std::max(m_field->getText().toLong(), wholeMinimum()), wholeMaximum());
    return m_wholeValue;
}

void KEditValueControl::confirm(long Steps)
{
    // Stepping up clamps to the maximum first, stepping down to the minimum first: with a
    // minimum above the maximum the bound checked last wins.
    if (m_kind == WholeNumber) {
        long value = m_field->getText().toLong() + Steps * m_wholeStep;
        if (Steps >= 0) {
            value = std::max(std::min(value, wholeMaximum()), wholeMinimum());
        } else {
            value = std::min(std::max(value, wholeMinimum()), wholeMaximum());
        }
        m_wholeValue = value;
    } else if (m_kind == DecimalNumber) {
        double value = m_field->getText().toDouble() + static_cast<double>(Steps) * m_decimalStep;
        if (Steps >= 0) {
            value = std::max(std::min(value, m_maximum), m_minimum);
        } else {
            value = std::min(std::max(value, m_minimum), m_maximum);
        }
        m_decimalValue = value;
    }
    showValue();
    m_field->selectAll();
}

bool KEditValueControl::keyTyped(KKeyEvent& E)
{
    if (E.getKey() == KKeyboardManager::ReturnKey)
        confirm(0);
    E.setSource(*this);
    return false;
}

bool KEditValueControl::focusGained(KKeyEvent&) { return true; }
bool KEditValueControl::focusLost(KKeyEvent&) { return true; }

void KEditValueControl::layoutSubControls()
{
    if (!m_arrows.hasObject(nullptr))
        return;
    const uint8 platform = knsGetPlatform();
    const short w = getWidth(), h = getHeight(), lw = m_labelWidth;
    const KGraphicSize label = m_label->getVariantSize(platform);
    const KGraphicSize field = m_field->getVariantSize(platform);
    const KGraphicSize arrows = m_arrows->getVariantSize(platform);
    m_label->setBounds(KGraphicRectangle(0, static_cast<short>((h - label.getHeight()) / 2), lw, label.getHeight()));
    m_field->setBounds(KGraphicRectangle(static_cast<short>(lw + 8), static_cast<short>((h - field.getHeight()) / 2),
                                         static_cast<short>(w - lw - arrows.getWidth() - 17), field.getHeight()));
    m_arrows->setBounds(KGraphicRectangle(static_cast<short>(w - arrows.getWidth() - 2),
                                          static_cast<short>((h - arrows.getHeight()) / 2), arrows.getWidth(),
                                          arrows.getHeight()));
}

void KEditValueControl::draw() {}

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
    } else if (&E.getSource() == m_field.get() && E.getType() == KControlActionEvent::TextChanged) {
        E.setSource(*this);
    }
    return false;
}
