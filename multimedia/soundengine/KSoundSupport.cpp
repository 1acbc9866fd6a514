#include "multimedia/soundengine/KSoundSupport.h"

#include "application/KApplication.h"
#include "foundation/KFileTypeHandler.h"
#include "multimedia/KAbstractMedia.h"
#include "multimedia/soundengine/KSoundManager.h"

#include <windows.h>

#include <dsound.h>

namespace {
KSoundSupportPtr s_support;

KBagPtr fileTypesOf(std::initializer_list<const char*> Extensions)
{
    KBagPtr types = new KBag;
    for (const char* extension : Extensions) {
        KFileType& type = KFileTypeHandler::getAssociationByExtension(extension);
        if (!kIsNullReference(&type))
            types->add(type);
    }
    return types;
}

void* mainWindowHandle()
{
    KApplication* application = KApplication::getApplication();
    return application && application->hasMainWindow() ? application->getMainWindow().getNativeWindow() : nullptr;
}

// Starts the streaming thread and waits until it can receive messages.
void startStreamingThread(KSoundEngineRecord& Record)
{
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!ready)
        return;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, &KSoundManager::streamingThread, ready, 0, &id);
    if (thread) {
        HANDLE either[2] = {ready, thread};
        WaitForMultipleObjects(2, either, FALSE, INFINITE);
        Record.threadHandle = thread;
        Record.threadID = id;
    }
    CloseHandle(ready);
}

void endStreamingThread(KSoundEngineRecord& Record)
{
    if (!Record.threadHandle)
        return;
    PostThreadMessageA(Record.threadID, WM_QUIT, 0, 0);
    WaitForSingleObject(Record.threadHandle, INFINITE);
    CloseHandle(Record.threadHandle);
    Record.threadHandle = nullptr;
    Record.threadID = 0;
}
} // namespace

K_DEFINE_CLASS(KSoundSupport, KThing, 1)

KSoundSupport::KSoundSupport() = default;

KSoundSupport::~KSoundSupport()
{
    stop();
}

KSoundSupport& KSoundSupport::getInstance() { return s_support.getObject(); }
bool KSoundSupport::exists() { return s_support.hasObject(nullptr); }
void KSoundSupport::create() { s_support = new KSoundSupport; }

void KSoundSupport::release()
{
    // The streaming thread looks for the support while it runs, so it ends first.
    if (exists())
        s_support->stop();
    s_support.reset();
}

void KSoundSupport::start()
{
    stop();
    if (m_requestedMask & DirectSoundEngine) {
        m_record.soundManager = new KSoundManager;
        m_record.soundManager->initialize(mainWindowHandle(), DSSCL_PRIORITY, 2, 44100, 16);
        m_record.sounds = new KBag;
        m_record.events = new KBag;
        m_record.events->setIsDirect(true);
        startStreamingThread(m_record);
        m_activeMask |= DirectSoundEngine;
    }
    if (m_requestedMask & SecondEngine)
        m_activeMask |= SecondEngine;
}

void KSoundSupport::stop()
{
    if (m_activeMask & DirectSoundEngine) {
        KBag& sounds = *m_record.sounds;
        while (sounds.getCount() > 0) {
            KAbstractMediaPtr sound = &static_cast<KAbstractMedia&>(sounds[sounds.getCount() - 1]);
            sound->stop();
            sound->unload();
            // A sound that stays listed (a paused one does not stop) must not hold this
            // walk forever.
            if (sounds.getCount() > 0 && &sounds[sounds.getCount() - 1] == sound.get())
                unregisterStreamedSound(*sound);
        }
        endStreamingThread(m_record);
        delete m_record.soundManager;
        m_record.soundManager = nullptr;
    }
    m_activeMask = 0;
}

void KSoundSupport::unregisterStreamedSound(KThing& Sound)
{
    if (!m_record.sounds.hasObject(nullptr))
        return;
    long index = -1;
    if (!m_record.sounds->has(Sound, &index))
        return;
    const auto event = reinterpret_cast<HANDLE>(m_record.events->getDirectDataAt(index));
    m_record.sounds->removeAt(index);
    m_record.events->removeAt(index);
    // The thread must stop waiting on the event before it is closed.
    KSoundManager::wakeThread();
    if (event)
        CloseHandle(event);
}

KBagPtr KSoundSupport::getPlayableFileTypes() const { return fileTypesOf({"WAV", "AIF", "AIFF", "MP3", "MIDI", "MID"}); }

KBagPtr KSoundSupport::getRecordableFileTypes() const { return fileTypesOf({"WAV"}); }
