#pragma once
// A ready-made message dialog titled "Alert": a text, an optional icon at the top left,
// OK and Cancel, and a warning beep when it opens. It always opens shown. Every alert of
// the run opens where the last alert whose buttons were used stood, at its size.
//
// The code that shows an alert sets the text of getMessage() (and the icon when wanted),
// then runs it modally: 1 for OK, 2 for Cancel.
#include "controls/KDialog.h"
#include "controls/KStaticTextNativeControl.h"
#include "graphics/KImage.h"

class KAlert : public KDialog {
    K_DECLARE_CLASS(KAlert)
public:
    KAlert();
    ~KAlert() override;

    void open(uint8 Mode) override;
    // The icon, when there is one; the controls then draw over it.
    bool draw(KWindowEvent& E) override;
    // Remembers the alert's place for the next one, and lets the button do its work.
    bool handleControlAction(KControlActionEvent& E) override;

    KStaticTextNativeControl& getMessage() const { return *m_message; }
    void setIcon(KImage& Icon) { m_icon = Icon; }
    bool hasIcon() const { return m_icon.hasObject(nullptr); }

    // The rectangle the next alert opens at: 100, 100, 400 by 130 until an alert moves it.
    static const KGraphicRectangle& getRememberedRectangle();

private:
    KImagePtr m_icon;
    KStaticTextNativeControlPtr m_message;
};

K_POINTER_CLASS(KAlert, KDialogPtr);
