// The objects that hold a playing story: the wait for sounds, speech and the user, and
// the pause of a set time.
#include "application/KKeyEvent.h"
#include "story/LumoPause.h"
#include "story/WaitObject.h"
#include "tests/story/PlaybackTestSupport.h"

#include <gtest/gtest-spi.h>

namespace {

class Holding : public StagedTest {
protected:
    // The object, then a probe that notes when it starts and runs on.
    void play(TapeObject& O)
    {
        m_tape->stop();
        m_tape->clear();
        m_tape->ticks = 0;
        m_journal.clear();
        m_tape->append(O);
        m_tape->append(*ProbePtr(new Probe(m_journal, "next", 100000)));
        m_tape->start(0);
    }
    bool nextStarted() const { return noted(m_journal, "next start"); }
    uint8 press() { return m_tape->mouseDown(*KMouseEventPtr(new KMouseEvent)); }
    void release() { m_tape->mouseUp(*KMouseEventPtr(new KMouseEvent)); }
    bool key() { return m_tape->keyDown(*KKeyEventPtr(new KKeyEvent)); }

    KCursorManager& m_cursors = KCursorManager::get();
};

WaitObjectPtr waitWith(const uint8 (&Options)[6])
{
    WaitObjectPtr wait(new WaitObject);
    void (WaitObject::*setters[])(uint8) = {&WaitObject::setOption1, &WaitObject::setOption2, &WaitObject::setOption3,
                                            &WaitObject::setOption4, &WaitObject::setOption5, &WaitObject::setOption6};
    for (int i = 0; i < 6; ++i)
        (wait.get()->*setters[i])(Options[i]);
    return wait;
}

TEST_F(Holding, AWaitEndsOnAPressAndItsReleaseOrOnAKeyOnlyWhileWaitingForTheUser)
{
    WaitObjectPtr wait(new WaitObject);
    m_cursors.hideCursor();
    play(*wait);
    runTicks(*m_tape, 1);
    EXPECT_TRUE(m_cursors.isCursorVisible());
    // A release without a press, or a key while the button is held, does nothing.
    release();
    EXPECT_EQ(press(), TapeObject::kCaptureMouse);
    EXPECT_FALSE(key());
    runTicks(*m_tape, 3);
    release();
    runTicks(*m_tape, 1);
    EXPECT_FALSE(nextStarted());
    EXPECT_FALSE(m_cursors.isCursorVisible());
    runTicks(*m_tape, 1);
    EXPECT_EQ(m_journal, (Journal{"clear", "show 1", "hide", "hide", "next start"}));

    play(*wait);
    runTicks(*m_tape, 1);
    EXPECT_TRUE(key());
    runTicks(*m_tape, 2);
    EXPECT_TRUE(nextStarted());
    // Stopped during the wait, the tape gets the cursor shown and the overlays hidden.
    play(*wait);
    runTicks(*m_tape, 1);
    m_cursors.hideCursor();
    m_tape->stop();
    EXPECT_TRUE(m_cursors.isCursorVisible());
    EXPECT_EQ(m_journal, (Journal{"clear", "show 1", "hide"}));
}

TEST_F(Holding, AWaitLooksAtSoundsThenSpeechThenTheUserOnceATick)
{
    StandInMediumPtr sound(new StandInMedium("KSound"));
    StandInMediumPtr speech(new StandInMedium("KSpeech"));
    // While the sound plays, clicks do nothing and the cursor stays hidden; the wait for
    // the user begins in the tick that finds the sound done. Without option 5 a sound
    // still playing afterwards goes on; with option 6 speech stops.
    m_cursors.hideCursor();
    sound->play();
    play(*waitWith({1, 0, 1, 0, 0, 1}));
    runTicks(*m_tape, 2);
    EXPECT_EQ(press(), 0);
    EXPECT_FALSE(m_cursors.isCursorVisible());
    sound->stop();
    runTicks(*m_tape, 1);
    EXPECT_TRUE(m_cursors.isCursorVisible());
    sound->play();
    speech->play();
    press();
    release();
    runTicks(*m_tape, 1);
    EXPECT_TRUE(sound->isPlaying());
    EXPECT_FALSE(speech->isPlaying());
    // With nothing playing, sounds and speech are passed in the first step; speech that
    // plays holds the wait, and option 5 stops the sound that plays when it ends.
    for (bool speechPlays : {false, true}) {
        play(*waitWith({1, 1, 0, 0, 1, 0}));
        sound->load();
        speech->load();
        if (speechPlays)
            speech->play();
        runTicks(*m_tape, 3);
        speech->stop();
        sound->play();
        EXPECT_EQ(ticksUntil(*m_tape, m_journal, "next start"), speechPlays ? 5 : 3) << speechPlays;
        EXPECT_EQ(sound->isPlaying(), !speechPlays) << speechPlays;
    }
}

TEST_F(Holding, APauseEndsAtTheFirstTickAfterItsTimerFired)
{
    // The pause starts at tick 1. Its timer fires once more than the duration has passed,
    // so a pause of 2000 ms ends at tick 102, 2020 ms after it began.
    const struct {
        long duration;
        int nextStartsAt;
    } cases[] = {{2000, 103}, {30, 4}, {0, 3}, {-5, 3}};
    for (const auto& c : cases) {
        LumoPausePtr pause(new LumoPause);
        pause->setDuration(c.duration);
        play(*pause);
        EXPECT_EQ(ticksUntil(*m_tape, m_journal, "next start"), c.nextStartsAt) << c.duration;
    }
    // Stopped and started again before its time is out, the pause lasts its whole time
    // again.
    LumoPausePtr pause(new LumoPause);
    pause->setDuration(100);
    play(*pause);
    runTicks(*m_tape, 3);
    m_tape->stop();
    m_tape->ticks = 0;
    m_tape->start(0);
    EXPECT_EQ(ticksUntil(*m_tape, m_journal, "next start"), 8);
}

TEST_F(Holding, AnObjectThatNeverEndsFailsTheTestThatWaitsForTheNext)
{
    WaitObjectPtr wait(new WaitObject);
    play(*wait);
    EXPECT_NONFATAL_FAILURE(ticksUntil(*m_tape, m_journal, "next start"), "not noted within");
}

TEST_F(Holding, AWaitBlockWithAnotherFirstSectionHasTheDefaultsAndPauseCopiesAreEnabled)
{
    const long id = KClass::findClass("WaitObject")->getClassID();
    WaitObjectPtr wait(new WaitObject);
    EXPECT_EQ(m_blocks.read(*wait, ByteList().longs({id, 1, 9, 1, 2, 9}).raw({1}).bytes()), 0);
    for (int option = 1; option <= 6; ++option)
        EXPECT_EQ(wait->hasOption(option), option >= 3) << option;
    LumoPausePtr pause(new LumoPause);
    pause->setDuration(-70000);
    pause->setEnabled(false);
    LumoPausePtr copy(new LumoPause);
    copy->copyFrom(*pause);
    EXPECT_EQ(copy->getDuration(), -70000);
    EXPECT_TRUE(copy->isEnabled());
}

} // namespace
