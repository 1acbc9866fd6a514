// The text display: where still text and logs show in the text area, how many lines a
// log keeps, and the roll that starts again from the top; its clock runs only while the
// control can be seen.
#include "tools/controls/KTextDisplayControl.h"
#include "graphics/KTextBlock.h"
#include "graphics/KTextLine.h"
#include "tests/tools/ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool isDark(const KGraphicDevice& D, short H, short V) { return D.getPixel(H, V).getRed() < 0x8000; }

// The first and last rows of R with a dark pixel; -1 and -1 when there are none.
std::pair<int, int> darkRows(const KGraphicDevice& D, const KGraphicRectangle& R)
{
    int first = -1, last = -1;
    for (short v = R.getV(); v < R.getV() + R.getHeight(); ++v) {
        for (short h = R.getH(); h < R.getH() + R.getWidth(); ++h) {
            if (isDark(D, h, v)) {
                if (first < 0)
                    first = v;
                last = v;
                break;
            }
        }
    }
    return {first, last};
}

// The rightmost dark pixel of the rows, -1 when none.
int rightmostDark(const KGraphicDevice& D, short Top, short Bottom, short Width)
{
    int right = -1;
    for (short v = Top; v < Bottom; ++v) {
        for (short h = 0; h < Width; ++h) {
            if (isDark(D, h, v) && h > right)
                right = h;
        }
    }
    return right;
}

KTextDisplayControlPtr display(short Width, short Height)
{
    KTextDisplayControlPtr control = new KTextDisplayControl;
    control->setSize(KGraphicSize(Width, Height));
    control->hideBorder();
    return control;
}

TEST(TextDisplay, ShowsShortTextFromTheTopAndALogsNewestLinesAtTheBottom)
{
    KTextDisplayControlPtr field = display(200, 100);
    const KGraphicRectangle area = field->getTextArea();
    EXPECT_EQ(area, KGraphicRectangle(4, 4, 192, 92));
    field->createDefaultText("Short");
    field->render();
    const auto shortText = darkRows(field->getBuffer().getGraphicDevice(), area);
    EXPECT_GE(shortText.first, 4);
    EXPECT_LT(shortText.first, 12);
    EXPECT_LT(shortText.second, 40);

    // Narrow lines, then a wide one: the wide newest line is the one seen at the bottom.
    KTextDisplayControlPtr log = display(200, 100);
    for (int i = 0; i < 20; ++i)
        log->addLine("i");
    log->addLine("WWWWWWWWWW");
    log->render();
    const KGraphicDevice& buffer = log->getBuffer().getGraphicDevice();
    const auto logRows = darkRows(buffer, area);
    EXPECT_GE(logRows.second, 100 - 4 - 8);
    EXPECT_LT(logRows.second, 96);
    EXPECT_GT(rightmostDark(buffer, 76, 96, 200), 60);
    EXPECT_LT(rightmostDark(buffer, 4, 40, 200), 20);
}

TEST(TextDisplay, DrawsItsFrameOnlyWithABorderAndKeepsTheInsetWithout)
{
    KTextDisplayControlPtr framed = new KTextDisplayControl;
    framed->setSize(KGraphicSize(120, 60));
    framed->createDefaultText("WWWWWWWWWWWWWWWWWWWWWWWWWW");
    EXPECT_TRUE(framed->hasBorder());
    framed->render();
    EXPECT_NE(framed->getBuffer().getGraphicDevice().getPixel(0, 30).getNativeColor(), 0xFFFFFFu);

    KTextDisplayControlPtr bare = display(120, 60);
    bare->createDefaultText("WWWWWWWWWWWWWWWWWWWWWWWWWW");
    bare->render();
    const KGraphicDevice& buffer = bare->getBuffer().getGraphicDevice();
    EXPECT_EQ(buffer.getPixel(0, 30).getNativeColor(), 0xFFFFFFu);
    EXPECT_EQ(darkRows(buffer, KGraphicRectangle(0, 0, 4, 60)).first, -1);
    EXPECT_EQ(darkRows(buffer, KGraphicRectangle(116, 0, 4, 60)).first, -1);
    EXPECT_NE(darkRows(buffer, KGraphicRectangle(4, 4, 112, 52)).first, -1);
}

