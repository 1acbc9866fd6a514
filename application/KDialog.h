#pragma once
// The framework's dialog: a window of window layer 4 with a title bar only, up to three
// standard buttons (OK, Cancel, Apply), the receivers that hear about those buttons while
// the dialog runs modelessly, and the result that tells which button closed it. While a
// dialog is open the windows behind it refuse input.
#include "application/KWindow.h"

class KDialog : public KWindow {
    K_DECLARE_CLASS(KDialog)
public:
    enum Result : uint8 {
        NoResult = 0,
        OKResult = 1,
        CancelResult = 2,
        ApplyResult = 4,
    };

    KDialog();
    ~KDialog() override;

    // A key that reaches the dialog goes no further: not to the windows behind it, nor to
    // the application.
    bool keyTyped(KKeyEvent& E) override;

    virtual void setOKButton(KThing& Button);
    virtual void resetOKButton();
    virtual void setCancelButton(KThing& Button);
    virtual void resetCancelButton();
    virtual void setApplyButton(KThing& Button);
    virtual void resetApplyButton();

    KThing& getOKButton() const { return m_okButton.getObject(); }
    bool hasOKButton() const { return m_okButton.hasObject(nullptr); }
    KThing& getCancelButton() const { return m_cancelButton.getObject(); }
    bool hasCancelButton() const { return m_cancelButton.hasObject(nullptr); }
    KThing& getApplyButton() const { return m_applyButton.getObject(); }
    bool hasApplyButton() const { return m_applyButton.hasObject(nullptr); }

    void addReceiver(KThing& Receiver);
    const KBag& getReceivers() const { return m_receivers; }
    bool isRunningModal() const { return m_runningModal; }
    void setResult(uint8 Result) { m_result = Result; }
    uint8 getResult() const { return m_result; }

protected:
    void setRunningModal(bool Modal) { m_runningModal = Modal; }

private:
    KThingPtr m_okButton;
    KThingPtr m_cancelButton;
    KThingPtr m_applyButton;
    KBag m_receivers;
    bool m_runningModal = false;
    uint8 m_result = NoResult;
};

K_POINTER_CLASS(KDialog, KWindowPtr);
