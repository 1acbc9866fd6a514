#include "multimedia/KMediaFeedbackEvent.h"

#include "foundation/KVariable.h"

K_DEFINE_CLASS(KMediaFeedbackEvent, KEvent, 1)

KMediaFeedbackEvent::KMediaFeedbackEvent() = default;
KMediaFeedbackEvent::~KMediaFeedbackEvent() = default;

KEventReturn KMediaFeedbackEvent::handle() { return offerToReceivers(); }

void KMediaFeedbackEvent::setLong(const char* Name, long Value) { setVariable(Name, KVariable(Value)); }

bool KMediaFeedbackEvent::findLong(const char* Name, long& Out) const
{
    KVariable value;
    if (!findVariable(Name, value))
        return false;
    Out = value.getLong();
    return true;
}
