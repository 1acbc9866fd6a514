// The sound engine: WAV data read from files, resources and memory, the engine's start
// and stop with its streaming thread, sounds made in DirectSound buffers, and the refill
// of streamed buffers.
#include "multimedia/KSound.h"
#include "multimedia/soundengine/KSoundBuffer.h"
#include "multimedia/soundengine/KSoundManager.h"
#include "multimedia/soundengine/KStreamingSound.h"
#include "multimedia/soundengine/KWaveFile.h"
#include "multimedia/soundengine/SoundGraphWin32.h"
#include "foundation/KMemory.h"
#include "tests/multimedia/MediaTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <dsound.h>

namespace {

struct WaveCase {
    const char* name;
    WaveShape shape;
    bool opens;
    uint16 extraSize;
};

TEST(SoundEngine, WaveFilesGiveTheirFormatOnlyFromWithinTheirChunks)
{
    TemporaryFolder folder;
    const WaveCase cases[] = {
        {"8-bit PCM", WaveShape(), true, 0},
        {"16-bit stereo", pcm(2, 22050, 16, 30), true, 0},
        {"extra bytes", coded(2, {1, 2, 3, 4}), true, 4},
        {"no extra size", coded(3, {}, false), true, 0},
        {"extra past the chunk", coded(2, Bytes(10, 7), true, 20), false, 0},
        {"format too short", coded(1, {}, true, 14), false, 0},
    };
    for (const WaveCase& c : cases) {
        const std::string path = writeFile(folder, "sound.wav", waveBytes(c.shape));
        KWaveFile wave;
        EXPECT_EQ(SUCCEEDED(wave.open(path.c_str(), KWaveFile::ReadMode)), c.opens) << c.name;
        if (!c.opens || !wave.getFormat())
            continue;
        const uint32 blockAlign = c.shape.bits / 8 * c.shape.channels;
        EXPECT_EQ(wave.getSize(), c.shape.rate * c.shape.milliseconds / 1000 * blockAlign) << c.name;
        EXPECT_EQ(wave.getFormat()->cbSize, c.extraSize) << c.name;
        EXPECT_EQ(wave.getFormat()->nChannels, c.shape.channels) << c.name;
        EXPECT_EQ(wave.getSilence(), c.shape.bits == 8 ? 0x80 : 0) << c.name;
        if (c.extraSize) {
            EXPECT_EQ(Bytes(reinterpret_cast<const uint8*>(wave.getFormat()) + 18,
                            reinterpret_cast<const uint8*>(wave.getFormat()) + 18 + c.extraSize),
                      c.shape.extra);
        }
    }
}

TEST(SoundEngine, WaveDataIsReadToItsEndAndAgainAfterAReset)
{
    TemporaryFolder folder;
    Bytes bytes = waveBytes({});
    const Bytes samples(bytes.end() - 480, bytes.end());
    // A data chunk that claims more than the file holds gives what is there.
    bytes[bytes.size() - 480 - 4 + 1] = 0x7F;
    const std::string path = writeFile(folder, "long.wav", bytes);
    KWaveFile wave;
    ASSERT_EQ(wave.open(path.c_str(), KWaveFile::ReadMode), S_OK);
    EXPECT_EQ(wave.getSize(), 480u);
    Bytes read(600, 0);
    uint32 first = 0, second = 0;
    EXPECT_EQ(wave.read(read.data(), 100, &first), S_OK);
    EXPECT_EQ(wave.read(read.data() + first, 500, &second), S_OK);
    EXPECT_EQ(first + second, 480u);
    read.resize(480);
    EXPECT_EQ(read, samples);
    EXPECT_EQ(wave.resetFile(), S_OK);
    EXPECT_EQ(wave.read(read.data(), 10, &first), S_OK);
    EXPECT_EQ(Bytes(read.begin(), read.begin() + 10), Bytes(samples.begin(), samples.begin() + 10));

    bytes[0] = 'X';
    KWaveFile notRiff;
    EXPECT_EQ(notRiff.open(writeFile(folder, "bad.wav", bytes).c_str(), KWaveFile::ReadMode), E_FAIL);
    // A name that is no file is looked up among the program's "WAVE" resources.
    KWaveFile chime;
    ASSERT_EQ(chime.open("CHIME", KWaveFile::ReadMode), S_OK);
    EXPECT_EQ(chime.getSize(), 8u);
}

struct ResourceCase {
    const char* name;
    Bytes bytes;
    bool parses;
    uint32 formatSize;
    uint32 sampleSize;
};

Bytes chunk(const char* ID, uint32 Size, uint32 Content)
{
    Bytes out;
    putID(out, ID);
    putLittle(out, Size, 4);
    out.insert(out.end(), Content, 0x11);
    return out;
}

Bytes riff(uint32 Size, std::initializer_list<Bytes> Chunks)
{
    Bytes out;
    putID(out, "RIFF");
    putLittle(out, Size, 4);
    putID(out, "WAVE");
    for (const Bytes& c : Chunks)
        out.insert(out.end(), c.begin(), c.end());
    return out;
}

TEST(SoundEngine, WaveResourcesAreWalkedWithinTheirBytes)
{
    const ResourceCase cases[] = {
        {"plain", riff(44, {chunk("fmt ", 16, 16), chunk("data", 8, 8)}), true, 16, 8},
        {"data first, odd chunk padded", riff(60, {chunk("data", 3, 4), chunk("LIST", 1, 2), chunk("fmt ", 14, 14)}), true, 14, 3},
        {"RIFF size past the end", riff(9000, {chunk("fmt ", 16, 16), chunk("data", 8, 8)}), true, 16, 8},
        {"data cut short", riff(44, {chunk("fmt ", 16, 16), chunk("data", 800, 8)}), true, 16, 8},
        {"chunks past the RIFF size", riff(28, {chunk("fmt ", 16, 16), chunk("data", 8, 8)}), false, 0, 0},
        {"format too short", riff(40, {chunk("fmt ", 12, 12), chunk("data", 8, 8)}), false, 0, 0},
        {"format past the end", riff(44, {chunk("fmt ", 60, 16)}), false, 0, 0},
        {"no data", riff(28, {chunk("fmt ", 16, 16)}), false, 0, 0},
        {"no RIFF", Bytes(40, 'R'), false, 0, 0},
    };
    for (const ResourceCase& c : cases) {
        KSoundManager::WaveResourceParts parts;
        EXPECT_EQ(KSoundManager::parseWaveResource(c.bytes.data(), static_cast<uint32>(c.bytes.size()), parts), c.parses)
            << c.name;
        EXPECT_EQ(parts.formatSize, c.parses ? c.formatSize : parts.formatSize) << c.name;
        EXPECT_EQ(parts.sampleSize, c.parses ? c.sampleSize : parts.sampleSize) << c.name;
    }
}

TEST(SoundEngine, StartingRunsWhatTheMaskAsksForAndStartingAgainReplacesIt)
{
    MediaScope scope(MediaScope::MainWindow);
    KSoundSupport& support = KSoundSupport::getInstance();
    support.setEngineMask(KSoundSupport::SecondEngine);
    support.start();
    EXPECT_EQ(support.getActiveEngineMask(), KSoundSupport::SecondEngine);
    EXPECT_EQ(support.getSoundManager(), nullptr);
    EXPECT_EQ(support.getEngineRecord().threadHandle, nullptr);
    KSoundPtr sound = new KSound;
    sound->createFromResource(7001);
    sound->load();
    EXPECT_EQ(sound->getState(), KAbstractMedia::Unloaded);

    support.setEngineMask(7);
    support.start();
    const unsigned long firstThread = support.getEngineRecord().threadID;
    support.start();
    EXPECT_NE(support.getEngineRecord().threadID, firstThread);
    EXPECT_EQ(support.getActiveEngineMask(), 6);
    ASSERT_NE(support.getSoundManager(), nullptr);
    EXPECT_NE(support.getSoundManager()->getDirectSound(), nullptr);
    sound->load();
    EXPECT_EQ(sound->getState(), KAbstractMedia::Loaded);
    sound->unload();
    support.stop();
    EXPECT_EQ(support.getActiveEngineMask(), 0);
    EXPECT_EQ(support.getEngineRecord().threadHandle, nullptr);
}

TEST(SoundEngine, SoundsAreMadeFromFilesAndResourcesOrTellWhyNot)
{
    TemporaryFolder folder;
    MediaScope scope(MediaScope::SoundEngine);
    KSoundManager& manager = *KSoundSupport::getInstance().getSoundManager();
    KSoundBuffer* sound = nullptr;
    const std::string path = writeFile(folder, "two.wav", waveBytes({}));
    ASSERT_EQ(manager.createSound(&sound, path.c_str(), KSoundManager::kStaticSoundFlags, nullptr, 2), S_OK);
    EXPECT_EQ(sound->getBufferCount(), 2);
    EXPECT_EQ(sound->getBufferSize(), 480u);
    EXPECT_EQ(sound->play(0, 0), S_OK);
    EXPECT_EQ(sound->play(0, 0), S_OK);
    EXPECT_TRUE(sound->isPlaying());
    sound->stop();
    EXPECT_FALSE(sound->isPlaying());
    delete sound;

    KSoundManager unstarted;
    const std::string empty = writeFile(folder, "empty.wav", waveBytes(pcm(1, 8000, 8, 0)));
    const std::pair<long, long> failures[] = {
        {unstarted.createSound(&sound, path.c_str(), 0, nullptr, 1), CO_E_NOTINITIALIZED},
        {manager.createSound(&sound, nullptr, 0, nullptr, 1), E_INVALIDARG},
        {manager.createSound(&sound, path.c_str(), 0, nullptr, 0), E_INVALIDARG},
        {manager.createSound(&sound, folder.file("none.wav").c_str(), 0, nullptr, 1), E_FAIL},
        {manager.createSound(&sound, empty.c_str(), 0, nullptr, 1), E_FAIL},
    };
    for (const auto& failure : failures)
        EXPECT_EQ(failure.first, failure.second);

    EXPECT_EQ(manager.createSoundFromResource(&sound, 7001), S_OK);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->getBufferSize(), 8u);
    delete sound;
    for (short missing : {7003, 7999}) {
        EXPECT_EQ(manager.createSoundFromResource(&sound, missing), S_OK);
        EXPECT_EQ(sound, nullptr);
    }
}

