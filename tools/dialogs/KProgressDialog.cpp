#include "tools/dialogs/KProgressDialog.h"

namespace {
constexpr short kLeft = 10;
constexpr short kWidth = 330;
constexpr short kBottomWidth = 230;
constexpr short kLineHeight = 20;
} // namespace

K_DEFINE_CLASS(KProgressDialog, KDialog, 1)

KProgressDialog::KProgressDialog()
{
    setBounds(KGraphicRectangle(0, 0, 350, 140));
    center();
    setProgressBar(*new KProgressBarControl);
    getProgressBar().setValue(0.0f);
    getProgressBar().setBounds(KGraphicRectangle(kLeft, 35, kWidth, kLineHeight));
    addElement(getProgressBar());
    setTopText(*new KStaticTextNativeControl);
    getTopText().setBounds(KGraphicRectangle(kLeft, 10, kWidth, kLineHeight));
    addElement(getTopText());
    setBottomText(*new KStaticTextNativeControl);
    getBottomText().setBounds(KGraphicRectangle(kLeft, 60, kBottomWidth, kLineHeight));
    addElement(getBottomText());
    setStandardButtons(CancelButton);
}

KProgressDialog::~KProgressDialog() = default;

void KProgressDialog::open(uint8) { KDialog::open(OpenShown); }

void KProgressDialog::setProgressBar(KProgressBarControl& Bar) { m_progressBar = Bar; }
void KProgressDialog::resetProgressBar() { m_progressBar.reset(); }
void KProgressDialog::setTopText(KStaticTextNativeControl& Text) { m_topText = Text; }
void KProgressDialog::resetTopText() { m_topText.reset(); }
void KProgressDialog::setBottomText(KStaticTextNativeControl& Text) { m_bottomText = Text; }
void KProgressDialog::resetBottomText() { m_bottomText.reset(); }
