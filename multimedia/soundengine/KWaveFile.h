#pragma once
// Reads RIFF WAVE data through the Windows multimedia file functions: from a file, from a
// "WAVE" or "WAV" resource of the program when no file has the name, or from bytes in
// memory. Sounds read it once to fill their buffers and again, from the start, whenever
// they refill or loop.
#include "foundation/KTypes.h"

#include <windows.h>

#include <mmsystem.h>

class KWaveFile {
public:
    enum Mode : uint32 {
        ReadMode = 1,
    };

    KWaveFile();
    ~KWaveFile();
    KWaveFile(const KWaveFile&) = delete;
    KWaveFile& operator=(const KWaveFile&) = delete;

    // Opens a file, or the program's resource of that name, and reads its format; the
    // data is then ready to read from the start.
    HRESULT open(const char* Name, uint32 OpenMode);
    // Reads Size bytes of sample data in the given format; both are copied.
    HRESULT openFromMemory(const uint8* Data, uint32 Size, const WAVEFORMATEX* Format, uint32 OpenMode);
    HRESULT readHeader();
    // Back to the first byte of the sample data.
    HRESULT resetFile();
    // At most the data not yet read.
    HRESULT read(uint8* Buffer, uint32 Size, uint32* SizeRead);
    HRESULT close();

    // The sample data's size in bytes, as found when the file opened.
    uint32 getSize() const { return m_dataSize; }
    // Null until a header has been read.
    const WAVEFORMATEX* getFormat() const { return m_format; }
    // What silence is in this format: 0x80 for 8-bit samples, 0 otherwise.
    uint8 getSilence() const;

private:
    HRESULT openResource(const char* Name);
    HRESULT failHeader();
    void freeFormat();
    // The bytes of the current chunk that lie in the file; a chunk that claims more is
    // cut to what is there.
    void limitChunkToFile(MMCKINFO& Chunk);

    WAVEFORMATEX* m_format = nullptr;
    HMMIO m_mmio = nullptr;
    MMCKINFO m_chunk = {};
    MMCKINFO m_riff = {};
    uint32 m_dataSize = 0;
    uint32 m_mode = 0;
    bool m_fromMemory = false;
    uint8* m_memoryData = nullptr;
    uint32 m_memoryPosition = 0;
    uint32 m_memorySize = 0;
    // The copy of a resource that an mmio memory file reads.
    uint8* m_resourceCopy = nullptr;
};
