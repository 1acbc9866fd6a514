#pragma once
// The framework's dialog: a window of window layer 4 with a title bar only, owned by the
// main window, with up to three standard buttons (OK, Cancel, Apply) along its bottom
// edge, the elements its own code registered under names, and the receivers that hear
// about the standard buttons while it runs modelessly. runModal spins the application's
// loop until a standard button or a close request closes the dialog and answers which
// button it was. While a dialog is open the windows behind it refuse input.
//
// A typical dialog: construct it (the subclass adds its controls with addElement and names
// them with addNamedObject), optionally setStandardButtons, setButtonTitle, fitToControls
// and center, then runModal, or open and addReceiver; read the controls through
// getNamedObject once runModal returns.
#include "application/KWindow.h"
#include "foundation/KNamedBag.h"

#include <functional>

class KDialog : public KWindow {
    K_DECLARE_CLASS(KDialog)
public:
    enum Result : uint8 {
        NoResult = 0,
        OKResult = 1,
        CancelResult = 2,
        ApplyResult = 4,
    };

    // The bits of the standard-buttons mask, which are also the results.
    enum StandardButton : long {
        OKButton = 1,
        CancelButton = 2,
        ApplyButton = 4,
    };

    // One step of a modal loop: the application's main-loop step, which waits while nothing
    // is pending, unless a test installs its own, which may act on the dialog as a user
    // would; null restores it.
    using ModalStep = std::function<void(KDialog& Dialog)>;
    static void setModalStep(ModalStep Step);

    KDialog();
    ~KDialog() override;

    unsigned long getNativeStyle() const override;
    void open(uint8 Mode) override;
    // A key that reaches the dialog goes no further: not to the windows behind it, nor to
    // the application.
    bool keyTyped(KKeyEvent& E) override;

    virtual void setOKButton(KThing& Button);
    virtual void resetOKButton();
    virtual void setCancelButton(KThing& Button);
    virtual void resetCancelButton();
    virtual void setApplyButton(KThing& Button);
    virtual void resetApplyButton();
    // Answers true; the framework never calls it.
    virtual bool dialogHook();
    // Push buttons 90 by 20 along the bottom edge, 10 apart from the right: Apply, Cancel,
    // OK. OK answers Return and Cancel Escape.
    virtual void createStandardButtons(long Buttons);
    virtual void removeStandardButtons();
    // Opens the dialog and steps the loop until it closes; the result of the button that
    // closed it (0 after a plain close request of a fresh dialog).
    virtual uint8 runModal(uint8 Mode);
    virtual void waitUntilClosed();

    KThing& getOKButton() const { return m_okButton.getObject(); }
    bool hasOKButton() const { return m_okButton.hasObject(nullptr); }
    KThing& getCancelButton() const { return m_cancelButton.getObject(); }
    bool hasCancelButton() const { return m_cancelButton.hasObject(nullptr); }
    KThing& getApplyButton() const { return m_applyButton.getObject(); }
    bool hasApplyButton() const { return m_applyButton.hasObject(nullptr); }

    // Button 1, 2 or 4; takes effect when the buttons are made next.
    void setButtonTitle(long Button, const KString& Title);
    // Rebuilt at once while the dialog is open.
    void setStandardButtons(long Buttons);
    long getStandardButtons() const { return m_standardButtons; }
    // The size that holds the controls with a margin (and room for the button row when
    // the buttons are still to come); the origin stays.
    void fitToControls();

    void addNamedObject(KThing& Element, const KString& Name);
    KThing& getNamedObject(const KString& Name) const { return m_namedElements.getNamedObject(Name); }
    bool hasNamedObject(const KString& Name) const { return m_namedElements.findName(Name); }

    void addReceiver(KThing& Receiver);
    const KBag& getReceivers() const { return m_receivers; }
    bool isRunningModal() const { return m_runningModal; }
    void setResult(uint8 Result) { m_result = Result; }
    uint8 getResult() const { return m_result; }

protected:
    void setRunningModal(bool Modal) { m_runningModal = Modal; }

private:
    struct ButtonSlot;
    static const ButtonSlot kSlots[];
    void stepModally();

    KThingPtr m_okButton;
    KThingPtr m_cancelButton;
    KThingPtr m_applyButton;
    KString m_okTitle;
    KString m_cancelTitle;
    KString m_applyTitle;
    KNamedBag m_namedElements;
    KBag m_receivers;
    long m_standardButtons = OKButton | CancelButton;
    long m_okUserValue = 0;
    long m_cancelUserValue = 0;
    long m_applyUserValue = 0;
    bool m_runningModal = false;
    uint8 m_result = NoResult;
};

K_POINTER_CLASS(KDialog, KWindowPtr);
