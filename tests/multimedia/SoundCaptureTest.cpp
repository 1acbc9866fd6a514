// The capture engine over a stand-in device: the buffer and notifications made from the
// device's format, every way the device can fail to open, and the polls that empty the
// looping buffer into the file, wrapping at its end. The recording dialogs' tests record
// from the test platform's own device. The recorder's WAV files, byte for byte: the
// 56-byte header with its placeholders, the sizes and the sample count filled in on
// closing, the pad byte of an odd data chunk, and a file whose "fact" chunk went missing.
#include "multimedia/recording/SoundCaptureWin32.h"
#include "multimedia/recording/WaveWriterWin32.h"
#include "tests/multimedia/RecordingTestSupport.h"
#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <dsound.h>

namespace {

// What the stand-in device answers, and what it was asked.
struct Device {
    enum Failure { None, Caps, Buffer, Notify, Positions, Start, Lock };
    HRESULT createAnswers[2] = {S_OK, S_OK};
    DWORD formats = WAVE_FORMAT_2M16;
    Failure failure = None;
    DWORD readPosition = 0;
    Bytes content;
    std::vector<unsigned long> contexts;
    DSCBUFFERDESC description = {};
    WAVEFORMATEX format = {};
    std::vector<DWORD> offsets;
    int live = 0;
};
Device& device()
{
    static Device d;
    return d;
}
HRESULT answer(Device::Failure F) { return device().failure == F ? E_FAIL : S_OK; }

template <typename Interface>
struct Counted : Interface {
    Counted() { ++device().live; }
    virtual ~Counted() { --device().live; }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_count; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG count = --m_count;
        if (count == 0)
            delete this;
        return count;
    }
    ULONG m_count = 1;
};

struct Notify : Counted<IDirectSoundNotify> {
    HRESULT STDMETHODCALLTYPE SetNotificationPositions(DWORD Count, LPCDSBPOSITIONNOTIFY Positions) override
    {
        for (DWORD i = 0; i < Count; ++i)
            device().offsets.push_back(Positions[i].hEventNotify ? Positions[i].dwOffset : 0xDEAD);
        return answer(Device::Positions);
    }
};

