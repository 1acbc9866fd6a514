// Events: the base dispatch through receivers to the application, variables, the native
// message copy, native events of the wrong class, and window events.
#include "application/KNativeEvent.h"
#include "application/KWindowEvent.h"
#include "application/KWindowManager.h"
#include "foundation/KVariable.h"
#include "tests/application/ApplicationTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> s_seen;

class Receiver : public KThing {
public:
    Receiver(const char* Name, bool Handles) : m_name(Name), m_handles(Handles) {}
    bool handleEvent(KEvent&) override
    {
        s_seen.push_back(m_name);
        return m_handles;
    }

private:
    std::string m_name;
    bool m_handles;
};
K_POINTER_CLASS(Receiver, KThingPtr);

template <typename Answer>
Answer seen(const char* What, Answer A)
{
    s_seen.push_back(What);
    return A;
}

class RecordingApplication : public KApplication {
public:
    bool handleEvent(KEvent&) override { return seen("application", true); }
    KEventReturn windowActivated(KWindowEvent&) override { return seen("application activated", 0); }
    KEventReturn quitRequest(KApplicationEvent&) override { return seen("quit request", quitAnswer); }
    KEventReturn paint(KWindowEvent&) override { return seen("application paint", 0); }
    KEventReturn quitAnswer = 2;
};

class RecordingWindow : public KWindow {
public:
    bool activated(KWindowEvent&) override { return seen("window activated", handlesActivation); }
    bool draw(KWindowEvent&) override { return seen("window draw", false); }
    void hide() override
    {
        seen("hide", 0);
        KWindow::hide();
    }
    uint8 closeRequest(KWindowEvent&) override { return seen("close request", uint8(2)); }
    bool handlesActivation = false;
};
K_POINTER_CLASS(RecordingWindow, KWindowPtr);

using Seen = std::vector<std::string>;

class Events : public testing::Test {
protected:
    void SetUp() override { s_seen.clear(); }
};

KEventPtr makeEvent(long Type, KThing* Receiver = nullptr)
{
    KEventPtr event = new KEvent;
    event->setType(Type);
    if (Receiver)
        event->addReceiver(*Receiver);
    return event;
}

KWindowEventPtr windowEvent(long Type, KWindow& W)
{
    KWindowEventPtr event = new KWindowEvent;
    event->setType(Type);
    event->setWindow(W);
    return event;
}

// What sending the event answered, and who saw it.
std::pair<KEventReturn, Seen> sent(KEvent& E)
{
    s_seen.clear();
    const KEventReturn answer = KEvent::send(E);
    return {answer, s_seen};
}

TEST_F(Events, ReceiversInOrderUntilOneAnswersThenTheApplication)
{
    ApplicationScope<RecordingApplication> application;
    ReceiverPtr first = new Receiver("first", false), second = new Receiver("second", true);
    ReceiverPtr third = new Receiver("third", false);
    KEventPtr stopped = makeEvent(7, first.get());
    for (KThing* receiver : {first.get(), second.get(), third.get()})
        stopped->addReceiver(*receiver);
    EXPECT_EQ(stopped->getReceivers().getCount(), 3);
    EXPECT_EQ(sent(*stopped), std::make_pair(KEventReturn(1), Seen{"first", "second"}));
    EXPECT_EQ(sent(*makeEvent(7, first.get())), std::make_pair(KEventReturn(1), Seen{"first", "application"}));
    // Type 0 is offered to nobody.
    EXPECT_EQ(sent(*makeEvent(0, second.get())), std::make_pair(KEventReturn(0), Seen{}));
    // A sent event that nobody holds goes after its handling.
    const long before = KEvent::getLiveEventCount();
    KEvent* loose = new KEvent;
    loose->setType(3);
    KEvent::send(*loose);
    EXPECT_EQ(KEvent::getLiveEventCount(), before);
}

TEST_F(Events, VariablesAndTheNativeMessageCopy)
{
    KEventPtr event = makeEvent(1);
    event->addVariable("WordStart", KVariable(long(12)));
    KVariable length(long(5));
    event->setVariable("WordLength", length);
    event->setVariable("WordStart", KVariable(long(40)));
    EXPECT_EQ(event->getVariableCount(), 2);
    EXPECT_EQ(event->getNamedVariable("WordStart").getLong(), 40);
    KVariable found;
    EXPECT_TRUE(event->findVariable("WordLength", found));
    EXPECT_EQ(found.getLong(), 5);
    EXPECT_FALSE(event->findVariable("Missing", found));

    const KNativeMessage message{reinterpret_cast<void*>(0x1234), 0x0F, 1, -2, 777, 10, -20};
    event->setNativeMessage(&message);
    KEventPtr copy = makeEvent(0);
    copy->setTime(5);
    copy->copyFrom(*event);
    EXPECT_EQ(std::make_pair(copy->getType(), copy->getTime()), std::make_pair(1L, 0L));
    ASSERT_NE(copy->getNativeMessage(), nullptr);
    EXPECT_NE(copy->getNativeMessage(), event->getNativeMessage());
    EXPECT_EQ(std::make_pair(copy->getNativeMessage()->lParam, copy->getNativeMessage()->y), std::make_pair(-2, -20));
    event->setNativeMessage(nullptr);
    EXPECT_EQ(event->getNativeMessage(), nullptr);
}

