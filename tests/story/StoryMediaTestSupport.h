#pragma once
// Shared by the tests of the story's media objects: the playback tests' stage with the
// media supports a test opens (speech over the test speech engine, sound, movies over test
// movie engines), time that moves the tape's timer and the media manager's idle passes
// together.
#include "foundation/KFileSystem.h"
#include "multimedia/KSpeechExceptionHandler.h"
#include "multimedia/KSpeechSupport.h"
#include "multimedia/soundengine/KSoundSupport.h"
#include "multimedia/speech/Sapi5EngineWin32.h"
#include "tests/multimedia/MovieTestSupport.h"
#include "tests/multimedia/SpeechTestEngine.h"
#include "tests/story/PlaybackTestSupport.h"

#include <functional>

#include <windows.h>
#include <sapi.h>

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
    StoryTestApplication& application() const { return scope.application(); }

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
