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

class RecordingApplication : public KApplication {
public:
    bool handleEvent(KEvent&) override
    {
        s_seen.push_back("application");
        return true;
    }
    KEventReturn windowActivated(KWindowEvent&) override
    {
        s_seen.push_back("application activated");
        return 0;
    }
    KEventReturn quitRequest(KApplicationEvent&) override
    {
        s_seen.push_back("quit request");
        return quitAnswer;
    }
    KEventReturn paint(KWindowEvent&) override
    {
        s_seen.push_back("application paint");
        return 0;
    }
    KEventReturn quitAnswer = 2;
};

class RecordingWindow : public KWindow {
public:
    bool activated(KWindowEvent&) override
    {
        s_seen.push_back("window activated");
        return handlesActivation;
    }
    bool draw(KWindowEvent&) override
    {
        s_seen.push_back("window draw");
        return false;
    }
    void hide() override
    {
        s_seen.push_back("hide");
        KWindow::hide();
    }
    uint8 closeRequest(KWindowEvent&) override
    {
        s_seen.push_back("close request");
        return closeAnswer;
    }
    bool handlesActivation = false;
    uint8 closeAnswer = 2;
};
K_POINTER_CLASS(RecordingWindow, KWindowPtr);

class Events : public testing::Test {
protected:
    void SetUp() override { s_seen.clear(); }
};

KEventPtr makeEvent(long Type)
{
    KEventPtr event = new KEvent;
    event->setType(Type);
    return event;
}

TEST_F(Events, ReceiversInOrderUntilOneAnswersThenTheApplication)
{
    ApplicationScope<RecordingApplication> application;
    ReceiverPtr first = new Receiver("first", false);
    ReceiverPtr second = new Receiver("second", true);
    ReceiverPtr third = new Receiver("third", false);

    KEventPtr stopped = makeEvent(7);
    stopped->addReceiver(*first);
    stopped->addReceiver(*first);
    stopped->addReceiver(*second);
    stopped->addReceiver(*third);
    EXPECT_EQ(stopped->getReceivers().getCount(), 3);
    EXPECT_EQ(KEvent::send(*stopped), 1);
    EXPECT_EQ(s_seen, (std::vector<std::string>{"first", "second"}));

    s_seen.clear();
    KEventPtr unhandled = makeEvent(7);
    unhandled->addReceiver(*first);
    EXPECT_EQ(KEvent::send(*unhandled), 1);
    EXPECT_EQ(s_seen, (std::vector<std::string>{"first", "application"}));

    // Type 0 is offered to nobody.
    s_seen.clear();
    KEventPtr typeZero = makeEvent(0);
    typeZero->addReceiver(*second);
    EXPECT_EQ(KEvent::send(*typeZero), 0);
    EXPECT_TRUE(s_seen.empty());
}

TEST_F(Events, ASentEventThatNobodyHoldsGoesAfterItsHandling)
{
    const long before = KEvent::getLiveEventCount();
    KEvent* event = new KEvent;
    event->setType(3);
    KEvent::send(*event);
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
    EXPECT_EQ(copy->getType(), 1);
    EXPECT_EQ(copy->getTime(), 0);
    ASSERT_NE(copy->getNativeMessage(), nullptr);
    EXPECT_NE(copy->getNativeMessage(), event->getNativeMessage());
    EXPECT_EQ(copy->getNativeMessage()->lParam, -2);
    EXPECT_EQ(copy->getNativeMessage()->y, -20);
    event->setNativeMessage(nullptr);
    EXPECT_EQ(event->getNativeMessage(), nullptr);
}

TEST_F(Events, ANativeEventOfTheWrongClassIsReportedAndNotProcessed)
{
    KEventPtr plain = makeEvent(2);
    ReportCatcher catcher;
    EXPECT_EQ(kksProcessNativeEvent(*plain), 0);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{100}));
    EXPECT_TRUE(catcher.caught(100, "KEventReturn kksProcessNativeEvent(KNativeEvent& Event)"));

    KNativeEventPtr native = new KNativeEvent;
    EXPECT_EQ(native->getType(), 2);
    catcher.clear();
    kksProcessNativeEvent(*native);
    EXPECT_TRUE(catcher.codes().empty());
}

