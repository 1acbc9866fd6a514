#pragma once
// A label and a one-line edit field managed as one control. The field's actions and the
// keys typed in it reach the window with this control as their source.
#include "tools/controls/KLabelledFieldControl.h"

class KLabelEditTextControl : public KLabelledFieldControl {
    K_DECLARE_CLASS(KLabelEditTextControl)
public:
    KLabelEditTextControl();
    ~KLabelEditTextControl() override;

    void layoutSubControls() override;
    bool handleAction(KControlActionEvent& E) override;
    using KControl::handleAction;

    void setText(const KString& Text);
    // The field's text as it stands.
    const KString& getText();

private:
    KString m_text;
};

K_POINTER_CLASS(KLabelEditTextControl, KControlPtr);
