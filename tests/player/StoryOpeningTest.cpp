// Opening a story: the page checked against the screen (or against the display modes
// where the window mode changes the resolution), documents that cannot be read, and a
// document dropped while another plays. A refused document always leaves the previous
// story current and shown.
#include "player/LumoActions.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/player/PlayerTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

std::string shownTitle(const PlayerRun& Run) { return Run.window().getTitle().getText(); }
std::string currentProject(const PlayerRun& Run)
{
    return Run.app().getProject().getFileReference().getPath().getName().getText();
}

std::vector<std::string> messagesOf(const ReportCatcher& Catcher)
{
    std::vector<std::string> messages;
    for (const CaughtMessageBox& box : Catcher.boxes())
        messages.push_back(box.caption + ": " + box.text);
    return messages;
}

std::string sizeText(long Width, long Height) { return std::to_string(Width) + "x" + std::to_string(Height); }

TEST(StoryOpening, APageOfTheScreensSizeOpensAndOnePixelMoreIsRefused)
{
    PlayerRun run("", false, PlayerRun::storing(LumoApplication::WindowedMode));
    const long width = knsGetScreenWidth();
    const long height = knsGetScreenHeight();
    writeStory(run.file("small.TPD"), 640, 480);
    ASSERT_TRUE(run.open(run.file("small.TPD")));
    EXPECT_EQ(shownTitle(run), "small");
    EXPECT_EQ(run.window().getPlayState(), LumoWindow::Stopped);
    EXPECT_FALSE(run.app().isFullScreenLayout());

    writeStory(run.file("screen.TPD"), static_cast<short>(width), static_cast<short>(height));
    ASSERT_TRUE(run.open(run.file("screen.TPD")));
    // A page as large as the screen shows full screen even in the window mode.
    EXPECT_TRUE(run.app().isFullScreenLayout());

    for (const auto& page : {std::make_pair(width + 1, height), std::make_pair(width, height + 1)}) {
        writeStory(run.file("large.TPD"), static_cast<short>(page.first), static_cast<short>(page.second));
        ReportCatcher catcher;
        EXPECT_FALSE(run.open(run.file("large.TPD")));
        EXPECT_EQ(messagesOf(catcher),
                  std::vector<std::string>{"Narrabo: This document's resolution (" + sizeText(page.first, page.second)
                                           + ") exceeds screen resolution (" + sizeText(width, height)
                                           + "); this document cannot be opened."});
        EXPECT_EQ(currentProject(run), "screen");
        EXPECT_EQ(shownTitle(run), "screen");
    }
}

TEST(StoryOpening, DocumentsThatCannotBeReadLeaveThePreviousStoryAndTheProgramRunning)
{
    PlayerRun run("", false, PlayerRun::storing(LumoApplication::WindowedMode));
    writeStory(run.file("good.TPD"), 640, 480, "PPPPP");
    ASSERT_TRUE(run.open(run.file("good.TPD")));
    TapePtr shown(run.window().getTape());

    {
        ReportCatcher catcher;
        EXPECT_FALSE(run.open(run.file("missing.TPD")));
        EXPECT_TRUE(catcher.boxes().empty());
    }
    const Bytes story = readBytes(run.file("good.TPD"));
    std::vector<Bytes> damaged = {Bytes{'n', 'o', 't', ' ', 'a', ' ', 's', 't', 'o', 'r', 'y'}};
    for (size_t length : {size_t(4), size_t(12), size_t(40), story.size() / 2, story.size() - 1})
        damaged.emplace_back(story.begin(), story.begin() + long(length));
    for (const Bytes& content : damaged) {
        writeBytes(run.file("damaged.TPD"), content);
        ReportCatcher catcher;
        EXPECT_FALSE(run.open(run.file("damaged.TPD"))) << content.size();
        EXPECT_TRUE(catcher.codes().empty()) << content.size();
        EXPECT_EQ(messagesOf(catcher),
                  std::vector<std::string>{"Error while reading file: This file is not a Narrabo Document File!"})
            << content.size();
        EXPECT_EQ(currentProject(run), "good");
        EXPECT_EQ(&run.window().getTape(), shown.get());
    }
    // Documents of the old format, damaged after their leading mark.
    for (const Bytes& content : {Bytes{'L', 'M', 'D', 'F'}, Bytes{'L', 'M', 'D', 'F', 0, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0},
                                 Bytes{'L', 'M', 'D', 'F', 0x7F, 0x12, 0x34, 0x56, 0, 0, 0, 2, 0x7F, 0xFF, 0xFF, 0xFF}}) {
        writeBytes(run.file("damaged.LMT"), content);
        ReportCatcher catcher;
        EXPECT_FALSE(run.open(run.file("damaged.LMT"))) << content.size();
        EXPECT_TRUE(catcher.codes().empty()) << content.size();
        EXPECT_EQ(catcher.boxes().size(), 1u);
        EXPECT_EQ(currentProject(run), "good");
        EXPECT_EQ(&run.window().getTape(), shown.get());
    }
}

