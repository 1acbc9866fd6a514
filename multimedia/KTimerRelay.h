#pragma once
// A timer holds its target counted. An object that owns its own timers would so keep
// itself alive for as long as they run, and its destructor, which stops them, could never
// come. The object makes this relay the target instead: the timer owns the relay, the
// relay names the object without counting it and passes every firing on.
#include "foundation/KNativePtr.h"
#include "foundation/KThingPtr.h"

class KTimerRelay : public KThing {
public:
    explicit KTimerRelay(KThing& Target);

    void doTimer(KTimer& T) override;

private:
    KNativePtr m_target;
};

K_POINTER_CLASS(KTimerRelay, KThingPtr);
