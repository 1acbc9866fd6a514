#include "multimedia/soundengine/KSoundManager.h"

#include "multimedia/KAbstractMedia.h"
#include "multimedia/soundengine/SoundGraphWin32.h"
#include "multimedia/soundengine/KSoundBuffer.h"
#include "multimedia/soundengine/KSoundSupport.h"
#include "multimedia/soundengine/KStreamingSound.h"
#include "multimedia/soundengine/KWaveFile.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include <dsound.h>

namespace {
// The platform waits for at most this many handles besides the message queue.
constexpr DWORD kMostStreamedSounds = MAXIMUM_WAIT_OBJECTS - 1;

uint32 readLittleLong(const uint8* P)
{
    return uint32(P[0]) | uint32(P[1]) << 8 | uint32(P[2]) << 16 | uint32(P[3]) << 24;
}

bool hasID(const uint8* P, const char* ID) { return std::memcmp(P, ID, 4) == 0; }

// The format of a resource as DirectSound reads it: at least the 18-byte header, zeros
// where the chunk is shorter, and extra bytes only as far as the chunk holds them.
std::vector<uint8> formatOfResource(const KSoundManager::WaveResourceParts& Parts)
{
    std::vector<uint8> format(sizeof(WAVEFORMATEX), 0);
    std::memcpy(format.data(), Parts.format, std::min<uint32>(Parts.formatSize, sizeof(WAVEFORMATEX)));
    auto* header = reinterpret_cast<WAVEFORMATEX*>(format.data());
    if (header->wFormatTag == WAVE_FORMAT_PCM || Parts.formatSize < sizeof(WAVEFORMATEX)
        || sizeof(WAVEFORMATEX) + header->cbSize > Parts.formatSize) {
        header->cbSize = 0;
        return format;
    }
    format.insert(format.end(), Parts.format + sizeof(WAVEFORMATEX), Parts.format + sizeof(WAVEFORMATEX) + header->cbSize);
    return format;
}

// Refills the streamed buffer of the sound whose event fired.
void refillStreamedSound(KSoundEngineRecord& Record, DWORD Index)
{
    if (!Record.sounds.hasObject(nullptr) || static_cast<long>(Index) >= Record.sounds->getCount())
        return;
    auto& sound = static_cast<KAbstractMedia&>((*Record.sounds)[Index]);
    auto* graph = static_cast<KSoundGraphRecord*>(sound.getNativeHandle());
    if (graph && graph->streamedSound)
        graph->streamedSound->handleNotification(sound.isLooping());
}
} // namespace

KSoundManager::KSoundManager() = default;

KSoundManager::~KSoundManager()
{
    if (m_directSound)
        m_directSound->Release();
}

long KSoundManager::initialize(void* Window, uint32 CooperativeLevel, uint16 Channels, uint32 SamplesPerSecond,
                               uint16 BitsPerSample)
{
    if (m_directSound) {
        m_directSound->Release();
        m_directSound = nullptr;
    }
    HRESULT result = DirectSoundCreate8(nullptr, &m_directSound, nullptr);
    if (FAILED(result)) {
        m_directSound = nullptr;
        return result;
    }
    result = m_directSound->SetCooperativeLevel(static_cast<HWND>(Window), CooperativeLevel);
    if (FAILED(result))
        return result;
    return setPrimaryBufferFormat(Channels, SamplesPerSecond, BitsPerSample);
}

long KSoundManager::setPrimaryBufferFormat(uint16 Channels, uint32 SamplesPerSecond, uint16 BitsPerSample)
{
    if (!m_directSound)
        return CO_E_NOTINITIALIZED;
    DSBUFFERDESC description = {};
    description.dwSize = sizeof description;
    description.dwFlags = DSBCAPS_PRIMARYBUFFER;
    IDirectSoundBuffer* primary = nullptr;
    HRESULT result = m_directSound->CreateSoundBuffer(&description, &primary, nullptr);
    if (FAILED(result))
        return result;
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = Channels;
    format.nSamplesPerSec = SamplesPerSecond;
    format.wBitsPerSample = BitsPerSample;
    format.nBlockAlign = static_cast<WORD>(BitsPerSample / 8 * Channels);
    format.nAvgBytesPerSec = format.nBlockAlign * SamplesPerSecond;
    result = primary->SetFormat(&format);
    primary->Release();
    return result;
}

long KSoundManager::makeSound(KSoundBuffer** Out, KWaveFile* Wave, uint32 Flags, const GUID* Algorithm, long Count)
{
    if (Wave->getSize() == 0)
        return E_FAIL;
    std::vector<IDirectSoundBuffer*> buffers(Count, nullptr);
    auto releaseAll = [&buffers]() {
        for (IDirectSoundBuffer* buffer : buffers) {
            if (buffer)
                buffer->Release();
        }
    };
    DSBUFFERDESC description = {};
    description.dwSize = sizeof description;
    description.dwFlags = Flags;
    description.dwBufferBytes = Wave->getSize();
    description.lpwfxFormat = const_cast<WAVEFORMATEX*>(Wave->getFormat());
    description.guid3DAlgorithm = Algorithm ? *Algorithm : GUID_NULL;
    HRESULT result = m_directSound->CreateSoundBuffer(&description, &buffers[0], nullptr);
    if (FAILED(result))
        return result;
    const HRESULT outcome = result == DS_NO_VIRTUALIZATION ? result : S_OK;
    for (long i = 1; i < Count; ++i) {
        result = m_directSound->DuplicateSoundBuffer(buffers[0], &buffers[i]);
        if (FAILED(result)) {
            releaseAll();
            return result;
        }
    }
    *Out = new (std::nothrow) KSoundBuffer(buffers.data(), Wave->getSize(), Count, Wave);
    if (!*Out) {
        releaseAll();
        return E_OUTOFMEMORY;
    }
    return outcome;
}

