// The level meter: its segments along the longer side, lit below the level, and the peak
// mark that holds for 800 ms.
#include "multimedia/recording/KLevelMeterControl.h"
#include "tests/application/ApplicationTestSupport.h"

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
        out += std::string(s.color == kDarkGray ? "D" : s.color == kLightGray ? "L" : "R") + (Places ? " " : "");
    }
    return out;
}

TEST(LevelMeter, LaysItsSegmentsAlongTheLongerSideAndHoldsThePeakFor800Milliseconds)
{
    DrivenClock clock;
    KLevelMeterControlPtr meter = new KLevelMeterControl;
    meter->setLevel(25.0f);
    EXPECT_EQ(drawing(*meter, KGraphicRectangle(0, 0, 100, 20)),
              "0,4 6x12D 10,4 6x12D 20,4 6x12D 30,4 6x12L 40,4 6x12L 50,4 6x12L 60,4 6x12L 70,4 6x12L 80,4 6x12L "
              "90,4 6x12L 20,4 6x12D ");
    // Upwards from the bottom edge, in the middle of the width; nothing when shorter than
    // one segment.
    EXPECT_EQ(drawing(*meter, KGraphicRectangle(5, 10, 20, 40)), "9,44 12x6D 9,34 12x6L 9,24 12x6L 9,14 12x6L 9,34 12x6D ");
    EXPECT_EQ(drawing(*meter, KGraphicRectangle(0, 0, 9, 5)), "");

    const struct {
        uint32 after;
        float level;
        const char* shown;
    } steps[] = {
        // A full-scale peak marks the last segment.
        {0, 150.0f, "DDDDDDDDDDR"},
        {800, -5.0f, "LLLLLLLLLLR"},
        {1, -5.0f, "LLLLLLLLLL"},
        {0, 85.0f, "DDDDDDDDDLR"},
        {500, 40.0f, "DDDDLLLLLLR"},
        {301, 72.0f, "DDDDDDDDLL"},
        {0, 72.0f, "DDDDDDDDLLD"},
    };
    for (const auto& s : steps) {
        clock.advance(s.after);
        meter->setLevel(s.level);
        EXPECT_EQ(drawing(*meter, KGraphicRectangle(0, 0, 100, 20), false), s.shown) << s.level;
    }
}

} // namespace
