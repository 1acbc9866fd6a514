#pragma once
// Media hold the objects that hear their feedback counted. An object that owns the very
// media it listens to would so keep itself alive through them. It lists this relay as
// the receiver instead: the media own the relay, the relay names the object without
// counting it and passes every event on, until the object detaches it as it goes.
#include "foundation/KNativePtr.h"
#include "foundation/KThingPtr.h"

class FeedbackRelay : public KThing {
public:
    explicit FeedbackRelay(KThing& Listener);

    // The listener's answer; false once it is detached.
    bool handleEvent(KEvent& E) override;
    void detach() { m_listener.reset(); }

private:
    KNativePtr m_listener;
};

K_POINTER_CLASS(FeedbackRelay, KThingPtr);
