// Timers and their manager on a driven millisecond clock: the three catch-up modes,
// one-shot timers, timers stopped while they fire, and the wrap of the clock.
#include "application/KTimerManager.h"
#include "tests/application/ApplicationTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A target that counts its firings and may act from inside them.
class Target : public KThing {
public:
    void doTimer(KTimer& T) override
    {
        ++fired;
        if (onFire)
            onFire(T);
    }
    int fired = 0;
    std::function<void(KTimer&)> onFire;
};
K_POINTER_CLASS(Target, KThingPtr);

class Timers : public testing::Test {
protected:
    Timers() { KTimerManager::initManager(); }
    ~Timers() override { KTimerManager::exitManager(); }

    KTimerManager& manager() { return KTimerManager::getManager(); }
    // Lets time pass, then gives the manager one pass.
    void advance(uint32 Milliseconds)
    {
        s_now += Milliseconds;
        manager().fire();
    }
    KTimerPtr startTimer(Target& T, long Period, uint8 Mode, bool Repeating)
    {
        return runningTimer(T, Period, Repeating, Mode);
    }

    // Polls without time passing until a pass fires nothing; answers the firings.
    int pollUntilQuiet(Target& T)
    {
        int before = T.fired;
        for (int pass = 0; pass < 10000; ++pass) {
            int now = T.fired;
            manager().fire();
            if (T.fired == now)
                break;
        }
        return T.fired - before;
    }

    DrivenClock clock{1000};
    uint32& s_now = DrivenClock::now();
};

TEST_F(Timers, ANegativePeriodNeverRunsAndZeroWaitsOneMillisecond)
{
    TargetPtr target = new Target;
    KTimerPtr timer = new KTimer;
    timer->setTarget(*target);
    timer->start();
    EXPECT_FALSE(timer->isRunning());
    EXPECT_EQ(manager().getTimerCount(), 0);

    timer->setPeriod(0);
    timer->start();
    manager().fire();
    EXPECT_EQ(target->fired, 0);
    advance(1);
    EXPECT_EQ(target->fired, 1);
    // A negative period stops a running timer.
    timer->setPeriod(-1);
    EXPECT_FALSE(timer->isRunning());
    EXPECT_EQ(manager().getTimerCount(), 0);
    // A one-shot without a target still leaves the list.
    KTimerPtr lonely = new KTimer;
    lonely->setPeriod(5);
    lonely->start();
    advance(6);
    EXPECT_FALSE(lonely->isRunning());
}

TEST_F(Timers, CatchUpModesAfterAStall)
{
    struct Case {
        uint8 mode;
        uint32 stall;
        int firings;
    };

    // Mode 0 fires every missed period; mode 1 only about the maximum lag's worth; mode 2
    // drops them.
    const Case cases[] = {{KTimer::Steady, 100, 4},
                          {KTimer::Steady, 5000, 249},
                          {KTimer::SteadyWithLagLimit, 5000, 49},
                          {KTimer::FromNow, 5000, 1}};
    for (const Case& c : cases) {
        TargetPtr target = new Target;
        KTimerPtr timer = startTimer(*target, 20, c.mode, true);
        s_now += c.stall;
        EXPECT_EQ(pollUntilQuiet(*target), c.firings) << "mode " << int(c.mode) << " after " << c.stall;
        EXPECT_TRUE(timer->isRunning());
        timer->stop();
    }

    // The lag limit resumes a period after now less the maximum lag.
    TargetPtr target = new Target;
    KTimerPtr limited = startTimer(*target, 20, KTimer::SteadyWithLagLimit, true);
    advance(5000);
    EXPECT_EQ(limited->getStartTime(), s_now - 980);
    limited->stop();
    // From now: fires again one period after the firing.
    KTimerPtr fromNow = startTimer(*target, 20, KTimer::FromNow, true);
    advance(5000);
    advance(20);
    EXPECT_EQ(target->fired, 2);
    advance(1);
    EXPECT_EQ(target->fired, 3);
}