TEST(StoryOpening, WhereTheResolutionChangesThePageMustFitADisplayMode)
{
    FakeDisplay display({{640, 480, 32}, {1280, 1024, 16}});
    {
        PlayerRun run("", false, PlayerRun::storing(LumoApplication::ResolutionChangeMode));
        // The only mode that holds the page is a 16-bit one.
        writeStory(run.file("large.TPD"), 1200, 900);
        ASSERT_TRUE(run.open(run.file("large.TPD")));
        EXPECT_EQ(display.changes, std::vector<std::string>{"1280x1024x16"});
        EXPECT_TRUE(run.app().isFullScreenLayout());
        EXPECT_EQ(run.window().getBounds(), KGraphicRectangle(0, 0, 1280, 1024));
        EXPECT_EQ(run.window().getSpriteSystem().getSpriteSystem().getTargetRect(),
                  KGraphicRectangle(40, 62, 1200, 900));

        writeStory(run.file("huge.TPD"), 2000, 1500);
        {
            ReportCatcher catcher;
            EXPECT_FALSE(run.open(run.file("huge.TPD")));
            EXPECT_EQ(messagesOf(catcher),
                      std::vector<std::string>{"Narrabo: This document's resolution (2000x1500) exceeds screen "
                                               "resolution (0x0); this document cannot be opened."});
        }

        // No mode holds the page: the display stays as it is, and the page is shown full
        // screen all the same.
        display.modes = {{640, 480, 32}};
        display.changes.clear();
        run.app().setWindowMode(LumoApplication::WindowedMode);
        run.app().setWindowMode(LumoApplication::ResolutionChangeMode);
        EXPECT_EQ(display.changes, std::vector<std::string>{"0x0x0"});
        EXPECT_TRUE(run.app().isFullScreenLayout());

        // A display that refuses the change leaves the program running, full screen.
        display.modes = {{1280, 1024, 32}};
        display.accepts = false;
        {
            ReportCatcher catcher;
            run.app().applyWindowMode();
            EXPECT_EQ(messagesOf(catcher), std::vector<std::string>{"Error: Couldn't change display mode"});
        }
        EXPECT_TRUE(run.app().isFullScreenLayout());
        EXPECT_EQ(run.window().getBounds().getSize(), KGraphicSize(short(knsGetScreenWidth()), short(knsGetScreenHeight())));
        display.changes.clear();
    }
    // The display comes back to the registry mode at quit, only when it was changed.
    EXPECT_TRUE(display.changes.empty());
}

TEST(StoryOpening, ADocumentDroppedWhileAnotherPlaysStopsItFirst)
{
    PlayerRun run("", false, PlayerRun::storing(LumoApplication::WindowedMode));
    writeStory(run.file("first.TPD"), 640, 480, std::string(20, 'P'));
    writeStory(run.file("second.TPD"), 640, 480);
    ASSERT_TRUE(run.open(run.file("first.TPD")));
    TapePtr first(run.window().getTape());
    LumoActions::getInstance().play(false, false, false);
    run.run(150);
    ASSERT_EQ(first->getPlayState(), Tape::Playing);

    KApplicationEventPtr drop(new KApplicationEvent);
    drop->setType(KApplicationEvent::OpenDocument);
    drop->setObject(*KDiskObjectReferencePtr(new KDiskObjectReference(windowsPath(run.file("second.TPD")))));
    KApplicationEvent::post(*drop);
    run.run(1);
    EXPECT_EQ(first->getPlayState(), Tape::Stopped);
    EXPECT_EQ(shownTitle(run), "second");
    // Opened without the command line's auto-play, it waits to be played.
    EXPECT_EQ(run.window().getTape().getPlayState(), Tape::Stopped);
    EXPECT_EQ(run.window().getPlayState(), LumoWindow::Stopped);
}

} // namespace
