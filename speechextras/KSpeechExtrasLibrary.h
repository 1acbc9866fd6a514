#pragma once
// The library object of the speech extras. Making it makes them ready for use: the
// classes registered (when the application has not done so yet), the global
// speech-exceptions handler created (it reads the exceptions file), the library's
// localiser built with the texts of the exceptions and sound-highlight editors in four
// languages, and the "SHI" file type registered. Destroying it empties the localiser; the
// last library to go releases the handler. The file type stays registered.
//
// The player registers the classes from its application constructor, calls create in its
// start hook after the multimedia library, gives the interface language to setLanguage
// once the preferences are read, and calls release in its quit hook. The editors look up
// every text through getLibrary().getLocalizer().
#include "foundation/KLocalizer.h"
#include "foundation/KThingPtr.h"

class KSpeechExtrasLibrary : public KThing {
    K_DECLARE_CLASS(KSpeechExtrasLibrary)
public:
    KSpeechExtrasLibrary();
    ~KSpeechExtrasLibrary() override;

    // The speech-extras classes, unless the registry holds them already.
    static void registerClasses();
    static void create();
    // Error 18 when there is none.
    static KSpeechExtrasLibrary& getLibrary();
    static bool hasLibrary();
    static void release();

    static void initSpeechExceptions();
    static void exitSpeechExceptions();

    // Takes a counted reference, letting go of the one held before.
    virtual void setLocalizer(KLocalizer& Localizer);
    virtual void releaseLocalizer();
    // Error 18 when there is none.
    KLocalizer& getLocalizer() const { return m_localizer.getObject(); }
    // The key's text in the library's language, as the editors show it; error 18 without
    // a library.
    static KString getText(const char* Key);
    // Keys that the table lacks read as themselves and are not added.
    void buildStrings();
    // Removes the localiser's texts and added languages.
    void clearLocalizer();
    // Selects the localiser's language ("English" or one of the three added; any other
    // name changes nothing) and describes the "SHI" file type in it.
    void setLanguage(const KString& Language);

private:
    KLocalizerPtr m_localizer;
};

K_POINTER_CLASS(KSpeechExtrasLibrary, KThingPtr);