TEST(TextDisplay, KeepsTheLast101LinesOfALog)
{
    KTextDisplayControlPtr log = display(100, 50);
    for (int i = 0; i < 150; ++i)
        log->addLine(KString(("line " + std::to_string(i)).c_str()));
    const KTextBlock& block = log->getTextBlock();
    ASSERT_EQ(block.getLineCount(), 101);
    EXPECT_EQ(textOf(block.getLineAt(0).getText()), "line 49");
    EXPECT_EQ(textOf(block.getLineAt(100).getText()), "line 149");

    // One line in black, whatever was there.
    log->createDefaultText("alone");
    ASSERT_EQ(block.getLineCount(), 1);
    EXPECT_EQ(block.getLineAt(0).getStyleRunAt(0).getLength(), 5);
    EXPECT_EQ(textOf(block.getLineAt(0).getStyleRunAt(0).getFont().getName()), "Arial");
}

TEST(TextDisplay, RollsUpAndStartsAgainFromTheTopOnceTheTextHasPassed)
{
    InteractionScope scope;
    KTextDisplayControlPtr band = display(200, 100);
    for (const char* line : {"WWWW", "WWWW", "WWWW"})
        band->addLine(line);
    band->setScrolling(true);
    const KTimer& timer = band->getTimer();
    EXPECT_TRUE(timer.isRunning());
    EXPECT_EQ(timer.getPeriod(), 70);
    EXPECT_TRUE(timer.isRepeating());
    EXPECT_EQ(timer.getCatchUpMode(), KTimer::SteadyWithLagLimit);

    const KGraphicRectangle area = band->getTextArea();
    // The rows that no fade covers.
    const KGraphicRectangle middle(area.getH(), static_cast<short>(area.getV() + 16), area.getWidth(),
                                   static_cast<short>(area.getHeight() - 32));
    band->render();
    const KGraphicDevice& buffer = band->getBuffer().getGraphicDevice();
    const auto atStart = darkRows(buffer, middle);
    ASSERT_NE(atStart.first, -1);
    const long textHeight = band->getTextObject().getSize().getHeight();
    ASSERT_GT(textHeight, 20);

    KTimer& clock = const_cast<KTimer&>(timer);
    for (long step = 1; step <= textHeight - 5; ++step)
        band->doTimer(clock);
    EXPECT_EQ(band->getScrollOffset(), textHeight - 5);
    band->render();
    // Only the last five rows of the text are left, at the top: nothing is stretched.
    EXPECT_EQ(darkRows(buffer, middle).first, -1);

    for (long step = textHeight - 4; step <= textHeight; ++step)
        band->doTimer(clock);
    band->render();
    EXPECT_EQ(band->getScrollOffset(), textHeight);
    band->doTimer(clock);
    band->render();
    EXPECT_EQ(band->getScrollOffset(), 0);
    band->render();
    EXPECT_EQ(darkRows(buffer, middle), atStart);

    band->setScrolling(false);
    EXPECT_FALSE(timer.isRunning());
    EXPECT_FALSE(timer.hasTarget());
    EXPECT_EQ(band->getScrollOffset(), 0);
}

TEST(TextDisplay, RollsOnlyWhileItsWindowIsOpen)
{
    InteractionScope scope;
    KWindowPtr window = new KWindow;
    KTextDisplayControlPtr band = display(200, 100);
    window->addElement(*band);
    band->addLine("rolling");
    band->setScrolling(true);
    window->open(KWindow::OpenHidden);
    EXPECT_TRUE(band->getTimer().isRunning());
    // Closed, the window lets go of the band, and the clock does too.
    window->close();
    EXPECT_FALSE(band->getTimer().isRunning());
    EXPECT_FALSE(band->getTimer().hasTarget());
    EXPECT_TRUE(band->isScrolling());
    window->open(KWindow::OpenHidden);
    EXPECT_TRUE(band->getTimer().isRunning());
    window->close();
}

} // namespace