TEST_F(Events, ANativeEventOfTheWrongClassIsReportedAndNotProcessed)
{
    ReportCatcher catcher;
    EXPECT_EQ(kksProcessNativeEvent(*makeEvent(2)), 0);
    KNativeEventPtr native = new KNativeEvent;
    kksProcessNativeEvent(*native);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{100}));
    EXPECT_TRUE(catcher.caught(100, "KEventReturn kksProcessNativeEvent(KNativeEvent& Event)"));
}

// An application with its window manager, recording what reaches it.
class WindowEvents : public Events {
protected:
    WindowEvents() { application->createWindowManager(*KWindowManager::getClassRecord()); }
    ~WindowEvents() override
    {
        application->closeMainWindow();
        application->destroyWindowManager();
    }

    ApplicationScope<RecordingApplication> application;
};

TEST_F(WindowEvents, ActivationGoesToTheWindowThenTheApplicationAndMakesItTheActiveWindow)
{
    RecordingWindowPtr window = new RecordingWindow;
    window->open(KWindow::OpenHidden);
    KWindowEventPtr activation = windowEvent(KWindowEvent::Activated, *window);
    EXPECT_EQ(sent(*activation), std::make_pair(KEventReturn(0), Seen{"window activated", "application activated"}));
    EXPECT_EQ(&KWindowManager::get().getActiveWindow(), window.get());
    window->handlesActivation = true;
    EXPECT_EQ(sent(*activation), std::make_pair(KEventReturn(1), Seen{"window activated"}));

    KEvent::send(*windowEvent(KWindowEvent::Deactivated, *window));
    EXPECT_FALSE(KWindowManager::get().hasActiveWindow());
    window->close();
}

TEST_F(WindowEvents, ClosingTheMainWindowAsksTheQuitRequestAndClosingAnotherDoesNot)
{
    KClass* windowClass = KClass::registerClass("RecordingWindow", KWindow::getClassRecord(),
                                                []() -> KThing* { return new RecordingWindow; }, 1);
    // Kept hidden: hiding a mapped window makes the display wait for it.
    application->createMainWindow(*windowClass);
    KWindowEventPtr close = windowEvent(KWindowEvent::Close, application->getMainWindow());
    // An override that does not answer 2 keeps the application running.
    application->quitAnswer = 0;
    EXPECT_EQ(sent(*close), std::make_pair(KEventReturn(2), Seen{"close request", "quit request"}));
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    application->quitAnswer = 2;
    EXPECT_EQ(sent(*close).second, (Seen{"close request", "quit request", "hide"}));
    EXPECT_TRUE(application->getMainWindow().isOpen());
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
    // Another window that may close is closed without asking.
    RecordingWindowPtr other = new RecordingWindow;
    other->open(KWindow::OpenHidden);
    close->setWindow(*other);
    EXPECT_EQ(sent(*close), std::make_pair(KEventReturn(2), Seen{"close request"}));
    EXPECT_FALSE(other->isOpen());
}

TEST_F(Events, BehindACommonDialogEventsCountAsHandledButWindowsStillPaint)
{
    ApplicationScope<RecordingApplication> application;
    ReceiverPtr receiver = new Receiver("receiver", false);
    RecordingWindowPtr window = new RecordingWindow;
    KEvent::setCommonDialogWindow(reinterpret_cast<void*>(0x1));
    EXPECT_EQ(sent(*makeEvent(5, receiver.get())), std::make_pair(KEventReturn(1), Seen{}));
    EXPECT_EQ(sent(*windowEvent(KWindowEvent::Activated, *window)), std::make_pair(KEventReturn(1), Seen{}));
    const Seen painted = sent(*windowEvent(KWindowEvent::Paint, *window)).second;
    KEvent::setCommonDialogWindow(nullptr);
    EXPECT_EQ(painted, (Seen{"window draw", "application paint"}));
}

} // namespace
