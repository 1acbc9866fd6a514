#pragma once
// Shared by the tests of the story's media objects: the playback tests' stage with the
// media supports a test opens (speech over the test speech engine, sound, movies over test
// movie engines), time that moves the tape's timer and the media manager's idle passes
// together, and small builders of texts and feedback.
#include "foundation/KFileSystem.h"
#include "multimedia/KSpeechExceptionHandler.h"
#include "multimedia/KSpeechSupport.h"
#include "multimedia/soundengine/KSoundSupport.h"
#include "multimedia/speech/Sapi5EngineWin32.h"

#include <windows.h>
#include <sapi.h>
#include "story/LumoText.h"
#include "tests/multimedia/MovieTestSupport.h"
#include "tests/multimedia/SpeechTestEngine.h"
#include "tests/story/PlaybackTestSupport.h"

#include <functional>

// The stage with a page, a counting tape shown on it, and the media supports made (and
// opened by open) for as long as it lives, as the libraries make them once the
// application stands. The test engines come first and go last.
class MediaStage {
public:
    explicit MediaStage(short Width = 200, short Height = 100) : page(Width, Height)
    {
        scope.stage().show(*tape, *page.layer);
        KSpeechSupport::createSpeechSupport();
        KMovieSupport::createMovieSupport();
        KSoundSupport::create();
        // The pronunciation exceptions come from an empty data folder of the test's own.
        KFileSystem::initFileSystem();
        KPath data;
        data.setPathText(KString((m_dataFolder.path() + "\\").c_str()), kPlatformWindows);
        KFileSystem::getFileSystem().commonApplicationDataDirectory = KDirectory(data);
        KSpeechExceptionHandler::createGlobal();
    }
    ~MediaStage()
    {
        tape->stop();
        tape->clear();
        // The media manager closes the supports it opened.
        KMediaManager::releaseMediaManager();
        forgetListedVoices();
        KSpeechExceptionHandler::releaseGlobal();
        KFileSystem::exitFileSystem();
        KSoundSupport::release();
        KMovieSupport::releaseMovieSupport();
        KSpeechSupport::releaseSpeechSupport();
    }
    MediaStage(const MediaStage&) = delete;
    MediaStage& operator=(const MediaStage&) = delete;

    // SAPI 5 voices for the speech engine, then the supports: 0x1 movie, 0x2 sound,
    // 0x4 speech.
    void open(KMediaSupportFlagSet Supports, std::initializer_list<const char*> Voices = {"Anna"})
    {
        for (const char* voice : Voices)
            speech.addVoice(voice);
        KMediaManager::initMediaSupport(Supports);
    }
    KGraphicDevice& pageDevice() const { return page.page(); }
    Journal& journal() const { return scope.journal(); }
    LumoApplication& application() const { return LumoApplication::getApplication(); }

private:
    // The SAPI 5 layer keeps the voices it listed until it lists again: a listing with
    // the engine's voices gone lets them go before the test counts what it left.
    void forgetListedVoices()
    {
        for (ISpObjectToken* token : speech.tokens)
            token->Release();
        speech.tokens.clear();
        speech.voices.clear();
        KBag none;
        kssSapi5ListVoices(none);
    }

    TemporaryFolder m_dataFolder;

public:
    TestSpeechEngine speech;
    TestMovieEngine quickTime{1};
    TestMovieEngine stream{2};
    StageScope scope;
    StoryPage page;
    CountingTapePtr tape = new CountingTape;
};

class StoryMediaTest : public PlaybackTest {
protected:
    // The timers and the media manager served one millisecond at a time.
    void play(long Milliseconds)
    {
        for (long i = 0; i < Milliseconds; ++i) {
            m_clock.advance(1);
            timers().fire();
            if (KMediaManager::hasMediaManager())
                KMediaManager::getMediaManager().periodicTask();
        }
    }
    // Until Done holds, or the tape stops; false when it never did.
    bool playUntil(CountingTape& T, const std::function<bool()>& Done, long Limit = 5000)
    {
        for (long ms = 0; ms < Limit && !Done() && T.getPlayState() == Tape::Playing; ++ms)
            play(1);
        return Done();
    }
};

using TextPtr = KTypedPtr<LumoText, TapeGraphicObjectPtr>;

// A text of these lines in Arial 14, black on white, highlighting in red, at R.
inline TextPtr textOf(std::initializer_list<const char*> Lines, const KGraphicRectangle& R = KGraphicRectangle(10, 10, 180, 80))
{
    TextPtr text(new LumoText);
    KTextBlockPtr block(new KTextBlock);
    for (const char* line : Lines) {
        auto* made = new KTextLine;
        made->appendStyleRun(KString(line), KFont(KString("Arial"), 14.0, kPlatformWindows), KColor(kBlack));
        block->addLine(made);
    }
    text->setTextBlock(*block);
    text->setBounds(R);
    text->setBackgroundColor(kWhite);
    text->setHighlightColor(kRed);
    return text;
}

// Word feedback as the media send it; a negative Length leaves the word out.
inline bool hearWord(LumoText& Text, long Start, long Length, long Elapsed = -1)
{
    KMediaFeedbackEventPtr event = new KMediaFeedbackEvent;
    if (Length >= -1) {
        event->setLong(KMediaFeedbackEvent::kWordStart, Start);
        event->setLong(KMediaFeedbackEvent::kWordLength, Length);
    }
    if (Elapsed >= 0)
        event->setLong(KMediaFeedbackEvent::kElapsedTime, Elapsed);
    return Text.handleEvent(*event);
}

// Where the pixels for which Test holds lie within R: their count and their box.
struct Ink {
    long pixels = 0;
    short top = 32767, bottom = -1;
};

inline Ink inkIn(const KGraphicDevice& Device, const KGraphicRectangle& R, const std::function<bool(uint32)>& Test)
{
    Ink ink;
    for (short y = R.getV(); y < R.getV() + R.getHeight(); ++y) {
        for (short x = R.getH(); x < R.getH() + R.getWidth(); ++x) {
            if (Test(Device.getPixel(x, y).getNativeColor())) {
                ++ink.pixels;
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
        }
    }
    return ink;
}

inline bool isReddish(uint32 Native) { return (Native & 0xFF) > 150 && (Native >> 8 & 0xFF) < 110 && (Native >> 16) < 110; }
inline bool isNotWhite(uint32 Native) { return Native != 0xFFFFFF; }
