#pragma once
// A timer as an object: once started, the application's timer manager calls its target's
// doTimer each time the period has passed. The timer keeps its own start time and decides
// by itself whether it is due; the manager only polls the running timers from the loop.
#include "foundation/KClass.h"
#include "foundation/KThingPtr.h"

class KTimer : public KThing {
    K_DECLARE_CLASS(KTimer)
public:
    // How a repeating timer that fell behind catches up after firing.
    enum CatchUpMode : uint8 {
        // Every missed period is fired, one per poll.
        Steady = 0,
        // As Steady, but never more than the maximum lag behind.
        SteadyWithLagLimit = 1,
        // Missed periods are dropped: the next firing is a period after this one.
        FromNow = 2,
    };

    KTimer();
    ~KTimer() override;

    // Timers are not stored: both tell the user so and do nothing.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    virtual void setTarget(KThing& T);
    virtual void resetTarget();
    KThing& getTarget() const;
    bool hasTarget() const { return m_target.hasObject(nullptr); }

    void setCatchUpMode(uint8 Mode) { m_catchUpMode = Mode; }
    void setRepeating(bool R) { m_repeating = R; }
    void setMaxLag(long Ms) { m_maxLag = Ms; }
    // A negative period stops the timer.
    void setPeriod(long Ms);

    uint8 getCatchUpMode() const { return m_catchUpMode; }
    bool isRepeating() const { return m_repeating; }
    long getMaxLag() const { return m_maxLag; }
    long getPeriod() const { return m_period; }
    uint32 getStartTime() const { return m_startTime; }
    bool isRunning() const { return m_running; }

    void start();
    void stop();

    // Milliseconds since the start, taken modulo 2^32 and read as signed, so that a timer
    // goes on across the wrap of the millisecond clock; 0 while not running.
    long getElapsed() const;
    bool isDue() const;
    // The new start time of a repeating timer after it fired, by its catch-up mode.
    void reschedule();

private:
    KThingPtr m_target;
    uint8 m_catchUpMode = FromNow;
    bool m_repeating = false;
    uint32 m_startTime = 0;
    long m_period = -1;
    long m_maxLag = 1000;
    bool m_running = false;
};

K_POINTER_CLASS(KTimer, KThingPtr);
