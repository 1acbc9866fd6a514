#pragma once
// A freehand line: a polyline traced with an elliptic pen. When its turn comes in a
// playing story it draws itself onto the page segment by segment, one segment each time
// its own timer has run out, so the viewer sees the line being drawn; a page redraw draws
// it at once. Strokes are also the main drawing material of actors' frames.
#include "foundation/KBag.h"
#include "foundation/KGraphicPoint.h"
#include "foundation/KTimer.h"
#include "graphics/KColor.h"
#include "story/TapeGraphicObject.h"

class KSpriteSystem;

class Stroke : public TapeGraphicObject {
    K_DECLARE_CLASS(Stroke)
public:
    static constexpr short kDefaultPenSize = 16;

    Stroke();
    ~Stroke() override;

    // Section 1: the nested graphic object's block, the points as a bag of raw values
    // (x0, y0, x1, y1, ...), the pen width and height (16 bits each) and the colour.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    // Draws the first dot and sets the pace; a stroke without points ends at once.
    void start() override;
    // One segment each time the timer has run out; a short stroke then waits a few
    // periods more, so that every stroke lasts at least six.
    void step() override;
    void drawOnPage() override;
    // The points moved from Source to Destination; the pen is not scaled.
    void draw(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    // The stroke with a black border and a white halo.
    void drawKindIcon(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    void drawWithColor(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    // Mirrors every point about the axis.
    void flip(bool Horizontal, short Axis) override;
    // Nothing: the stroke draws only through the tape.
    void redraw() override;
    // From a rectangle of zero width or height nothing is scaled.
    void scaleFromTo(const KGraphicRectangle& From, const KGraphicRectangle& To) override;
    void scale(double Factor) override;
    // About the centre of the bounds; the pen scales too, to at least one pixel.
    void scaleXY(double XFactor, double YFactor) override;
    void offset(short DH, short DV) override;
    // The points' extent grown by half the pen; empty without points.
    void getBounds(KGraphicRectangle& Out) const override;
    // Whether the pen, walked along the line, covers P.
    bool containsPoint(const KGraphicPoint& P) const override;
    void copyFrom(const TapeObject& Other) override;

    // Width and height alike.
    void setPenSize(short Size);
    void setColor(const KColor& Color) { m_color = Color; }
    void addPoint(short X, short Y);

    // Dots of the pen from From along the line to To, every Pen / 8 pixels; each dot's
    // rectangle is invalidated in the compositor when one is given.
    static void drawPenLine(KGraphicDevice& D, const KGraphicPoint& From, const KGraphicPoint& To, short Pen,
                            KSpriteSystem* Compositor);

    // Complete points only: a lone last value read from a damaged file is no point.
    long getPointCount() const { return m_points.getCount() / 2; }
    KGraphicPoint getPointAt(long Index) const;
    short getPenWidth() const { return m_penWidth; }
    short getPenHeight() const { return m_penHeight; }
    const KColor& getColor() const { return m_color; }
    KTimer& getTimer() const { return m_timer.getObject(); }

private:
    // The pen's rectangle around P, its halves taken in floating point.
    KGraphicRectangle penRectangleAround(const KGraphicPoint& P) const;
    // A dot of the pen around P on the page, shown.
    void stampOnPage(KSpriteSystem& Compositor, const KGraphicPoint& P) const;
    void setPointAt(long Index, long X, long Y);
    void restartTimer() { m_timer->start(); }
    void end();

    KBag m_points;
    short m_penWidth = kDefaultPenSize;
    short m_penHeight = kDefaultPenSize;
    KColor m_color;
    long m_nextIndex = 0;
    KGraphicPoint m_pen;
    KTimerPtr m_timer;
    short m_countdown = 0;
};

K_POINTER_CLASS(Stroke, TapeGraphicObjectPtr);
