#pragma once
// The "Animate" menu: play and stop the story, and the two settings dialogs. Each time it
// opens it enables what the story's play state allows; it greys itself while a dialog is
// open.
#include "application/KMenu.h"

class AnimMenu : public KMenu {
    K_DECLARE_CLASS(AnimMenu)
public:
    enum Command : long {
        PlayCommand = 0,
        StopCommand = 1,
        SetupCommand = 2,
        AdvancedFeaturesCommand = 3,
    };

    AnimMenu();

    bool doMenuOpening(KMenuEvent& E) override { return handleMenuOpening(E); }
    bool doMenuItem(KMenuEvent& E) override { return handleItemChosen(E); }
    bool handleMenuOpening(KMenuEvent& E);
    bool handleItemChosen(KMenuEvent& E);

private:
    // The story's settings dialog, which stays open while the player goes on.
    void openSetup();
    // The speech speed, edited in the advanced-features dialog.
    void editAdvancedFeatures();
};

K_POINTER_CLASS(AnimMenu, KMenuPtr);
