#pragma once
// The one timer manager of the process: it keeps the running timers in the order they
// were started and, once per loop step, fires those that are due by calling their
// targets' doTimer. The loop also asks it when the next timer falls due, to know how long
// it may wait.
#include "foundation/KBag.h"
#include "foundation/KClass.h"
#include "foundation/KThingPtr.h"
#include "foundation/KTimerScheduler.h"

class KTimer;

class KTimerManager : public KTimerScheduler {
    K_DECLARE_CLASS(KTimerManager)
public:
    KTimerManager();
    ~KTimerManager() override;

    // The global manager; error 18 when there is none.
    static KTimerManager& getManager();
    static bool exists();
    // Made and dropped by the application with its other singletons; while it exists it
    // is the scheduler of every started timer.
    static void initManager();
    static void exitManager();

    void addTimer(KTimer& T) override;
    void removeTimer(KTimer& T) override;
    long getTimerCount() const { return m_timers.getSize(); }
    // The running timers in the order they were started.
    const KBag& getTimers() const { return m_timers; }
    bool hasTimer(const KTimer& T) const;

    // The idle hook: fires the due timers.
    void periodicTask() override;
    void fire();

    // The earliest time at which a running timer falls due, read across the wrap of the
    // millisecond clock; 0 when no timer runs.
    uint32 getNextDueTime() const;

private:
    KBag m_timers;
};

K_POINTER_CLASS(KTimerManager, KThingPtr);
