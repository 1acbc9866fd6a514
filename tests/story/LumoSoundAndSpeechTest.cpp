// Sounds and spoken sentences of the story: whether they hold the tape, how a sound plays
// again, the voice and speed a sentence is spoken with, their blocks and copies, and the
// one-time alerts of a story that needs what the machine lacks.
#include "story/LumoMovie.h"
#include "story/LumoSound.h"
#include "story/LumoSpeech.h"
#include "story/LumoText.h"
#include "tests/multimedia/MediaTestSupport.h"
#include "tests/story/StoryMediaTestSupport.h"
#include "tests/support/ReportCatcher.h"

namespace {

class SoundsAndSpeeches : public StoryMediaTest {
protected:
    // The tick at which the object after O starts, playing the media as time goes.
    int nextStartsAt(MediaStage& Stage, TapeObject& O)
    {
        Stage.tape->append(O);
        Stage.tape->append(*ProbePtr(new Probe(Stage.journal(), "next", 1000)));
        Stage.tape->start(0);
        playUntil(*Stage.tape, [&] { return noted(Stage.journal(), "next start"); });
        return Stage.tape->ticks;
    }
    KFileReference soundFile(const std::string& Name)
    {
        return fileReference(writeFile(m_folder, Name, waveBytes(WaveShape(1, 8000, 8, 5000))));
    }
};

TEST_F(SoundsAndSpeeches, ASoundHoldsTheTapeUntilItStopsOrPlaysOnAndPlaysAgainFromItsBeginning)
{
    MediaStage stage;
    stage.open(KMediaManager::SoundSupport);
    LumoSoundPtr gone(new LumoSound);
    gone->setFileReference(fileReference(m_folder.file("none.wav")));
    LumoSoundPtr waiting(new LumoSound);
    waiting->setFileReference(soundFile("wait.wav"));
    LumoSoundPtr bell(new LumoSound);
    bell->setFileReference(soundFile("bell.wav"));
    bell->setWaitUntilDone(0);
    bell->setVolume(0.5);
    for (TapeObject* object : std::initializer_list<TapeObject*>{gone.get(), waiting.get(), bell.get()})
        stage.tape->append(*object);
    stage.tape->append(*ProbePtr(new Probe(stage.journal(), "next", 1000)));
    stage.tape->start(0);
    play(200);
    ASSERT_TRUE(waiting->hasSound() && waiting->getSound().isPlaying());
    EXPECT_FALSE(bell->hasSound());
    // The media manager stops a finished sound; the next step lets it go and hands on to
    // the sound that does not wait, which hands on at once.
    waiting->getSound().stop();
    const int stopped = stage.tape->ticks;
    EXPECT_EQ(ticksUntil(*stage.tape, stage.journal(), "next start"), stopped + 3);
    EXPECT_FALSE(waiting->hasSound());
    ASSERT_TRUE(bell->hasSound());
    KSoundPtr sound = &bell->getSound();
    EXPECT_TRUE(sound->isPlaying());
    EXPECT_EQ(sound->getVolume(), 0.5);
    // The tape's stop stops it through the media manager; the object keeps it, and plays
    // it again from its beginning.
    stage.tape->stop();
    EXPECT_FALSE(sound->isPlaying());
    sound->setParameter(0.5);
    bell->start();
    EXPECT_EQ(&bell->getSound(), sound.get());
    EXPECT_EQ(sound->getParameter(), 0.0);
    EXPECT_TRUE(sound->isPlaying());
    bell->stop();
    EXPECT_FALSE(bell->hasSound() || sound->isPlaying());
}

TEST_F(SoundsAndSpeeches, ANewSpeechSpeaksTheGreetingInTheLastUsedVoiceAtThePreferredSpeed)
{
    MediaStage stage;
    stage.open(KMediaManager::SpeechSupport, {"Anna", "Mike"});
    stage.application().setLastUsedVoice(KString("Mike"));
    const struct {
        bool custom;
        short speed;
        double applied;
    } speeds[] = {{true, 50, 0.5}, {true, -1, 0.5}, {true, 75, 0.75}, {false, 75, 0.5}};
    for (const auto& s : speeds) {
        stage.application().setCustomSpeechSpeed(s.custom);
        stage.application().setSpeechSpeed(s.speed);
        LumoSpeechPtr speech(new LumoSpeech);
        EXPECT_STREQ(speech->getText().getText(), "Hello, I'm talking to you!");
        EXPECT_STREQ(speech->getVoice().getText(), "Mike");
        EXPECT_STREQ(speech->getSpeech().getWrittenText().getText(), "Hello, I'm talking to you!");
        speech->start();
        EXPECT_TRUE(speech->getSpeech().isPlaying());
        EXPECT_EQ(speech->getSpeech().getStoredSpeed(), s.applied) << s.speed;
    }
    EXPECT_TRUE(stage.speech.called("SetVoice Mike"));
    // Gone, a speech leaves nothing loaded behind.
    EXPECT_EQ(KMediaManager::getMediaManager().getMedia().getCount(), 0);
}

TEST_F(SoundsAndSpeeches, ASpeechHoldsTheTapeUntilItEndsOrNotAndWithoutAnEngineAtMostOneTick)
{
    const struct {
        bool engine;
        uint8 wait;
        int nextAt;
        bool stillSpeaking;
    } cases[] = {
        {true, 0, 2, true},
        {false, 0, 2, false},
        {false, 1, 3, false},
        // Five words of 100 ms each after a lead of 20 ms, at a tick every 20 ms.
        {true, 1, 29, false},
    };
    for (const auto& c : cases) {
        MediaStage stage;
        if (c.engine)
            stage.open(KMediaManager::SpeechSupport);
        LumoSpeechPtr speech(new LumoSpeech);
        speech->setWaitUntilDone(c.wait);
        // A voice the machine lacks gives way to its default voice, this time only.
        speech->setVoice(KString("Nobody"));
        EXPECT_EQ(nextStartsAt(stage, *speech), c.nextAt) << c.engine << int(c.wait);
        EXPECT_EQ(speech->getSpeech().isPlaying(), c.stillSpeaking);
        EXPECT_EQ(stage.speech.called("SetVoice Anna"), c.engine);
        EXPECT_STREQ(speech->getVoice().getText(), "Nobody");
    }
}

TEST_F(SoundsAndSpeeches, BlocksKeepTheFieldsAndOnlyAMoviesCopyKeepsTheBaseFields)
{
    MediaStage stage;
    LumoSoundPtr sound(new LumoSound);
    sound->setFileReference(KFileReference(windowsPath("C:\\Media\\bell.wav")));
    sound->setWaitUntilDone(0);
    sound->setVolume(0.25);
    LumoSpeechPtr speech(new LumoSpeech);
    speech->setText(KString("Once upon a time"));
    speech->setVoice(KString("Mike"));
    speech->setVolume(0.75);
    LumoMoviePtr movie(new LumoMovie);
    movie->setFileReference(KFileReference(windowsPath("C:\\Media\\clip.mov")));
    movie->setFlag(1);
    movie->setVolume(0.5);
    for (TapeObject* object : std::initializer_list<TapeObject*>{sound.get(), speech.get(), movie.get()}) {
        object->setEnabled(false);
        object->setLabel(KString("chapter"));
        const Bytes written = m_blocks.written(*object);
        KThingPtr read(object->getClass().createObject());
        EXPECT_EQ(m_blocks.read(*read, written), 0);
        EXPECT_EQ(m_blocks.written(*read), written);
        KThingPtr copy(object->getClass().createObject());
        auto& copied = static_cast<TapeObject&>(*copy);
        copied.copyFrom(*object);
        EXPECT_EQ(copied.isEnabled() && copied.getLabel().isEmpty(), object != movie.get());
        EXPECT_EQ(m_blocks.written(copied) == written, object == movie.get());
        // A block whose first section is another keeps what the object was made with.
        const Bytes payload(written.begin() + 24, written.end());
        KThingPtr other(object->getClass().createObject());
        const long id = object->getClass().getClassID();
        m_blocks.read(*other, ByteList().longs({id, 1, long(payload.size()) + 8, 1, 2, long(payload.size())}).append(payload));
        KThingPtr made(object->getClass().createObject());
        EXPECT_EQ(m_blocks.written(*other), m_blocks.written(*made));
    }
    EXPECT_STREQ(speech->getSpeech().getWrittenText().getText(), "Once upon a time");
}

TEST_F(SoundsAndSpeeches, AStoryThatNeedsSpeechOrMoviesTheMachineLacksSaysSoOnceARun)
{
    MediaStage stage;
    TapePtr story(new Tape);
    KTypedPtr<LumoText, TapeGraphicObjectPtr> reading(new LumoText);
    reading->setReadAloud(1);
    for (TapeObject* object : std::initializer_list<TapeObject*>{new LumoSpeech, reading.get(), new LumoMovie})
        story->add(*object);
    const Bytes written = m_blocks.written(*story);
    ReportCatcher catcher;
    for (int reads = 0; reads < 2; ++reads)
        EXPECT_EQ(m_blocks.read(*TapePtr(new Tape), written), 0);
    ASSERT_EQ(catcher.boxes().size(), 2u);
    EXPECT_EQ(catcher.boxes()[0].caption, "Narrabo");
    EXPECT_EQ(catcher.boxes()[0].text, "No Speech Synthesis is installed!");
    EXPECT_EQ(catcher.boxes()[1].text, "QuickTime is not installed!");
    story->clear();
}

} // namespace
