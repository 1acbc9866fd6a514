// The command line: a story named on it, or "data.TPD" beside the program, plays at once
// and the program quits when it ends; the switches count only for a story that is there
// (the window-mode tests start with a missing one).
#include "tests/player/PlayerTestSupport.h"

#include <gtest/gtest.h>

namespace {

class CommandLine : public testing::Test {
protected:
    CommandLine() { writeStory(story, 640, 480); }
    // Where the story stands, what plays, and in which window mode.
    static std::string stateOf(const PlayerRun& Run)
    {
        const LumoApplication& app = Run.app();
        return std::to_string(Run.window().getTape().getCount()) + " objects, " + (app.getAutoPlay() ? "autoplay " : "")
               + (app.getQuitAfterPlay() ? "quit after, " : "") + "mode " + std::to_string(app.getWindowMode());
    }

    TemporaryFolder stories;
    const std::string story = stories.file("story.TPD");
    const std::string quotedStory = "\"" + story + "\"";
};

TEST_F(CommandLine, WithoutArgumentTheStoryBesideTheProgramPlaysAndTheProgramQuits)
{
    PlayerRun run("", false, [](PlayerRun& R) {
        PlayerRun::storing(LumoApplication::WindowedMode)(R);
        writeStory(R.programFile("data.TPD"), 640, 480);
    });
    run.run(1);
    EXPECT_EQ(stateOf(run), "2 objects, autoplay quit after, mode 0");
    EXPECT_EQ(run.window().getTape().getPlayState(), Tape::Playing);
    EXPECT_TRUE(run.runUntilQuit(1000));
}

TEST_F(CommandLine, SwitchesInEitherCaseTheLastWindowModeWinsAndIsStoredAtQuit)
{
    // A switch of two letters is none; with P the story is not opened.
    PlayerRun run(quotedStory + " /F /w /FS /p", false, PlayerRun::storing(LumoApplication::ResolutionChangeMode));
    run.run(50);
    EXPECT_EQ(stateOf(run), "0 objects, autoplay quit after, mode 0");
    EXPECT_FALSE(run.app().hasProject());
    EXPECT_TRUE(run.app().isRunning());
    run.shutDown();
    EXPECT_EQ(storedPreferences()->getLong(KString("EditingWindowModePlayer")), LumoApplication::WindowedMode);
}

} // namespace
