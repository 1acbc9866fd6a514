// The speech support's voice list and the speech media over both engine layers, with the
// test engine behind them; and what is left of speech on a machine without a voice. The
// SAPI 4 layer: one engine for the program, brought up for the speech's voice at every
// play, reporting through the layer's sinks as the test engine moves its clock.
#include "foundation/KernelFunctions.h"
#include "multimedia/speech/Sapi4EngineWin32.h"
#include "multimedia/speech/Sapi5EngineWin32.h"
#include "tests/multimedia/SpeechTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> names(const KBag& Voices)
{
    std::vector<std::string> out;
    for (long i = 0; i < Voices.getCount(); ++i)
        out.push_back(static_cast<const KString&>(Voices[i]).getText());
    return out;
}

TEST(SpeechSupport, ListsTheVoicesOfBothEnginesSortedAndPrefersTheVoiceWord)
{
    SpeechScope scope;
    scope.engine.addVoice("Zira");
    scope.engine.addVoice("Anna", TestSpeechEngine::DefaultValueOnly);
    scope.engine.addVoice("Nameless", TestSpeechEngine::NoDescription);
    scope.engine.addMode("Mary");
    scope.engine.addMode("Mike in Stereo");
    scope.open();
    KSpeechSupport& support = scope.support();
    EXPECT_EQ(support.getActiveEngineMask(), 7);
    EXPECT_EQ(names(support.getVoices()), (std::vector<std::string>{"Anna", "Mary", "Mike in Stereo", "Zira"}));
    EXPECT_STREQ(support.getDefaultVoice().getText(), "Mike in Stereo");
    EXPECT_EQ(support.getVoiceIndex(KString("Zira")), 3);
    EXPECT_FALSE(support.hasVoice(KString("zira")));
    // Descriptions are read in the interface language, named in upper-case hexadecimal.
    char language[8];
    std::snprintf(language, sizeof language, "%X", static_cast<unsigned>(GetUserDefaultUILanguage()));
    EXPECT_TRUE(scope.engine.called("SetId HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech\\Voices"));
    EXPECT_TRUE(scope.engine.called(std::string("GetStringValue ") + language));
    EXPECT_TRUE(scope.engine.called("GetStringValue (default)"));
    // Closing and opening again lists every voice once.
    scope.media.manager().closeMediaSupport();
    EXPECT_EQ(support.getActiveEngineMask(), 0);
    scope.media.manager().openMediaSupport();
    EXPECT_EQ(support.getVoices().getCount(), 4);
}

TEST(SpeechSupport, IsActiveOnlyWhenAnEngineOffersAVoice)
{
    const struct {
        std::vector<std::string> voices;
        std::vector<std::string> modes;
        long mask;
        const char* defaultVoice;
    } installations[] = {
        {{"Zira", "Anna"}, {}, 7, "Anna"},
        {{}, {"Mary", "Mike"}, 7, "Mike"},
        {{}, {}, 0, ""},
    };
    for (const auto& installation : installations) {
        SpeechScope scope;
        for (const std::string& voice : installation.voices)
            scope.engine.addVoice(voice);
        for (const std::string& mode : installation.modes)
            scope.engine.addMode(mode);
        scope.open();
        EXPECT_EQ(scope.support().getActiveEngineMask(), installation.mask) << installation.defaultVoice;
        EXPECT_STREQ(scope.support().getDefaultVoice().getText(), installation.defaultVoice);
    }
}

TEST(SpeechSupport, WineWithoutVoicesLeavesSpeechUnavailableAndSpeechesDoneAtOnce)
{
    MediaScope media;
    KSpeechSupport::createSpeechSupport();
    KMediaManager::initMediaSupport(KMediaManager::SpeechSupport);
    KSpeechSupport& support = KSpeechSupport::getSpeechSupport();
    EXPECT_EQ(support.getActiveEngineMask(), 0);
    EXPECT_EQ(support.getVoices().getCount(), 0);
    EXPECT_TRUE(support.getDefaultVoice().isEmpty());
    {
        HeardSpeech<> heard;
        heard.speech->speak(KString("Default"), KString("Hello"));
        EXPECT_EQ(heard.speech->getState(), KAbstractMedia::Unloaded);
        EXPECT_TRUE(heard.speech->isDonePlaying());
    }
    // The platform's voice object is made and let go again; no voice has the name.
    KSapiVoice record{};
    EXPECT_FALSE(kssVoiceOpen(&record, KString("Anna")));
    kssVoiceClose(&record);
    EXPECT_EQ(record.voice, nullptr);
    KMediaManager::releaseMediaManager();
    KSpeechSupport::releaseSpeechSupport();
}