// A streamed sound over a buffer of 4 notifications of 100 bytes, fed by the wave data.
struct StreamedSound {
    StreamedSound(const TemporaryFolder& Folder, const WaveShape& Shape)
    {
        auto* wave = new KWaveFile;
        wave->open(writeFile(Folder, "stream.wav", waveBytes(Shape)).c_str(), KWaveFile::ReadMode);
        DSBUFFERDESC description = {};
        description.dwSize = sizeof description;
        description.dwFlags = DSBCAPS_GETCURRENTPOSITION2;
        description.dwBufferBytes = 400;
        description.lpwfxFormat = const_cast<WAVEFORMATEX*>(wave->getFormat());
        IDirectSound8* directSound = KSoundSupport::getInstance().getSoundManager()->getDirectSound();
        IDirectSoundBuffer* buffer = nullptr;
        directSound->CreateSoundBuffer(&description, &buffer, nullptr);
        sound = new KStreamingSound(buffer, 400, wave, 100);
    }
    Bytes contents() const
    {
        void* bytes = nullptr;
        DWORD size = 0;
        sound->getBuffer(0)->Lock(0, 400, &bytes, &size, nullptr, nullptr, 0);
        Bytes copy(static_cast<uint8*>(bytes), static_cast<uint8*>(bytes) + size);
        sound->getBuffer(0)->Unlock(bytes, size, nullptr, 0);
        return copy;
    }
    KStreamingSound* sound = nullptr;
};

