// The capture engine over a stand-in device: the buffer and notifications made from the
// device's format, every way the device can fail to open, and the polls that empty the
// looping buffer into the file, wrapping at its end. Then the recorder over the test
// platform's own capture device, which records silence.
#include "multimedia/recording/KSoundRecorder.h"
#include "multimedia/recording/SoundCaptureWin32.h"
#include "tests/multimedia/MediaTestSupport.h"
#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <dsound.h>

#include <fstream>
#include <iterator>

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
    bool running = false;
};
Device& device()
{
    static Device d;
    return d;
}
HRESULT answer(Device::Failure F) { return device().failure == F ? E_FAIL : S_OK; }

template <typename Interface>
class Counted : public Interface {
public:
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

private:
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
        device().running = Flags == DSCBSTART_LOOPING && device().failure != Device::Start;
        return answer(Device::Start);
    }
    HRESULT STDMETHODCALLTYPE Stop() override { return (device().running = false), S_OK; }
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

Bytes readAll(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32 longAt(const Bytes& B, size_t At) { return B[At] | B[At + 1] << 8 | B[At + 2] << 16 | uint32(B[At + 3]) << 24; }

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
    // The take starts where the device stands, whatever an earlier take left.
    device().readPosition = 40000;
    ASSERT_TRUE(SoundCapture::startRecording(path.c_str(), false));
    EXPECT_TRUE(device().running);
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
    device().readPosition = 1501;
    EXPECT_TRUE(SoundCapture::stopRecording());
    EXPECT_FALSE(device().running);

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

TEST(SoundCapture, ATakeThatCannotStartLeavesNoFileAndAStoppedOneIsWhole)
{
    StandInScope scope;
    TemporaryFolder folder;
    ASSERT_TRUE(SoundCapture::init());
    EXPECT_FALSE(SoundCapture::startRecording(folder.file("none\\take.wav").c_str(), true));
    device().failure = Device::Start;
    EXPECT_FALSE(SoundCapture::startRecording(folder.file("refused.wav").c_str(), true));
    EXPECT_EQ(GetFileAttributesA(folder.file("refused.wav").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(SoundCapture::isPolling());
    // Stopped at once: no sound, but a whole file.
    device().failure = Device::None;
    ASSERT_TRUE(SoundCapture::startRecording(folder.file("empty.wav").c_str(), true));
    EXPECT_TRUE(SoundCapture::isPolling());
    EXPECT_TRUE(SoundCapture::stopRecording());
    EXPECT_FALSE(SoundCapture::isPolling());
    const Bytes file = readAll(folder.file("empty.wav"));
    ASSERT_EQ(file.size(), 56u);
    EXPECT_EQ(longAt(file, 4), 48u);
    EXPECT_EQ(longAt(file, 44), 0u);
}

TEST(SoundRecorder, RecordsFromTheDeviceWithTheMediaSupportsClosedMeanwhile)
{
    MediaScope scope(MediaScope::MainWindow | MediaScope::SoundEngine);
    TemporaryFolder folder;
    KSoundRecorder::initialize();
    KSoundRecorder& recorder = KSoundRecorder::getInstance();
    ASSERT_TRUE(recorder.open(KString("Microphone")));
    EXPECT_EQ(recorder.getName(), "Microphone");
    recorder.stopRecording();
    const std::string path = folder.file("take.wav");
    recorder.startRecording(fileReference(path));
    ASSERT_TRUE(recorder.isRecording());
    EXPECT_EQ(scope.manager().getOpenSupports(), 0u);
    EXPECT_FLOAT_EQ(recorder.getLevel(), 50.0f);
    // A second start changes nothing.
    recorder.startRecording(fileReference(folder.file("other.wav")));
    EXPECT_EQ(GetFileAttributesA(folder.file("other.wav").c_str()), INVALID_FILE_ATTRIBUTES);
    // The platform's capture thread moves on while the recorder's timer polls it.
    EXPECT_TRUE(pollUntil([] { return SoundCapture::getBytesWritten() >= 4410; }));
    recorder.stopRecording();
    EXPECT_FALSE(recorder.isRecording());
    EXPECT_NE(scope.manager().getOpenSupports(), 0u);

    const Bytes file = readAll(path);
    const uint32 size = SoundCapture::getBytesWritten();
    ASSERT_EQ(file.size(), 56u + size + (size & 1));
    EXPECT_EQ(std::vector<uint32>({longAt(file, 24), longAt(file, 44), longAt(file, 52)}),
              std::vector<uint32>({22050, size / 2, size}));
    EXPECT_EQ(Bytes(file.begin() + 56, file.begin() + 56 + size), Bytes(size, 0));

    // Closed, the device records nothing, and the supports open again.
    recorder.close();
    EXPECT_EQ(recorder.getName(), "");
    recorder.startRecording(fileReference(path));
    EXPECT_FALSE(recorder.isRecording());
    EXPECT_NE(scope.manager().getOpenSupports(), 0u);
    KSoundRecorder::terminate();
}

} // namespace
