#pragma once
// The radio button: a native "button" of the plain (not automatic) kind whose mark follows
// the control's selected flag. A click (or a typed space) reports a done action, and the
// button then selects itself, through its radio group when it sits in one.
#include "controls/KControl.h"
#include "foundation/KString.h"

class KRadioButtonControl : public KControl {
    K_DECLARE_CLASS(KRadioButtonControl)
public:
    KRadioButtonControl();
    ~KRadioButtonControl() override;

    // Nothing while disabled.
    void setSelected(bool On) override;
    void clearSelected() override;
    void createNativeControl() override;
    bool handleNativeEvent(KNativeEvent& Event) override;
    // Its own done action selects it; the action goes on to the containers either way.
    bool handleAction(KControlActionEvent& E) override;
    using KControl::handleAction;

    void setTitle(const KString& Title);
    const KString& getTitle() const { return m_title; }

private:
    KString m_title;
};
