#pragma once
// The one global object that knows every loaded medium, opens and closes the media
// supports, and services playing media from the application's idle loop. It is an idle
// handler only while some medium plays or is paused, so an idle program with no media
// costs nothing. Finished media are restarted when they loop and stopped otherwise.
#include "foundation/KBag.h"
#include "foundation/KClass.h"
#include "foundation/KThingPtr.h"

class KAbstractMedia;

// Which supports to open: 0x1 movie, 0x2 sound, 0x4 speech.
using KMediaSupportFlagSet = uint32;

class KMediaManager : public KThing {
    K_DECLARE_CLASS(KMediaManager)
public:
    enum Support : uint32 {
        MovieSupport = 0x1,
        SoundSupport = 0x2,
        SpeechSupport = 0x4,
        AllSupports = 0x7,
        // In the open supports only: the open step has run.
        OpenStepDone = 0x8,
    };

    KMediaManager();
    ~KMediaManager() override;

    static void createMediaManager();
    // Error 18 when there is none.
    static KMediaManager& getMediaManager();
    static bool hasMediaManager();
    // Stops and unloads every medium and closes the supports, then drops the manager.
    static void releaseMediaManager();

    // Chooses the supports, gives each chosen one its full engine mask, and opens them
    // with the global manager.
    static void initMediaSupport(KMediaSupportFlagSet F);

    // Both are error 4 once the supports are open, until closeMediaSupport.
    void setActiveMediaSupport(KMediaSupportFlagSet F);
    void openMediaSupport();
    // Stops and unloads every medium first, so no medium outlives its engine.
    void closeMediaSupport();

    KMediaSupportFlagSet getRequestedSupports() const { return m_requestedSupports; }
    uint32 getOpenSupports() const { return m_openSupports; }

    // Called by the media base as media load and unload.
    void addMedia(KAbstractMedia& M);
    void removeMedia(KAbstractMedia& M);
    const KBag& getMedia() const { return m_media; }

    // Joins the application's idle handlers while a medium plays or is paused, and
    // leaves them otherwise.
    void updateIdleRegistration();
    void stopAll();
    void unloadAll();

    // The idle pass: services every playing medium and ends those that are done.
    void periodicTask() override;

private:
    // Services a playing medium, and restarts or stops it when it is done.
    static void serviceMedium(KAbstractMedia& Medium);

    KBag m_media;
    KMediaSupportFlagSet m_requestedSupports = AllSupports;
    uint32 m_openSupports = 0;
};

K_POINTER_CLASS(KMediaManager, KThingPtr);
