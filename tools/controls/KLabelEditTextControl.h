#pragma once
// A label and a one-line edit field managed as one control. The field's actions and the
// keys typed in it reach the window with this control as their source.
#include "controls/KControl.h"
#include "controls/KEditTextControl.h"
#include "controls/KStaticTextNativeControl.h"

class KLabelEditTextControl : public KControl {
    K_DECLARE_CLASS(KLabelEditTextControl)
public:
    KLabelEditTextControl();
    ~KLabelEditTextControl() override;

    // The field first, so that a field disabled on its own comes back too.
    void enable(bool On) override;
    void disable() override;
    bool keyTyped(KKeyEvent& E) override;
    bool focusGained(KKeyEvent& E) override;
    bool focusLost(KKeyEvent& E) override;
    void layoutSubControls() override;
    void draw() override;
    bool handleAction(KControlActionEvent& E) override;
    using KControl::handleAction;

    void setText(const KString& Text);
    // The field's text as it stands.
    const KString& getText();
    void setLabel(const KString& Text);
    void setLabelWidth(short Width);
    short getLabelWidth() const { return m_labelWidth; }

    KStaticTextNativeControl& getLabel() const { return *m_label; }
    KEditTextControl& getField() const { return *m_field; }

private:
    KStaticTextNativeControlPtr m_label;
    KEditTextControlPtr m_field;
    KString m_labelText;
    KString m_text;
    short m_labelWidth;
};

K_POINTER_CLASS(KLabelEditTextControl, KControlPtr);
