#pragma once
// The tape object that moves one actor of the cast along a recorded path, one path point
// per tick of its own one-shot timer (paced like the tape), and ends when the path is
// done. A short path of up to five points waits until six periods have passed in all, so
// that the motion stays visible. The actor is named by its cast name; the motion keeps
// the actor's file in step with the story's folders like the actor actions do.
#include "foundation/KBag.h"
#include "foundation/KTimer.h"
#include "story/Actor.h"
#include "story/ActorTapeObject.h"

class ActorMotion : public ActorTapeObject {
    K_DECLARE_CLASS(ActorMotion)
public:
    // A path of at most this many points waits after its last point.
    static constexpr long kShortPathPoints = 5;

    ActorMotion();
    ~ActorMotion() override;

    // Section 1: the nested TapeObject block, the path's bag block (raw longs) and the
    // actor name's block. The reader takes section 1 only when it comes first.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    // Puts the actor at the first point; a motion without a point, or whose actor is not
    // in the cast, ends at once.
    void start() override;
    // The next path point once the timer has run out.
    void step() override;
    // The actor at the last point of the path.
    void drawOnPage() override;
    // A motion draws nothing and has no shape to scale or move.
    void draw(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    void drawWithColor(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    void redraw() override;
    void scaleFromTo(const KGraphicRectangle& From, const KGraphicRectangle& To) override;
    void scale(double Factor) override;
    void scaleXY(double XFactor, double YFactor) override;
    void offset(short DH, short DV) override;
    // The base fields, the path and the actor name; the countdown starts afresh.
    void copyFrom(const TapeObject& Other) override;

    void addPoint(long X, long Y);
    // Whole points only: a path read from a damaged block may end in half a point.
    long getPointCount() const { return m_path.isDirect() ? m_path.getCount() / 2 : 0; }
    long getPointX(long Index) const { return m_path.getDirectDataAt(2 * Index); }
    long getPointY(long Index) const { return m_path.getDirectDataAt(2 * Index + 1); }
    KTimer& getTimer() const { return m_timer.getObject(); }

private:
    void startTimer();
    // Tells the tape that the motion is done and lets the actor go.
    void end();
    // The actor along the line from the current position to the point.
    void walkTo(long Point);

    KBag m_path;
    long m_nextPoint = 0;
    long m_currentX = 0;
    long m_currentY = 0;
    KTimerPtr m_timer;
    short m_countdown = 0;
    ActorPtr m_actor;
};

K_POINTER_CLASS(ActorMotion, TapeObjectPtr);
