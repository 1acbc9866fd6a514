#include "multimedia/soundengine/KSoundBuffer.h"

#include "multimedia/soundengine/KWaveFile.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

#include <dsound.h>

namespace {
// The GUI thread waits at most four pauses of 10 ms for a lost buffer to come back.
constexpr int kRestoreTries = 5;
constexpr DWORD kRestorePause = 10;
} // namespace

KSoundBuffer::KSoundBuffer(IDirectSoundBuffer** Buffers, uint32 BufferSize, long Count, KWaveFile* Wave)
    : m_bufferSize(BufferSize)
    , m_wave(Wave)
{
    if (Buffers && Count > 0) {
        m_buffers = new (std::nothrow) IDirectSoundBuffer*[Count];
        if (m_buffers) {
            m_count = Count;
            std::memcpy(m_buffers, Buffers, sizeof(IDirectSoundBuffer*) * Count);
        }
    }
    fillBuffer(getBuffer(0), false);
    reset();
}

KSoundBuffer::~KSoundBuffer()
{
    for (long i = 0; i < m_count; ++i) {
        if (m_buffers[i])
            m_buffers[i]->Release();
    }
    delete[] m_buffers;
    if (m_wave) {
        m_wave->close();
        delete m_wave;
    }
}

IDirectSoundBuffer* KSoundBuffer::getBuffer(long Index) const
{
    if (!m_buffers || Index < 0 || Index >= m_count)
        return nullptr;
    return m_buffers[Index];
}

IDirectSoundBuffer* KSoundBuffer::getFreeBuffer() const
{
    if (!m_buffers)
        return nullptr;
    for (long i = 0; i < m_count; ++i) {
        DWORD status = 0;
        if (m_buffers[i] && SUCCEEDED(m_buffers[i]->GetStatus(&status)) && !(status & DSBSTATUS_PLAYING))
            return m_buffers[i];
    }
    return m_buffers[std::rand() % m_count];
}

long KSoundBuffer::play(uint32 Priority, uint32 Flags)
{
    if (!m_buffers)
        return CO_E_NOTINITIALIZED;
    IDirectSoundBuffer* buffer = getFreeBuffer();
    if (!buffer)
        return E_FAIL;
    bool restored = false;
    HRESULT result = restoreAndRefill(buffer, &restored);
    if (FAILED(result))
        return result;
    if (restored)
        reset();
    return buffer->Play(0, Priority, Flags);
}

long KSoundBuffer::stop()
{
    if (!m_buffers)
        return CO_E_NOTINITIALIZED;
    HRESULT result = S_OK;
    for (long i = 0; i < m_count; ++i) {
        if (m_buffers[i])
            result |= m_buffers[i]->Stop();
    }
    return result;
}

long KSoundBuffer::reset()
{
    if (!m_buffers)
        return CO_E_NOTINITIALIZED;
    HRESULT result = S_OK;
    for (long i = 0; i < m_count; ++i) {
        if (m_buffers[i])
            result |= m_buffers[i]->SetCurrentPosition(0);
    }
    return result;
}

bool KSoundBuffer::isPlaying() const
{
    for (long i = 0; i < m_count; ++i) {
        DWORD status = 0;
        if (m_buffers[i] && SUCCEEDED(m_buffers[i]->GetStatus(&status)) && (status & DSBSTATUS_PLAYING))
            return true;
    }
    return false;
}

long KSoundBuffer::setVolume(long Level)
{
    if (!m_buffers)
        return CO_E_NOTINITIALIZED;
    for (long i = 0; i < m_count; ++i) {
        HRESULT result = m_buffers[i] ? m_buffers[i]->SetVolume(Level) : E_FAIL;
        if (FAILED(result))
            return result;
    }
    return S_OK;
}

bool KSoundBuffer::setPan(double Pan)
{
    if (!m_buffers)
        return false;
    const auto level = static_cast<LONG>(std::trunc(Pan * 10000.0));
    for (long i = 0; i < m_count; ++i) {
        if (!m_buffers[i] || FAILED(m_buffers[i]->SetPan(level)))
            return false;
    }
    return true;
}

long KSoundBuffer::restoreBuffer(IDirectSoundBuffer* Buffer, bool* Restored)
{
    if (!Buffer)
        return CO_E_NOTINITIALIZED;
    if (Restored)
        *Restored = false;
    DWORD status = 0;
    HRESULT result = Buffer->GetStatus(&status);
    if (FAILED(result))
        return result;
    if (!(status & DSBSTATUS_BUFFERLOST))
        return S_FALSE;
    // A buffer stays lost while another program holds the device, which may be for good:
    // a few tries, then the caller hears that it is still lost.
    for (int tries = 1; (result = Buffer->Restore()) == DSERR_BUFFERLOST && tries < kRestoreTries; ++tries)
        Sleep(kRestorePause);
    if (FAILED(result))
        return result;
    if (Restored)
        *Restored = true;
    return S_OK;
}

long KSoundBuffer::restoreAndRefill(IDirectSoundBuffer* Buffer, bool* Restored)
{
    bool restored = false;
    HRESULT result = restoreBuffer(Buffer, &restored);
    if (SUCCEEDED(result) && restored)
        result = fillBuffer(Buffer, false);
    if (Restored)
        *Restored = restored;
    return result;
}

bool KSoundBuffer::fillFromWave(uint8* Bytes, uint32 Count, bool Repeat)
{
    uint32 done = 0;
    m_wave->read(Bytes, Count, &done);
    const bool ranOut = done < Count;
    while (done < Count && Repeat) {
        m_wave->resetFile();
        uint32 more = 0;
        m_wave->read(Bytes + done, Count - done, &more);
        // Data that gives nothing more (none at all, or a read that fails) must not keep
        // the loop going.
        if (more == 0)
            break;
        done += more;
    }
    if (done < Count)
        std::memset(Bytes + done, m_wave->getSilence(), Count - done);
    return ranOut;
}

long KSoundBuffer::fillBuffer(IDirectSoundBuffer* Buffer, bool Repeat)
{
    if (!Buffer || !m_wave)
        return CO_E_NOTINITIALIZED;
    HRESULT result = restoreBuffer(Buffer, nullptr);
    if (FAILED(result))
        return result;
    void* bytes = nullptr;
    DWORD size = 0;
    result = Buffer->Lock(0, m_bufferSize, &bytes, &size, nullptr, nullptr, 0);
    if (FAILED(result))
        return result;
    m_wave->resetFile();
    fillFromWave(static_cast<uint8*>(bytes), size, Repeat);
    return Buffer->Unlock(bytes, size, nullptr, 0);
}
