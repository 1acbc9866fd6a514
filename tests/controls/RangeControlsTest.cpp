// The range controls on their native windows: the progress bar in tenths of a percent, the
// scroll bar's range, page, clamping and the actions of a drag, the slider's actions by
// its mask, and the small arrows naming the arrow that was clicked.
#include "controls/KProgressBarControl.h"
#include "controls/KScrollBarControl.h"
#include "controls/KSliderControl.h"
#include "controls/KSmallArrowsControl.h"
#include "tests/controls/SentActions.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>

namespace {

using RangeControls = PlacedControls;

TEST_F(RangeControls, AProgressBarShowsTenthsOfAPercent)
{
    KProgressBarControlPtr early = new KProgressBarControl;
    early->setValue(12.5f);
    auto& bar = place(early.get(), KGraphicRectangle(10, 10, 20, 100));
    EXPECT_EQ(SendMessageA(nativeOf(bar), PBM_GETPOS, 0, 0), 125);
    // Taller than wide: upright.
    EXPECT_TRUE(GetWindowLongA(nativeOf(bar), GWL_STYLE) & PBS_VERTICAL);
    bar.setValue(45.67f);
    EXPECT_EQ(SendMessageA(nativeOf(bar), PBM_GETPOS, 0, 0), 456);
}

TEST_F(RangeControls, AScrollBarDraggedToItsEndReportsTheMaximumAndEachStepAtOnce)
{
    auto& bar = place(new NotingActions<KScrollBarControl>, KGraphicRectangle(10, 10, 16, 200));
    EXPECT_TRUE(GetWindowLongA(nativeOf(bar), GWL_STYLE) & SBS_VERT);
    bar.getActionMask().clearAll();
    // From the thumb at the top to the bar's bottom end.
    drag(nativeOf(bar), {8, 24}, {{8, 120}, {8, 198}});
    EXPECT_EQ(bar.getValue(), 100);
    Log steps = sent();
    ASSERT_GE(steps.size(), 3u);
    EXPECT_EQ(steps.front(), "2");
    EXPECT_EQ(Log(steps.end() - 2, steps.end()), (Log{"4", "4"}));
    EXPECT_TRUE(queued().empty());

    bar.setLineStep(5);
    const std::pair<WPARAM, long> moves[] = {{SB_LINEUP, 95}, {SB_PAGEUP, 85},   {SB_TOP, 0},       {SB_LINEUP, 0},
                                             {SB_PAGEDOWN, 10}, {SB_BOTTOM, 100}, {SB_ENDSCROLL, 100}};
    for (const auto& step : moves) {
        SendMessageA(GetParent(nativeOf(bar)), WM_VSCROLL, step.first, reinterpret_cast<LPARAM>(nativeOf(bar)));
        EXPECT_EQ(bar.getValue(), step.second) << step.first;
    }
    EXPECT_EQ(sent(), Log(7, "4"));

    bar.setValue(500, true);
    EXPECT_EQ(bar.getValue(), 100);
    bar.setValue(-3, true);
    EXPECT_EQ(GetScrollPos(nativeOf(bar), SB_CTL), 0);
}

TEST_F(RangeControls, AScrollBarsThumbEndsAtItsMaximumAlsoAfterTheRangeOrPageChanged)
{
    auto& bar = place(new NotingActions<KScrollBarControl>, KGraphicRectangle(10, 10, 16, 200));
    const HWND native = nativeOf(bar);
    const std::function<void()> changes[] = {[&] { bar.setMaximum(200); }, [&] { bar.setMinimum(5); },
                                             [&] { bar.setPageSize(25); }};
    for (const auto& change : changes) {
        change();
        // The thumb pushed to the end, then one line up.
        SetScrollPos(native, SB_CTL, 100000, FALSE);
        EXPECT_EQ(GetScrollPos(native, SB_CTL), 200);
        SendMessageA(GetParent(native), WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(native));
        EXPECT_EQ(bar.getValue(), 199);
    }
}

TEST_F(RangeControls, AScrollBarWhosePageCoversItsRangeIsDisabledOnScreen)
{
    KScrollBarControlPtr early = new KScrollBarControl;
    early->setMaximum(10);
    auto& bar = place(early.get(), KGraphicRectangle(10, 10, 100, 16));
    EXPECT_FALSE(GetWindowLongA(nativeOf(bar), GWL_STYLE) & SBS_VERT);
    EXPECT_TRUE(bar.isEnabled());
    EXPECT_FALSE(IsWindowEnabled(nativeOf(bar)));
    bar.setMaximum(50);
    EXPECT_TRUE(IsWindowEnabled(nativeOf(bar)));
    bar.setPageSize(60);
    EXPECT_FALSE(IsWindowEnabled(nativeOf(bar)));
    // A disabled control stays disabled whatever the range.
    bar.disable();
    bar.setPageSize(5);
    EXPECT_FALSE(IsWindowEnabled(nativeOf(bar)));
}

TEST_F(RangeControls, ASliderReportsItsStepsByItsMaskAndEveryPressAtOnce)
{
    auto& slider = place(new NotingActions<KSliderControl>, KGraphicRectangle(10, 10, 200, 30));
    EXPECT_FALSE(GetWindowLongA(nativeOf(slider), GWL_STYLE) & TBS_VERT);
    // The mask {1, 4}: the thumb's drag reports nothing, the other steps one done each.
    RECT thumb{};
    SendMessageA(nativeOf(slider), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const POINT from{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    drag(nativeOf(slider), from, {{from.x + 50, from.y}, {from.x + 100, from.y}});
    EXPECT_GT(slider.getValue(), 0);
    Log steps = sent();
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.front(), "1");
    for (size_t i = 1; i < steps.size(); ++i)
        EXPECT_EQ(steps[i], "4");
    // The base's own press and release come through the queue.
    EXPECT_EQ(queued(), (Log{"1", "4"}));

    slider.getActionMask().set(KControlActionEvent::Drag);
    SendMessageA(GetParent(nativeOf(slider)), WM_HSCROLL, TB_THUMBTRACK, reinterpret_cast<LPARAM>(nativeOf(slider)));
    slider.getActionMask().clearAll();
    SendMessageA(GetParent(nativeOf(slider)), WM_HSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(nativeOf(slider)));
    EXPECT_EQ(sent(), (Log{"2"}));
    // Setters store what they get; the native slider clamps.
    slider.setValue(150, true);
    EXPECT_EQ(slider.getValue(), 100);
}

TEST_F(RangeControls, SmallArrowsNameTheArrowThatWasClicked)
{
    auto& arrows = place(new NotingActions<KSmallArrowsControl>, KGraphicRectangle(10, 10, 15, 23));
    arrows.getActionMask().clearAll();
    for (const auto& part : {std::make_pair("UpButton", 3), std::make_pair("DownButton", 19)}) {
        SendMessageA(nativeOf(arrows), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, part.second));
        SendMessageA(nativeOf(arrows), WM_LBUTTONUP, 0, MAKELPARAM(7, part.second));
        EXPECT_EQ(sent(), (Log{std::string("4 ") + part.first}));
    }

    // The arrows' other notifications carry no change.
    NMHDR released{nativeOf(arrows), 0, static_cast<UINT>(NM_RELEASEDCAPTURE)};
    SendMessageA(GetParent(nativeOf(arrows)), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&released));
    EXPECT_TRUE(sent().empty());
}

} // namespace
