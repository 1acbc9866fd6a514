#pragma once
// Asks for one line of text. run shows the text given, runs the dialog modally and gives
// back whether the user accepted and, then, the text. Values in the refused list are never
// accepted (the refusal message is shown and the dialog stays); values in the confirm list
// are accepted only after a yes to the confirm question. Opened modelessly instead, an
// accepted OK leaves the text as the string variable "NewValue" among the dialog's named
// elements before the receivers hear of the OK.
#include "controls/KDialog.h"
#include "foundation/KStringBag.h"
#include "tools/controls/KLabelEditTextControl.h"

class KEditStringDialog : public KDialog {
    K_DECLARE_CLASS(KEditStringDialog)
public:
    KEditStringDialog();
    ~KEditStringDialog() override;

    bool handleControlAction(KControlActionEvent& E) override;

    virtual void setConfirmValues(KStringBag& Values);
    virtual void resetConfirmValues();
    virtual void setRefusedValues(KStringBag& Values);
    virtual void resetRefusedValues();

    // True when the user accepted; Text then holds the accepted text.
    bool run(KString& Text);

    // Error 18 when not set.
    KStringBag& getConfirmValues() const { return m_confirmValues.getObject(); }
    bool hasConfirmValues() const { return m_confirmValues.hasObject(nullptr); }
    KStringBag& getRefusedValues() const { return m_refusedValues.getObject(); }
    bool hasRefusedValues() const { return m_refusedValues.hasObject(nullptr); }
    void setConfirmQuestion(const KString& Question) { m_confirmQuestion = Question; }
    void setRefusalMessage(const KString& Message) { m_refusalMessage = Message; }
    // The lists compare without regard to letter case unless this is set.
    void setCaseSensitive(bool On) { m_caseSensitive = On; }
    KLabelEditTextControl& getField() const { return *m_field; }

private:
    // False when the text may not be accepted; the dialog says why.
    bool mayAccept();

    KStringBagPtr m_confirmValues;
    KStringBagPtr m_refusedValues;
    KLabelEditTextControlPtr m_field;
    KString m_value;
    KString m_confirmQuestion;
    KString m_refusalMessage;
    bool m_running = false;
    bool m_caseSensitive = false;
    bool m_accepted = false;
};

K_POINTER_CLASS(KEditStringDialog, KDialogPtr);