long KSoundManager::createSound(KSoundBuffer** Out, const char* Name, uint32 Flags, const GUID* Algorithm, long Count)
{
    if (!m_directSound)
        return CO_E_NOTINITIALIZED;
    if (!Name || !Out || Count < 1)
        return E_INVALIDARG;
    *Out = nullptr;
    auto* wave = new (std::nothrow) KWaveFile;
    if (!wave)
        return E_OUTOFMEMORY;
    HRESULT result = wave->open(Name, KWaveFile::ReadMode);
    if (SUCCEEDED(result))
        result = makeSound(Out, wave, Flags, Algorithm, Count);
    if (FAILED(result))
        delete wave;
    return result;
}

long KSoundManager::createSoundFromMemory(KSoundBuffer** Out, const uint8* Data, uint32 Size, const WAVEFORMATEX* Format,
                                          uint32 Flags, const GUID* Algorithm, long Count)
{
    if (!m_directSound)
        return CO_E_NOTINITIALIZED;
    if (!Data || !Format || !Out || Count < 1)
        return E_INVALIDARG;
    *Out = nullptr;
    auto* wave = new (std::nothrow) KWaveFile;
    if (!wave)
        return E_OUTOFMEMORY;
    HRESULT result = wave->openFromMemory(Data, Size, Format, KWaveFile::ReadMode);
    if (SUCCEEDED(result))
        result = makeSound(Out, wave, Flags, Algorithm, Count);
    if (FAILED(result))
        delete wave;
    return result;
}

long KSoundManager::createSoundFromResource(KSoundBuffer** Out, short ResID)
{
    if (!Out)
        return E_INVALIDARG;
    *Out = nullptr;
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(static_cast<WORD>(ResID)), "WAV");
    HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    const auto* bytes = loaded ? static_cast<const uint8*>(LockResource(loaded)) : nullptr;
    WaveResourceParts parts;
    if (!bytes || !parseWaveResource(bytes, SizeofResource(nullptr, resource), parts))
        return S_OK;
    const std::vector<uint8> format = formatOfResource(parts);
    return createSoundFromMemory(Out, parts.samples, parts.sampleSize, reinterpret_cast<const WAVEFORMATEX*>(format.data()),
                                 kStaticSoundFlags, nullptr, 1);
}

bool KSoundManager::parseWaveResource(const uint8* Bytes, uint32 Size, WaveResourceParts& Out)
{
    Out = WaveResourceParts();
    if (!Bytes || Size < 12 || !hasID(Bytes, "RIFF") || !hasID(Bytes + 8, "WAVE"))
        return false;
    // The walk stays inside both the RIFF chunk and the resource, whatever the sizes say.
    const uint32 end = static_cast<uint32>(std::min<uint64_t>(Size, uint64_t(8) + readLittleLong(Bytes + 4)));
    uint32 position = 12;
    while (position + 8 <= end && (!Out.format || !Out.samples)) {
        const uint8* chunk = Bytes + position;
        const uint32 size = readLittleLong(chunk + 4);
        const uint32 available = end - position - 8;
        if (hasID(chunk, "fmt ") && !Out.format) {
            if (size < 14 || size > available)
                return false;
            Out.format = chunk + 8;
            Out.formatSize = size;
        } else if (hasID(chunk, "data") && !Out.samples) {
            Out.samples = chunk + 8;
            Out.sampleSize = std::min(size, available);
        }
        const uint64_t next = uint64_t(position) + 8 + size + (size & 1);
        if (next > end)
            break;
        position = static_cast<uint32>(next);
    }
    return Out.format && Out.samples;
}

unsigned long __stdcall KSoundManager::streamingThread(void* Ready)
{
    // The queue exists once the thread has asked for a message; only then can the GUI
    // thread's messages reach it.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    SetEvent(static_cast<HANDLE>(Ready));
    bool quit = false;
    while (!quit) {
        if (!KSoundSupport::exists())
            return 0;
        KSoundEngineRecord& record = KSoundSupport::getInstance().getEngineRecord();
        HANDLE events[kMostStreamedSounds];
        DWORD count = 0;
        if (record.events.hasObject(nullptr)) {
            count = static_cast<DWORD>(std::min<long>(record.events->getCount(), kMostStreamedSounds));
            for (DWORD i = 0; i < count; ++i)
                events[i] = reinterpret_cast<HANDLE>(record.events->getDirectDataAt(static_cast<long>(i)));
        }
        const DWORD woken = MsgWaitForMultipleObjects(count, events, FALSE, INFINITE, QS_ALLEVENTS);
        if (woken < WAIT_OBJECT_0 + count)
            refillStreamedSound(record, woken - WAIT_OBJECT_0);
        else if (woken == WAIT_OBJECT_0 + count) {
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT)
                    quit = true;
            }
        }
    }
    return 0;
}

void KSoundManager::wakeThread()
{
    if (!KSoundSupport::exists())
        return;
    const KSoundEngineRecord& record = KSoundSupport::getInstance().getEngineRecord();
    if (record.threadID != 0)
        PostThreadMessageA(record.threadID, WM_COMMAND, 0, 0);
}
