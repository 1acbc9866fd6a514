#pragma once
// Holds the story still for a set time and draws nothing. Its own one-shot timer, which
// has no target, measures the time; the tape's ticks look whether it has run out, so a
// pause lasts its duration rounded up to the tape's tick.
#include "foundation/KTimer.h"
#include "story/TapeObject.h"

class LumoPause : public TapeObject {
    K_DECLARE_CLASS(LumoPause)
public:
    static constexpr long kDefaultDuration = 2000;

    LumoPause();
    ~LumoPause() override;

    // Section 1: the base block, then the duration (32 bits).
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    // Starts the timer afresh for the duration, also when it still runs from an earlier
    // start.
    void start() override;
    // Ends the pause once the timer no longer runs.
    void step() override;
    void draw(KGraphicDevice& D, const KGraphicRectangle& Source, const KGraphicRectangle& Destination) override;
    void redraw() override;
    // The duration only: the copy keeps its own enabled flag and label.
    void copyFrom(const TapeObject& Other) override;

    // Milliseconds; a negative one ends the pause at its first tick.
    void setDuration(long Milliseconds) { m_duration = Milliseconds; }
    long getDuration() const { return m_duration; }
    KTimer& getTimer() const { return m_timer.getObject(); }

private:
    long m_duration = kDefaultDuration;
    KTimerPtr m_timer;
};

K_POINTER_CLASS(LumoPause, TapeObjectPtr);
