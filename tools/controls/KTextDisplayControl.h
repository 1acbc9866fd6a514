#pragma once
// Read-only text drawn by the framework itself, through an off-screen buffer of the whole
// control so that nothing flickers. Still, it shows its text from the top of its text area
// (the control inset by 4) or, once the text is taller than the area, its last lines flush
// with the bottom, as a log does. Rolling, the text moves up one pixel every scroll period,
// fading in and out over 16 rows at the area's edges, and starts again from the top once
// it has passed. The control ignores the mouse.
#include "controls/KControl.h"
#include "foundation/KTimer.h"
#include "graphics/KAlphaImage.h"
#include "graphics/KColor.h"
#include "graphics/KImage.h"
#include "graphics/KTextBlockObject.h"

class KTextDisplayControl : public KControl {
    K_DECLARE_CLASS(KTextDisplayControl)
public:
    // A log keeps at most this many lines before the newest: older ones are dropped.
    static constexpr long kKeptLines = 100;
    static constexpr long kDefaultScrollPeriod = 70;

    KTextDisplayControl();
    ~KTextDisplayControl() override;

    void doTimer(KTimer& T) override;
    void draw() override;
    // The rolling clock runs only while the control can be seen: it holds the control
    // while it runs.
    void createNativeControl() override;
    void destroyNativeControl() override;
    KEventReturn mouseDownEvent(KMouseEvent& E) override;
    KEventReturn mouseMoveEvent(KMouseEvent& E) override;
    KEventReturn mouseUpEvent(KMouseEvent& E) override;

    // The whole text becomes one line, in black.
    void createDefaultText(const KString& Text);
    void addLine(const KString& Text);
    void setScrolling(bool On);
    void hideBorder() { m_border = 0; }

    void setBackgroundImage(KImage& Image) { m_backgroundImage = Image; }
    void setBackgroundColor(const KColor& Color) { m_backgroundColor = Color; }

    // Paints the buffer as the next draw shows it; draw copies it to the screen.
    void render();
    KImage& getBuffer() const { return m_buffer.getObject(); }
    const KTextBlock& getTextBlock() const { return m_text->getTextBlock(); }
    const KTextBlockObject& getTextObject() const { return *m_text; }
    bool isScrolling() const { return m_scrolling != 0; }
    bool hasBorder() const { return m_border != 0; }
    long getScrollOffset() const { return m_scrollOffset; }
    const KTimer& getTimer() const { return *m_timer; }
    // The text area in the control's own coordinates.
    KGraphicRectangle getTextArea() const;

private:
    // Both setters end here: a new fade for the next rolling draw, and a redraw.
    void textChanged();
    void appendLine(const KString& Text, const KColor* Color);
    void startClock();
    void stopClock();
    void drawStill(KGraphicDevice& Buffer, const KGraphicRectangle& Area);
    void drawRolling(KGraphicDevice& Buffer, const KGraphicRectangle& Area);
    void makeFadeImage(KImage& Buffer, const KGraphicRectangle& Area);
    // The laid-out text on white, at the area's width; null for an empty text.
    KImage* makeTextImage(const KGraphicRectangle& Area);

    KTextBlockObjectPtr m_text;
    KImagePtr m_backgroundImage;
    KColor m_backgroundColor;
    KImagePtr m_buffer;
    KAlphaImagePtr m_fadeImage;
    KImagePtr m_rollingText;
    KTimerPtr m_timer;
    uint8 m_scrolling = 0;
    uint8 m_border = 1;
    long m_scrollOffset = 0;
    long m_scrollPeriod = kDefaultScrollPeriod;
};

K_POINTER_CLASS(KTextDisplayControl, KControlPtr);
