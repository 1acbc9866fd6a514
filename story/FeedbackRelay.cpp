#include "story/FeedbackRelay.h"

FeedbackRelay::FeedbackRelay(KThing& Listener) { m_listener.setNativePtr(&Listener); }

bool FeedbackRelay::handleEvent(KEvent& E)
{
    return m_listener.hasNativePtr() && m_listener.getNativePtr().handleEvent(E);
}
