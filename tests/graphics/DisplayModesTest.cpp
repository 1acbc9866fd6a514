// Display modes: the list the system gives, without repeats; the mode in use granted
// without a change; a change and its restore, through a display that tests stand in for.
#include "application/DisplayModesWin32.h"
#include "foundation/KBag.h"
#include "foundation/KGraphicSize.h"
#include "foundation/KernelFunctions.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A display offering a few modes, some at several refresh rates, that records the changes
// asked of it and accepts or refuses them.
struct StandInDisplay {
    static std::vector<DisplayModeWin32> modes;
    static std::vector<DisplayModeWin32> changes; // {0, 0, 0} for a restore
    static bool accepts;

    static bool list(unsigned long Index, DisplayModeWin32& Mode)
    {
        if (Index >= modes.size())
            return false;
        Mode = modes[Index];
        return true;
    }
    static bool change(const DisplayModeWin32* Mode)
    {
        changes.push_back(Mode ? *Mode : DisplayModeWin32{0, 0, 0});
        return accepts;
    }
};
std::vector<DisplayModeWin32> StandInDisplay::modes;
std::vector<DisplayModeWin32> StandInDisplay::changes;
bool StandInDisplay::accepts = true;

class DisplayModes : public testing::Test {
protected:
    void SetUp() override
    {
        StandInDisplay::modes = {{640, 480, 32}, {800, 600, 8}, {800, 600, 8}, {1024, 768, 16},
                                 {1024, 768, 16}, {1024, 768, 32}};
        StandInDisplay::changes.clear();
        StandInDisplay::accepts = true;
        static const DisplaySystemWin32 display = {&StandInDisplay::list, &StandInDisplay::change};
        setDisplaySystemWin32(&display);
    }
    void TearDown() override
    {
        restoreDisplayModeWin32();
        setDisplaySystemWin32(nullptr);
    }

    static std::vector<long> triples(const KBag& Modes)
    {
        std::vector<long> values;
        for (long i = 0; i < Modes.getCount(); ++i)
            values.push_back(Modes.getDirectDataAt(i));
        return values;
    }
};

TEST_F(DisplayModes, EachModeIsListedOnceWhateverItsRates)
{
    EXPECT_EQ(triples(enumDisplayModesWin32(0, 0, 0)),
              (std::vector<long>{640, 480, 32, 800, 600, 8, 1024, 768, 16, 1024, 768, 32}));
    EXPECT_EQ(triples(enumDisplayModesWin32(800, 600, 16)), (std::vector<long>{1024, 768, 16, 1024, 768, 32}));
    EXPECT_TRUE(triples(enumDisplayModesWin32(2000, 0, 0)).empty());
    // The first mode at least as large in all three values.
    EXPECT_EQ(knsChooseDisplayMode(800, 600, 16).getWidth(), 1024);
}

TEST_F(DisplayModes, TheModeInUseIsGrantedWithoutAChange)
{
    long width = 0, height = 0, depth = 0;
    getScreenInfoWin32(&width, &height, &depth);
    ASSERT_GT(width, 0);
    EXPECT_TRUE(changeDisplayModeWin32(short(width), short(height), short(depth)));
    restoreDisplayModeWin32();
    EXPECT_TRUE(StandInDisplay::changes.empty());
}

TEST_F(DisplayModes, AChangeIsRestoredOnceAndTheScreenReadAgain)
{
    long width = 0, height = 0, depth = 0;
    getScreenInfoWin32(&width, &height, &depth);

    ASSERT_TRUE(changeDisplayModeWin32(640, 480, 32));
    long changedWidth = 0, changedHeight = 0, changedDepth = 0;
    getScreenInfoWin32(&changedWidth, &changedHeight, &changedDepth);
    EXPECT_EQ(changedWidth, 640);
    EXPECT_EQ(changedHeight, 480);
    EXPECT_EQ(changedDepth, 32);
    EXPECT_EQ(knsGetScreenWidth(), 640);

    restoreDisplayModeWin32();
    restoreDisplayModeWin32();
    ASSERT_EQ(StandInDisplay::changes.size(), 2u);
    EXPECT_EQ(StandInDisplay::changes[0].width, 640);
    EXPECT_EQ(StandInDisplay::changes[1].width, 0); // back to the registry mode, once

    long restoredWidth = 0, restoredHeight = 0, restoredDepth = 0;
    getScreenInfoWin32(&restoredWidth, &restoredHeight, &restoredDepth);
    EXPECT_EQ(restoredWidth, width);
    EXPECT_EQ(restoredDepth, depth);
}

TEST_F(DisplayModes, ARefusedChangeIsToldAndChangesNothing)
{
    StandInDisplay::accepts = false;
    ReportCatcher catcher;
    EXPECT_FALSE(changeDisplayModeWin32(640, 480, 32));
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].caption, "Error");
    EXPECT_EQ(catcher.boxes()[0].text, "Couldn't change display mode");
    restoreDisplayModeWin32();
    EXPECT_EQ(StandInDisplay::changes.size(), 1u);
}

} // namespace
