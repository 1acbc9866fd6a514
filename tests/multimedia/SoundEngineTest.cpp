// The sound engine: WAV data read from files, resources and memory, the engine's start
// and stop with its streaming thread, sounds made in DirectSound buffers, and the refill
// of streamed buffers.
#include "multimedia/KSound.h"
#include "multimedia/soundengine/KSoundBuffer.h"
#include "multimedia/soundengine/KSoundManager.h"
#include "multimedia/soundengine/KStreamingSound.h"
#include "multimedia/soundengine/KWaveFile.h"
#include "multimedia/soundengine/SoundGraphWin32.h"
#include "tests/multimedia/MediaTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <dsound.h>

namespace {

TEST(SoundEngine, WaveFilesGiveTheirFormatOnlyFromWithinTheirChunks)
{
    TemporaryFolder folder;
    const struct {
        const char* name;
        WaveShape shape;
        bool opens;
        uint16 extraSize;
    } cases[] = {
        {"8-bit PCM", WaveShape(), true, 0},
        {"16-bit stereo", WaveShape(2, 22050, 16, 30), true, 0},
        {"extra bytes", WaveShape(1, 8000, 8, 60, 2, {1, 2, 3, 4}), true, 4},
        {"no extra size", WaveShape(1, 8000, 8, 60, 3, {}, false), true, 0},
        {"extra past the chunk", WaveShape(1, 8000, 8, 60, 2, Bytes(10, 7), true, 20), false, 0},
        {"format too short", WaveShape(1, 8000, 8, 60, 1, {}, true, 14), false, 0},
    };
    for (const auto& c : cases) {
        KWaveFile wave;
        EXPECT_EQ(wave.open(writeFile(folder, "sound.wav", waveBytes(c.shape)).c_str(), KWaveFile::ReadMode),
                  c.opens ? S_OK : E_FAIL) << c.name;
        if (!c.opens)
            continue;
        const auto* format = reinterpret_cast<const uint8*>(wave.getFormat());
        EXPECT_EQ(wave.getSize(), c.shape.rate * c.shape.milliseconds / 1000 * c.shape.bits / 8 * c.shape.channels);
        EXPECT_EQ(wave.getFormat()->nChannels, c.shape.channels) << c.name;
        EXPECT_EQ(wave.getFormat()->cbSize, c.extraSize) << c.name;
        EXPECT_EQ(Bytes(format + 18, format + 18 + c.extraSize), Bytes(c.shape.extra.begin(), c.shape.extra.begin() + c.extraSize));
        EXPECT_EQ(wave.getSilence(), c.shape.bits == 8 ? 0x80 : 0) << c.name;
    }
}

TEST(SoundEngine, WaveDataIsReadToItsEndAndAgainAfterAReset)
{
    TemporaryFolder folder;
    Bytes bytes = waveBytes(WaveShape());
    const Bytes samples(bytes.end() - 480, bytes.end());
    // A data chunk that claims more than the file holds gives what is there.
    bytes[bytes.size() - 480 - 3] = 0x7F;
    KWaveFile wave;
    ASSERT_EQ(wave.open(writeFile(folder, "long.wav", bytes).c_str(), KWaveFile::ReadMode), S_OK);
    EXPECT_EQ(wave.getSize(), 480u);
    Bytes read(600, 0);
    uint32 first = 0, second = 0;
    EXPECT_EQ(wave.read(read.data(), 100, &first), S_OK);
    EXPECT_EQ(wave.read(read.data() + first, 500, &second), S_OK);
    EXPECT_EQ(Bytes(read.begin(), read.begin() + first + second), samples);
    EXPECT_EQ(wave.resetFile(), S_OK);
    EXPECT_EQ(wave.read(read.data(), 10, &first), S_OK);
    EXPECT_EQ(Bytes(read.begin(), read.begin() + 10), Bytes(samples.begin(), samples.begin() + 10));

    bytes[0] = 'X';
    EXPECT_EQ(wave.open(writeFile(folder, "bad.wav", bytes).c_str(), KWaveFile::ReadMode), E_FAIL);
    // A name that is no file is looked up among the program's "WAVE" resources.
    ASSERT_EQ(wave.open("CHIME", KWaveFile::ReadMode), S_OK);
    EXPECT_EQ(wave.getSize(), 8u);
}

Bytes chunk(const char* ID, uint32 Size, uint32 Content)
{
    Bytes out;
    putID(out, ID);
    put(out, Size, 4);
    out.insert(out.end(), Content, 0x11);
    return out;
}

Bytes riff(uint32 Size, std::initializer_list<Bytes> Chunks)
{
    Bytes out;
    putID(out, "RIFF");
    put(out, Size, 4);
    putID(out, "WAVE");
    for (const Bytes& c : Chunks)
        out.insert(out.end(), c.begin(), c.end());
    return out;
}

TEST(SoundEngine, WaveResourcesAreWalkedWithinTheirBytes)
{
    const struct {
        const char* name;
        Bytes bytes;
        uint32 formatSize;
        uint32 sampleSize;
    } cases[] = {
        {"plain", riff(44, {chunk("fmt ", 16, 16), chunk("data", 8, 8)}), 16, 8},
        {"data first, odd chunk padded", riff(48, {chunk("data", 3, 4), chunk("LIST", 1, 2), chunk("fmt ", 14, 14)}), 14, 3},
        {"RIFF size past the end", riff(9000, {chunk("fmt ", 16, 16), chunk("data", 8, 8)}), 16, 8},
        {"data cut short", riff(44, {chunk("fmt ", 16, 16), chunk("data", 800, 8)}), 16, 8},
        {"chunks past the RIFF size", riff(28, {chunk("fmt ", 16, 16), chunk("data", 8, 8)}), 0, 0},
        {"format too short", riff(40, {chunk("fmt ", 12, 12), chunk("data", 8, 8)}), 0, 0},
        {"format past the end", riff(44, {chunk("fmt ", 60, 16)}), 0, 0},
        {"no RIFF", Bytes(40, 'R'), 0, 0},
    };
    for (const auto& c : cases) {
        KSoundManager::WaveResourceParts parts;
        const bool parses = KSoundManager::parseWaveResource(c.bytes.data(), static_cast<uint32>(c.bytes.size()), parts);
        EXPECT_EQ(parses, c.formatSize > 0) << c.name;
        if (parses) {
            EXPECT_EQ(std::make_pair(parts.formatSize, parts.sampleSize), std::make_pair(c.formatSize, c.sampleSize))
                << c.name;
        }
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
    const std::string path = writeFile(folder, "two.wav", waveBytes(WaveShape()));
    ASSERT_EQ(manager.createSound(&sound, path.c_str(), KSoundManager::kStaticSoundFlags, nullptr, 2), S_OK);
    EXPECT_EQ(sound->getBufferSize(), 480u);
    EXPECT_NE(sound->getBuffer(1), nullptr);
    delete sound;
    KSoundManager unstarted;
    EXPECT_EQ(unstarted.createSound(&sound, path.c_str(), 0, nullptr, 1), CO_E_NOTINITIALIZED);
    EXPECT_EQ(manager.createSound(&sound, path.c_str(), 0, nullptr, 0), E_INVALIDARG);
    EXPECT_EQ(manager.createSound(&sound, writeFile(folder, "empty.wav", waveBytes(WaveShape(1, 8000, 8, 0))).c_str(), 0,
                                  nullptr, 1),
              E_FAIL);

    EXPECT_EQ(manager.createSoundFromResource(&sound, 7001), S_OK);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->getBufferSize(), 8u);
    delete sound;
    for (short missing : {7003, 7999}) {
        EXPECT_EQ(manager.createSoundFromResource(&sound, missing), S_OK);
        EXPECT_EQ(sound, nullptr);
    }
}

// A streamed sound of 30 ms at 5,000 Hz in a buffer of 400 bytes refilled 100 at a time.
KStreamingSound* streamedSound(const TemporaryFolder& Folder, uint16 Bits)
{
    auto* wave = new KWaveFile;
    wave->open(writeFile(Folder, "stream.wav", waveBytes(WaveShape(1, 5000, Bits, 30))).c_str(), KWaveFile::ReadMode);
    DSBUFFERDESC description = {sizeof description, DSBCAPS_GETCURRENTPOSITION2, 400, 0, nullptr, GUID_NULL};
    description.lpwfxFormat = const_cast<WAVEFORMATEX*>(wave->getFormat());
    IDirectSoundBuffer* buffer = nullptr;
    KSoundSupport::getInstance().getSoundManager()->getDirectSound()->CreateSoundBuffer(&description, &buffer, nullptr);
    return new KStreamingSound(buffer, 400, wave, 100);
}

Bytes contents(KSoundBuffer& Sound)
{
    void* bytes = nullptr;
    DWORD size = 0;
    Sound.getBuffer(0)->Lock(0, 400, &bytes, &size, nullptr, nullptr, 0);
    Bytes copy(static_cast<uint8*>(bytes), static_cast<uint8*>(bytes) + size);
    Sound.getBuffer(0)->Unlock(bytes, size, nullptr, 0);
    return copy;
}

TEST(SoundEngine, StreamedBuffersArePaddedWithTheFormatsSilenceOrLoop)
{
    TemporaryFolder folder;
    MediaScope scope(MediaScope::SoundEngine);
    std::unique_ptr<KStreamingSound> words(streamedSound(folder, 16));
    EXPECT_EQ(contents(*words)[300], 0);
    std::unique_ptr<KStreamingSound> bytes(streamedSound(folder, 8));
    EXPECT_EQ(contents(*bytes)[149], sampleAt(149, 8));
    EXPECT_EQ(contents(*bytes)[150], 0x80);
    // Without loop, the data's end turns every later refill into silence; with loop, the
    // data starts again where it ran out.
    for (bool loop : {false, true}) {
        bytes->reset();
        bytes->handleNotification(loop);
        EXPECT_EQ(bytes->getNextWriteOffset(), 100u);
        bytes->handleNotification(loop);
        EXPECT_EQ(bytes->isFillingWithSilence(), !loop);
        EXPECT_EQ(contents(*bytes)[150], loop ? sampleAt(0, 8) : 0x80);
    }
}

TEST(SoundEngine, TheStreamingThreadRefillsARegisteredSoundUntilItIsUnloaded)
{
    TemporaryFolder folder;
    MediaScope scope(MediaScope::SoundEngine);
    KSoundPtr sound = new KSound;
    sound->createFromFile(fileReference(writeFile(folder, "graph.wav", waveBytes(WaveShape()))));
    sound->load();
    ASSERT_EQ(sound->getState(), KAbstractMedia::Loaded);
    auto* record = static_cast<KSoundGraphRecord*>(sound->getNativeHandle());
    record->streamedSound = streamedSound(folder, 8);
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
    EXPECT_EQ(engine.sounds->getCount() + engine.events->getCount(), 0);
    EXPECT_FALSE(SetEvent(event));
}

// A DirectSound buffer lost to another program: Restore answers "still lost" a number of
// times before it gives the buffer back.
struct LostBuffer : IDirectSoundBuffer {
    explicit LostBuffer(int LostFor) : lostFor(LostFor) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++count; }
    ULONG STDMETHODCALLTYPE Release() override { return --count; }
    HRESULT STDMETHODCALLTYPE GetCaps(LPDSBCAPS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCurrentPosition(LPDWORD, LPDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX, DWORD, LPDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVolume(LPLONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPan(LPLONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFrequency(LPDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD Status) override
    {
        *Status = restores < lostFor ? DSBSTATUS_BUFFERLOST : 0;
        return DS_OK;
    }
    HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTSOUND, LPCDSBUFFERDESC) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Lock(DWORD, DWORD, LPVOID*, LPDWORD, LPVOID*, LPDWORD, DWORD) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Play(DWORD, DWORD, DWORD) override
    {
        ++plays;
        return DS_OK;
    }
    HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD) override { return DS_OK; }
    HRESULT STDMETHODCALLTYPE SetFormat(LPCWAVEFORMATEX) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetVolume(LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPan(LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetFrequency(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Stop() override { return DS_OK; }
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID, DWORD, LPVOID, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Restore() override { return ++restores < lostFor ? DSERR_BUFFERLOST : DS_OK; }

    const int lostFor;
    int restores = 0;
    int plays = 0;
    ULONG count = 1;
};

TEST(SoundEngine, ABufferThatStaysLostIsGivenUpAfterAFewTriesAndItsSoundSaysItCannotStart)
{
    LostBuffer lost(30);
    IDirectSoundBuffer* buffers[] = {&lost};
    KSoundPtr sound = new KSound;
    sound->createFromResource(7001);
    sound->setNativeHandle(new KSoundBuffer(buffers, 64, 1, nullptr));
    sound->KAbstractMedia::load();
    ReportCatcher catcher;
    sound->play();
    EXPECT_EQ(lost.plays, 0);
    EXPECT_LE(lost.restores, 5);
    EXPECT_EQ(sound->getState(), KAbstractMedia::Loaded);
    EXPECT_EQ(catcher.codes(), std::vector<int>{53});
    EXPECT_TRUE(catcher.caught(53, "KSound::play()"));
    sound->unload();
    EXPECT_EQ(lost.count, 0u);
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