TEST(SoundEngine, StreamedBuffersArePaddedWithTheFormatsSilenceOrLoop)
{
    TemporaryFolder folder;
    MediaScope scope(MediaScope::SoundEngine);
    // 8-bit data of 150 bytes, 16-bit data of 300 bytes, in a buffer of 400.
    StreamedSound bytes(folder, pcm(1, 5000, 8, 30));
    const Bytes eight = bytes.contents();
    EXPECT_EQ(eight[149], 0x40 + (149 % 64) * 2);
    EXPECT_EQ(eight[150], 0x80);
    EXPECT_EQ(eight[399], 0x80);
    StreamedSound words(folder, pcm(1, 5000, 16, 30));
    EXPECT_EQ(words.contents()[300], 0);
    delete words.sound;

    // Without loop, the data's end turns every later refill into silence.
    KStreamingSound& streamed = *bytes.sound;
    streamed.reset();
    streamed.handleNotification(false);
    EXPECT_EQ(streamed.getNextWriteOffset(), 100u);
    EXPECT_FALSE(streamed.isFillingWithSilence());
    streamed.handleNotification(false);
    EXPECT_TRUE(streamed.isFillingWithSilence());
    EXPECT_EQ(bytes.contents()[150], 0x80);
    // With loop, the data starts again where it ran out.
    streamed.reset();
    streamed.handleNotification(true);
    streamed.handleNotification(true);
    EXPECT_FALSE(streamed.isFillingWithSilence());
    EXPECT_EQ(bytes.contents()[150], bytes.contents()[0]);
    delete bytes.sound;
}

