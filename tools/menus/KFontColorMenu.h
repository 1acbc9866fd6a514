#pragma once
// The colour menu of the text colour: every colour taken, from a swatch or from the
// chooser, goes out at once as a format change.
#include "tools/menus/KColorMenu.h"

class KFontColorMenu : public KColorMenu {
    K_DECLARE_CLASS(KFontColorMenu)
public:
    // With the other-colour swatch; the registered create procedure asks for the full
    // palette.
    explicit KFontColorMenu(uint8 Palette = FullPalette);
    ~KFontColorMenu() override;

    bool doMenuItem(KMenuEvent& E) override;
};

K_POINTER_CLASS(KFontColorMenu, KColorMenuPtr);
