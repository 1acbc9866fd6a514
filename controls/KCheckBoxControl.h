#pragma once
// The check box: a native "button" of the plain (not automatic) kind, whose mark follows
// the control's selected flag. Each click notification toggles the flag and reports one
// done action (type 4) while the action mask holds it.
#include "controls/KControl.h"
#include "foundation/KString.h"

class KCheckBoxControl : public KControl {
    K_DECLARE_CLASS(KCheckBoxControl)
public:
    KCheckBoxControl();
    ~KCheckBoxControl() override;

    // Nothing while disabled.
    void setSelected(bool On) override;
    void clearSelected() override;
    void createNativeControl() override;
    bool handleNativeEvent(KNativeEvent& Event) override;
    // Ends the press without an action: the click notification reports it.
    KEventReturn mouseUpEvent(KMouseEvent& E) override;

    void setTitle(const KString& Title);
    const KString& getTitle() const { return m_title; }

private:
    KString m_title;
};

K_POINTER_CLASS(KCheckBoxControl, KControlPtr);
