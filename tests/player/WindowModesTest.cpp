// The window layout: a window as large as the page, centred on where the window stood and
// kept clear of the screen's edges, and the frame from before full screen restored; the
// mode switches of a command line whose story is missing count for nothing.
#include "tests/player/PlayerTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowModes, TheWindowLayoutCentresOnTheWindowAndKeepsClearOfTheScreenEdges)
{
    FakeDisplay display({{1280, 1024, 32}});
    PlayerRun run("C:\\Nowhere\\missing.TPD /F /S", false, PlayerRun::storing(LumoApplication::WindowedMode));
    run.run(50);
    EXPECT_EQ(run.window().getTape().getCount(), 0);
    EXPECT_FALSE(run.app().getAutoPlay() || run.app().getQuitAfterPlay());
    EXPECT_EQ(run.app().getWindowMode(), LumoApplication::WindowedMode);
    writeStory(run.file("story.TPD"), 800, 600);
    ASSERT_TRUE(run.open(run.file("story.TPD")));
    ASSERT_TRUE(knsChangeScreenSettings(1280, 1024, 32));
    LumoApplication& app = run.app();
    LumoWindow& window = run.window();

    struct Case {
        KGraphicRectangle before;
        KGraphicRectangle after;
    };
    for (const Case& c : {// Centred on the window, then inside the right and bottom edges by 10.
                          Case{{600, 500, 640, 480}, {470, 414, 800, 600}},
                          // Nearer than 30 to the left and top edges: where the window stood.
                          Case{{10, 20, 640, 480}, {10, 20, 800, 600}},
                          Case{{200, 150, 640, 480}, {120, 90, 800, 600}}}) {
        window.resize(c.before);
        app.layoutMainWindow(false);
        EXPECT_EQ(window.getBounds(), c.after);
        EXPECT_EQ(window.getSpriteSystem().getSpriteSystem().getTargetRect(), KGraphicRectangle(0, 0, 800, 600));
    }

    // Full screen and back: the very frame from before.
    app.layoutMainWindow(true);
    EXPECT_EQ(window.getBounds(), KGraphicRectangle(0, 0, 1280, 1024));
    EXPECT_EQ(window.getSpriteSystem().getSpriteSystem().getTargetRect(), KGraphicRectangle(240, 212, 800, 600));
    app.layoutMainWindow(false);
    EXPECT_EQ(window.getBounds(), KGraphicRectangle(120, 90, 800, 600));

    // Without a tape the window takes 640 × 480.
    TapePtr story(window.getTape());
    window.resetTape();
    app.layoutMainWindow(false);
    EXPECT_EQ(window.getBounds(), KGraphicRectangle(200, 150, 640, 480));
    window.setTape(*story);
}

} // namespace
