// The view's four drawing modes, and the scroll view: where its bars lie, the ranges it
// gives them from the content and the zoom, and the origin that follows a bar.
#include "controls/KScrollViewControl.h"
#include "graphics/KColor.h"
#include "graphics/KImage.h"
#include "tests/controls/SentActions.h"

#include <gtest/gtest.h>

namespace {

void registerScrollViewClasses()
{
    KView::registerClass();
    KScrollViewControl::registerClass();
}
K_REGISTER_SUITE_CLASSES(registerScrollViewClasses);

// Content that notes the source and destination of each part drawn of it.
class RecordingContent : public KGraphicObject {
public:
    RecordingContent(short Width, short Height) { setSize(KGraphicSize(Width, Height)); }
    void drawPart(KGraphicDevice&, const KGraphicRectangle& S, const KGraphicRectangle& D) override
    {
        parts.emplace_back(S, D);
    }
    std::vector<std::pair<KGraphicRectangle, KGraphicRectangle>> parts;
};
K_POINTER_CLASS(RecordingContent, KGraphicObjectPtr);

constexpr uint32 kWhitePixel = 0xFFFFFF;

using Part = std::pair<KGraphicRectangle, KGraphicRectangle>;
using R = KGraphicRectangle;

// A view and the surface it draws on.
class View : public ::testing::Test {
protected:
    View() { surface->create(KGraphicSize(300, 300)); }

    KImagePtr surface = new KImage;
    KGraphicDevice& device = surface->getGraphicDevice();
    KViewPtr view = new KView;
};

TEST_F(View, EachModeDrawsItsPartOfTheContentIntoItsTarget)
{
    const R dest(10, 20, 200, 200);
    // Without content only a white frame.
    view->draw(device, dest);
    EXPECT_EQ(device.getPixel(10, 20).getNativeColor(), kWhitePixel);
    EXPECT_EQ(device.getPixel(50, 50).getNativeColor(), 0u);

    struct Case {
        uint8 mode;
        short width, height;
        Part drawn;
    };
    const Case cases[] = {
        {KView::NaturalSize, 400, 100, {R(0, 0, 400, 100), R(10, 20, 400, 100)}},
        {KView::Stretched, 400, 100, {R(0, 0, 400, 100), dest}},
        // Proportional: fills Dest in one dimension; a smaller content may reach beyond it.
        {KView::Proportional, 400, 100, {R(0, 0, 400, 100), R(10, 20, 200, 50)}},
        {KView::Proportional, 50, 100, {R(0, 0, 50, 100), R(10, 20, 200, 400)}},
        {KView::Proportional, 200, 200, {R(0, 0, 200, 200), dest}},
        // Without width there is no ratio to scale by.
        {KView::Proportional, 0, 100, {R(0, 0, 0, 100), R(10, 20, 0, 100)}},
        {KView::OriginAndZoom, 500, 400, {R(0, 0, 200, 200), dest}},
    };
    for (const Case& c : cases) {
        RecordingContentPtr content = new RecordingContent(c.width, c.height);
        view->setContent(*content);
        view->setMode(c.mode);
        view->draw(device, dest);
        ASSERT_EQ(content->parts.size(), 1u) << int(c.mode);
        EXPECT_EQ(content->parts[0], c.drawn) << int(c.mode) << " " << c.width;
    }
}

TEST_F(View, FromAnOriginNearTheEdgeOnlyTheRestOfTheContentShowsInAWhiteFrame)
{
    RecordingContentPtr content = new RecordingContent(500, 400);
    view->setContent(*content);
    view->setMode(KView::OriginAndZoom);
    view->setOrigin(KGraphicPoint(450, 0));
    view->setZoom(200.0f);
    view->setZoom(0.0f);
    EXPECT_EQ(view->getZoom(), 200.0f);

    view->draw(device, R(10, 20, 200, 100));
    // At zoom 200 the view sees 100 x 50 of the content from the origin: 50 x 50 remain.
    ASSERT_EQ(content->parts.size(), 1u);
    EXPECT_EQ(content->parts[0], Part(R(450, 0, 50, 50), R(10, 20, 101, 101)));
    EXPECT_EQ(device.getPixel(209, 119).getNativeColor(), kWhitePixel);
}

class ScrollView : public ::testing::Test {
protected:
    ControlScope scope;
    KScrollViewControl& control = placeIn(*scope.window, new KScrollViewControl, R(10, 10, 200, 150));
    KView& view = control.getView();
};

TEST_F(ScrollView, TheBarsLieAlongTheEdgesAndTheViewFillsTheRest)
{
    EXPECT_EQ(control.getHorizontalScrollBar().getBounds(), R(-1, 135, 187, 16));
    EXPECT_EQ(control.getVerticalScrollBar().getBounds(), R(185, -1, 16, 137));
    EXPECT_EQ(GetParent(nativeOf(control.getVerticalScrollBar())), nativeOf(control));

    RecordingContentPtr content = new RecordingContent(500, 400);
    view.setContent(*content);
    control.draw();
    ASSERT_EQ(content->parts.size(), 1u);
    EXPECT_EQ(content->parts[0].second, R(0, 0, 185, 135));
    // A bar set in place of another takes its place among the sub-controls.
    KScrollBarControlPtr bar = new KScrollBarControl;
    control.setHorizontalScrollBar(*bar);
    EXPECT_EQ(control.getControls().getCount(), 2);
    EXPECT_EQ(bar->getBounds(), R(-1, 135, 187, 16));
    EXPECT_TRUE(bar->getNativeWindow());
}

TEST_F(ScrollView, TheRangesFollowTheContentAndZoomAndTheOriginStaysWithinThem)
{
    KScrollBarControl& across = control.getHorizontalScrollBar();
    KScrollBarControl& down = control.getVerticalScrollBar();
    const auto maxima = [&] {
        control.updateScrollBars();
        return std::make_pair(across.getMaximum(), down.getMaximum());
    };
    EXPECT_EQ(maxima(), std::make_pair(0L, 0L));
    RecordingContentPtr content = new RecordingContent(500, 400);
    view.setContent(*content);
    EXPECT_EQ(maxima(), std::make_pair(300L, 250L));
    EXPECT_EQ(across.getPageSize(), 10);

    view.setOrigin(KGraphicPoint(400, 40));
    control.updateScrollBars();
    EXPECT_EQ(across.getValue(), 300);
    EXPECT_EQ(view.getOrigin(), KGraphicPoint(300, 40));
    // The bars show where the view is, so that the next move goes on from there.
    EXPECT_EQ(down.getValue(), 40);

    view.setZoom(50.0f);
    EXPECT_EQ(maxima(), std::make_pair(50L, 50L));
    EXPECT_EQ(view.getOrigin(), KGraphicPoint(100, 40));
    // A bar's move scrolls the view at the zoom and redraws it at once.
    content->parts.clear();
    SendMessageA(GetParent(nativeOf(across)), WM_HSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(nativeOf(across)));
    EXPECT_EQ(view.getOrigin(), KGraphicPoint(98, 40));
    EXPECT_EQ(content->parts.size(), 1u);
}

} // namespace
