// Opening a story: the page checked against the screen, or against the display modes
// where the window mode changes the resolution, and documents that cannot be read. A
// refused document leaves the previous story current and shown.
#include "tests/foundation/FileHelpers.h"
#include "tests/player/PlayerTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

std::string shown(const PlayerRun& Run)
{
    return std::string(Run.app().getProject().getFileReference().getPath().getName().getText()) + " in "
           + Run.window().getTitle().getText();
}

std::vector<std::string> messagesOf(const ReportCatcher& Catcher)
{
    std::vector<std::string> messages;
    for (const CaughtMessageBox& box : Catcher.boxes())
        messages.push_back(box.caption + ": " + box.text);
    return messages;
}

std::string refusal(long Width, long Height, long ScreenWidth, long ScreenHeight)
{
    return "Narrabo: This document's resolution (" + std::to_string(Width) + "x" + std::to_string(Height)
           + ") exceeds screen resolution (" + std::to_string(ScreenWidth) + "x" + std::to_string(ScreenHeight)
           + "); this document cannot be opened.";
}

class StoryOpening : public SharedPlayer {};

TEST_F(StoryOpening, APageOfTheScreensSizeOpensAndOnePixelMoreIsRefused)
{
    const long width = knsGetScreenWidth(), height = knsGetScreenHeight();
    writeStory(run.file("screen.TPD"), short(width), short(height));
    ASSERT_TRUE(run.open(run.file("screen.TPD")));
    EXPECT_EQ(run.window().getPlayState(), LumoWindow::Stopped);
    // As large as the screen, it shows full screen even in the window mode.
    EXPECT_TRUE(run.app().isFullScreenLayout());
    for (const auto& page : {std::make_pair(width + 1, height), std::make_pair(width, height + 1)}) {
        writeStory(run.file("large.TPD"), short(page.first), short(page.second));
        ReportCatcher catcher;
        EXPECT_FALSE(run.open(run.file("large.TPD")));
        EXPECT_EQ(messagesOf(catcher), std::vector<std::string>{refusal(page.first, page.second, width, height)});
        EXPECT_EQ(shown(run), "screen in screen");
    }
}

TEST_F(StoryOpening, DocumentsThatCannotBeReadLeaveThePreviousStoryAndTheProgramRunning)
{
    writeStory(run.file("good.TPD"), 640, 480, "PPPPP");
    ASSERT_TRUE(run.open(run.file("good.TPD")));
    TapePtr story(run.window().getTape());
    const Bytes good = readBytes(run.file("good.TPD"));
    // Not a story, stories cut short, and old-format documents damaged after their mark.
    std::vector<std::pair<std::string, Bytes>> damaged = {{"TPD", Bytes{'n', 'o', 't', ' ', 'a', ' ', 's', 't', 'o', 'r', 'y'}},
                                                          {"LMT", Bytes{'L', 'M', 'D', 'F'}},
                                                          {"LMT", Bytes{'L', 'M', 'D', 'F', 0, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF}}};
    for (size_t length : {size_t(4), size_t(12), size_t(40), good.size() / 2, good.size() - 1})
        damaged.emplace_back("TPD", Bytes(good.begin(), good.begin() + long(length)));
    for (const auto& [extension, content] : damaged) {
        writeBytes(run.file("damaged." + extension), content);
        ReportCatcher catcher;
        EXPECT_FALSE(run.open(run.file("damaged." + extension))) << content.size();
        EXPECT_TRUE(catcher.codes().empty()) << content.size();
        EXPECT_EQ(catcher.boxes().size(), 1u) << content.size();
        EXPECT_EQ(shown(run), "good in good");
        EXPECT_EQ(&run.window().getTape(), story.get());
    }
    ReportCatcher catcher;
    EXPECT_FALSE(run.open(run.file("missing.TPD")));
    EXPECT_TRUE(catcher.boxes().empty());
}

TEST(ResolutionChange, ThePageMustFitADisplayMode)
{
    const long width = knsGetScreenWidth(), height = knsGetScreenHeight();
    FakeDisplay display({{640, 480, 32}, {1280, 1024, 16}, {width, height, 32}});
    {
        PlayerRun run("", false, PlayerRun::storing(LumoApplication::ResolutionChangeMode));
        // A page of the screen's size changes nothing.
        writeStory(run.file("screen.TPD"), short(width), short(height));
        ASSERT_TRUE(run.open(run.file("screen.TPD")));
        EXPECT_TRUE(display.changes.empty());
        // The only mode that holds this page is a 16-bit one.
        writeStory(run.file("large.TPD"), 1200, 900);
        ASSERT_TRUE(run.open(run.file("large.TPD")));
        EXPECT_EQ(display.changes, std::vector<std::string>{"1280x1024x16"});
        EXPECT_EQ(run.window().getBounds(), KGraphicRectangle(0, 0, 1280, 1024));
        EXPECT_EQ(run.window().getSpriteSystem().getSpriteSystem().getTargetRect(), KGraphicRectangle(40, 62, 1200, 900));
        writeStory(run.file("huge.TPD"), 2000, 1500);
        {
            ReportCatcher catcher;
            EXPECT_FALSE(run.open(run.file("huge.TPD")));
            EXPECT_EQ(messagesOf(catcher), std::vector<std::string>{refusal(2000, 1500, 0, 0)});
        }

        // No mode holds the page: no 0 x 0 mode is asked for, and the page shows full
        // screen at the present resolution.
        display.modes = {{640, 480, 32}};
        run.app().setWindowMode(LumoApplication::WindowedMode);
        run.app().setWindowMode(LumoApplication::ResolutionChangeMode);
        EXPECT_EQ(display.changes, (std::vector<std::string>{"1280x1024x16", "0x0x0"}));
        EXPECT_TRUE(run.app().isFullScreenLayout());

        // A display that refuses the change leaves the program running, full screen.
        display.modes = {{1280, 1024, 32}};
        display.accepts = false;
        ReportCatcher catcher;
        run.app().applyWindowMode();
        EXPECT_EQ(messagesOf(catcher), std::vector<std::string>{"Error: Couldn't change display mode"});
        EXPECT_EQ(run.window().getBounds(), KGraphicRectangle(0, 0, short(width), short(height)));
        display.changes.clear();
    }
    // Only a changed display is brought back at quit.
    EXPECT_TRUE(display.changes.empty());
}

} // namespace
