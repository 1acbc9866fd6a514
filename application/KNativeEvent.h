#pragma once
// A native message that the framework handles by its native defaults (background erase,
// owner-drawn menu items, z-order, control notifications, Alt+F4, the sizing and moving
// gates). It carries the message record; its result tells a native control whether the
// message was consumed.
#include "application/KEvent.h"

class KNativeEvent : public KEvent {
    K_DECLARE_CLASS(KNativeEvent)
public:
    KNativeEvent();
    ~KNativeEvent() override;

    KEventReturn handle() override;

    // 1: the message was consumed and does not reach the native control's own procedure.
    void setResult(long R) { m_result = R; }
    long getResult() const { return m_result; }

private:
    long m_result = 0;
};

K_POINTER_CLASS(KNativeEvent, KEventPtr);

// Hands a native event to the native message processing; an event of another class is
// reported (error 100) and not processed.
KEventReturn kksProcessNativeEvent(KEvent& Event);
