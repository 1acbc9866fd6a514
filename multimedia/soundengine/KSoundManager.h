#pragma once
// The DirectSound side of the sound engine: the DirectSound object on the main window
// with its primary buffer's format, and the factory of sounds made from WAV files, WAV
// resources and WAV data in memory. The streaming thread that refills streamed buffers
// lives here too.
#include "foundation/KTypes.h"

struct IDirectSound8;
struct tWAVEFORMATEX;
struct _GUID;
class KSoundBuffer;

class KSoundManager {
public:
    // The flags of every sound made whole into one buffer: static, with frequency, pan
    // and volume control, and exact play positions.
    static constexpr uint32 kStaticSoundFlags = 0x100E2;

    KSoundManager();
    ~KSoundManager();
    KSoundManager(const KSoundManager&) = delete;
    KSoundManager& operator=(const KSoundManager&) = delete;

    long initialize(void* Window, uint32 CooperativeLevel, uint16 Channels, uint32 SamplesPerSecond, uint16 BitsPerSample);
    long setPrimaryBufferFormat(uint16 Channels, uint32 SamplesPerSecond, uint16 BitsPerSample);

    // A sound from a WAV file, or from the program's "WAVE" or "WAV" resource of that
    // name; the buffers after the first are duplicates of it. A null algorithm is the
    // default 3D algorithm.
    long createSound(KSoundBuffer** Out, const char* Name, uint32 Flags, const _GUID* Algorithm, long Count);
    long createSoundFromMemory(KSoundBuffer** Out, const uint8* Data, uint32 Size, const tWAVEFORMATEX* Format,
                               uint32 Flags, const _GUID* Algorithm, long Count);
    // A sound from the program's "WAV" resource of that number, in one static buffer.
    // Answers 0 with no sound when the resource is missing or is no WAV data.
    long createSoundFromResource(KSoundBuffer** Out, short ResID);

    IDirectSound8* getDirectSound() const { return m_directSound; }

    // Where the format and the samples lie in the bytes of a WAV resource: the first
    // "fmt " chunk (at least 14 bytes) and the first "data" chunk, walked within the RIFF
    // chunk and within the bytes given. False when either is missing.
    struct WaveResourceParts {
        const uint8* format = nullptr;
        uint32 formatSize = 0;
        const uint8* samples = nullptr;
        uint32 sampleSize = 0;
    };
    static bool parseWaveResource(const uint8* Bytes, uint32 Size, WaveResourceParts& Out);

    // The streaming thread: refills the streamed buffers whose events fire, reads its
    // lists afresh on every message, and ends on WM_QUIT. Its argument is an event that
    // it sets once its message queue exists, so that no message to it is lost.
    static unsigned long __stdcall streamingThread(void* Ready);
    // Makes the streaming thread read its lists afresh.
    static void wakeThread();

private:
    long makeSound(KSoundBuffer** Out, class KWaveFile* Wave, uint32 Flags, const _GUID* Algorithm, long Count);

    IDirectSound8* m_directSound = nullptr;
};
