#pragma once
// The push button: a native "button" that reports each click as one done action (type 4)
// from its click notification. A dialog's OK, Cancel and Apply buttons are push buttons.
#include "controls/KControl.h"
#include "foundation/KString.h"

class KPushButtonControl : public KControl {
    K_DECLARE_CLASS(KPushButtonControl)
public:
    KPushButtonControl();
    ~KPushButtonControl() override;

    void createNativeControl() override;
    bool handleNativeEvent(KNativeEvent& Event) override;
    // Ends the press without an action: the click notification reports it.
    KEventReturn mouseUpEvent(KMouseEvent& E) override;

    void setTitle(const KString& Title);
    const KString& getTitle() const { return m_title; }

private:
    KString m_title;
};

K_POINTER_CLASS(KPushButtonControl, KControlPtr);
