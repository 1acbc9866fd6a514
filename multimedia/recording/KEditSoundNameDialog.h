#pragma once
// The "New Sound File" dialog: one "Name:" field for the name under which a recorded
// sound is kept in a folder. OK on the name of a sound that is already there first asks
// whether to overwrite it. A name that cannot name a file is refused with a beep.
#include "controls/KDialog.h"
#include "controls/KEditTextControl.h"
#include "controls/KStaticTextNativeControl.h"
#include "foundation/KDirectory.h"

class KControlActionEvent;

class KEditSoundNameDialog : public KDialog {
    K_DECLARE_CLASS(KEditSoundNameDialog)
public:
    KEditSoundNameDialog();
    ~KEditSoundNameDialog() override;

    bool handleControlAction(KControlActionEvent& E) override;

    void setWarningTitle(const KString& Title) { m_warningTitle = Title; }
    void setWarningText(const KString& Text) { m_warningText = Text; }
    void setDirectory(const KDirectory& Directory) { m_directory = Directory; }
    // Shows the dialog modally with Name proposed; true when a name was accepted, which
    // then replaces Name.
    bool run(KString& Name);

    KStaticTextNativeControl& getLabel() const { return m_label.getObject(); }
    KEditTextControl& getNameField() const { return m_nameField.getObject(); }

private:
    bool accept();

    KStaticTextNativeControlPtr m_label;
    KEditTextControlPtr m_nameField;
    KString m_name;
    KDirectory m_directory;
    KString m_warningTitle;
    KString m_warningText;
    uint8 m_accepted = 0;
};

K_POINTER_CLASS(KEditSoundNameDialog, KDialogPtr);