// A speech of the voice "Anna" (SAPI 5) over an opened support.
struct Sapi5Scope : SpeechScope {
    Sapi5Scope()
    {
        engine.addVoice("Anna");
        engine.addVoice("Mike");
        engine.addMode("Mary");
        open();
    }
};

TEST(SpeechMedia, ReportsEachWordOnceWithTheSeparatorThatFollowsIt)
{
    const struct {
        const char* text;
        std::vector<std::string> words;
    } texts[] = {
        {"Hello world", {word(0, 6), word(6, 5)}},
        // A one-letter word ends at its blank; it does not run on into the next word.
        {"a cat", {word(0, 2), word(2, 3)}},
        {"well-known; fact", {word(0, 5), word(12, 4)}},
    };
    for (const auto& t : texts) {
        Sapi5Scope scope;
        HeardSpeech<> heard;
        heard.speech->speak(KString("Anna"), KString(t.text));
        EXPECT_TRUE(scope.engine.called(std::string("Speak 17 ") + t.text));
        scope.pass();
        for (size_t i = 0; i < t.words.size(); ++i) {
            scope.passAfter(i == 0 ? scope.engine.leadMs : scope.engine.wordMs);
            scope.passAfter(1);
        }
        EXPECT_EQ(heard.recorder->seen, t.words) << t.text;
        EXPECT_EQ(heard.recorder->types, std::vector<std::string>(t.words.size(), "Speech"));
        EXPECT_TRUE(heard.speech->isPlaying());
        scope.passAfter(scope.engine.wordMs);
        EXPECT_EQ(heard.speech->getState(), KAbstractMedia::Loaded) << t.text;
        EXPECT_FALSE(scope.media.managerIsIdleHandler());
        EXPECT_EQ(heard.speech->getWordStart(), -1);
    }
}

TEST(SpeechMedia, OpensTheVoiceWithItsVolumeAndRateAndHoldsThemToTheirRange)
{
    Sapi5Scope scope;
    HeardSpeech<> heard;
    heard.speech->setVolume(1.5);
    EXPECT_EQ(heard.speech->getVolume(), 1.5);
    heard.speech->speak(KString("Anna"), KString("Hi"));
    EXPECT_EQ(scope.engine.calls, (std::vector<std::string>{"Purge 2", "SetVoice Anna", "SetVolume 100", "SetRate 0",
                                                             "Speak 17 Hi"}));
    heard.speech->setVolume(1.5);
    EXPECT_EQ(heard.speech->getVolume(), 1.0);
    EXPECT_EQ(heard.speech->getSpeed(), 0.5);
    for (double speed : {0.0, 0.04, 0.05, 0.5, 1.0, 2.0})
        heard.speech->setSpeed(speed);
    EXPECT_EQ(scope.engine.callsStartingWith("SetRate"),
              (std::vector<std::string>{"SetRate 0", "SetRate -10", "SetRate -10", "SetRate -9", "SetRate 0",
                                        "SetRate 10", "SetRate 10"}));
}

TEST(SpeechMedia, PausesResumesAndStopsOnlyFromTheRightStates)
{
    Sapi5Scope scope;
    HeardSpeech<> heard;
    KSpeech& speech = *heard.speech;
    speech.speak(KString("Anna"), KString("one two three"));
    scope.passAfter(scope.engine.leadMs);
    speech.pause();
    speech.stop();
    EXPECT_TRUE(speech.isPaused());
    EXPECT_FALSE(speech.isDonePlaying());
    scope.passAfter(1000);
    speech.resume();
    scope.passAfter(scope.engine.wordMs);
    EXPECT_EQ(heard.recorder->seen, (std::vector<std::string>{word(0, 4), word(4, 4)}));
    EXPECT_EQ(scope.engine.callsStartingWith("Pause").size() + scope.engine.callsStartingWith("Resume").size(), 2u);
    speech.stopSpeaking();
    EXPECT_EQ(speech.getState(), KAbstractMedia::Loaded);
    EXPECT_EQ(scope.engine.callsStartingWith("Purge").size(), 2u);
    EXPECT_TRUE(speech.isDonePlaying());
}

