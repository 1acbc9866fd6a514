#include "tools/dialogs/KEditStringDialog.h"

#include "application/KControlActionEvent.h"
#include "controls/KControlsLayer.h"
#include "foundation/KVariable.h"
#include "foundation/KernelFunctions.h"
#include "tools/dialogs/StandardDialogs.h"

namespace {
constexpr short kLabelWidth = 95;
constexpr uint8 kNoAnswer = 3;
} // namespace

K_DEFINE_CLASS(KEditStringDialog, KDialog, 1)

KEditStringDialog::KEditStringDialog()
{
    setTitle("Edit String");
    m_field = new KLabelEditTextControl;
    m_field->setLabelWidth(kLabelWidth);
    m_field->setLabel("Edit String:");
    placeStandardDialogControl(*this, *m_field);
}

KEditStringDialog::~KEditStringDialog() = default;

void KEditStringDialog::setConfirmValues(KStringBag& Values) { m_confirmValues = Values; }
void KEditStringDialog::resetConfirmValues() { m_confirmValues.reset(); }
void KEditStringDialog::setRefusedValues(KStringBag& Values) { m_refusedValues = Values; }
void KEditStringDialog::resetRefusedValues() { m_refusedValues.reset(); }

bool KEditStringDialog::run(KString& Text)
{
    KDialogPtr hold(isOnHeap() ? this : nullptr);
    m_running = true;
    m_accepted = false;
    m_field->setText(Text);
    m_value = Text;
    runOwnModalLoop(*this);
    Text = m_value;
    m_running = false;
    return m_accepted;
}

bool KEditStringDialog::mayAccept()
{
    if (hasRefusedValues()) {
        getRefusedValues().setCaseSensitive(m_caseSensitive);
        if (getRefusedValues().contains(m_value)) {
            knsMessageBox(getTitle(), m_refusalMessage);
            return false;
        }
    }
    if (hasConfirmValues()) {
        getConfirmValues().setCaseSensitive(m_caseSensitive);
        if (getConfirmValues().contains(m_value) && knsQuestionBox(getTitle(), m_confirmQuestion) == kNoAnswer)
            return false;
    }
    return true;
}

bool KEditStringDialog::handleControlAction(KControlActionEvent& E)
{
    if (!E.hasSource())
        return false;
    if (hasOKButton() && &E.getSource() == &getOKButton()) {
        m_value = m_field->getText();
        if (!mayAccept())
            return true;
        if (m_running)
            m_accepted = true;
        else
            setNewValue(*this, m_value);
        return false;
    }
    if (hasCancelButton() && &E.getSource() == &getCancelButton() && m_running)
        m_accepted = false;
    return false;
}
