#include "multimedia/soundengine/KWaveFile.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {
constexpr uint32 kPcmFormatSize = 16;
constexpr uint32 kFormatHeaderSize = 18;

WAVEFORMATEX* allocateFormat(uint32 Size)
{
    auto* bytes = new (std::nothrow) uint8[std::max(Size, kFormatHeaderSize)]();
    return reinterpret_cast<WAVEFORMATEX*>(bytes);
}
} // namespace

KWaveFile::KWaveFile() = default;

KWaveFile::~KWaveFile()
{
    close();
    freeFormat();
}

void KWaveFile::freeFormat()
{
    delete[] reinterpret_cast<uint8*>(m_format);
    m_format = nullptr;
}

uint8 KWaveFile::getSilence() const { return m_format && m_format->wBitsPerSample == 8 ? 0x80 : 0; }

HRESULT KWaveFile::open(const char* Name, uint32 OpenMode)
{
    if (!Name)
        return E_INVALIDARG;
    if (OpenMode != ReadMode)
        return E_NOTIMPL;
    close();
    freeFormat();
    m_mode = OpenMode;
    m_fromMemory = false;
    char name[MAX_PATH + 1] = {};
    std::strncpy(name, Name, MAX_PATH);
    m_mmio = mmioOpenA(name, nullptr, MMIO_ALLOCBUF | MMIO_READ);
    if (!m_mmio) {
        HRESULT result = openResource(Name);
        if (FAILED(result))
            return result;
    }
    HRESULT result = readHeader();
    if (FAILED(result))
        return result;
    result = resetFile();
    if (FAILED(result))
        return result;
    m_dataSize = m_chunk.cksize;
    return S_OK;
}

HRESULT KWaveFile::openResource(const char* Name)
{
    HRSRC resource = FindResourceA(nullptr, Name, "WAVE");
    if (!resource)
        resource = FindResourceA(nullptr, Name, "WAV");
    if (!resource)
        return E_FAIL;
    HGLOBAL loaded = LoadResource(nullptr, resource);
    const DWORD size = SizeofResource(nullptr, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0)
        return E_FAIL;
    m_resourceCopy = new (std::nothrow) uint8[size];
    if (!m_resourceCopy)
        return E_OUTOFMEMORY;
    std::memcpy(m_resourceCopy, bytes, size);
    MMIOINFO info = {};
    info.fccIOProc = FOURCC_MEM;
    info.pchBuffer = reinterpret_cast<HPSTR>(m_resourceCopy);
    info.cchBuffer = static_cast<LONG>(size);
    m_mmio = mmioOpenA(nullptr, &info, MMIO_READ);
    return m_mmio ? S_OK : E_FAIL;
}

HRESULT KWaveFile::openFromMemory(const uint8* Data, uint32 Size, const WAVEFORMATEX* Format, uint32 OpenMode)
{
    if (OpenMode != ReadMode)
        return E_NOTIMPL;
    if (!Data || !Format)
        return E_INVALIDARG;
    close();
    freeFormat();
    // The format is kept as long as the sound, which may outlive the caller's copy.
    const uint32 formatSize = Format->wFormatTag == WAVE_FORMAT_PCM ? kFormatHeaderSize : kFormatHeaderSize + Format->cbSize;
    m_format = allocateFormat(formatSize);
    if (!m_format)
        return E_OUTOFMEMORY;
    std::memcpy(m_format, Format, Format->wFormatTag == WAVE_FORMAT_PCM ? kPcmFormatSize : formatSize);
    m_mode = OpenMode;
    m_fromMemory = true;
    m_memoryData = const_cast<uint8*>(Data);
    m_memorySize = Size;
    m_memoryPosition = 0;
    m_dataSize = Size;
    return S_OK;
}

HRESULT KWaveFile::failHeader()
{
    freeFormat();
    close();
    return E_FAIL;
}

