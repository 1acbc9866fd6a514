// Sound media: files played through a DirectShow graph, WAV data through one DirectSound
// buffer, with volume, balance, pause and end detection, and the media manager ending
// them when they are done.
#include "multimedia/KSound.h"
#include "multimedia/soundengine/KSoundBuffer.h"
#include "multimedia/soundengine/SoundGraphWin32.h"
#include "tests/multimedia/MediaTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <dshow.h>
#include <dsound.h>

namespace {

KSoundGraphRecord& graphOf(KSound& Sound) { return *static_cast<KSoundGraphRecord*>(Sound.getNativeHandle()); }

KSoundPtr soundFrom(const std::string& Path)
{
    KSoundPtr sound = new KSound;
    sound->createFromFile(fileReference(Path));
    return sound;
}

TEST(SoundMedia, FilesPlayThroughAGraphUntilTheManagerEndsThem)
{
    TemporaryFolder folder;
    MediaScope scope(MediaScope::SoundEngine);
    KSoundPtr sound = soundFrom(writeFile(folder, "clip.wav", waveBytes(WaveShape(1, 8000, 16, 100))));
    sound->play();
    ASSERT_EQ(sound->getState(), KAbstractMedia::Playing);
    EXPECT_NEAR(sound->getDuration(), 0.1, 0.01);
    EXPECT_TRUE(pollUntil([&] { return sound->isDonePlaying(); }));
    scope.application().processIdleOnce();
    // Stopping let go of the graph; the next play renders the file again.
    EXPECT_EQ(sound->getState(), KAbstractMedia::Unloaded);
    EXPECT_FALSE(sound->hasNativeHandle());
    EXPECT_FALSE(scope.managerIsIdleHandler());
    sound->play();
    EXPECT_EQ(sound->getState(), KAbstractMedia::Playing);
    sound->stop();
}

TEST(SoundMedia, VolumeAndBalanceAreLimitedAndScaledForTheGraph)
{
    TemporaryFolder folder;
    MediaScope scope(MediaScope::SoundEngine);
    KSoundPtr sound = soundFrom(writeFile(folder, "level.wav", waveBytes(WaveShape())));
    sound->setVolume(0.5);
    sound->load();
    IBasicAudio* audio = nullptr;
    graphOf(*sound).graph->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&audio));
    long volume = 0, balance = 0;
    audio->get_Volume(&volume);
    EXPECT_EQ(volume, -2000);
    const struct {
        double volume, balance, storedVolume, storedBalance;
        long level, pan;
    } levels[] = {{2.0, 0.25, 1.0, 0.25, 0, 2500}, {-1.0, -3.0, 0.0, -1.0, -4000, -10000}, {0.3, 0.0, 0.3, 0.0, -2800, 0}};
    for (const auto& l : levels) {
        sound->setVolume(l.volume);
        sound->setBalance(l.balance);
        audio->get_Volume(&volume);
        audio->get_Balance(&balance);
        EXPECT_EQ(std::make_pair(sound->getVolume(), sound->getBalance()), std::make_pair(l.storedVolume, l.storedBalance));
        EXPECT_EQ(std::make_pair(volume, balance), std::make_pair(l.level, l.pan));
    }
    audio->Release();
}

TEST(SoundMedia, AGraphIsDoneAtItsEndOrWhenItsPositionReturnsToZero)
{
    TemporaryFolder folder;
    MediaScope scope(MediaScope::SoundEngine);
    KSoundPtr sound = soundFrom(writeFile(folder, "long.wav", waveBytes(WaveShape(1, 8000, 8, 2000))));
    sound->play();
    sound->pause();
    ASSERT_EQ(sound->getState(), KAbstractMedia::Paused);
    const std::pair<double, bool> steps[] = {{0.0, false}, {0.5, false}, {0.0, true}, {2.0, true}};
    for (const auto& step : steps) {
        graphOf(*sound).position->put_CurrentPosition(step.first);
        EXPECT_EQ(sound->isDonePlaying(), step.second) << step.first;
    }
    // A paused sound stays paused when stopped; resumed, it stops and lets go.
    sound->stop();
    EXPECT_EQ(sound->getState(), KAbstractMedia::Paused);
    sound->resume();
    sound->stop();
    EXPECT_EQ(sound->getState(), KAbstractMedia::Unloaded);
}

