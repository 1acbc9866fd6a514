#pragma once
// What the folder and file path editors share: a label, a one-line field holding the path
// as text and a "Browse..." button that opens the platform's dialog and writes the chosen
// path into the field. A choice is announced with an action of type 5 (posted only while
// the action mask holds 5); the button's own click and the editor's other actions go no
// further. Both editors are registered as children of KControl.
#include "controls/KControl.h"
#include "controls/KEditTextControl.h"
#include "controls/KPushButtonControl.h"
#include "controls/KStaticTextNativeControl.h"

class KPathEditingControl : public KControl {
public:
    ~KPathEditingControl() override;

    void enable(bool On) override;
    void disable() override;
    // Every key goes on with the editor as its source.
    bool keyTyped(KKeyEvent& E) override;
    bool focusGained(KKeyEvent& E) override;
    bool focusLost(KKeyEvent& E) override;
    void layoutSubControls() override;
    void draw() override;
    bool handleAction(KControlActionEvent& E) override;
    using KControl::handleAction;

    KEditTextControl& getField() const { return *m_field; }
    KPushButtonControl& getBrowseButton() const { return *m_browseButton; }
    KStaticTextNativeControl& getLabel() const { return *m_label; }

protected:
    explicit KPathEditingControl(const char* LabelText);

    // Opens the platform's dialog; true when the user chose and the field shows the choice.
    virtual bool browse() = 0;
    // The keyboard focus goes to the field, which shows Text.
    void showPath(const KString& Text);
    const KString& getTypedText() { return m_field->getText(); }
    void setLabelText(const KString& Text);
    void setLabelWidthTo(short Width);

private:
    KStaticTextNativeControlPtr m_label;
    KEditTextControlPtr m_field;
    KString m_labelText;
    KString m_pathText;
    KPushButtonControlPtr m_browseButton;
    short m_labelWidth;
};
