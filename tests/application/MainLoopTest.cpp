// One step of the main loop: when it may block and for how long, the order of its parts,
// the busy flag against re-entry, the quit message, and the whole run.
#include "application/ApplicationStart.h"
#include "application/KTimerManager.h"
#include "application/KWindowManager.h"
#include "foundation/KTimer.h"
#include "foundation/OperatingSystemWin32.h"
#include "tests/application/ApplicationTestSupport.h"
#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> s_log;

class Handler : public KThing {
public:
    explicit Handler(std::string Name) : m_name(Name) {}
    void periodicTask() override
    {
        s_log.push_back(m_name + " idle");
        if (onIdle)
            onIdle();
    }
    void doTimer(KTimer&) override
    {
        s_log.push_back(m_name + " timer");
        if (onTimer)
            onTimer();
    }
    std::function<void()> onIdle;
    std::function<void()> onTimer;

private:
    std::string m_name;
};
K_POINTER_CLASS(Handler, KThingPtr);

class MainLoop : public testing::Test {
protected:
    void SetUp() override
    {
        s_log.clear();
        wait.clock = &clock;
        KTimerManager::initManager();
    }
    void TearDown() override { KTimerManager::exitManager(); }

    DrivenClock clock;
    RecordedWait wait;
};

TEST_F(MainLoop, BlocksOnlyWhenNothingWaitsAndTheNextTimerIsMoreThanFiveMillisecondsAway)
{
    ApplicationScope<> application;
    // The time-out of a step that blocks, or -1 for one that polls.
    const auto waits = [&] {
        uint32 timeOut = 99;
        return application->getWaitTime(timeOut) ? long(timeOut) : -1L;
    };
    EXPECT_EQ(waits(), 0);
    HandlerPtr target = new Handler("target");
    for (long period : {3, 5}) {
        KTimerPtr soon = runningTimer(*target, period);
        EXPECT_EQ(waits(), -1) << period;
        soon->stop();
    }
    KTimerPtr later = runningTimer(*target, 50);
    EXPECT_EQ(waits(), 51);
    // An idle handler, the no-wait flag or a queued event each keep the step from blocking.
    HandlerPtr idle = new Handler("idle");
    application->addIdleHandler(*idle);
    EXPECT_EQ(waits(), -1);
    application->removeIdleHandler(*idle);
    application->setApplicationFlags(KApplication::NoWaitFlag);
    EXPECT_EQ(waits(), -1);
    application->clearApplicationFlags(KApplication::NoWaitFlag);
    KApplicationEventPtr queued = new KApplicationEvent;
    queued->setType(4);
    KApplicationEvent::post(*queued);
    EXPECT_EQ(waits(), -1);
    KApplicationEvent::clearQueue();
    EXPECT_EQ(waits(), 51);
    // Under a modal loop, a busy idle handler and the timers of a busy manager cannot run:
    // the step waits for a message.
    application->addIdleHandler(*idle);
    idle->setFlags(KThing::Busy);
    KTimerManager::getManager().setFlags(KThing::Busy);
    KTimerPtr due = runningTimer(*target, 0);
    EXPECT_EQ(waits(), 0);
    KTimerManager::getManager().clearFlags(KThing::Busy);
    idle->clearFlags(KThing::Busy);
    EXPECT_EQ(waits(), -1);
}

