// Playing a tape under its timer: objects one per tick, the end of the tape, looping,
// pausing and stopping, the page and its redrawing, stop points, moves of the position,
// and the mouse events the story layer passes on.
#include "story/Actor.h"
#include "tests/story/PlaybackTestSupport.h"

namespace {

class TapePlayback : public StagedTest {
protected:
    // The journal since the last call, as one line.
    std::string news(const Journal& J)
    {
        std::string line;
        for (; m_read < J.size(); ++m_read)
            line += (line.empty() ? "" : " | ") + J[m_read];
        return line;
    }
    Probe& probe(const std::string& Name, int Steps = 0, uint8 Kind = TapeObject::PauseKind)
    {
        return static_cast<Probe&>(m_tape->append(*ProbePtr(new Probe(m_journal, Name, Steps, Kind))));
    }

    size_t m_read = 0;
};

TEST_F(TapePlayback, ObjectsStartOnePerTickAndRunUntilTheyEndThemselves)
{
    probe("a");
    probe("b", 2);
    probe("c").setEnabled(false);
    probe("d");
    m_tape->start(0);
    EXPECT_EQ(m_tape->getTimer().getPeriod(), 20);
    EXPECT_EQ(m_tape->getTimer().getMaxLag(), 200);
    // An object that ends in its start or a step lets the tape move on in that tick; a
    // disabled one is passed over in a tick of its own; the window's stop action ends it.
    const char* perTick[] = {"clear | a start", "b start", "b step", "b step", "", "d start | stop story"};
    for (const char* expected : perTick) {
        runTicks(*m_tape, 1);
        EXPECT_EQ(news(m_journal), expected);
    }
    EXPECT_EQ(m_tape->getPlayState(), Tape::Stopped);
    // A stopped tape's timer no longer holds the tape.
    EXPECT_FALSE(m_tape->getTimer().isRunning() || m_tape->getTimer().hasTarget());
    // Refused: a start past the objects or before them, or while the tape plays.
    for (long index : {4L, -1L})
        m_tape->start(index);
    EXPECT_EQ(m_tape->getPlayState(), Tape::Stopped);
    // Starting further in draws the page up to the object, keeping the position.
    m_tape->setCurrentPosition(1);
    m_tape->start(3);
    m_tape->start(0);
    EXPECT_EQ(news(m_journal), "clear | clear | clear | a draw | b draw | clear");
    EXPECT_EQ(m_tape->getCurrentPosition(), 1);
    EXPECT_EQ(m_tape->getPlayIndex(), 3);
    m_tape->stop();
}

TEST_F(TapePlayback, ALoopingTapeStartsAgainOnAClearedPageWithActorsAndMediaStopped)
{
    probe("a");
    probe("b").setEnabled(false);
    m_tape->setFlag(Tape::LoopFlag);
    ActorPtr actor(new Actor);
    actor->setName(KString("Cat"));
    m_tape->addActor(*actor);
    StandInMediumPtr sound(new StandInMedium("KSound"));
    m_tape->start(0);
    runTicks(*m_tape, 1);
    m_tape->showActor(KString("Cat"));
    sound->play();
    m_page.page().paintRect(KGraphicRectangle(0, 0, 4, 4), nativeColor(0x0000FF));
    runTicks(*m_tape, 2);
    EXPECT_EQ(news(m_journal), "clear | a start | a start");
    EXPECT_EQ(pixelRows(m_page.page(), 0, 0, 2, 1), PixelRows{".."});
    EXPECT_FALSE(m_tape->isActorVisible(KString("Cat")) || m_page.layer->getFirstLayer().hasSprite(*actor));
    EXPECT_FALSE(sound->isPlaying());
    EXPECT_EQ(m_tape->getPlayState(), Tape::Playing);
    m_tape->stop();
}

TEST_F(TapePlayback, PausingDropsTheRunningObjectWhichStartsAfreshOnResume)
{
    probe("a", 100);
    StandInMediumPtr sound(new StandInMedium("KSound"));
    m_tape->resume();
    m_tape->start(0);
    runTicks(*m_tape, 2);
    sound->play();
    m_tape->pause();
    EXPECT_FALSE(sound->isPlaying() || m_tape->hasRunningObject());
    runTicks(*m_tape, 3);
    m_tape->resume();
    runTicks(*m_tape, 1);
    EXPECT_EQ(news(m_journal), "clear | a start | a step | show 2 | hide | a start");
    // Stopping stops the running object and every medium, which is unloaded.
    sound->play();
    KCursorManager::get().hideCursor();
    m_tape->stop();
    m_tape->stop();
    EXPECT_EQ(news(m_journal), "a stop");
    EXPECT_EQ(sound->getState(), KAbstractMedia::Unloaded);
    EXPECT_TRUE(KCursorManager::get().isCursorVisible());
}

TEST_F(TapePlayback, PagesBeginAtTransitionsAndRedrawsDrawTheirEnabledObjectsButNotActorSteps)
{
    // Kinds: 7, 5, 6, 3 read aloud, 3, 7, 12, 11.
    const uint8 kinds[] = {7, 5, 6, 3, 3, 7, 12, 11};
    for (uint8 kind : kinds)
        probe("k" + std::to_string(kind), 0, kind);
    class ReadAloud : public TapeObject {
    public:
        ReadAloud() { setKind(TextKind); }
        bool readsAloud() const override { return true; }
    };
    m_tape->removeAt(3);
    m_tape->insertAt(*TapeObjectPtr(new ReadAloud), 3);
    struct Case {
        long position, pageStart, previous, next;
    } cases[] = {{0, 0, 0, 0}, {1, 0, 0, 2}, {3, 0, 2, 3}, {5, 0, 3, 5}, {6, 5, 5, 8}, {8, 5, 5, 8}, {9, 5, 5, 9}, {-2, 0, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(m_tape->findPageStart(c.position), c.pageStart) << c.position;
        EXPECT_EQ(m_tape->findPreviousStopPoint(c.position), c.previous) << c.position;
        EXPECT_EQ(m_tape->findNextStopPoint(c.position), c.next) << c.position;
    }
    m_tape->getObjectAt(2).setEnabled(false);
    EXPECT_EQ(m_tape->findNextStopPoint(1), 2);
    // The page from its transition, which draws itself unless disabled; the actor motion
    // draws itself as the scene is set.
    m_tape->setCurrentPosition(8);
    m_page.page().paintRect(KGraphicRectangle(0, 0, 4, 4), nativeColor(0x0000FF));
    m_tape->redrawPage();
    m_tape->getObjectAt(5).setEnabled(false);
    m_tape->redrawPage();
    EXPECT_EQ(news(m_journal), "k7 draw | k12 draw | k12 draw");
    EXPECT_EQ(pixelRows(m_page.page(), 0, 0, 1, 1), PixelRows{"."});
    // A frame tape's page is not cleared.
    m_tape->setFrameTape(true);
    m_page.page().paintRect(KGraphicRectangle(0, 0, 4, 4), nativeColor(0x0000FF));
    m_tape->redrawPage();
    EXPECT_EQ(pixelRows(m_page.page(), 0, 0, 1, 1), PixelRows{"r"});
}

TEST_F(TapePlayback, RewindAndGoToIndexStayBehindTheStopIndex)
{
    for (int i = 0; i < 10; ++i)
        probe("o");
    struct Case {
        long stopIndex, index, rewound, moved;
    } cases[] = {{-1, 99, 0, 10}, {0, -1, 0, 0}, {4, 3, 5, 7}, {4, 4, 5, 4}, {10, 5, 7, 7}};
    for (const Case& c : cases) {
        m_tape->setStopIndex(c.stopIndex);
        m_tape->setCurrentPosition(7);
        m_tape->rewind();
        EXPECT_EQ(m_tape->getCurrentPosition(), c.rewound) << c.stopIndex;
        m_tape->setCurrentPosition(7);
        m_tape->goToIndex(c.index);
        EXPECT_EQ(m_tape->getCurrentPosition(), c.moved) << c.index;
    }
    EXPECT_TRUE(m_tape->isFlagSet(Tape::MarkFlag0));
    m_scope.stage().highlights = true;
    m_tape->setStopIndex(-1);
    news(m_journal);
    m_tape->rewind();
    EXPECT_EQ(news(m_journal), "clear | highlight");
    for (long index : {-3L, 4L, 12L}) {
        m_tape->setPlayIndex(index);
        EXPECT_EQ(m_tape->getPlayIndex(), index < 0 ? 0 : (index > 9 ? 9 : index));
    }
}

TEST_F(TapePlayback, TheStoryLayerPassesMouseEventsOnOnlyWhileTheTapePlays)
{
    StageWindow& stage = m_scope.stage();
    stage.addLayer(*m_page.layer);
    probe("w", 1000).answer = TapeObject::kCaptureMouse;
    m_page.layer->getSpriteSystem().setTargetRect(KGraphicRectangle(10, 20, 64, 48));
    KMouseEventPtr press(new KMouseEvent);
    press->setLocalPosition(KGraphicPoint(10, 20));
    KCursorManager& cursors = KCursorManager::get();
    EXPECT_EQ(m_page.layer->dispatchMouseDown(*press), 0);
    m_tape->start(0);
    runTicks(*m_tape, 1);
    m_tape->pause();
    EXPECT_EQ(m_page.layer->dispatchMouseDown(*press) + m_page.layer->dispatchMouseUp(*press), 0);
    m_tape->resume();
    runTicks(*m_tape, 1);
    news(m_journal);
    // Playing, the press arrives in page coordinates and its answer captures the mouse for
    // the window; the release lets it go first.
    EXPECT_EQ(m_page.layer->dispatchMouseDown(*press), TapeObject::kCaptureMouse);
    EXPECT_TRUE(cursors.hasCaptureWindow());
    EXPECT_EQ(m_page.layer->dispatchMouseUp(*press), 1);
    EXPECT_FALSE(cursors.hasCaptureWindow());
    EXPECT_EQ(news(m_journal), "w down 0,0 | w up");
    // Without a running object the release still ends a capture.
    m_tape->resetRunningObject();
    cursors.captureMouse(stage);
    EXPECT_EQ(m_page.layer->dispatchMouseUp(*press), 0);
    EXPECT_FALSE(cursors.hasCaptureWindow());
    m_tape->stop();
    stage.removeLayer(*m_page.layer);
}

} // namespace
