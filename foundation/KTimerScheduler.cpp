#include "foundation/KTimerScheduler.h"

namespace {
KThingPtr s_scheduler;
} // namespace

KTimerScheduler& KTimerScheduler::get() { return static_cast<KTimerScheduler&>(s_scheduler.getObject()); }

void KTimerScheduler::install(KTimerScheduler* Scheduler)
{
    if (Scheduler)
        s_scheduler.setObject(*Scheduler);
    else
        s_scheduler.reset();
}
