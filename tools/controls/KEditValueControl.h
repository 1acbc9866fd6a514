#pragma once
// One number to enter: a label, a one-line field that takes only digits and signs (and
// the point in decimal mode) and a pair of arrows. Return in the field or a step of the
// arrows reads the typed text, keeps the number within the range, writes it back in its
// normal form and selects it. The range is held as two doubles; whole numbers use them
// truncated toward zero. The control's own events are those of its children, re-labelled
// with the value editor as their source.
#include "controls/KSmallArrowsControl.h"
#include "tools/controls/KLabelledFieldControl.h"

class KEditValueControl : public KLabelledFieldControl {
    K_DECLARE_CLASS(KEditValueControl)
public:
    enum ValueKind : uint8 {
        WholeNumber = 0,
        DecimalNumber = 1,
    };

    KEditValueControl();
    ~KEditValueControl() override;

    // Return confirms the typed number; every key goes on with this control as source.
    bool keyTyped(KKeyEvent& E) override;
    void layoutSubControls() override;
    bool handleAction(KControlActionEvent& E) override;
    using KControl::handleAction;

    void setValueKind(uint8 Kind);
    uint8 getValueKind() const { return m_kind; }
    // Kept within the range and shown, selected.
    void setIntValue(long Value);
    // The typed text read afresh and kept within the range; the text stays as typed.
    long getIntValue();
    void setIntStep(long Step) { m_wholeStep = Step; }
    // Neither changes the value: the next confirmation does.
    void setMaximum(double Maximum) { m_maximum = Maximum; }
    void setMinimum(double Minimum) { m_minimum = Minimum; }
    double getDecimalValue() const { return m_decimalValue; }

    KSmallArrowsControl& getArrows() const { return *m_arrows; }

private:
    // The typed number stepped by Steps steps (0 confirms it), kept within the range,
    // stored, written back and selected.
    void confirm(long Steps);
    void showValue();
    long wholeMaximum() const;
    long wholeMinimum() const;

    uint8 m_kind = DecimalNumber;
    KSmallArrowsControlPtr m_arrows;
    long m_wholeValue = 0;
    long m_wholeStep = 1;
    double m_decimalValue = 0.0;
    double m_decimalStep = 0.2;
    double m_maximum = 128.0;
    double m_minimum = -128.0;
    short m_decimals = 4;
};

K_POINTER_CLASS(KEditValueControl, KControlPtr);
