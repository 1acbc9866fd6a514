// A story dropped while another plays, and the quit that follows a play asked to quit.
#include "player/LumoActions.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/player/PlayerTestSupport.h"

#include <gtest/gtest.h>

namespace {

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
    EXPECT_TRUE(typeKey(run.window(), 0x11C));
    EXPECT_TRUE(run.runUntilQuit(10));
}

} // namespace
