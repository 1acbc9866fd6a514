// Speech through the SAPI 4 layer: one engine for the program, brought up for the
// speech's voice at every play, reporting through the layer's sinks as the test engine
// moves its clock.
#include "foundation/KernelFunctions.h"
#include "multimedia/speech/Sapi4EngineWin32.h"
#include "tests/multimedia/SpeechTestSupport.h"

#include <gtest/gtest.h>

namespace {

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
