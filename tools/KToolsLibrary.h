#pragma once
// The library object of the tools library. The library's classes are registered once per
// registry by registerClasses, in the one order in which each parent comes before its
// children; the program calls it from its application constructor, before any library
// object exists. The object itself, made at start-up by openToolsLibrary and dropped at
// shut-down by closeToolsLibrary, owns the localizer with every text of the standard menus
// and dialogs in English (the keys), French, Italian and German. Menus and dialogs reach
// a text through getToolsLibrary().getLocalizer().getText(key), or getText below.
#include "foundation/KLocalizer.h"
#include "foundation/KThingPtr.h"

class KToolsLibraryPtr;

class KToolsLibrary : public KThing {
    K_DECLARE_CLASS(KToolsLibrary)
public:
    KToolsLibrary();
    ~KToolsLibrary() override;

    // Takes a counted reference.
    virtual void setLocalizer(KLocalizer& Localizer);
    virtual void releaseLocalizer();

    // Error 18 when the library has no localizer.
    KLocalizer& getLocalizer() const { return m_localizer.getObject(); }

    // The global library object; error 18 while the library is not open.
    static KToolsLibrary& getToolsLibrary();
    static bool isOpen();
    static void openToolsLibrary();
    static void closeToolsLibrary();
    // The library's classes, unless the registry holds them already.
    static void registerClasses();
    // The key's text in the library localizer's current language.
    static KString getText(const char* Key);

private:
    // Hooks kept for libraries built on this one: the tools library has nothing to set up
    // or tear down beyond its texts.
    void initLibrary() {}
    void exitLibrary() {}
    void buildTexts();

    KLocalizerPtr m_localizer;
};

K_POINTER_CLASS(KToolsLibrary, KThingPtr);
