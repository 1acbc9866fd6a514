#pragma once
// A playable sound: one or more DirectSound secondary buffers of the same size holding
// the same data (the copies let one sound overlap itself), and the wave file that fills
// them. Every operation answers an HRESULT and shows nothing; the sound media decides
// what a failure means.
#include "foundation/KTypes.h"

struct IDirectSoundBuffer;
class KWaveFile;

class KSoundBuffer {
public:
    // Takes over the buffers and the wave file, fills the first buffer from the start of
    // the data and sets every buffer's play position to 0.
    KSoundBuffer(IDirectSoundBuffer** Buffers, uint32 BufferSize, long Count, KWaveFile* Wave);
    virtual ~KSoundBuffer();
    KSoundBuffer(const KSoundBuffer&) = delete;
    KSoundBuffer& operator=(const KSoundBuffer&) = delete;

    // Plays a buffer that is not playing (a random one when all are), restoring and
    // refilling it first when it was lost. Flags 1 loops.
    long play(uint32 Priority, uint32 Flags);
    long stop();
    long reset();
    bool isPlaying() const;
    // Hundredths of a decibel; the first failure.
    long setVolume(long Level);
    // −1.0 (left) to 1.0 (right); false at the first failure.
    bool setPan(double Pan);

    IDirectSoundBuffer* getBuffer(long Index) const;
    IDirectSoundBuffer* getFreeBuffer() const;
    // The whole buffer from the start of the data; the rest is silence, or the data
    // again when it repeats.
    long fillBuffer(IDirectSoundBuffer* Buffer, bool Repeat);
    // S_FALSE when the buffer was not lost; DSERR_BUFFERLOST when it stayed lost through
    // a few tries.
    long restoreBuffer(IDirectSoundBuffer* Buffer, bool* Restored);

    uint32 getBufferSize() const { return m_bufferSize; }
    long getBufferCount() const { return m_count; }
    KWaveFile* getWaveFile() const { return m_wave; }

protected:
    // Restores a lost buffer and fills it again from the start of the data.
    long restoreAndRefill(IDirectSoundBuffer* Buffer, bool* Restored);
    // Fills Count bytes with the data from where the wave file stands, going back to its
    // start while Repeat is set, else with silence; true when the data ran out.
    bool fillFromWave(uint8* Bytes, uint32 Count, bool Repeat);

private:
    IDirectSoundBuffer** m_buffers = nullptr;
    uint32 m_bufferSize = 0;
    KWaveFile* m_wave = nullptr;
    long m_count = 0;
};