TEST(SpeechMedia, AnEngineThatRefusesTheTextOrAlreadyHasTheVoice)
{
    {
        // A refused text is not being spoken: the speech ends at the next pass.
        Sapi5Scope refusing;
        refusing.engine.refusesSpeech = true;
        HeardSpeech<> refused;
        refused.speech->speak(KString("Anna"), KString("Hello"));
        refusing.pass();
        EXPECT_EQ(refused.speech->getState(), KAbstractMedia::Loaded);
    }
    // A voice object that already speaks with the voice speaks without a change.
    Sapi5Scope ready;
    ready.engine.voicesStartWithFirstToken = true;
    HeardSpeech<> heard;
    heard.speech->speak(KString("Anna"), KString("Hello"));
    EXPECT_FALSE(ready.engine.called("SetVoice Anna"));
    ready.passAfter(ready.engine.leadMs);
    EXPECT_EQ(heard.recorder->seen, std::vector<std::string>{word(0, 5)});
}

TEST(SpeechMedia, ChoosesOnlyOfferedVoicesAndTheEngineThatOffersThem)
{
    Sapi5Scope scope;
    HeardSpeech<> heard;
    KSpeech& speech = *heard.speech;
    // With SAPI 4 open, the default voice is the one with the preferred word.
    EXPECT_STREQ(speech.getVoiceName().getText(), "Mike");
    speech.setVoice(KString("Anna"));
    speech.setVoice(KString("Fred"));
    EXPECT_STREQ(speech.getVoiceName().getText(), "Mike");
    speech.setVoice(KString("Nobody"));
    EXPECT_STREQ(speech.getVoiceName().getText(), "Mike");

    speech.speak(KString("Mike"), KString("Hello"));
    speech.setVoice(KString("Mike"));
    EXPECT_TRUE(speech.isPlaying());
    speech.speak(KString("Anna"), KString());
    EXPECT_EQ(speech.getState(), KAbstractMedia::Loaded);
    EXPECT_TRUE(speech.getText().isEmpty());
    EXPECT_STREQ(speech.getVoiceName().getText(), "Mike");
    // A name only SAPI 4 offers is spoken there.
    speech.speak(KString("Mary"), KString("Hello"));
    EXPECT_EQ(scope.engine.callsStartingWith("Speak").size(), 1u);
    EXPECT_TRUE(scope.engine.called("TextData 6 Hello"));

    ReportCatcher catcher;
    KSpeech onStack;
    EXPECT_TRUE(catcher.caught(3, "KSpeech::KSpeech()"));
}

struct Sapi4Scope : SpeechScope {
    Sapi4Scope()
    {
        engine.addMode("Mary");
        engine.addMode("Mike");
        open();
    }
    size_t count(const std::string& Prefix) const { return engine.callsStartingWith(Prefix).size(); }
};

TEST(Sapi4Speech, ReportsEachNewWordFromTheBufferSinkAndEndsAtTheAudioStop)
{
    Sapi4Scope scope;
    HeardSpeech<> heard;
    heard.speech->speak(KString("Mike"), KString("Hello big world"));
    EXPECT_TRUE(scope.engine.called("Select Mike"));
    EXPECT_TRUE(scope.engine.called("TextData 2  "));
    EXPECT_TRUE(scope.engine.called("TextData 16 Hello big world"));
    // Before the engine reports, the first word is known without its separator.
    scope.pass();
    scope.passAfter(scope.engine.leadMs);
    scope.passAfter(1);
    scope.passAfter(scope.engine.wordMs);
    scope.passAfter(scope.engine.wordMs);
    EXPECT_EQ(heard.recorder->seen, (std::vector<std::string>{word(0, 5), word(0, 6), word(6, 4), word(10, 5)}));
    EXPECT_EQ(heard.recorder->types, std::vector<std::string>(4, "Speech"));
    EXPECT_TRUE(heard.speech->isPlaying());
    scope.passAfter(scope.engine.wordMs);
    EXPECT_EQ(heard.speech->getState(), KAbstractMedia::Loaded);
    // Every play brings the engine up anew, and a word at the place of the last one sent
    // is reported again for the new text.
    const size_t selections = scope.count("Select");
    heard.recorder->seen.clear();
    heard.speech->speak(KString("Mike"), KString("Hello"));
    scope.passAfter(scope.engine.leadMs);
    heard.speech->speak(KString("Mike"), KString("Hello"));
    scope.passAfter(scope.engine.leadMs);
    EXPECT_EQ(scope.count("Select"), selections + 2);
    EXPECT_EQ(heard.recorder->seen, (std::vector<std::string>{word(0, 5), word(0, 5)}));
}

