#pragma once
// What the folder and file path editors share: a label, a one-line field holding the path
// as text and a "Browse..." button that opens the platform's dialog and writes the chosen
// path into the field. A choice is announced with an action of type 5 (posted only while
// the action mask holds 5); the button's own click and the editor's other actions go no
// further.
#include "controls/KPushButtonControl.h"
#include "tools/controls/KLabelledFieldControl.h"

class KPathEditingControl : public KLabelledFieldControl {
public:
    ~KPathEditingControl() override;

    void layoutSubControls() override;
    bool handleAction(KControlActionEvent& E) override;
    using KControl::handleAction;

    KPushButtonControl& getBrowseButton() const { return *m_browseButton; }

protected:
    explicit KPathEditingControl(const char* LabelText);

    // Opens the platform's dialog; true when the user chose and the field shows the choice.
    virtual bool browse() = 0;
    // The keyboard focus goes to the field, which shows Text.
    void showPath(const KString& Text);
    const KString& getTypedText() { return getField().getText(); }

private:
    KPushButtonControlPtr m_browseButton;
};