TEST_F(MainLoop, AStepWaitsUntilTheNearestTimerIsDueWhicheverStartedFirstAndThenFiresIt)
{
    ApplicationScope<> application;
    for (bool slowFirst : {true, false}) {
        s_log.clear();
        wait.timeOuts.clear();
        HandlerPtr fast = new Handler("fast"), slow = new Handler("slow");
        KTimerPtr first = slowFirst ? runningTimer(*slow, 10000) : runningTimer(*fast, 20);
        KTimerPtr second = slowFirst ? runningTimer(*fast, 20) : runningTimer(*slow, 10000);
        // Due means more than the period has passed: the wait lasts into the millisecond
        // after it, so that the step that wakes fires the timer instead of polling for it.
        application->processEvents();
        EXPECT_EQ(wait.timeOuts, (std::vector<uint32>{21})) << slowFirst;
        EXPECT_EQ(s_log, (std::vector<std::string>{"fast timer"})) << slowFirst;
        first->stop();
        second->stop();
    }

    // With no timer left the step waits for a message alone.
    application->processEvents();
    EXPECT_EQ(wait.timeOuts, (std::vector<uint32>{21, 0}));

    // A waiting step waits even beside an idle handler, for the nearer of the next timer
    // and its own limit; a queued event still keeps it awake.
    wait.timeOuts.clear();
    HandlerPtr idle = new Handler("idle");
    application->addIdleHandler(*idle);
    KTimerPtr timer = runningTimer(*idle, 20);
    application->processWaitingOnce(100);
    application->processWaitingOnce(10);
    timer->stop();
    application->processWaitingOnce(30);
    KApplicationEventPtr queued = new KApplicationEvent;
    queued->setType(4);
    KApplicationEvent::post(*queued);
    application->processWaitingOnce(30);
    application->removeIdleHandler(*idle);
    EXPECT_EQ(wait.timeOuts, (std::vector<uint32>{21, 10, 30}));
}

TEST_F(MainLoop, AStepRunsEventsThenTimersThenIdleHandlers)
{
    ApplicationScope<> application;
    HandlerPtr first = new Handler("first");
    HandlerPtr second = new Handler("second");
    application->addIdleHandler(*first);
    application->addIdleHandler(*second);
    // A handler may add another during the pass; it runs in the same pass.
    HandlerPtr late = new Handler("late");
    first->onIdle = [&]() { application->addIdleHandler(*late); };
    KTimerPtr timer = runningTimer(*first, 0);
    clock.advance(1);
    application->processEvents();
    EXPECT_EQ(s_log, (std::vector<std::string>{"first timer", "first idle", "second idle", "late idle"}));
    // With idle handlers the step never waits.
    EXPECT_TRUE(wait.timeOuts.empty());
}

TEST_F(MainLoop, AHandlerRunningAModalLoopIsNotEnteredAgainFromInsideIt)
{
    ApplicationScope<> application;
    HandlerPtr modal = new Handler("modal");
    int depth = 0;
    modal->onIdle = [&]() {
        if (++depth < 3)
            application->processIdleOnce();
        --depth;
    };
    application->addIdleHandler(*modal);
    application->processEvents();
    EXPECT_EQ(s_log, (std::vector<std::string>{"modal idle"}));
    EXPECT_FALSE(modal->isBusy());
    // The same for timers: a second due timer is not fired from the first's modal loop,
    // but after it, in the outer pass.
    s_log.clear();
    application->removeIdleHandler(*modal);
    HandlerPtr a = new Handler("a");
    HandlerPtr b = new Handler("b");
    a->onTimer = [&]() {
        s_log.push_back("modal loop");
        application->processIdleOnce();
        application->processIdleOnce();
    };
    KTimerPtr first = runningTimer(*a, 0);
    KTimerPtr second = runningTimer(*b, 0);
    clock.advance(1);
    application->processEvents();
    EXPECT_EQ(s_log, (std::vector<std::string>{"a timer", "modal loop", "b timer"}));
    EXPECT_FALSE(KTimerManager::getManager().isBusy());
}

TEST_F(MainLoop, TheQuitMessageEndsTheLoopWithItsCodeAfterTheStepRuns)
{
    ApplicationScope<> application;
    HandlerPtr idle = new Handler("idle");
    application->addIdleHandler(*idle);
    application->setApplicationFlags(KApplication::RunningFlag);
    PostQuitMessage(7);
    application->processEvents();
    EXPECT_FALSE(application->isRunning());
    EXPECT_EQ(knsGetExitCode(), 7);
    EXPECT_EQ(s_log, (std::vector<std::string>{"idle idle"}));
}