TEST(SoundMedia, ASoundThatCannotLoadStaysUnloadedAndSilent)
{
    TemporaryFolder folder;
    MediaScope scope(MediaScope::SoundEngine);
    // An AIFF without its sound data is refused before a graph is made: the platform's
    // parser can hang on it.
    const std::string broken = writeFile(folder, "silent.aif", iffBytes("AIFF", {"COMM"}));
    KSoundGraphRecord refused = {};
    EXPECT_LT(renderSoundFileWin32(refused, broken.c_str()), 0);
    EXPECT_EQ(refused.graph, nullptr);
    for (const std::string& path : {folder.file("missing.wav"), writeFile(folder, "noise.wav", Bytes(100, 'x')), broken}) {
        KSoundPtr sound = soundFrom(path);
        sound->play();
        EXPECT_EQ(sound->getState(), KAbstractMedia::Unloaded) << path;
        EXPECT_FALSE(sound->hasNativeHandle());
        EXPECT_TRUE(sound->isDonePlaying());
        EXPECT_TRUE(scope.manager().getMedia().isEmpty());
    }
    KSoundPtr sound = new KSound;
    int record = 0;
    sound->setNativeHandle(&record);
    ReportCatcher catcher;
    sound->load();
    EXPECT_TRUE(catcher.caught(4, "KSound::load()"));
    sound->clearNativeHandle();
    KSound onStack;
    EXPECT_TRUE(catcher.caught(3, "KSound::KSound()"));
}

TEST(SoundMedia, ResourceSoundsPlayFromOneDirectSoundBufferAndKeepIt)
{
    TemporaryFolder folder;
    MediaScope scope(MediaScope::SoundEngine);
    KSoundPtr sound = new KSound;
    sound->createFromResource(7001);
    EXPECT_EQ(sound->getStreamingMode(), kStreamingModeBuffer);
    sound->setMediaFlags(KAbstractMedia::LoopFlag);
    sound->setVolume(0.5);
    sound->play();
    ASSERT_EQ(sound->getState(), KAbstractMedia::Playing);
    auto* buffer = static_cast<KSoundBuffer*>(sound->getNativeHandle());
    DWORD status = 0;
    long volume = 0;
    buffer->getBuffer(0)->GetStatus(&status);
    buffer->getBuffer(0)->GetVolume(&volume);
    EXPECT_TRUE(status & DSBSTATUS_LOOPING);
    EXPECT_EQ(volume, -2000);
    EXPECT_EQ(sound->getDuration(), 0.0);
    sound->pause();
    EXPECT_FALSE(sound->isDonePlaying());
    sound->resume();
    sound->stop();
    EXPECT_EQ(sound->getState(), KAbstractMedia::Loaded);
    EXPECT_EQ(sound->getNativeHandle(), buffer);

    sound->clearMediaFlags(KAbstractMedia::LoopFlag);
    sound->play();
    EXPECT_TRUE(pollUntil([&] { return sound->isDonePlaying(); }));
    scope.application().processIdleOnce();
    EXPECT_EQ(sound->getState(), KAbstractMedia::Loaded);
    // Given a file later, it stays a DirectSound sound and reads the file as WAV data.
    sound->createFromFile(fileReference(writeFile(folder, "later.wav", waveBytes(WaveShape()))));
    EXPECT_EQ(sound->getResourceNumber(), -1);
    sound->load();
    ASSERT_EQ(sound->getState(), KAbstractMedia::Loaded);
    EXPECT_EQ(static_cast<KSoundBuffer*>(sound->getNativeHandle())->getBufferSize(), 480u);
    // Without a manager nothing else holds a loaded sound: letting it go unloads it.
    KMediaManager::releaseMediaManager();
    KSoundSupport::getInstance().start();
    sound->load();
    ASSERT_EQ(sound->getState(), KAbstractMedia::Loaded);
    const long before = KThing::getHeapBlockCount();
    sound = nullptr;
    EXPECT_LT(KThing::getHeapBlockCount(), before);
}

} // namespace
