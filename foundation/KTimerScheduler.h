#pragma once
// What fires the running timers: the application's timer manager, which polls them from
// the main loop. It stands above the foundation, so a started timer finds it here, where
// the manager puts itself while it exists.
#include "foundation/KThingPtr.h"

class KTimer;

class KTimerScheduler : public KThing {
public:
    // The installed scheduler; error 18 when there is none.
    static KTimerScheduler& get();
    // Null removes the scheduler.
    static void install(KTimerScheduler* Scheduler);

    virtual void addTimer(KTimer& T) = 0;
    virtual void removeTimer(KTimer& T) = 0;
};
