#pragma once
// An application object for the length of a test. The framework's classes stay
// registered while it lives; its destructor empties the registry, so they are registered
// again afterwards for the tests that follow.
#include "tests/support/SuiteClasses.h"
#include "application/FrameworkClasses.h"
#include "application/KApplication.h"
#include "application/KApplicationEvent.h"
#include "application/MessagePumpWin32.h"
#include "foundation/KTimer.h"
#include "foundation/KernelFunctions.h"

#include <cstring>
#include <vector>

#include <windows.h>

template <typename Application = KApplication>
class ApplicationScope {
public:
    ApplicationScope()
    {
        m_application = new Application;
    }
    ~ApplicationScope()
    {
        m_application = nullptr;
        KApplication::releaseApplication();
        if (!KClass::getFirst())
            registerAllTestClasses();
        KApplicationEvent::clearQueue();
        // Nothing a test left behind reaches the next one.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    ApplicationScope(const ApplicationScope&) = delete;
    ApplicationScope& operator=(const ApplicationScope&) = delete;

    Application& operator*() const { return *m_application; }
    Application* operator->() const { return m_application; }

private:
    Application* m_application;
};

// A millisecond clock that moves only when a test says.
struct DrivenClock {
    DrivenClock(uint32 Start = 100000)
    {
        now() = Start;
        knsSetTickSource([]() { return now(); });
    }
    ~DrivenClock() { knsSetTickSource(nullptr); }
    static uint32& now()
    {
        static uint32 value = 0;
        return value;
    }
    void advance(uint32 Ms) { now() += Ms; }
};

// The platform's own key state, as the framework reads it: the key held down or let go.
inline void holdKey(BYTE Key, bool Down)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = Key;
    input.ki.dwFlags = Down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

// A timer started for the target with the period, repeating or not, and catching up by
// the mode.
inline KTimerPtr runningTimer(KThing& Target, long Period, bool Repeating = false, uint8 Mode = KTimer::FromNow)
{
    KTimerPtr timer = new KTimer;
    timer->setTarget(Target);
    timer->setPeriod(Period);
    timer->setCatchUpMode(Mode);
    timer->setRepeating(Repeating);
    timer->start();
    return timer;
}

// The loop's blocking wait answered at once: it records each wait and its time-out, lets
// the test move the clock, and hands over a message already in the queue, if any.
struct RecordedWait {
    RecordedWait()
    {
        current() = this;
        kksSetNativeWait([](KNativeMessage& Out, uint32 TimeOut) { return current()->wait(Out, TimeOut); });
    }
    ~RecordedWait()
    {
        kksSetNativeWait(nullptr);
        current() = nullptr;
    }
    static RecordedWait*& current()
    {
        static RecordedWait* wait = nullptr;
        return wait;
    }
    bool wait(KNativeMessage& Out, uint32 TimeOut)
    {
        timeOuts.push_back(TimeOut);
        if (clock)
            clock->advance(TimeOut);
        MSG message;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            return false;
        static_assert(sizeof message == sizeof Out, "the record has the layout of MSG");
        std::memcpy(&Out, &message, sizeof Out);
        return true;
    }

    std::vector<uint32> timeOuts;
    DrivenClock* clock = nullptr;
};
