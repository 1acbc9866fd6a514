#pragma once
// The one global object that starts and stops the sound engine: the DirectSound object
// with its sound manager, and the streaming thread that refills streamed buffers. It also
// lists the sound file types the program plays and records.
#include "foundation/KBag.h"
#include "foundation/KClass.h"
#include "foundation/KThingPtr.h"

class KSoundManager;

// What the engine runs on: its sound manager, its streaming thread, and the sounds whose
// streamed buffers the thread serves, each with its notification event at the same index
// of the event list. The lists are changed on the GUI thread only, which then wakes the
// streaming thread so that it reads them afresh.
struct KSoundEngineRecord {
    KSoundManager* soundManager = nullptr;
    unsigned long threadID = 0;
    void* threadHandle = nullptr;
    KBagPtr sounds;
    // Event handles as raw values.
    KBagPtr events;
};

class KSoundSupport : public KThing {
    K_DECLARE_CLASS(KSoundSupport)
public:
    enum Engine : long {
        // DirectSound and its streaming thread.
        DirectSoundEngine = 0x2,
        // Copied into the active mask; it starts nothing.
        SecondEngine = 0x4,
    };

    KSoundSupport();
    ~KSoundSupport() override;

    // Error 18 when there is none.
    static KSoundSupport& getInstance();
    static bool exists();
    static void create();
    static void release();

    void setEngineMask(long Mask) { m_requestedMask = Mask; }
    long getEngineMask() const { return m_requestedMask; }
    long getActiveEngineMask() const { return m_activeMask; }

    // Stops a running engine, then starts what the requested mask asks for.
    void start();
    void stop();

    // The registered file types of "WAV", "AIF", "AIFF", "MP3", "MIDI" and "MID"; an
    // extension that is not registered is error 62.
    KBagPtr getPlayableFileTypes() const;
    // The same for "WAV" alone.
    KBagPtr getRecordableFileTypes() const;

    KSoundEngineRecord& getEngineRecord() { return m_record; }
    // Null while the engine is stopped.
    KSoundManager* getSoundManager() const { return m_record.soundManager; }

    // Takes a sound out of the streaming thread's lists, closes its event and wakes the
    // thread; nothing when the sound is not listed.
    void unregisterStreamedSound(KThing& Sound);

private:
    long m_requestedMask = 0;
    long m_activeMask = 0;
    KSoundEngineRecord m_record;
};

K_POINTER_CLASS(KSoundSupport, KThingPtr);