TEST(Sapi4Speech, PausesWhenTheAudioStartsAndSpeaksAnewWhenAskedWhileSpeaking)
{
    Sapi4Scope scope;
    HeardSpeech<> heard;
    heard.speech->speak(KString("Mary"), KString("one two"));
    heard.speech->pause();
    EXPECT_EQ(scope.count("AudioPause"), 0u);
    scope.engine.advance(scope.engine.leadMs);
    EXPECT_EQ(scope.count("AudioPause"), 1u);
    EXPECT_EQ(kssSapi4GetState(), kSapi4Paused);
    heard.speech->resume();
    EXPECT_TRUE(scope.engine.called("AudioResume"));
    EXPECT_EQ(kssSapi4GetState(), kSapi4Speaking);
    // A new text while speaking stops the old one and selects the mode again first.
    scope.engine.calls.clear();
    kssSapi4Speak(KString("three"));
    EXPECT_EQ(scope.engine.calls.front(), "AudioReset");
    EXPECT_EQ(scope.engine.calls.back(), "TextData 6 three");
    EXPECT_EQ(scope.count("Select Mary"), 1u);
    // Offsets the engine gives outside the text are not read.
    kssSapi4WordReached(400);
    EXPECT_EQ(kssSapi4GetWordStart(), 0);
    EXPECT_EQ(kssSapi4GetWordLength(), 5);
}

TEST(Sapi4Speech, CutsLongTextsAndEndsTextsTheEngineRefuses)
{
    Sapi4Scope scope;
    HeardSpeech<> heard;
    heard.speech->speak(KString("Mike"), KString(std::string(12000, 'a').c_str()));
    EXPECT_EQ(scope.engine.calls.back(), "TextData 10000 aaaaaaaaaaaaaaaaaaaa...");

    scope.engine.textDataAnswer = E_FAIL;
    heard.speech->speak(KString("Mike"), KString("Hello"));
    EXPECT_TRUE(heard.speech->isDonePlaying());
    scope.pass();
    EXPECT_EQ(heard.speech->getState(), KAbstractMedia::Loaded);
}

TEST(Sapi4Speech, AWarmUpWithoutAnswerEndsAfterThreeSecondsOfTheClock)
{
    Sapi4Scope scope;
    scope.engine.answersWarmUp = false;
    HeardSpeech<> heard;
    const uint32 start = DrivenClock::now();
    // Time runs on by itself while the layer waits.
    knsSetTickSource([]() { return DrivenClock::now() += 10; });
    heard.speech->speak(KString("Mike"), KString("Hello"));
    knsSetTickSource([]() { return DrivenClock::now(); });
    EXPECT_GT(DrivenClock::now() - start, kSapi4WarmUpMs);
    EXPECT_EQ(kssSapi4GetState(), kSapi4SpeakRequested);
    EXPECT_TRUE(heard.speech->isPlaying());
}

TEST(Sapi4Speech, SpeedAndVolumeReachTheEngineOnItsOwnScale)
{
    Sapi4Scope scope;
    HeardSpeech<> heard;
    heard.speech->speak(KString("Mike"), KString("Hello"));
    scope.engine.calls.clear();
    heard.speech->setSpeed(0.2);
    heard.speech->setVolume(1.0);
    heard.speech->setVolume(0.5);
    scope.engine.stereoVolumeAnswer = E_UNEXPECTED;
    heard.speech->setVolume(0.5);
    EXPECT_EQ(scope.engine.calls,
              (std::vector<std::string>{"SpeedSet 0", "SpeedSet 4294967295", "SpeedSet 90", "VolumeSet 2147450879",
                                        "VolumeSet 2147450879", "VolumeSet 0", "VolumeSet 4294967295",
                                        "VolumeSet 20480"}));
    // Back at the normal speed, the next text is spoken by an engine brought up anew.
    heard.speech->setSpeed(0.5);
    const size_t selections = scope.count("Select");
    kssSapi4Speak(KString("again"));
    EXPECT_EQ(scope.count("Select"), selections + 1);
}

} // namespace