TEST_F(Events, ActivationGoesToTheWindowThenTheApplicationAndMakesItTheActiveWindow)
{
    ApplicationScope<RecordingApplication> application;
    application->createWindowManager(*KWindowManager::getClassRecord());
    RecordingWindowPtr window = new RecordingWindow;
    window->open(KWindow::OpenHidden);
    // Opening brings the window to the front, which activates it natively.
    s_seen.clear();

    KWindowEventPtr activation = new KWindowEvent;
    activation->setType(KWindowEvent::Activated);
    activation->setWindow(*window);
    EXPECT_EQ(KEvent::send(*activation), 0);
    EXPECT_EQ(s_seen, (std::vector<std::string>{"window activated", "application activated"}));
    EXPECT_EQ(&KWindowManager::get().getActiveWindow(), window.get());

    s_seen.clear();
    window->handlesActivation = true;
    EXPECT_EQ(KEvent::send(*activation), 1);
    EXPECT_EQ(s_seen, (std::vector<std::string>{"window activated"}));

    KWindowEventPtr deactivation = new KWindowEvent;
    deactivation->setType(KWindowEvent::Deactivated);
    deactivation->setWindow(*window);
    KEvent::send(*deactivation);
    EXPECT_FALSE(KWindowManager::get().hasActiveWindow());

    window->close();
    application->destroyWindowManager();
}

TEST_F(Events, ClosingTheMainWindowAsksTheQuitRequestAndClosingAnotherDoesNot)
{
    ApplicationScope<RecordingApplication> application;
    application->createWindowManager(*KWindowManager::getClassRecord());
    KClass* windowClass = KClass::registerClass("RecordingWindow", KWindow::getClassRecord(),
                                                []() -> KThing* { return new RecordingWindow; }, 1);
    application->createMainWindow(*windowClass);
    // Kept hidden: hiding a mapped window makes the display wait for it.
    auto& mainWindow = static_cast<RecordingWindow&>(application->getMainWindow());
    // Opening brings the window to the front, which activates it natively.
    s_seen.clear();

    KWindowEventPtr close = new KWindowEvent;
    close->setType(KWindowEvent::Close);
    close->setWindow(mainWindow);

    // An override that does not answer 2 keeps the application running.
    application->quitAnswer = 0;
    EXPECT_EQ(KEvent::send(*close), 2);
    EXPECT_EQ(s_seen, (std::vector<std::string>{"close request", "quit request"}));
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));

    s_seen.clear();
    application->quitAnswer = 2;
    KEvent::send(*close);
    EXPECT_EQ(s_seen, (std::vector<std::string>{"close request", "quit request", "hide"}));
    EXPECT_TRUE(mainWindow.isOpen());
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);

    // A window that refuses stays open; another window that may close is closed.
    s_seen.clear();
    RecordingWindowPtr other = new RecordingWindow;
    other->open(KWindow::OpenHidden);
    s_seen.clear();
    other->closeAnswer = 0;
    close->setWindow(*other);
    EXPECT_EQ(KEvent::send(*close), 0);
    EXPECT_TRUE(other->isOpen());
    other->closeAnswer = 2;
    EXPECT_EQ(KEvent::send(*close), 2);
    EXPECT_FALSE(other->isOpen());
    EXPECT_EQ(s_seen, (std::vector<std::string>{"close request", "close request"}));

    application->closeMainWindow();
    application->destroyWindowManager();
}

TEST_F(Events, BehindACommonDialogEventsCountAsHandledButWindowsStillPaint)
{
    ApplicationScope<RecordingApplication> application;
    ReceiverPtr receiver = new Receiver("receiver", false);
    RecordingWindowPtr window = new RecordingWindow;
    KEvent::setCommonDialogWindow(reinterpret_cast<void*>(0x1));

    KEventPtr plain = makeEvent(5);
    plain->addReceiver(*receiver);
    EXPECT_EQ(KEvent::send(*plain), 1);
    KWindowEventPtr activation = new KWindowEvent;
    activation->setType(KWindowEvent::Activated);
    activation->setWindow(*window);
    EXPECT_EQ(KEvent::send(*activation), 1);
    EXPECT_TRUE(s_seen.empty());

    KWindowEventPtr paint = new KWindowEvent;
    paint->setType(KWindowEvent::Paint);
    paint->setWindow(*window);
    KEvent::send(*paint);
    KEvent::setCommonDialogWindow(nullptr);
    EXPECT_EQ(s_seen, (std::vector<std::string>{"window draw", "application paint"}));
}

} // namespace
