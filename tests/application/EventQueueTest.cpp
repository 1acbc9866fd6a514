// Application events and the queue every posted event passes through.
#include "foundation/KVariable.h"
#include "foundation/OperatingSystemWin32.h"
#include "tests/application/ApplicationTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> s_handled;

// An event that records its handling and may post another from inside it.
class NoteEvent : public KEvent {
public:
    explicit NoteEvent(std::string Note, std::string Follower = "") : m_note(Note), m_follower(Follower) {}
    KEventReturn handle() override
    {
        s_handled.push_back(m_note);
        if (!m_follower.empty()) {
            KEventPtr follower = new NoteEvent(m_follower);
            KApplicationEvent::post(*follower);
        }
        return 1;
    }

private:
    std::string m_note;
    std::string m_follower;
};

void postNote(const char* Note, const char* Follower = "")
{
    KEventPtr event = new NoteEvent(Note, Follower);
    KApplicationEvent::post(*event);
}

void postApplicationEvent(long Kind)
{
    KApplicationEventPtr event = new KApplicationEvent;
    event->setType(Kind);
    KApplicationEvent::post(*event);
}

class HookApplication : public KApplication {
public:
    KEventReturn activate(KApplicationEvent&) override { return note("activate"); }
    KEventReturn deactivate(KApplicationEvent&) override { return note("deactivate"); }
    KEventReturn openDocument(KApplicationEvent& E) override
    {
        return note(E.hasObject() ? "open with object" : "open");
    }
    KEventReturn doApplicationRequest(KApplicationEvent&) override { return note("request"); }
    KEventReturn clipboardChanged(KApplicationEvent&) override { return note("clipboard"); }
    KEventReturn receivedData(KApplicationEvent& E) override
    {
        return note("received " + std::string(E.getNamedVariable("Received Data").getString().getText()));
    }

private:
    KEventReturn note(const std::string& What)
    {
        s_handled.push_back(What);
        return 0;
    }
};

class EventQueue : public testing::Test {
protected:
    void SetUp() override { s_handled.clear(); }
};

TEST_F(EventQueue, HandlesEventsInTheOrderPostedAndThosePostedMeanwhileInTheSameFlush)
{
    ApplicationScope<> application;
    const long liveBefore = KEvent::getLiveEventCount();
    postNote("one", "four");
    postNote("two");
    postNote("three", "five");
    // The queue grows without limit.
    for (int i = 0; i < 150; ++i)
        postNote(std::to_string(i).c_str());
    EXPECT_EQ(KApplicationEvent::getQueueCount(), 153);
    KApplicationEvent::flushQueue();
    ASSERT_EQ(s_handled.size(), 155u);
    EXPECT_EQ(std::vector<std::string>(s_handled.begin(), s_handled.begin() + 4),
              (std::vector<std::string>{"one", "two", "three", "0"}));
    EXPECT_EQ(std::vector<std::string>(s_handled.end() - 3, s_handled.end()),
              (std::vector<std::string>{"149", "four", "five"}));
    EXPECT_EQ(KApplicationEvent::getQueueCount(), 0);
    // Each event goes once handled.
    EXPECT_EQ(KEvent::getLiveEventCount(), liveBefore);
}

TEST_F(EventQueue, ActivationAndDeactivationReachTheirHooksOnceEach)
{
    ApplicationScope<HookApplication> application;
    // Not active yet: a deactivation is dropped.
    postApplicationEvent(KApplicationEvent::Deactivate);
    postApplicationEvent(KApplicationEvent::Activate);
    postApplicationEvent(KApplicationEvent::Activate);
    KApplicationEvent::flushQueue();
    EXPECT_TRUE(application->isActive());
    postApplicationEvent(KApplicationEvent::Deactivate);
    postApplicationEvent(KApplicationEvent::Deactivate);
    KApplicationEvent::flushQueue();
    EXPECT_FALSE(application->isActive());
    EXPECT_EQ(s_handled, (std::vector<std::string>{"activate", "deactivate"}));
}

TEST_F(EventQueue, KindsGoToTheirHooks)
{
    ApplicationScope<HookApplication> application;
    KApplicationEventPtr open = new KApplicationEvent;
    open->setType(KApplicationEvent::OpenDocument);
    KThingPtr document = new KThing;
    open->setObject(*document);
    KApplicationEvent::post(*open);
    postApplicationEvent(KApplicationEvent::ApplicationRequest);
    // No framework object is on the clipboard: no hook.
    postApplicationEvent(KApplicationEvent::ClipboardChanged);
    KApplicationEventPtr received = new KApplicationEvent;
    received->setType(KApplicationEvent::ReceivedData);
    received->addVariable("Received Data", KVariable(KString("hello")));
    KApplicationEvent::post(*received);
    postApplicationEvent(9);
    KApplicationEvent::flushQueue();
    EXPECT_EQ(s_handled, (std::vector<std::string>{"open with object", "request", "received hello"}));
}

TEST_F(EventQueue, QuitWithTheDefaultHooksEndsTheLoopAtTheNextStep)
{
    ApplicationScope<> application;
    RecordedWait wait;
    application->setApplicationFlags(KApplication::RunningFlag);
    knsSetExitCode(-1);
    application->quit();
    application->processEvents();
    EXPECT_TRUE(application->isRunning());
    application->processEvents();
    EXPECT_FALSE(application->isRunning());
    EXPECT_EQ(knsGetExitCode(), 0);
}

} // namespace