struct Buffer : Counted<IDirectSoundCaptureBuffer> {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID Id, void** Out) override
    {
        if (!IsEqualIID(Id, IID_IDirectSoundNotify) || device().failure == Device::Notify)
            return E_NOINTERFACE;
        *Out = static_cast<IDirectSoundNotify*>(new Notify);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCaps(LPDSCBCAPS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCurrentPosition(LPDWORD Capture, LPDWORD Read) override
    {
        *Read = device().readPosition;
        return Capture ? E_INVALIDARG : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX, DWORD, LPDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTSOUNDCAPTURE, LPCDSCBUFFERDESC) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Lock(DWORD At, DWORD Size, LPVOID* First, LPDWORD FirstSize, LPVOID* Second,
                                   LPDWORD SecondSize, DWORD) override
    {
        Bytes& content = device().content;
        *FirstSize = std::min<DWORD>(Size, content.size() - At);
        *SecondSize = Size - *FirstSize;
        *First = content.data() + At;
        *Second = *SecondSize ? content.data() : nullptr;
        return device().failure == Device::Lock ? DSERR_INVALIDPARAM : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Start(DWORD Flags) override
    {
        return Flags == DSCBSTART_LOOPING ? answer(Device::Start) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE Stop() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Unlock(LPVOID, DWORD, LPVOID, DWORD) override { return S_OK; }
};

struct Capture : Counted<IDirectSoundCapture> {
    HRESULT STDMETHODCALLTYPE CreateCaptureBuffer(LPCDSCBUFFERDESC Description, LPDIRECTSOUNDCAPTUREBUFFER* Out,
                                                  LPUNKNOWN) override
    {
        device().description = *Description;
        device().format = *Description->lpwfxFormat;
        for (DWORD i = 0; i < Description->dwBufferBytes; ++i)
            device().content.push_back(static_cast<uint8>(i % 251));
        *Out = device().failure == Device::Buffer ? nullptr : new Buffer;
        return answer(Device::Buffer);
    }
    HRESULT STDMETHODCALLTYPE GetCaps(LPDSCCAPS Caps) override
    {
        Caps->dwFormats = device().formats;
        return Caps->dwSize == sizeof(DSCCAPS) ? answer(Device::Caps) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE Initialize(LPCGUID) override { return S_OK; }
};

long createStandIn(unsigned long Context, IDirectSoundCapture** Out)
{
    device().contexts.push_back(Context);
    const HRESULT result = device().createAnswers[device().contexts.size() - 1];
    *Out = SUCCEEDED(result) ? new Capture : nullptr;
    return result;
}

struct StandInScope {
    StandInScope()
    {
        device() = Device();
        SoundCapture::setCaptureFactory(&createStandIn);
    }
    ~StandInScope()
    {
        SoundCapture::stopRecording();
        SoundCapture::release();
        SoundCapture::setCaptureFactory(nullptr);
    }
};

TEST(SoundCapture, OpensOneSecondOfBufferOrLeavesNothingHeld)
{
    const struct {
        const char* name;
        HRESULT answers[2];
        Device::Failure failure;
        std::vector<unsigned long> contexts;
    } cases[] = {
        {"opens", {S_OK, S_OK}, Device::None, {7}},
        {"in-process only", {E_FAIL, S_OK}, Device::None, {7, 1}},
        {"no capture object", {E_FAIL, REGDB_E_CLASSNOTREG}, Device::None, {7, 1}},
        {"no capabilities", {S_OK, S_OK}, Device::Caps, {7}},
        {"no buffer", {S_OK, S_OK}, Device::Buffer, {7}},
        {"no notifications", {S_OK, S_OK}, Device::Notify, {7}},
        {"positions refused", {S_OK, S_OK}, Device::Positions, {7}},
    };
    for (const auto& c : cases) {
        StandInScope scope;
        std::copy_n(c.answers, 2, device().createAnswers);
        device().failure = c.failure;
        const bool opens = SUCCEEDED(c.answers[1]) && c.failure == Device::None;
        EXPECT_EQ(SoundCapture::init(), opens) << c.name;
        EXPECT_EQ(device().contexts, c.contexts) << c.name;
        EXPECT_EQ(SoundCapture::hasCaptureBuffer(), opens) << c.name;
        EXPECT_EQ(device().live, opens ? 3 : 0) << c.name;
    }
    StandInScope scope;
    ASSERT_TRUE(SoundCapture::init());
    const DSCBUFFERDESC& d = device().description;
    const WAVEFORMATEX& f = device().format;
    EXPECT_EQ(std::vector<DWORD>({d.dwSize, d.dwFlags, d.dwBufferBytes, f.wFormatTag, f.nChannels, f.nSamplesPerSec,
                                  f.nAvgBytesPerSec, f.nBlockAlign, f.wBitsPerSample, f.cbSize}),
              std::vector<DWORD>({28, 0, 44100, 1, 1, 22050, 44100, 2, 16, 0}));
    EXPECT_EQ(device().offsets, (std::vector<DWORD>{0, 22050}));
    // A second open lets go of what the first made.
    EXPECT_TRUE(SoundCapture::init());
    EXPECT_EQ(device().live, 3);
    SoundCapture::release();
    EXPECT_EQ(device().live, 0);
}

K_CHILD_SCENARIO(DeviceWithoutSixteenBitMono)
{
    StandInScope scope;
    device().formats = WAVE_FORMAT_1M08;
    const bool first = SoundCapture::init();
    device().formats = WAVE_FORMAT_2M16;
    device().offsets.clear();
    const bool second = SoundCapture::init();
    std::printf("%d %d %lu %lu %u %u", first, second, device().description.dwBufferBytes, device().offsets[1],
                SoundCapture::getSamplesPerSecond(), SoundCapture::getBitsPerSample());
}

TEST(SoundCapture, ADeviceWithoutSixteenBitMonoMakesEveryLaterRecordingEightBit)
{
    const ChildResult child = runChildScenario("DeviceWithoutSixteenBitMono");
    EXPECT_EQ(child.exitCode, 0u);
    EXPECT_EQ(child.output, "1 1 11025 5512 11025 8");
}

TEST(SoundCapture, PollsTakeWhatWasCapturedSinceTheLastOneWrappingAtTheBufferEnd)
{
    StandInScope scope;
    TemporaryFolder folder;
    const std::string path = folder.file("take.wav");
    EXPECT_FALSE(SoundCapture::poll());
    EXPECT_FALSE(SoundCapture::startRecording(path.c_str(), false));
    ASSERT_TRUE(SoundCapture::init());
    // A device that will not start leaves no file behind.
    device().failure = Device::Start;
    EXPECT_FALSE(SoundCapture::startRecording(path.c_str(), true));
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(SoundCapture::isPolling());
    device().failure = Device::None;
    // The take starts where the device stands, whatever an earlier take left.
    device().readPosition = 40000;
    ASSERT_TRUE(SoundCapture::startRecording(path.c_str(), true));
    EXPECT_TRUE(SoundCapture::isPolling());
    device().readPosition = 1000;
    EXPECT_TRUE(SoundCapture::poll());
    EXPECT_EQ(SoundCapture::getBytesWritten(), 5100u);
    EXPECT_EQ(SoundCapture::getNextOffset(), 1000u);
    // A span that cannot be locked is lost, not taken again.
    device().readPosition = 1500;
    device().failure = Device::Lock;
    EXPECT_TRUE(SoundCapture::poll());
    EXPECT_EQ(SoundCapture::getNextOffset(), 1500u);
    device().failure = Device::None;
    // The stop takes the last bytes.
    device().readPosition = 1501;
    EXPECT_TRUE(SoundCapture::stopRecording());
    EXPECT_FALSE(SoundCapture::isPolling());

    const Bytes& content = device().content;
    Bytes expected(content.begin() + 40000, content.end());
    expected.insert(expected.end(), content.begin(), content.begin() + 1000);
    expected.push_back(content[1500]);
    const Bytes file = readAll(path);
    ASSERT_EQ(file.size(), 56u + 5102u);
    EXPECT_EQ(std::vector<uint32>({longAt(file, 4), longAt(file, 44), longAt(file, 52)}),
              std::vector<uint32>({48 + 5102, 2550, 5101}));
    EXPECT_EQ(Bytes(file.begin() + 56, file.end() - 1), expected);
}

// The header for a mono PCM format, the fact chunk's name given, then the data.
Bytes expectedFile(uint16 Bits, uint32 RiffSize, const char* Fact, uint32 Samples, const Bytes& Data)
{
    const uint32 rate = Bits == 16 ? 22050 : 11025;
    Bytes out;
    putID(out, "RIFF");
    put(out, RiffSize, 4);
    putID(out, "WAVE");
    putID(out, "fmt ");
    for (uint32 value : {16u, 1u | 1u << 16, rate, rate * Bits / 8, Bits / 8u | uint32(Bits) << 16})
        put(out, value, 4);
    putID(out, Fact);
    put(out, 4, 4);
    put(out, Samples, 4);
    putID(out, "data");
    put(out, static_cast<uint32>(Data.size()), 4);
    out.insert(out.end(), Data.begin(), Data.end());
    if (Data.size() & 1)
        out.push_back(0);
    return out;
}

TEST(WaveWriter, WritesTheHeaderWithItsPlaceholdersAndFillsThemInOnClosing)
{
    TemporaryFolder folder;
    const std::string path = folder.file("take.wav");
    const struct {
        const char* name;
        uint16 bits;
        uint32 dataSize;
        uint32 slice;
        bool factLost;
    } cases[] = {
        {"nothing recorded", 16, 0, 1, false},
        // One second of 16-bit sound, in slices that cross the I/O buffer's end.
        {"one second", 16, 44100, 1455, false},
        {"odd 8-bit", 8, 1001, 333, false},
        // The sizes are still set when the count has nowhere to go.
        {"fact chunk lost", 16, 10, 10, true},
    };
    for (const auto& c : cases) {
        const auto align = static_cast<uint16>(c.bits / 8);
        const uint32 rate = c.bits == 16 ? 22050 : 11025;
        const WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, rate, rate * align, align, c.bits, 0};
        HMMIO file = nullptr;
        MMCKINFO chunk = {}, riff = {};
        MMIOINFO buffer = {};
        ASSERT_EQ(WaveWriter::create(path.c_str(), file, format, chunk, riff), 0u) << c.name;
        if (c.factLost) {
            const LONG end = mmioSeek(file, 0, SEEK_CUR);
            mmioSeek(file, 36, SEEK_SET);
            mmioWrite(file, "junk", 4);
            mmioSeek(file, end, SEEK_SET);
        }
        ASSERT_EQ(WaveWriter::startData(file, chunk, buffer), 0u) << c.name;
        Bytes data(c.dataSize);
        for (uint32 i = 0; i < c.dataSize; ++i)
            data[i] = static_cast<uint8>(i * 7 + 3);
        for (uint32 at = 0; at < c.dataSize; at += c.slice) {
            const uint32 count = std::min(c.slice, c.dataSize - at);
            uint32 written = 0;
            EXPECT_EQ(WaveWriter::write(file, count, data.data() + at, written, buffer), 0u);
            EXPECT_EQ(written, count);
        }
        EXPECT_EQ(WaveWriter::close(file, chunk, riff, buffer, c.dataSize / align), 0u) << c.name;
        EXPECT_EQ(file, nullptr);
        const uint32 riffSize = 48 + c.dataSize + (c.dataSize & 1);
        EXPECT_EQ(readAll(path), expectedFile(c.bits, riffSize, c.factLost ? "junk" : "fact",
                                              c.factLost ? 0xFFFFFFFF : c.dataSize / align, data))
            << c.name;
    }
    HMMIO none = nullptr;
    MMCKINFO chunk = {}, riff = {};
    MMIOINFO buffer = {};
    EXPECT_EQ(WaveWriter::close(none, chunk, riff, buffer, 5), 0u);
}

} // namespace
