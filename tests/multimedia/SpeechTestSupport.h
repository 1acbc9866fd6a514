#pragma once
// What the speech tests share: the media scope with the speech support, opened over the
// test engine once the test has installed its voices, and a speech that notes its words.
#include "multimedia/KExtendedSpeech.h"
#include "multimedia/KSpeechExceptionHandler.h"
#include "multimedia/KSpeechSupport.h"
#include "foundation/KVariable.h"
#include "tests/multimedia/MediaTestSupport.h"
#include "tests/multimedia/SpeechTestEngine.h"

class SpeechScope {
public:
    SpeechScope() { KSpeechSupport::createSpeechSupport(); }
    ~SpeechScope()
    {
        KMediaManager::releaseMediaManager();
        KSpeechSupport::releaseSpeechSupport();
        KSpeechExceptionHandler::releaseGlobal();
    }
    SpeechScope(const SpeechScope&) = delete;
    SpeechScope& operator=(const SpeechScope&) = delete;

    void open() { KMediaManager::initMediaSupport(KMediaManager::SpeechSupport); }
    KSpeechSupport& support() { return KSpeechSupport::getSpeechSupport(); }
    // One idle pass of the media manager.
    void pass() { media.manager().periodicTask(); }
    // Moves the clock and makes one pass.
    void passAfter(uint32 Ms)
    {
        engine.advance(Ms);
        pass();
    }

    TestSpeechEngine engine;
    MediaScope media;
};

// Notes the words it hears and the media type each event names ("" for none).
class SpeechRecorder : public FeedbackRecorder {
public:
    bool handleEvent(KEvent& E) override
    {
        KVariable type;
        types.push_back(E.findVariable(KString(KMediaFeedbackEvent::kMediaType), type) ? type.getString().getText()
                                                                                          : "");
        return FeedbackRecorder::handleEvent(E);
    }
    std::vector<std::string> types;
};

// A speech (or speech with exceptions) whose words a recorder hears.
template <typename Speech = KSpeech>
struct HeardSpeech {
    HeardSpeech()
        : speech(new Speech)
        , recorder(new SpeechRecorder)
    {
        speech->setMediaFlags(KAbstractMedia::FeedbackFlag);
        speech->getReceivers().add(*recorder);
    }
    KTypedPtr<Speech, KSpeechPtr> speech;
    KTypedPtr<SpeechRecorder, KThingPtr> recorder;
};

inline std::string word(long Start, long Length)
{
    return "WordStart=" + std::to_string(Start) + " WordLength=" + std::to_string(Length);
}
