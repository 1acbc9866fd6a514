// Display modes: the list the system gives, without repeats; the mode in use granted
// without a change; a change and its restore, through a display that tests stand in for.
#include "foundation/DisplayModesWin32.h"
#include "foundation/KBag.h"
#include "foundation/KGraphicSize.h"
#include "foundation/KernelFunctions.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A display offering a few modes, some at several refresh rates, that records the changes
// asked of it ({0, 0, 0} for a restore) and accepts or refuses them.
std::vector<DisplayModeWin32> s_modes;
std::vector<DisplayModeWin32> s_changes;
bool s_accepts = true;

bool listMode(unsigned long Index, DisplayModeWin32& Mode)
{
    if (Index >= s_modes.size())
        return false;
    Mode = s_modes[Index];
    return true;
}

bool changeMode(const DisplayModeWin32* Mode)
{
    s_changes.push_back(Mode ? *Mode : DisplayModeWin32{0, 0, 0});
    return s_accepts;
}

class DisplayModes : public testing::Test {
protected:
    void SetUp() override
    {
        s_modes = {{640, 480, 32}, {800, 600, 8}, {800, 600, 8}, {1024, 768, 16}, {1024, 768, 16}, {1024, 768, 32}};
        s_changes.clear();
        s_accepts = true;
        static const DisplaySystemWin32 display = {&listMode, &changeMode};
        setDisplaySystemWin32(&display);
        getScreenInfoWin32(&width, &height, &depth);
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

    long width = 0, height = 0, depth = 0;
};

TEST_F(DisplayModes, EachModeIsListedOnceAndTheModeInUseIsGrantedWithoutAChange)
{
    EXPECT_EQ(triples(enumDisplayModesWin32(0, 0, 0)),
        (std::vector<long>{640, 480, 32, 800, 600, 8, 1024, 768, 16, 1024, 768, 32}));
    EXPECT_EQ(triples(enumDisplayModesWin32(800, 600, 16)), (std::vector<long>{1024, 768, 16, 1024, 768, 32}));
    EXPECT_TRUE(triples(enumDisplayModesWin32(2000, 0, 0)).empty());
    // The first mode at least as large in all three values.
    EXPECT_EQ(knsChooseDisplayMode(800, 600, 16).getWidth(), 1024);

    // The mode in use is granted without a change.
    ASSERT_GT(width, 0);
    EXPECT_TRUE(changeDisplayModeWin32(short(width), short(height), short(depth)));
    restoreDisplayModeWin32();
    EXPECT_TRUE(s_changes.empty());
}

TEST_F(DisplayModes, AChangeIsRestoredOnceAndARefusalIsTold)
{
    ASSERT_TRUE(changeDisplayModeWin32(640, 480, 32));
    long changed[3] = {};
    getScreenInfoWin32(&changed[0], &changed[1], &changed[2]);
    EXPECT_EQ(std::vector<long>(changed, changed + 3), (std::vector<long>{640, 480, 32}));
    restoreDisplayModeWin32();
    restoreDisplayModeWin32();
    ASSERT_EQ(s_changes.size(), 2u);
    EXPECT_EQ(s_changes[0].width, 640);
    EXPECT_EQ(s_changes[1].width, 0); // back to the registry mode, once
    long restored[3] = {};
    getScreenInfoWin32(&restored[0], &restored[1], &restored[2]);
    EXPECT_EQ(std::vector<long>(restored, restored + 3), (std::vector<long>{width, height, depth}));

    s_accepts = false;
    ReportCatcher catcher;
    EXPECT_FALSE(changeDisplayModeWin32(640, 480, 32));
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].caption, "Error");
    EXPECT_EQ(catcher.boxes()[0].text, "Couldn't change display mode");
    restoreDisplayModeWin32();
    EXPECT_EQ(s_changes.size(), 3u);
}

} // namespace
