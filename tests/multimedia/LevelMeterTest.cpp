// The level meter: its segments along the longer side, lit below the level, the peak mark
// that holds for 800 ms, and the bar as it shows on screen.
#include "multimedia/recording/KLevelMeterControl.h"
#include "tests/multimedia/RecordingTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Each segment's colour (Dark, Light, Red), after its place and size ("x,y wxh") when
// asked for, in drawing order.
std::string drawing(const KLevelMeterControl& M, const KGraphicRectangle& Area, bool Places = true)
{
    std::string out;
    for (const KLevelMeterControl::Segment& s : M.layOut(Area)) {
        const KGraphicRectangle& b = s.bounds;
        if (Places)
            out += std::to_string(b.getH()) + "," + std::to_string(b.getV()) + " " + std::to_string(b.getWidth()) + "x"
                   + std::to_string(b.getHeight());
        out += s.color == kDarkGray ? "D" : s.color == kLightGray ? "L" : "R";
        out += Places ? " " : "";
    }
    return out;
}

TEST(LevelMeter, LaysItsSegmentsAlongTheLongerSide)
{
    DrivenClock clock;
    KLevelMeterControlPtr meter = new KLevelMeterControl;
    meter->setLevel(25.0f);
    EXPECT_EQ(drawing(*meter, KGraphicRectangle(0, 0, 100, 20)),
              "0,4 6x12D 10,4 6x12D 20,4 6x12D 30,4 6x12L 40,4 6x12L 50,4 6x12L 60,4 6x12L 70,4 6x12L 80,4 6x12L "
              "90,4 6x12L 20,4 6x12D ");
    // Upwards from the bottom edge, in the middle of the width.
    EXPECT_EQ(drawing(*meter, KGraphicRectangle(5, 10, 20, 40)), "9,44 12x6D 9,34 12x6L 9,24 12x6L 9,14 12x6L 9,34 12x6D ");
    // Shorter than one segment: nothing to draw.
    EXPECT_EQ(drawing(*meter, KGraphicRectangle(0, 0, 9, 5)), "");
}

TEST(LevelMeter, ClampsTheLevelAndHoldsThePeakFor800Milliseconds)
{
    DrivenClock clock;
    KLevelMeterControlPtr meter = new KLevelMeterControl;
    const KGraphicRectangle bar(0, 0, 100, 20);
    const struct {
        uint32 after;
        float level;
        const char* shown;
        float peak;
    } steps[] = {
        {0, 150.0f, "DDDDDDDDDDR", 100.0f},
        {800, -5.0f, "LLLLLLLLLLR", 100.0f},
        {1, -5.0f, "LLLLLLLLLL", 0.0f},
        {0, 85.0f, "DDDDDDDDDLR", 85.0f},
        {500, 40.0f, "DDDDLLLLLLR", 85.0f},
        {0, 72.0f, "DDDDDDDDLLR", 85.0f},
        {301, 72.0f, "DDDDDDDDLL", 0.0f},
        {0, 72.0f, "DDDDDDDDLLD", 72.0f},
    };
    for (const auto& s : steps) {
        clock.advance(s.after);
        meter->setLevel(s.level);
        EXPECT_EQ(drawing(*meter, bar, false), s.shown) << s.level;
        EXPECT_FLOAT_EQ(meter->getPeak(), s.peak) << s.level;
    }
    EXPECT_FLOAT_EQ(meter->getLevel(), 72.0f);
}

TEST(LevelMeter, ShowsTheBarInItsWindow)
{
    InteractionScope scope;
    KWindowPtr window = new KWindow;
    KLevelMeterControlPtr meter = new KLevelMeterControl;
    meter->setBounds(KGraphicRectangle(10, 10, 100, 20));
    window->addElement(*meter);
    window->open(KWindow::OpenShown);
    meter->setLevel(50.0f);
    HDC screen = GetDC(nullptr);
    auto pixel = [&](long H, long V) {
        POINT at{H, V};
        ClientToScreen(nativeOf(*meter), &at);
        return GetPixel(screen, at.x, at.y);
    };
    EXPECT_EQ(pixel(3, 10), RGB(64, 64, 64));
    EXPECT_EQ(pixel(43, 10), RGB(64, 64, 64));
    // The peak mark stands in the segment that begins at the level.
    EXPECT_EQ(pixel(53, 10), RGB(64, 64, 64));
    EXPECT_EQ(pixel(63, 10), RGB(192, 192, 192));
    EXPECT_EQ(pixel(93, 10), RGB(192, 192, 192));
    ReleaseDC(nullptr, screen);
    window->close();
}

} // namespace
