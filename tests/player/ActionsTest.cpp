// Playing and stopping: what "Play" needs, the menu bar around a story that hides it,
// the end of a story, a story dropped while another plays, and the quit that follows a
// play asked to quit.
#include "application/KKeyEvent.h"
#include "application/KMenuManager.h"
#include "player/LumoActions.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/player/PlayerTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr uint16 kEscape = 0x11C;

bool menuBarShown() { return KMenuManager::getMenuManager().isMenuBarShown(); }

TEST(Actions, PlayNeedsAStoryAndTheMenuBarComesBackUnlessTheUserHidIt)
{
    PlayerRun run("", false, PlayerRun::storing(LumoApplication::BackdropMode));
    LumoActions& actions = LumoActions::getInstance();
    LumoWindow& window = run.window();
    // No story yet: nothing plays, but the wish to quit afterwards is kept.
    actions.play(false, false, true);
    EXPECT_TRUE(actions.getQuitOnStop());
    EXPECT_EQ(window.getPlayState(), LumoWindow::NoStory);

    writeStory(run.file("story.TPD"), 640, 480, "PPP");
    ASSERT_TRUE(run.open(run.file("story.TPD")));
    window.getTape().setFlag(Tape::HideMenuBarFlag);
    actions.play(false, false, false);
    EXPECT_FALSE(menuBarShown());
    // At its end the story stops by itself and the bar comes back.
    run.run(500);
    EXPECT_EQ(window.getTape().getPlayState(), Tape::Stopped);
    EXPECT_EQ(window.getPlayState(), LumoWindow::Stopped);
    EXPECT_TRUE(menuBarShown());
    EXPECT_TRUE(run.app().isRunning());
    // Hidden by the user, it stays hidden.
    window.getTape().resetFlag(Tape::HideMenuBarFlag);
    typeKey(window, 'M', KKeyEvent::Shift);
    actions.play(false, false, false);
    typeKey(window, kEscape);
    EXPECT_FALSE(menuBarShown());
}

TEST(Actions, AStoryDroppedWhileAnotherPlaysStopsItAndAPlayAskedToQuitEndsTheProgram)
{
    PlayerRun run("", false, PlayerRun::storing(LumoApplication::WindowedMode));
    writeStory(run.file("first.TPD"), 640, 480, std::string(20, 'P'));
    writeStory(run.file("second.TPD"), 640, 480, std::string(20, 'P'));
    ASSERT_TRUE(run.open(run.file("first.TPD")));
    TapePtr first(run.window().getTape());
    LumoActions::getInstance().play(false, false, false);
    run.run(150);
    KApplicationEventPtr drop(new KApplicationEvent);
    drop->setType(KApplicationEvent::OpenDocument);
    drop->setObject(*KDiskObjectReferencePtr(new KDiskObjectReference(windowsPath(run.file("second.TPD")))));
    KApplicationEvent::post(*drop);
    run.run(1);
    EXPECT_EQ(first->getPlayState(), Tape::Stopped);
    EXPECT_EQ(std::string(run.window().getTitle().getText()), "second");
    // Without the command line's auto-play it waits to be played.
    EXPECT_EQ(run.window().getPlayState(), LumoWindow::Stopped);

    // Filling the screen lays the window over all of it first.
    LumoActions::getInstance().play(false, true, true);
    const KGraphicRectangle screen(0, 0, short(knsGetScreenWidth()), short(knsGetScreenHeight()));
    EXPECT_EQ(run.window().getBounds(), screen);
    EXPECT_EQ(run.window().getSpriteSystem().getSpriteSystem().getTargetRect(), screen);
    run.run(100);
    EXPECT_TRUE(typeKey(run.window(), kEscape));
    EXPECT_TRUE(run.runUntilQuit(10));
}

} // namespace
