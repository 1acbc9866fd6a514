#pragma once
// A sound played from one DirectSound buffer that is refilled in pieces while it plays:
// the streaming thread calls handleNotification each time the buffer's notification
// event fires, and the piece behind the play cursor is read afresh from the wave file.
#include "multimedia/soundengine/KSoundBuffer.h"

class KStreamingSound : public KSoundBuffer {
public:
    KStreamingSound(IDirectSoundBuffer* Buffer, uint32 BufferSize, KWaveFile* Wave, uint32 NotifySize);
    ~KStreamingSound() override;

    // One refill of NotifySize bytes at the next write offset. Without Loop, the data's
    // end is followed by silence and the buffer stops once everything has been heard.
    long handleNotification(bool Loop);
    // Back to the start of the data, nothing played yet.
    long reset();

    uint32 getLastPlayPosition() const { return m_lastPlayPosition; }
    uint32 getPlayProgress() const { return m_playProgress; }
    uint32 getNotifySize() const { return m_notifySize; }
    uint32 getNextWriteOffset() const { return m_nextWriteOffset; }
    bool isFillingWithSilence() const { return m_fillWithSilence; }

private:
    uint32 m_lastPlayPosition = 0;
    uint32 m_playProgress = 0;
    uint32 m_notifySize = 0;
    uint32 m_nextWriteOffset = 0;
    bool m_fillWithSilence = false;
};
