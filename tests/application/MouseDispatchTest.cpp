// The mouse dispatch of the cursor manager: double and triple clicks from the presses'
// time stamps, presses tracked by a layer or a window until the release, windows behind a
// dialog, enter and leave following the mouse, the auto-repeat on a driven clock and the
// cursor stack.
#include "tests/application/InteractionTestSupport.h"
#include "tests/application/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class MouseDispatch : public ::testing::Test {
protected:
    MouseDispatch()
    {
        window->addLayer(*bottom);
        window->addLayer(*top);
        interactionLog().clear();
    }

    bool send(long Kind, long Time = 0, short H = 10, short V = 10)
    {
        last = new KMouseEvent;
        last->setType(Kind);
        last->setWindow(*window);
        last->setLocalPosition(KGraphicPoint(H, V));
        last->setTime(Time);
        return KEvent::send(*last) != 0;
    }

    // The time stamps of each test lie well after those of the tests before it.
    static long nextTime()
    {
        static long base = 0;
        return base += 1000000;
    }

    InteractionScope scope;
    LoggingWindowPtr window = new LoggingWindow;
    LoggingLayerPtr bottom = new LoggingLayer("bottom");
    LoggingLayerPtr top = new LoggingLayer("top");
    KCursorManager& cursor = KCursorManager::get();
    KMouseEventPtr last;
};

TEST_F(MouseDispatch, DoubleAndTripleClicksComeFromTheTimeStampsOfThePresses)
{
    const long quick = long(knsGetDoubleClickTime()) - 1;
    const short apart = short(10 + knsGetDoubleClickWidth());
    struct Press {
        long after;
        short h;
        uint8 doubleClick;
        uint8 tripleClick;
    };
    const Press presses[] = {{0, 10, 1, 0},         {quick, 10, 1, 1},    {1, 10, 1, 1},     {quick + 1, 10, 0, 0},
                             {1, apart, 0, 0}, {-1, apart, 0, 0}, {5, apart, 1, 0}};
    long time = nextTime();
    send(KMouseEvent::Down, time);
    for (const Press& press : presses) {
        time += press.after;
        send(KMouseEvent::Down, time, press.h);
        EXPECT_EQ(last->getDoubleClick(), press.doubleClick) << &press - presses;
        EXPECT_EQ(last->getTripleClick(), press.tripleClick) << &press - presses;
    }
}

TEST_F(MouseDispatch, ALayerThatTracksAPressGetsTheMovesTicksAndReleaseBeforeTheWindow)
{
    // Unanswered, a press goes from the top layer down to the application.
    EXPECT_FALSE(send(KMouseEvent::Down, nextTime()));
    EXPECT_EQ(interactionLog(), (Log{"top down", "bottom down", "window down", "application down"}));

    cursor.setLayerUnderMouse(*top);
    bottom->answers.answer("down", 4);
    send(KMouseEvent::Down, 0, 3, 4);
    EXPECT_EQ(&cursor.getTrackingLayer(), bottom.get());
    send(KMouseEvent::Move, 0, 7, 8);
    send(KMouseEvent::Tick, 0, 9, 9);
    EXPECT_EQ(cursor.getPressPosition(), KGraphicPoint(3, 4));
    EXPECT_EQ(cursor.getDragPosition(), KGraphicPoint(9, 9));
    interactionLog().clear();
    send(KMouseEvent::Up);
    EXPECT_FALSE(cursor.hasTrackingLayer());
    // The release point lies outside every window: the hover catches up before the
    // application hears of the release.
    EXPECT_EQ(interactionLog(),
              (Log{"bottom up", "window up", "top leave", "window leave", "application leave", "application up"}));
    // A layer that handles a press without tracking it keeps nothing.
    bottom->answers.answer("down", 1);
    EXPECT_TRUE(send(KMouseEvent::Down));
    EXPECT_FALSE(cursor.hasTrackingLayer());
}