TEST_F(MainLoop, TheTimerManagerLeavesTheIdleHandlersWithItsLastTimer)
{
    ApplicationScope<> application;
    application->addIdleHandler(KTimerManager::getManager());
    HandlerPtr target = new Handler("target");
    KTimerPtr timer = runningTimer(*target, 10);
    timer->stop();
    EXPECT_EQ(application->getIdleHandlerCount(), 0);
}

TEST(WakeTimer, ResolutionIsTheMinimumPeriodWithinItsLimits)
{
    EXPECT_EQ(kksChooseWakeResolution(1, 1000000), 1u);
    EXPECT_EQ(kksChooseWakeResolution(0, 1000000), 1u);
    EXPECT_EQ(kksChooseWakeResolution(10, 1000000), 10u);
    EXPECT_EQ(kksChooseWakeResolution(10, 4), 4u);
}

// A whole run, observed through the hooks.
class PhaseApplication : public KApplication {
public:
    void doStart() override
    {
        note("start");
        KApplicationEventPtr open = new KApplicationEvent;
        open->setType(KApplicationEvent::OpenDocument);
        KApplicationEvent::post(*open);
        quit();
    }
    KEventReturn openDocument(KApplicationEvent&) override
    {
        note("open");
        return 0;
    }
    KEventReturn quitRequest(KApplicationEvent& E) override
    {
        note("quit request");
        return KApplication::quitRequest(E);
    }
    void doQuit() override { note("quit"); }

    void note(const char* What)
    {
        std::string line = What;
        line += " state " + std::to_string(getState());
        line += " flags " + std::to_string(getApplicationFlags());
        line += hasMainWindow() ? (getMainWindow().isVisible() ? " main shown" : " main hidden") : " no main";
        line += KWindowManager::exists() ? " manager" : "";
        line += KTimerManager::exists() ? " timers" : "";
        s_log.push_back(line);
    }
};

TEST_F(MainLoop, RunStartsUpRunsTheStartHookLoopsAndShutsDownInOrder)
{
    KTimerManager::exitManager();
    knsSetProcessInfo(nullptr, nullptr, "story /P", 0, 0);
    ApplicationScope<PhaseApplication> application;
    application->run("KWindow");
    knsSetProcessInfo(nullptr, nullptr, "", 0, 0);
    EXPECT_EQ(s_log, (std::vector<std::string>{"start state 1 flags 2 main hidden manager timers",
                                               "open state 2 flags 3 main hidden manager timers",
                                               "quit request state 2 flags 3 main hidden manager timers",
                                               "quit state 3 flags 2 main hidden manager timers"}));
    EXPECT_EQ(application->getState(), KApplication::Quit);
    EXPECT_FALSE(application->hasMainWindow());
    EXPECT_FALSE(KWindowManager::exists());
    EXPECT_FALSE(KTimerManager::exists());
    EXPECT_EQ(application->getIdleHandlerCount(), 0);
    EXPECT_EQ(application->getArguments().getCount(), 1);
    EXPECT_EQ(application->getSwitches().getCount(), 1);
    KTimerManager::initManager();
}

class QuitsWithSeven : public KApplication {
public:
    void doStart() override { kksPostQuitMessage(7); }
};

void mainThatQuitsWithSeven()
{
    new QuitsWithSeven;
    KApplication::getApplication()->run("KWindow");
    KApplication::releaseApplication();
}

K_CHILD_SCENARIO(ProgramEndsWithTheQuitMessagesCode)
{
    const int code = kksRunProgram(&mainThatQuitsWithSeven);
    std::printf("exit code %d\n", code);
}

TEST(ProgramEntry, TheExitCodeIsTheQuitMessagesWParam)
{
    ChildResult child = runChildScenario("ProgramEndsWithTheQuitMessagesCode");
    EXPECT_EQ(child.exitCode, 0u);
    EXPECT_EQ(child.output, "exit code 7\n");
}

} // namespace
