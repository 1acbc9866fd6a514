#pragma once
// Shared by the playback tests: a main window that shows stories and notes what the
// engine asks of it, a story layer composed into an image, objects that note their calls,
// media that only pretend to play, and timers served one millisecond at a time.
#include "application/KCursorManager.h"
#include "application/KMouseEvent.h"
#include "application/KWindow.h"
#include "application/KWindowManager.h"
#include "multimedia/KAbstractMedia.h"
#include "multimedia/KMediaManager.h"
#include "story/LumoSpriteSystem.h"
#include "story/StoryStage.h"
#include "tests/story/StoryTestSupport.h"

#include <algorithm>
#include <string>
#include <vector>

// Short lines such as "b start" or "show 2", in order.
using Journal = std::vector<std::string>;

class StageWindow : public KWindow, public StoryStage {
    K_DECLARE_CLASS(StageWindow)
public:
    Tape& getTape() const override { return m_tape.getObject(); }
    bool hasTape() const override { return m_tape.hasObject(nullptr); }
    LumoSpriteSystem& getSpriteSystem() const override { return m_layer.getObject(); }
    bool hasSpriteSystem() const override { return m_layer.hasObject(nullptr); }
    void showOverlays(uint8 Mode) override { journal.push_back("show " + std::to_string(Mode)); }
    void hideOverlays() override { journal.push_back("hide"); }
    void clearHighlight(bool) override { journal.push_back("clear"); }
    void highlightCurrentObject() override { journal.push_back("highlight"); }
    bool highlightsElements() const override { return highlights; }
    void stopStory() override
    {
        journal.push_back("stop story");
        getTape().stop();
    }
    void show(Tape& T, LumoSpriteSystem& Layer)
    {
        m_tape = T;
        m_layer = Layer;
        T.setSpriteSystem(Layer);
    }

    Journal journal;
    bool highlights = false;

private:
    TapePtr m_tape;
    LumoSpriteSystemPtr m_layer;
};

// A story layer whose page is Width × Height, composed into an image.
struct StoryPage {
    explicit StoryPage(short Width = 64, short Height = 48) : target(solidImage(Width, Height, 'r')), layer(new LumoSpriteSystem)
    {
        layer->getSpriteSystem().setTargetDevice(target->getGraphicDevice());
    }
    ~StoryPage() { layer->getSpriteSystem().releaseTargetDevice(); }
    KGraphicDevice& page() const { return layer->getSpriteSystem().getBackground().getGraphicDevice(); }

    KImagePtr target;
    LumoSpriteSystemPtr layer;
};

// The story host with a stage as its main window, and the cursor and media managers.
class StageScope {
public:
    StageScope()
    {
        KCursorManager::initManager();
        KMediaManager::createMediaManager();
        m_application->createWindowManager(*KWindowManager::getClassRecord());
        m_application->createMainWindow(*StageWindow::getClassRecord());
    }
    ~StageScope()
    {
        m_application->closeMainWindow();
        m_application->destroyWindowManager();
        KMediaManager::releaseMediaManager();
        KCursorManager::exitManager();
    }
    StageScope(const StageScope&) = delete;
    StageScope& operator=(const StageScope&) = delete;

    StageWindow& stage() const { return static_cast<StageWindow&>(m_application->getMainWindow()); }
    Journal& journal() const { return stage().journal; }
    StoryTestApplication& application() const { return *m_application; }

private:
    StoryApplicationScope m_application;
};

// Notes its calls and ends itself after a number of steps (in start with none).
class Probe : public TapeObject {
public:
    Probe(Journal& J, const std::string& Name, int Steps = 0, uint8 Kind = PauseKind) : m_journal(J), m_name(Name), m_steps(Steps)
    {
        setKind(Kind);
    }
    void start() override { note("start", m_steps == 0); }
    void step() override { note("step", --m_steps <= 0); }
    void stop() override { note("stop", false); }
    void drawOnPage() override { note("draw", false); }
    uint8 mouseDown(KMouseEvent& E) override
    {
        const KGraphicPoint& p = E.getGlobalPosition();
        note("down " + std::to_string(p.getH()) + "," + std::to_string(p.getV()), false);
        return answer;
    }
    bool mouseUp(KMouseEvent&) override { return note("up", false), answer != 0; }

    uint8 answer = 0;

private:
    void note(const std::string& What, bool End)
    {
        m_journal.push_back(m_name + " " + What);
        if (End && hasTape())
            getTape().resetRunningObject();
    }

    Journal& m_journal;
    std::string m_name;
    int m_steps;
};
K_POINTER_CLASS(Probe, TapeObjectPtr);

// A tape that counts its timer's ticks.
class CountingTape : public Tape {
public:
    void doTimer(KTimer& T) override
    {
        ++ticks;
        Tape::doTimer(T);
    }
    // Appends O, with this tape as its tape.
    TapeObject& append(TapeObject& O)
    {
        add(O);
        O.setTape(*this);
        return O;
    }
    int ticks = 0;
};
K_POINTER_CLASS(CountingTape, TapePtr);

// A medium of the class recorded under a name ("KSound", "KSpeech"), never done by itself.
class StandInMedium : public KAbstractMedia {
public:
    explicit StandInMedium(const char* ClassName) : m_class(KClass::findClass(ClassName)) { load(); }
    KClass& getClass() const override { return *m_class; }
    bool isDonePlaying() override { return false; }

private:
    KClass* m_class;
};
K_POINTER_CLASS(StandInMedium, KAbstractMediaPtr);

inline bool noted(const Journal& J, const std::string& Line) { return std::find(J.begin(), J.end(), Line) != J.end(); }

class PlaybackTest : public StoryTest {
protected:
    // Serves the timers one millisecond at a time.
    void run(long Milliseconds)
    {
        for (long i = 0; i < Milliseconds; ++i) {
            m_clock.advance(1);
            timers().fire();
        }
    }
    // Until the tape has ticked Count times more, or stopped.
    void runTicks(CountingTape& T, int Count)
    {
        const int target = T.ticks + Count;
        for (int guard = 0; guard < 100000 && T.ticks < target && T.getTimer().isRunning(); ++guard)
            run(1);
    }
    // Until the journal notes the line (or the tape stopped); the tick count then. An
    // object that never ends fails the test, rather than holding the suite for ever.
    int ticksUntil(CountingTape& T, const Journal& J, const std::string& Line)
    {
        constexpr int kTickLimit = 5000;
        for (int tick = 0; !noted(J, Line) && T.getPlayState() == Tape::Playing; ++tick) {
            if (tick == kTickLimit) {
                ADD_FAILURE() << "\"" << Line << "\" not noted within " << kTickLimit << " ticks";
                break;
            }
            runTicks(T, 1);
        }
        return T.ticks;
    }
};

// A tape shown on the stage of the player's application.
class StagedTest : public PlaybackTest {
protected:
    void SetUp() override
    {
        PlaybackTest::SetUp();
        m_scope.stage().show(*m_tape, *m_page.layer);
    }
    // What a test put on the tape goes before the leak check.
    void TearDown() override
    {
        m_tape->stop();
        m_tape->clear();
        m_tape->clearCast();
        PlaybackTest::TearDown();
    }

    StageScope m_scope;
    StoryPage m_page;
    CountingTapePtr m_tape{new CountingTape};
    Journal& m_journal = m_scope.journal();
};
