#pragma once
// The menu of the installed font families, one item per face name in sorted order. The
// face chosen is checked and goes out at once as a format change.
#include "application/KMenu.h"

class KFontFaceMenu : public KMenu {
    K_DECLARE_CLASS(KFontFaceMenu)
public:
    // Lists the faces and checks the system font's, which is the default face.
    KFontFaceMenu();
    ~KFontFaceMenu() override;

    bool doMenuItem(KMenuEvent& E) override;

    // Checks the items titled exactly Face and unchecks every other.
    void setFontFace(const KString& Face);
    // The first checked face; the default face when none is checked (the system font may
    // not be installed under the name the system gives it).
    KString getFontFace() const;
    const KString& getDefaultFace() const { return m_defaultFace; }

private:
    KString m_defaultFace;
};

K_POINTER_CLASS(KFontFaceMenu, KMenuPtr);
