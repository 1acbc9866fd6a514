#pragma once
// The library object of the multimedia library. Making it brings the media layer up: the
// classes registered (when the application has not done so yet), the sound support, the
// sound recorder, the speech and movie supports and the media manager created, the sound
// and movie file types registered, and the library's localiser built with the media and
// recording texts in four languages. Destroying it takes the layer down again; the file
// types stay registered.
//
// The player registers the classes from its application constructor, calls create in its
// start hook (after the tools library, before the speech extras library), gives the
// interface language to setLanguage, starts the supports with
// KMediaManager::initMediaSupport, and calls release in its quit hook.
#include "foundation/KLocalizer.h"
#include "foundation/KThingPtr.h"

class KMultiMediaLibrary : public KThing {
    K_DECLARE_CLASS(KMultiMediaLibrary)
public:
    KMultiMediaLibrary();
    ~KMultiMediaLibrary() override;

    static void registerClasses();
    static void create();
    // Error 18 when there is none.
    static KMultiMediaLibrary& getLibrary();
    static bool hasLibrary();
    static void release();
    // The language step of the start hook under the name the player knows it by: the
    // global library's setLanguage.
    static void initFileTypeNames(const KString& Language);

    // Holds the localiser and lends it to the recording dialogs.
    virtual void setLocalizer(KLocalizer& Localizer);
    virtual void resetLocalizer();
    // Error 18 when there is none.
    KLocalizer& getLocalizer() const { return m_localizer.getObject(); }

    // Selects the localiser's language ("English" or one of the three added; any other
    // name changes nothing) and describes the media file types in it.
    void setLanguage(const KString& Language);

private:
    static void createSupports();
    static void releaseSupports();
    static void registerFileTypes();
    void buildTexts();

    KLocalizerPtr m_localizer;
};

K_POINTER_CLASS(KMultiMediaLibrary, KThingPtr);
