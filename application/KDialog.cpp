#include "application/KDialog.h"

#include "graphics/KColor.h"

namespace {
constexpr long kDialogWindowLayer = 4;
} // namespace

K_DEFINE_CLASS(KDialog, KWindow, 1)

KDialog::KDialog()
{
    setKindFlags(CaptionKind);
    setWindowLayer(kDialogWindowLayer);
    setBackColor(KColor(kSystemDialogFace));
}

KDialog::~KDialog() = default;

bool KDialog::keyTyped(KKeyEvent&) { return true; }

void KDialog::setOKButton(KThing& Button) { m_okButton.setObject(Button); }
void KDialog::resetOKButton() { m_okButton.reset(); }
void KDialog::setCancelButton(KThing& Button) { m_cancelButton.setObject(Button); }
void KDialog::resetCancelButton() { m_cancelButton.reset(); }
void KDialog::setApplyButton(KThing& Button) { m_applyButton.setObject(Button); }
void KDialog::resetApplyButton() { m_applyButton.reset(); }

void KDialog::addReceiver(KThing& Receiver)
{
    if (!m_receivers.has(Receiver))
        m_receivers.add(Receiver);
}
