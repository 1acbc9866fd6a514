#pragma once
// A sound from a file or from a resource of the program. By default (streaming mode 0)
// it plays through a DirectShow filter graph built from the file, which takes every sound
// type DirectShow renders; in mode 1 the whole WAV data sits in one static DirectSound
// buffer. A sound made from a resource plays in mode 1. A graph lives from a load to the
// next stop: each play after a stop renders the file again from the start.
#include "foundation/KFileReference.h"
#include "multimedia/KAbstractMedia.h"

class KSoundBuffer;
struct KSoundGraphRecord;

class KSound : public KAbstractMedia {
    K_DECLARE_CLASS(KSound)
public:
    KSound();
    ~KSound() override;

    // Seconds; 0 for a sound in a DirectSound buffer.
    double getDuration() override;
    // 0.0 to 1.0: silence is 40 dB down.
    void setVolume(double Volume) override;
    // −1.0 (left) to 1.0 (right).
    void setBalance(double Balance) override;
    void close() override;
    void createFromResource(short ResID) override;
    void createFromFile(const KDiskObjectReference& File) override;
    // Failures are silent: the sound stays unloaded, and the next play tries again.
    void load() override;
    void unload() override;
    void play() override;
    void restart() override;
    // Only while playing: a paused sound stays paused.
    void stop() override;
    void pause() override;
    void resume() override;
    bool isDonePlaying() override;

    short getResourceNumber() const { return m_resourceNumber; }
    const KFileReference& getFileReference() const { return m_file; }

private:
    // The native handle as what it is in each mode; null when there is none.
    KSoundGraphRecord* graphRecord() const;
    KSoundBuffer* soundBuffer() const;
    // The buffer that answers for the sound: the static one, or the streamed one.
    KSoundBuffer* directSoundBuffer() const;
    KString nativePath() const;
    void loadGraph();
    void loadBuffer();
    // The body of unload, in state 1 only.
    void releaseEngineRecord();

    short m_resourceNumber = -1;
    KFileReference m_file;
};

K_POINTER_CLASS(KSound, KAbstractMediaPtr);
