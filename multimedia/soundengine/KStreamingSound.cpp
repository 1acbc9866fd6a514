#include "multimedia/soundengine/KStreamingSound.h"

#include "multimedia/soundengine/KWaveFile.h"

#include <cstring>

#include <dsound.h>


KStreamingSound::KStreamingSound(IDirectSoundBuffer* Buffer, uint32 BufferSize, KWaveFile* Wave, uint32 NotifySize)
    : KSoundBuffer(&Buffer, BufferSize, 1, Wave)
    , m_notifySize(NotifySize)
{
}

KStreamingSound::~KStreamingSound() = default;

long KStreamingSound::handleNotification(bool Loop)
{
    IDirectSoundBuffer* buffer = getBuffer(0);
    KWaveFile* wave = getWaveFile();
    if (!buffer || !wave)
        return CO_E_NOTINITIALIZED;
    bool restored = false;
    HRESULT result = restoreAndRefill(buffer, &restored);
    if (FAILED(result) || restored)
        return result;

    void* bytes = nullptr;
    void* wrapped = nullptr;
    DWORD size = 0;
    DWORD wrappedSize = 0;
    result = buffer->Lock(m_nextWriteOffset, m_notifySize, &bytes, &size, &wrapped, &wrappedSize, 0);
    if (FAILED(result))
        return result;
    if (wrapped) {
        buffer->Unlock(bytes, size, wrapped, wrappedSize);
        return E_UNEXPECTED;
    }
    if (m_fillWithSilence) {
        std::memset(bytes, wave->getSilence(), size);
    } else if (fillFromWave(static_cast<uint8*>(bytes), size, Loop) && !Loop) {
        m_fillWithSilence = true;
    }
    buffer->Unlock(bytes, size, nullptr, 0);

    DWORD playCursor = 0;
    buffer->GetCurrentPosition(&playCursor, nullptr);
    const uint32 bufferSize = getBufferSize();
    m_playProgress += playCursor >= m_lastPlayPosition ? playCursor - m_lastPlayPosition
                                                       : bufferSize - m_lastPlayPosition + playCursor;
    m_lastPlayPosition = playCursor;
    if (m_fillWithSilence && m_playProgress >= wave->getSize())
        buffer->Stop();
    if (bufferSize > 0)
        m_nextWriteOffset = (m_nextWriteOffset + size) % bufferSize;
    return S_OK;
}

long KStreamingSound::reset()
{
    IDirectSoundBuffer* buffer = getBuffer(0);
    KWaveFile* wave = getWaveFile();
    if (!buffer || !wave)
        return CO_E_NOTINITIALIZED;
    m_lastPlayPosition = 0;
    m_playProgress = 0;
    m_nextWriteOffset = 0;
    m_fillWithSilence = false;
    HRESULT result = restoreAndRefill(buffer, nullptr);
    if (FAILED(result))
        return result;
    result = wave->resetFile();
    if (FAILED(result))
        return result;
    return buffer->SetCurrentPosition(0);
}
