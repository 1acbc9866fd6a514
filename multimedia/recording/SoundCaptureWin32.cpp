#include "multimedia/recording/SoundCaptureWin32.h"

#include "multimedia/recording/WaveWriterWin32.h"

#include <windows.h>

#include <dsound.h>

namespace {
constexpr UINT kPollPeriod = 33;
constexpr DWORD kAnyClassContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

// 22,050 Hz mono 16-bit; the fallback for devices without it.
constexpr WAVEFORMATEX kPreferredFormat = {WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
constexpr WAVEFORMATEX kFallbackFormat = {WAVE_FORMAT_PCM, 1, 11025, 11025, 1, 8, 0};

struct CaptureState {
    IDirectSoundCapture* capture = nullptr;
    IDirectSoundCaptureBuffer* buffer = nullptr;
    IDirectSoundNotify* notify = nullptr;
    // Made once and kept: nothing waits on them, but the buffer must have somewhere to
    // signal its halves.
    HANDLE events[2] = {};
    DSCBUFFERDESC description = {};
    DSBPOSITIONNOTIFY positions[2] = {};
    WAVEFORMATEX format = kPreferredFormat;
    HMMIO file = nullptr;
    MMCKINFO chunk = {};
    MMCKINFO riff = {};
    MMIOINFO fileBuffer = {};
    uint32 bytesWritten = 0;
    UINT_PTR timer = 0;
    uint32 nextOffset = 0;
    SoundCapture::CaptureFactory factory = nullptr;
};

CaptureState& state()
{
    static CaptureState s;
    return s;
}

template <typename Interface>
void releaseInterface(Interface*& I)
{
    if (I)
        I->Release();
    I = nullptr;
}

HRESULT createCaptureObject(DWORD Context, IDirectSoundCapture** Out)
{
    if (state().factory)
        return state().factory(Context, Out);
    return CoCreateInstance(CLSID_DirectSoundCapture, nullptr, Context, IID_IDirectSoundCapture,
                            reinterpret_cast<void**>(Out));
}

bool failInit()
{
    CaptureState& s = state();
    releaseInterface(s.notify);
    releaseInterface(s.buffer);
    releaseInterface(s.capture);
    return false;
}

void CALLBACK pollOnTimer(HWND, UINT, UINT_PTR, DWORD) { SoundCapture::poll(); }

uint32 sampleCount()
{
    const CaptureState& s = state();
    return s.bytesWritten / (s.format.wBitsPerSample / 8);
}

// A file that could not be made ready is not left behind, whole or not.
bool dropFile(const char* Path, uint32 Samples)
{
    CaptureState& s = state();
    if (s.file)
        WaveWriter::close(s.file, s.chunk, s.riff, s.fileBuffer, Samples);
    DeleteFileA(Path);
    s.file = nullptr;
    return false;
}

void append(const void* Bytes, DWORD Count)
{
    CaptureState& s = state();
    uint32 written = 0;
    if (WaveWriter::write(s.file, Count, static_cast<const uint8*>(Bytes), written, s.fileBuffer) != 0)
        OutputDebugStringA("Failure writing data to file\n");
    s.bytesWritten += written;
}
} // namespace

namespace SoundCapture {

bool init()
{
    CaptureState& s = state();
    // The record dialog opens the device each time it opens; what an earlier open made
    // would otherwise stay held for the rest of the process.
    release();
    if (FAILED(createCaptureObject(kAnyClassContext, &s.capture))
        && FAILED(createCaptureObject(CLSCTX_INPROC_SERVER, &s.capture))) {
        s.capture = nullptr;
        return false;
    }
    s.capture->Initialize(nullptr);
    DSCCAPS caps = {};
    caps.dwSize = sizeof caps;
    if (FAILED(s.capture->GetCaps(&caps)))
        return failInit();
    if (!(caps.dwFormats & WAVE_FORMAT_2M16))
        s.format = kFallbackFormat;
    s.description = {};
    s.description.dwSize = sizeof s.description;
    s.description.dwBufferBytes = s.format.nAvgBytesPerSec;
    s.description.lpwfxFormat = &s.format;
    if (FAILED(s.capture->CreateCaptureBuffer(&s.description, &s.buffer, nullptr)))
        return failInit();
    for (HANDLE& event : s.events) {
        if (!event)
            event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        if (!event)
            return failInit();
    }
    s.positions[0] = {0, s.events[0]};
    s.positions[1] = {s.description.dwBufferBytes / 2, s.events[1]};
    if (FAILED(s.buffer->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<void**>(&s.notify)))) {
        s.notify = nullptr;
        return failInit();
    }
    if (FAILED(s.notify->SetNotificationPositions(2, s.positions)))
        return failInit();
    return true;
}

void release()
{
    CaptureState& s = state();
    releaseInterface(s.notify);
    releaseInterface(s.buffer);
    releaseInterface(s.capture);
}

bool startRecording(const char* Path, bool WithTimer)
{
    CaptureState& s = state();
    if (!s.buffer)
        return false;
    if (WaveWriter::create(Path, s.file, s.format, s.chunk, s.riff) != 0)
        return dropFile(Path, 0);
    if (WaveWriter::startData(s.file, s.chunk, s.fileBuffer) != 0)
        return dropFile(Path, sampleCount());
    if (FAILED(s.buffer->Start(DSCBSTART_LOOPING)))
        return dropFile(Path, 0);
    s.bytesWritten = 0;
    // The take begins with what is captured from now on, not with what a buffer held
    // from an earlier recording.
    DWORD readPosition = 0;
    if (SUCCEEDED(s.buffer->GetCurrentPosition(nullptr, &readPosition)))
        s.nextOffset = readPosition % s.description.dwBufferBytes;
    if (WithTimer)
        s.timer = SetTimer(nullptr, 0, kPollPeriod, &pollOnTimer);
    return true;
}

bool poll()
{
    CaptureState& s = state();
    if (!s.buffer)
        return false;
    const DWORD size = s.description.dwBufferBytes;
    DWORD readPosition = 0;
    if (FAILED(s.buffer->GetCurrentPosition(nullptr, &readPosition)))
        return true;
    if (readPosition < s.nextOffset)
        readPosition += size;
    const DWORD span = readPosition - s.nextOffset;
    if (span == 0)
        return true;
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstSize = 0;
    DWORD secondSize = 0;
    if (FAILED(s.buffer->Lock(s.nextOffset, span, &first, &firstSize, &second, &secondSize, 0))) {
        OutputDebugStringA("Capture lock failure");
    } else {
        if (s.file) {
            append(first, firstSize);
            if (second)
                append(second, secondSize);
        }
        s.buffer->Unlock(first, firstSize, second, secondSize);
    }
    s.nextOffset += span;
    if (s.nextOffset >= size)
        s.nextOffset -= size;
    return true;
}

bool stopRecording()
{
    CaptureState& s = state();
    if (s.timer) {
        KillTimer(nullptr, s.timer);
        s.timer = 0;
    }
    if (s.buffer) {
        s.buffer->Stop();
        poll();
    }
    if (s.file)
        WaveWriter::close(s.file, s.chunk, s.riff, s.fileBuffer, sampleCount());
    s.file = nullptr;
    return true;
}

bool hasCaptureBuffer() { return state().buffer != nullptr; }
bool isPolling() { return state().timer != 0; }
uint32 getBytesWritten() { return state().bytesWritten; }
uint32 getNextOffset() { return state().nextOffset; }
uint32 getSamplesPerSecond() { return state().format.nSamplesPerSec; }
uint16 getBitsPerSample() { return state().format.wBitsPerSample; }
void setCaptureFactory(CaptureFactory Factory) { state().factory = Factory; }

} // namespace SoundCapture