HRESULT KWaveFile::readHeader()
{
    if (!m_mmio)
        return CO_E_NOTINITIALIZED;
    freeFormat();
    if (mmioDescend(m_mmio, &m_riff, nullptr, 0) != 0)
        return failHeader();
    if (m_riff.ckid != FOURCC_RIFF || m_riff.fccType != mmioFOURCC('W', 'A', 'V', 'E'))
        return failHeader();
    MMCKINFO formatChunk = {};
    formatChunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (mmioDescend(m_mmio, &formatChunk, &m_riff, MMIO_FINDCHUNK) != 0)
        return failHeader();
    if (formatChunk.cksize < kPcmFormatSize)
        return failHeader();
    PCMWAVEFORMAT pcm = {};
    if (mmioRead(m_mmio, reinterpret_cast<HPSTR>(&pcm), kPcmFormatSize) != static_cast<LONG>(kPcmFormatSize))
        return failHeader();
    if (pcm.wf.wFormatTag == WAVE_FORMAT_PCM) {
        m_format = allocateFormat(kFormatHeaderSize);
        if (!m_format)
            return failHeader();
        std::memcpy(m_format, &pcm, kPcmFormatSize);
        m_format->cbSize = 0;
    } else {
        // The extra bytes are read only from within the chunk: a chunk of 16 bytes has
        // none, and a count that runs past the chunk would take the next chunk's bytes.
        WORD extra = 0;
        if (formatChunk.cksize >= kFormatHeaderSize
            && mmioRead(m_mmio, reinterpret_cast<HPSTR>(&extra), sizeof extra) != static_cast<LONG>(sizeof extra))
            return failHeader();
        if (kFormatHeaderSize + extra > std::max<DWORD>(formatChunk.cksize, kFormatHeaderSize))
            return failHeader();
        m_format = allocateFormat(kFormatHeaderSize + extra);
        if (!m_format)
            return failHeader();
        std::memcpy(m_format, &pcm, kPcmFormatSize);
        m_format->cbSize = extra;
        if (extra > 0
            && mmioRead(m_mmio, reinterpret_cast<HPSTR>(m_format) + kFormatHeaderSize, extra) != static_cast<LONG>(extra))
            return failHeader();
    }
    if (mmioAscend(m_mmio, &formatChunk, 0) != 0)
        return failHeader();
    return S_OK;
}

void KWaveFile::limitChunkToFile(MMCKINFO& Chunk)
{
    const LONG end = mmioSeek(m_mmio, 0, SEEK_END);
    mmioSeek(m_mmio, static_cast<LONG>(Chunk.dwDataOffset), SEEK_SET);
    if (end < 0 || static_cast<DWORD>(end) < Chunk.dwDataOffset)
        Chunk.cksize = 0;
    else
        Chunk.cksize = std::min<DWORD>(Chunk.cksize, static_cast<DWORD>(end) - Chunk.dwDataOffset);
}

HRESULT KWaveFile::resetFile()
{
    if (m_fromMemory) {
        m_memoryPosition = 0;
        return S_OK;
    }
    if (!m_mmio)
        return CO_E_NOTINITIALIZED;
    if (mmioSeek(m_mmio, static_cast<LONG>(m_riff.dwDataOffset + sizeof(FOURCC)), SEEK_SET) == -1)
        return E_FAIL;
    m_chunk = {};
    m_chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(m_mmio, &m_chunk, &m_riff, MMIO_FINDCHUNK) != 0)
        return E_FAIL;
    limitChunkToFile(m_chunk);
    return S_OK;
}

HRESULT KWaveFile::read(uint8* Buffer, uint32 Size, uint32* SizeRead)
{
    if (m_fromMemory) {
        if (!Buffer || !SizeRead)
            return E_INVALIDARG;
        const uint32 count = std::min(Size, m_memorySize - m_memoryPosition);
        std::memcpy(Buffer, m_memoryData + m_memoryPosition, count);
        m_memoryPosition += count;
        *SizeRead = count;
        return S_OK;
    }
    if (!m_mmio)
        return CO_E_NOTINITIALIZED;
    if (!Buffer || !SizeRead)
        return E_INVALIDARG;
    *SizeRead = 0;
    MMIOINFO info = {};
    if (mmioGetInfo(m_mmio, &info, 0) != 0)
        return E_FAIL;
    const uint32 wanted = std::min<uint32>(Size, m_chunk.cksize);
    m_chunk.cksize -= wanted;
    uint32 done = 0;
    HRESULT result = S_OK;
    while (done < wanted) {
        if (info.pchNext == info.pchEndRead) {
            if (mmioAdvance(m_mmio, &info, MMIO_READ) != 0 || info.pchNext == info.pchEndRead) {
                result = E_FAIL;
                break;
            }
        }
        const uint32 count = std::min<uint32>(wanted - done, static_cast<uint32>(info.pchEndRead - info.pchNext));
        std::memcpy(Buffer + done, info.pchNext, count);
        info.pchNext += count;
        done += count;
    }
    mmioSetInfo(m_mmio, &info, 0);
    *SizeRead = done;
    return result;
}

HRESULT KWaveFile::close()
{
    if (m_mmio) {
        mmioClose(m_mmio, 0);
        m_mmio = nullptr;
    }
    delete[] m_resourceCopy;
    m_resourceCopy = nullptr;
    m_fromMemory = false;
    m_memoryData = nullptr;
    return S_OK;
}
