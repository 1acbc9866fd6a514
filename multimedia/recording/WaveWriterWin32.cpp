#include "multimedia/recording/WaveWriterWin32.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr DWORD kOpenFlags = MMIO_ALLOCBUF | MMIO_READWRITE | MMIO_CREATE;
constexpr LONG kPcmFormatSize = 16;
// The count stands in the "fact" chunk until the file is closed, so that a file whose
// recording never ended tells its reader that the count is unknown.
constexpr DWORD kUnknownSampleCount = 0xFFFFFFFF;

LONG formatSize(const WAVEFORMATEX& Format)
{
    return Format.wFormatTag == WAVE_FORMAT_PCM ? kPcmFormatSize : static_cast<LONG>(sizeof(WAVEFORMATEX) + Format.cbSize);
}

bool writeAll(HMMIO File, const void* Bytes, LONG Size)
{
    return mmioWrite(File, static_cast<const char*>(Bytes), Size) == Size;
}
} // namespace

namespace WaveWriter {

MMRESULT create(const char* FileName, HMMIO& File, const WAVEFORMATEX& Format, MMCKINFO& Chunk, MMCKINFO& Riff)
{
    File = mmioOpenA(const_cast<char*>(FileName), nullptr, kOpenFlags);
    if (!File)
        return kWaveWriteFailure;
    Riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    Riff.cksize = 0;
    if (MMRESULT result = mmioCreateChunk(File, &Riff, MMIO_CREATERIFF))
        return result;
    Chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    Chunk.cksize = kPcmFormatSize;
    if (MMRESULT result = mmioCreateChunk(File, &Chunk, 0))
        return result;
    if (!writeAll(File, &Format, formatSize(Format)))
        return kWaveWriteFailure;
    if (MMRESULT result = mmioAscend(File, &Chunk, 0))
        return result;
    MMCKINFO fact = {};
    fact.ckid = mmioFOURCC('f', 'a', 'c', 't');
    if (MMRESULT result = mmioCreateChunk(File, &fact, 0))
        return result;
    if (!writeAll(File, &kUnknownSampleCount, sizeof kUnknownSampleCount))
        return kWaveWriteFailure;
    return mmioAscend(File, &fact, 0) ? kWaveWriteFailure : 0;
}

MMRESULT startData(HMMIO File, MMCKINFO& Chunk, MMIOINFO& Buffer)
{
    Chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    Chunk.cksize = 0;
    if (MMRESULT result = mmioCreateChunk(File, &Chunk, 0))
        return result;
    return mmioGetInfo(File, &Buffer, 0);
}

MMRESULT write(HMMIO File, uint32 Count, const uint8* Source, uint32& Written, MMIOINFO& Buffer)
{
    Written = 0;
    while (Written < Count) {
        if (Buffer.pchNext >= Buffer.pchEndWrite) {
            // The buffer is full: it goes to the file and comes back empty.
            Buffer.dwFlags |= MMIO_DIRTY;
            if (MMRESULT result = mmioAdvance(File, &Buffer, MMIO_WRITE))
                return result;
        }
        const auto room = static_cast<uint32>(Buffer.pchEndWrite - Buffer.pchNext);
        if (room == 0)
            return MMIOERR_CANNOTWRITE;
        const uint32 run = std::min(room, Count - Written);
        std::memcpy(Buffer.pchNext, Source + Written, run);
        Buffer.pchNext += run;
        Written += run;
    }
    return 0;
}

MMRESULT close(HMMIO& File, MMCKINFO& Chunk, MMCKINFO& Riff, MMIOINFO& Buffer, uint32 SampleCount)
{
    if (!File)
        return 0;
    Buffer.dwFlags |= MMIO_DIRTY;
    MMRESULT result = mmioSetInfo(File, &Buffer, 0);
    if (!result)
        result = mmioAscend(File, &Chunk, 0);
    if (!result)
        result = mmioAscend(File, &Riff, 0);
    if (!result && mmioSeek(File, 0, SEEK_SET) != 0)
        result = MMIOERR_CANNOTSEEK;
    if (!result)
        result = mmioDescend(File, &Riff, nullptr, 0);
    if (!result) {
        // A file without its "fact" chunk keeps the sizes just set; only the count is lost.
        Chunk.ckid = mmioFOURCC('f', 'a', 'c', 't');
        if (mmioDescend(File, &Chunk, &Riff, MMIO_FINDCHUNK) == 0) {
            const DWORD count = SampleCount;
            writeAll(File, &count, sizeof count);
            mmioAscend(File, &Chunk, 0);
        }
        result = mmioAscend(File, &Riff, 0);
    }
    mmioClose(File, 0);
    File = nullptr;
    return result;
}

} // namespace WaveWriter
