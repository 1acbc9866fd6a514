#pragma once
// The colour menu of the background colour: every colour taken, from a swatch or from the
// chooser, goes out at once as a format change.
#include "tools/menus/KColorMenu.h"

class KBackgroundColorMenu : public KColorMenu {
    K_DECLARE_CLASS(KBackgroundColorMenu)
public:
    // With the other-colour swatch; the registered create procedure asks for the full
    // palette.
    explicit KBackgroundColorMenu(uint8 Palette = FullPalette);
    ~KBackgroundColorMenu() override;

    bool doMenuItem(KMenuEvent& E) override;
};

K_POINTER_CLASS(KBackgroundColorMenu, KColorMenuPtr);
