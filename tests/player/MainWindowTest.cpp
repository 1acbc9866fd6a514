// The main window: the overlays over the page's top right corner and their blink, the
// short highlight of the current object, the pointer hidden while a story plays, the keys
// while a story plays, is paused or stands still, and the menu bar around a story that
// hides it.
#include "application/KCursorManager.h"
#include "application/KKeyEvent.h"
#include "application/KMenuManager.h"
#include "application/KMouseEvent.h"
#include "player/LumoActions.h"
#include "tests/player/PlayerTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

constexpr uint16 kLeft = 0x111;
constexpr uint16 kRight = 0x112;
constexpr uint16 kEscape = 0x11C;

// Where an overlay stands, and whether it shows.
std::string overlay(const KSprite& S)
{
    const KAnimationPoint& at = S.getPosition();
    return std::to_string(long(at.getX())) + "," + std::to_string(long(at.getY())) + (S.isVisible() ? " shown" : " hidden");
}

bool pointerShown() { return KCursorManager::get().isCursorVisible(); }
bool menuBarShown() { return KMenuManager::getMenuManager().isMenuBarShown(); }

class MainWindow : public SharedPlayer {
protected:
    // A story in the window mode: stop points at 0, 3 and 6.
    void openStory(const std::string& Objects = "WPPWPPWPPP", short Width = 640)
    {
        writeStory(run.file("story.TPD"), Width, 480, Objects);
        ASSERT_TRUE(run.open(run.file("story.TPD")));
    }
    Tape& tape() const { return run.window().getTape(); }
    void play() { LumoActions::getInstance().play(false, false, false); }
    // Plays on until the object at Index runs.
    void playTo(long Index)
    {
        for (int guard = 0; guard < 10000 && !(tape().getPlayIndex() == Index && tape().hasRunningObject()); ++guard)
            run.run(1);
        ASSERT_EQ(tape().getPlayIndex(), Index);
    }
};

TEST_F(MainWindow, ThePauseSignBlinksAtThePagesTopRightWhilePaused)
{
    openStory();
    LumoWindow& window = run.window();
    play();
    playTo(1);
    EXPECT_TRUE(typeKey(window, 'p'));
    EXPECT_EQ(window.getPlayState(), LumoWindow::Paused);
    EXPECT_EQ(overlay(window.getSecondOverlay()) + ", " + overlay(window.getFirstOverlay()), "544,16 shown, 544,16 hidden");
    // A timer fires once its period has passed.
    run.run(LumoWindow::kBlinkPeriod + 1);
    EXPECT_EQ(overlay(window.getSecondOverlay()), "544,16 hidden");
    run.run(LumoWindow::kBlinkPeriod + 1);
    EXPECT_EQ(overlay(window.getSecondOverlay()), "544,16 shown");
    EXPECT_TRUE(typeKey(window, 'P'));
    EXPECT_EQ(window.getPlayState(), LumoWindow::Playing);
    EXPECT_EQ(overlay(window.getSecondOverlay()), "544,16 hidden");
    EXPECT_FALSE(window.getBlinkTimer().isRunning());

    // The wait picture, and a mode that is neither.
    window.showOverlays(StoryStage::WaitOverlay);
    EXPECT_EQ(overlay(window.getFirstOverlay()), "544,16 shown");
    window.showOverlays(7);
    EXPECT_EQ(overlay(window.getFirstOverlay()), "544,16 hidden");
    EXPECT_FALSE(window.getBlinkTimer().isRunning());
    typeKey(window, kEscape);
}

TEST_F(MainWindow, TheHighlightLastsByKindAndThePointerHidesWhileTheStoryPlays)
{
    openStory("PT" + std::string(60, 'P'));
    LumoWindow& window = run.window();
    for (const auto& [position, period] : {std::make_pair(1L, 500L), std::make_pair(2L, 350L)}) {
        tape().goToIndex(position);
        window.highlightCurrentObject();
        EXPECT_TRUE(window.isHighlightShown());
        run.run(period);
        EXPECT_TRUE(window.isHighlightShown());
        run.run(1);
        EXPECT_FALSE(window.isHighlightShown()) << position;
    }

    play();
    run.run(LumoWindow::kPointerHidePeriod);
    EXPECT_TRUE(pointerShown());
    run.run(1);
    EXPECT_FALSE(pointerShown());
    // A move shows it again, for another while.
    KMouseEventPtr move(new KMouseEvent);
    run.app().mouseMoved(*move);
    EXPECT_TRUE(pointerShown());
    typeKey(window, 'p');
    run.run(LumoWindow::kPointerHidePeriod + 1);
    EXPECT_TRUE(pointerShown());
    typeKey(window, kEscape);
    EXPECT_TRUE(pointerShown());
}

