#include "multimedia/KTimerRelay.h"

KTimerRelay::KTimerRelay(KThing& Target) { m_target.setNativePtr(&Target); }

void KTimerRelay::doTimer(KTimer& T)
{
    if (m_target.hasNativePtr())
        m_target.getNativePtr().doTimer(T);
}
