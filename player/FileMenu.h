#pragma once
// The "File" menu: "Open Project", the window mode and the interface language. It greys
// itself while a story plays or a dialog is open, and checks the window mode in force
// each time it opens. A new language is stored at once and takes effect at the next
// start.
#include "application/KMenu.h"

class FileMenu : public KMenu {
    K_DECLARE_CLASS(FileMenu)
public:
    enum Command : long {
        OpenProjectCommand = 1,
        WindowCommand = 15,
        BackdropCommand = 16,
        ResolutionChangeCommand = 17,
        ItalianCommand = 18,
        FrenchCommand = 19,
        GermanCommand = 20,
    };

    FileMenu();

    bool doMenuOpening(KMenuEvent& E) override { return handleMenuOpening(E); }
    bool doMenuItem(KMenuEvent& E) override { return handleItemChosen(E); }
    // False when the menu is ready to open as it is now; true when it greyed itself.
    bool handleMenuOpening(KMenuEvent& E);
    bool handleItemChosen(KMenuEvent& E);

private:
    void chooseWindowMode(KMenuItem& Item);
    void chooseLanguage(const KMenuItem& Item);
};

K_POINTER_CLASS(FileMenu, KMenuPtr);
