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

// The first and last rows of R with a dark pixel; -1 and -1 when there are none.
std::pair<int, int> darkRows(const KGraphicDevice& D, const KGraphicRectangle& R)
{
    int first = -1, last = -1;
    for (short v = R.getV(); v < R.getV() + R.getHeight(); ++v) {
        for (short h = R.getH(); h < R.getH() + R.getWidth(); ++h) {
            if (D.getPixel(h, v).getRed() < 0x8000) {
                first = first < 0 ? v : first;
                last = v;
                break;
            }
        }
    }
    return {first, last};
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
    const KGraphicDevice& still = field->getBuffer().getGraphicDevice();
    const auto shortText = darkRows(still, area);
    EXPECT_GE(shortText.first, 4);
    EXPECT_LT(shortText.first, 12);
    EXPECT_LT(shortText.second, 40);
    // Without a border nothing is drawn outside the text area.
    EXPECT_EQ(still.getPixel(0, 50).getNativeColor(), 0xFFFFFFu);

    // Blank lines, then a visible one: the newest line is the one seen, at the bottom.
    KTextDisplayControlPtr log = display(200, 100);
    for (int i = 0; i < 20; ++i)
        log->addLine(" ");
    log->addLine("WWWWWWWWWW");
    log->render();
    const auto logRows = darkRows(log->getBuffer().getGraphicDevice(), area);
    EXPECT_GE(logRows.first, 100 - 4 - 20);
    EXPECT_GE(logRows.second, 100 - 4 - 8);
    EXPECT_LT(logRows.second, 96);

    KTextDisplayControlPtr framed = new KTextDisplayControl;
    framed->setSize(KGraphicSize(120, 60));
    framed->render();
    EXPECT_NE(framed->getBuffer().getGraphicDevice().getPixel(0, 30).getNativeColor(), 0xFFFFFFu);
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
    log->createDefaultText("alone");
    EXPECT_EQ(block.getLineCount(), 1);
}

TEST(TextDisplay, RollsUpAndStartsAgainFromTheTopOnceTheTextHasPassed)
{
    InteractionScope scope;
    KTextDisplayControlPtr band = display(200, 100);
    for (const char* line : {"WWWW", "WWWW", "WWWW"})
        band->addLine(line);
    band->setScrolling(true);
    const KTimer& timer = band->getTimer();
    EXPECT_EQ(timer.getPeriod(), 70);

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
    EXPECT_FALSE(timer.hasTarget());
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