TEST_F(Timers, OneShotLeavesTheListBeforeItsTargetRunsAndMayStartAgain)
{
    TargetPtr target = new Target, other = new Target;
    KTimerPtr oneShot = startTimer(*target, 10, KTimer::FromNow, false);
    KTimerPtr repeating = startTimer(*other, 10, KTimer::FromNow, true);
    bool inListWhileFiring = true;
    bool restart = true;
    target->onFire = [&](KTimer& T) {
        inListWhileFiring = manager().hasTimer(T);
        if (restart)
            T.start();
    };
    advance(11);
    EXPECT_FALSE(inListWhileFiring);
    // The timer behind the one-shot moved into its place and was still fired this pass.
    EXPECT_EQ(other->fired, 1);
    EXPECT_TRUE(oneShot->isRunning());
    EXPECT_EQ(oneShot->getStartTime(), s_now);
    // Started again, it went to the end of the list.
    ASSERT_EQ(manager().getTimers().getCount(), 2);
    EXPECT_EQ(&manager().getTimers()[1], oneShot.get());

    restart = false;
    advance(11);
    EXPECT_EQ(target->fired, 2);
    EXPECT_FALSE(oneShot->isRunning());
    EXPECT_FALSE(manager().hasTimer(*oneShot));
    EXPECT_EQ(manager().getTimerCount(), 1);
}

TEST_F(Timers, TimerStoppedWhileFiringStaysStoppedAndTheNextStillFires)
{
    TargetPtr first = new Target, second = new Target;
    KTimerPtr stopping = startTimer(*first, 10, KTimer::Steady, true);
    KTimerPtr next = startTimer(*second, 10, KTimer::Steady, true);
    first->onFire = [](KTimer& T) { T.stop(); };
    const uint32 startedAt = s_now;
    advance(11);
    EXPECT_EQ(first->fired, 1);
    EXPECT_FALSE(stopping->isRunning());
    // Not rescheduled after it stopped itself.
    EXPECT_EQ(stopping->getStartTime(), startedAt);
    EXPECT_EQ(second->fired, 1);
    EXPECT_EQ(manager().getTimerCount(), 1);
    // A hook that stops another timer, ahead of it in the list, keeps that one from firing.
    TargetPtr third = new Target;
    KTimerPtr victim = startTimer(*third, 10, KTimer::Steady, true);
    second->onFire = [&](KTimer&) { victim->stop(); };
    advance(20);
    EXPECT_EQ(third->fired, 0);
    EXPECT_FALSE(manager().hasTimer(*victim));
}

TEST_F(Timers, TickDifferencesAreSignedAcrossTheWrapOfTheClock)
{
    s_now = 0xFFFFFFF0u;
    TargetPtr target = new Target;
    KTimerPtr timer = startTimer(*target, 20, KTimer::Steady, true);
    s_now += 10; // 0xFFFFFFFA
    manager().fire();
    EXPECT_EQ(target->fired, 0);
    EXPECT_EQ(timer->getElapsed(), 10);
    s_now += 15; // wrapped to 9
    EXPECT_EQ(timer->getElapsed(), 25);
    EXPECT_EQ(manager().getNextDueTime(), 0xFFFFFFF0u + 20u);
    manager().fire();
    EXPECT_EQ(target->fired, 1);
    EXPECT_EQ(timer->getStartTime(), 4u);
    timer->stop();
    // The next due time is the earliest, read across the wrap.
    EXPECT_EQ(manager().getNextDueTime(), 0u);
    s_now = 0xFFFFFF00u;
    KTimerPtr late = startTimer(*target, 300, KTimer::FromNow, true); // due at 0x2C
    KTimerPtr early = startTimer(*target, 100, KTimer::FromNow, true); // due at 0xFFFFFF64
    EXPECT_EQ(manager().getNextDueTime(), 0xFFFFFF64u);
    early->stop();
    EXPECT_EQ(manager().getNextDueTime(), 0x2Cu);
}

} // namespace
