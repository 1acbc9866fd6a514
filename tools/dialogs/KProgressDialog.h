#pragma once
// A window for a long task: a line of text, a progress bar, a second line and a Cancel
// button. The task drives the three controls itself and learns of Cancel from the closed
// dialog, or, when it registered as a receiver, from the event of type 4.
#include "controls/KDialog.h"
#include "controls/KProgressBarControl.h"
#include "controls/KStaticTextNativeControl.h"

class KProgressDialog : public KDialog {
    K_DECLARE_CLASS(KProgressDialog)
public:
    KProgressDialog();
    ~KProgressDialog() override;

    // Always opens shown.
    void open(uint8 Mode) override;

    virtual void setProgressBar(KProgressBarControl& Bar);
    virtual void resetProgressBar();
    virtual void setTopText(KStaticTextNativeControl& Text);
    virtual void resetTopText();
    virtual void setBottomText(KStaticTextNativeControl& Text);
    virtual void resetBottomText();

    // Error 18 when not set.
    KProgressBarControl& getProgressBar() const { return m_progressBar.getObject(); }
    KStaticTextNativeControl& getTopText() const { return m_topText.getObject(); }
    KStaticTextNativeControl& getBottomText() const { return m_bottomText.getObject(); }

private:
    KProgressBarControlPtr m_progressBar;
    KStaticTextNativeControlPtr m_topText;
    KStaticTextNativeControlPtr m_bottomText;
};

K_POINTER_CLASS(KProgressDialog, KDialogPtr);