TEST_F(MainWindow, KeysPlayPauseJumpBetweenStopPointsAndStop)
{
    openStory("WPPWPPWCP");
    LumoWindow& window = run.window();
    // Stopped: no key is a command.
    EXPECT_FALSE(typeKey(window, 'p'));
    EXPECT_FALSE(typeKey(window, kEscape));
    EXPECT_FALSE(typeKey(window, 'M', KKeyEvent::Shift));
    EXPECT_EQ(window.getPlayState(), LumoWindow::Stopped);

    play();
    playTo(5);
    // Space: back to the last stop point, and on from there.
    EXPECT_TRUE(typeKey(window, ' '));
    EXPECT_EQ(tape().getPlayIndex(), 3);
    EXPECT_EQ(tape().getPlayState(), Tape::Playing);
    EXPECT_FALSE(typeKey(window, kRight));
    EXPECT_TRUE(typeKey(window, 'P'));
    // Paused: the arrows go to the next and the previous stop point.
    EXPECT_TRUE(typeKey(window, kRight));
    EXPECT_EQ(tape().getPlayIndex(), 6);
    EXPECT_TRUE(typeKey(window, kLeft));
    EXPECT_EQ(tape().getPlayIndex(), 3);
    EXPECT_FALSE(typeKey(window, ' '));
    EXPECT_TRUE(typeKey(window, kEscape));
    EXPECT_EQ(window.getPlayState(), LumoWindow::Stopped);
    EXPECT_EQ(tape().getPlayState(), Tape::Stopped);

    // Control and "." stop, pressed on the keyboard.
    play();
    run.run(50);
    pressKey(run, VK_OEM_PERIOD, true);
    EXPECT_EQ(window.getPlayState(), LumoWindow::Stopped);

    // A running wait takes the key that would otherwise pause; a click ends it too.
    play();
    playTo(7);
    EXPECT_TRUE(typeKey(window, 'p'));
    EXPECT_EQ(window.getPlayState(), LumoWindow::Playing);
    tape().setPlayIndex(7);
    tape().resetRunningObject();
    playTo(7);
    const HWND native = static_cast<HWND>(window.getNativeWindow());
    PostMessageA(native, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    PostMessageA(native, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
    run.run(50);
    EXPECT_EQ(tape().getPlayIndex(), 8);
    typeKey(window, kEscape);
    // Shift and "M" show and hide the menu bar only full screen.
    run.app().setWindowMode(LumoApplication::BackdropMode);
    EXPECT_FALSE(typeKey(window, 'm'));
    EXPECT_TRUE(typeKey(window, 'M', KKeyEvent::Shift));
    EXPECT_TRUE(run.app().isMenuBarHidden());
    EXPECT_TRUE(typeKey(window, 'm', KKeyEvent::Shift));
    EXPECT_FALSE(run.app().isMenuBarHidden());

    // A story that hides the menu bar brings it back when it ends by itself...
    openStory("PPP");
    tape().setFlag(Tape::HideMenuBarFlag);
    play();
    EXPECT_FALSE(menuBarShown());
    run.run(500);
    EXPECT_EQ(window.getPlayState(), LumoWindow::Stopped);
    EXPECT_TRUE(menuBarShown());
    EXPECT_TRUE(run.app().isRunning());
    // ...but one the user hid stays hidden.
    tape().resetFlag(Tape::HideMenuBarFlag);
    typeKey(window, 'M', KKeyEvent::Shift);
    play();
    typeKey(window, kEscape);
    EXPECT_FALSE(menuBarShown());
    typeKey(window, 'M', KKeyEvent::Shift);
}

} // namespace