TEST(SoundEngine, TheStreamingThreadRefillsARegisteredSoundUntilItIsUnloaded)
{
    TemporaryFolder folder;
    MediaScope scope(MediaScope::SoundEngine);
    KSoundPtr sound = new KSound;
    sound->createFromFile(fileReference(writeFile(folder, "graph.wav", waveBytes({}))));
    sound->load();
    ASSERT_EQ(sound->getState(), KAbstractMedia::Loaded);
    auto* record = static_cast<KSoundGraphRecord*>(sound->getNativeHandle());
    record->streamedSound = StreamedSound(folder, pcm(1, 5000, 8, 30)).sound;
    KSoundEngineRecord& engine = KSoundSupport::getInstance().getEngineRecord();
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    engine.sounds->add(*sound);
    engine.events->addDirectData(reinterpret_cast<long>(event));
    KSoundManager::wakeThread();

    SetEvent(event);
    EXPECT_TRUE(pollUntil([&] { return record->streamedSound->getNextWriteOffset() == 100; }));
    sound->play();
    EXPECT_TRUE(record->streamedSound->isPlaying());
    EXPECT_FALSE(sound->isDonePlaying());
    sound->stop();
    EXPECT_TRUE(sound->isDonePlaying());
    sound->unload();
    EXPECT_EQ(engine.sounds->getCount(), 0);
    EXPECT_EQ(engine.events->getCount(), 0);
    EXPECT_FALSE(SetEvent(event));
}

TEST(SoundEngine, PlayableFileTypesAreTheRegisteredOnesInOrder)
{
    MediaScope scope;
    for (const char* extension : {"MID", "WAV", "MP3", "AIF", "AIFF"})
        KFileTypeHandler::makeAssociation(extension, "TVOD", "SND ", "Sound");
    ReportCatcher catcher;
    KBagPtr types = KSoundSupport::getInstance().getPlayableFileTypes();
    std::vector<std::string> extensions;
    for (long i = 0; i < types->getCount(); ++i)
        extensions.push_back(static_cast<KFileType&>((*types)[i]).getExtension().getText());
    EXPECT_EQ(extensions, (std::vector<std::string>{"wav", "aif", "aiff", "mp3", "mid"}));
    EXPECT_EQ(catcher.codes(), std::vector<int>{62});
    EXPECT_EQ(KSoundSupport::getInstance().getRecordableFileTypes()->getCount(), 1);
}

} // namespace
