#pragma once
// What the compound controls around a one-line edit field share (the labelled edit field,
// the value editor, the path editors): a label, the field, and the rules that make the
// two one control. The field is enabled first and disabled first, so that a field
// disabled on its own comes back with the control; keys typed in the field go on with
// the compound control as their source; the focus hooks stop there. The compound
// controls are each registered as children of KControl.
#include "controls/KControl.h"
#include "controls/KEditTextControl.h"
#include "controls/KStaticTextNativeControl.h"

class KLabelledFieldControl : public KControl {
public:
    ~KLabelledFieldControl() override;

    void enable(bool On) override;
    void disable() override;
    bool keyTyped(KKeyEvent& E) override;
    bool focusGained(KKeyEvent& E) override;
    bool focusLost(KKeyEvent& E) override;
    void draw() override;

    void setLabel(const KString& Text);
    // Lays the children out again.
    void setLabelWidth(short Width);
    short getLabelWidth() const { return m_labelWidth; }

    KStaticTextNativeControl& getLabel() const { return *m_label; }
    KEditTextControl& getField() const { return *m_field; }

protected:
    // Makes the label and the field and adds them, label first.
    explicit KLabelledFieldControl(const char* LabelText);

    // The label at the left edge, its own height, vertically centred.
    void placeLabel();
    // Y of a child of the height, vertically centred.
    short centred(short Height) const { return static_cast<short>((getHeight() - Height) / 2); }
    bool hasChildren() const { return m_field.hasObject(nullptr); }

private:
    KStaticTextNativeControlPtr m_label;
    KEditTextControlPtr m_field;
    KString m_labelText;
    short m_labelWidth;
};
