// The command line: a story named on it, or "data.TPD" beside the program, plays at once
// and the program quits when it ends; the switches count only for a story that is there
// (the window-mode tests start with a missing one).
#include "tests/foundation/FileHelpers.h"
#include "tests/player/PlayerTestSupport.h"
#include "tests/support/ReportCatcher.h"

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

// A story that was to play and quit but has nothing to play, refused as damaged or
// empty, ends the program as the end of a story does.
TEST_F(CommandLine, AStoryWithNothingToPlayEndsTheProgramAsItsEndWould)
{
    writeStory(stories.file("empty.TPD"), 640, 480, "");
    writeBytes(stories.file("damaged.TPD"), ByteList().text("LMDF").longs({3, 0x0abd9030, 1, 0x7fffffff}).bytes());
    for (const char* name : {"empty.TPD", "damaged.TPD"}) {
        ReportCatcher catcher;
        PlayerRun run("\"" + stories.file(name) + "\"", false, PlayerRun::storing(LumoApplication::WindowedMode));
        EXPECT_TRUE(run.runUntilQuit(100)) << name;
        std::vector<std::string> messages;
        for (const CaughtMessageBox& box : catcher.boxes())
            messages.push_back(box.caption + ": " + box.text);
        EXPECT_EQ(messages, name == std::string("empty.TPD")
                                ? std::vector<std::string>{}
                                : std::vector<std::string>{"Error while reading file: This file is not a Narrabo Document File!"});
    }
}

// The File menu checks the window mode the start took, from the preferences or from the
// command line.
TEST_F(CommandLine, TheFileMenuChecksTheWindowModeTakenAtStart)
{
    const struct {
        std::string commandLine;
        long stored;
    } starts[] = {{"", LumoApplication::BackdropMode}, {quotedStory + " /B /p", LumoApplication::ResolutionChangeMode}};
    for (const auto& start : starts) {
        PlayerRun run(start.commandLine, false, PlayerRun::storing(start.stored));
        run.run(1);
        bar().sendUpdateEvents();
        EXPECT_EQ(subMenuOf("Window Mode"), (std::vector<std::string>{"Window 15", "Full screen (backdrop window) 16 checked",
                                                                      "Full screen with resolution change 17"}))
            << start.commandLine;
    }
}

} // namespace