TEST_F(MouseDispatch, AWindowThatTracksAPressHoldsTheMouseUntilTheRelease)
{
    LoggingWindowPtr other = new LoggingWindow("other");
    window->answers.answer("down", 4);
    send(KMouseEvent::Down, nextTime());
    EXPECT_EQ(&cursor.getCaptureWindow(), window.get());
    interactionLog().clear();
    std::swap(window, other);
    send(KMouseEvent::Move);
    send(KMouseEvent::Up);
    EXPECT_FALSE(cursor.hasCaptureWindow());
    EXPECT_EQ(interactionLog(), (Log{"window move", "application move", "window up", "application up"}));
}

TEST_F(MouseDispatch, ABlockedWindowSwallowsPressesMovesAndReleasesButNotTicksEntersOrLeaves)
{
    bottom->answers.answer("down", 4);
    send(KMouseEvent::Down, nextTime());
    interactionLog().clear();
    window->blockInput();
    // The release that a dialog swallowed still ends the tracking.
    EXPECT_TRUE(send(KMouseEvent::Up));
    EXPECT_FALSE(cursor.hasTrackingLayer());
    EXPECT_TRUE(send(KMouseEvent::Down));
    EXPECT_TRUE(send(KMouseEvent::Move));
    EXPECT_TRUE(interactionLog().empty());
    send(KMouseEvent::Tick);
    send(KMouseEvent::Enter);
    send(KMouseEvent::Leave);
    EXPECT_EQ(interactionLog(), (Log{"application tick", "window enter", "application enter", "window leave",
                                     "application leave"}));
}

TEST_F(MouseDispatch, EnterAndLeaveFollowTheMouseAndALayerLeavesBeforeItsWindow)
{
    RecordingWindowPtr shown = new RecordingWindow;
    LoggingLayerPtr layer = new LoggingLayer("layer", true);
    shown->addLayer(*layer);
    shown->open(KWindow::OpenShown);
    const RECT area = clientAreaOnScreen(shown->getNativeWindow());
    cursor.trackMouse(KGraphicPoint(short(area.left + 5), short(area.top + 5)));
    cursor.trackMouse(KGraphicPoint(short(area.right + 50), short(area.bottom + 50)));
    shown->close();
    EXPECT_EQ(interactionLog(), (Log{"application enter", "layer enter", "application enter", "layer leave",
                                     "application leave", "application leave"}));
}

TEST_F(MouseDispatch, AutoRepeatTicksAfter750MsThenEvery20MsWhileTheLayerTracks)
{
    DrivenClock clock;
    LoggingElementPtr element = new LoggingElement("element");
    bottom->answers.answer("down", 4);
    send(KMouseEvent::Down, nextTime());
    element->mouseDown(KWidePoint(1, 1), *last);
    auto ticksAfter = [&](uint32 Ms) {
        clock.advance(Ms);
        KTimerManager::getManager().fire();
        interactionLog().clear();
        KApplicationEvent::flushQueue();
        return std::count(interactionLog().begin(), interactionLog().end(), "bottom tick");
    };

    // A timer is due once more than its period has passed.
    EXPECT_EQ(ticksAfter(750), 0);
    EXPECT_EQ(ticksAfter(1), 1);
    EXPECT_EQ(cursor.getRepeatTimer().getPeriod(), 20);
    EXPECT_EQ(ticksAfter(20), 0);
    EXPECT_EQ(ticksAfter(1), 1);
    element->mouseUp(KWidePoint(1, 1));
    EXPECT_FALSE(cursor.getRepeatTimer().isRunning());
    // Without a tracking layer the timer stops itself at its next firing.
    cursor.startRepeatTimer();
    send(KMouseEvent::Up);
    EXPECT_EQ(ticksAfter(751), 0);
    EXPECT_FALSE(cursor.getRepeatTimer().isRunning());
}

TEST_F(MouseDispatch, TheCursorStackGivesBackTheShapesPushed)
{
    cursor.popCursor();
    EXPECT_EQ(cursor.getCursor(), KCursorManager::StartingCursor);
    cursor.pushCursor();
    cursor.setCursor(KCursorManager::WaitCursor);
    cursor.pushCursor();
    cursor.setCursor(12);
    cursor.popCursor();
    EXPECT_EQ(cursor.getCursor(), KCursorManager::WaitCursor);
    cursor.popCursor();
    EXPECT_EQ(cursor.getCursor(), KCursorManager::StartingCursor);
}

} // namespace
