#pragma once
// The menu of text sizes: ten sizes from 9 to 96 points and "Other...", which asks for any
// size in the custom font size dialog. The current size is checked ("Other..." when it is
// none of the ten); each size taken goes out at once as a format change.
#include "application/KMenu.h"

class KFontSizeMenu : public KMenu {
    K_DECLARE_CLASS(KFontSizeMenu)
public:
    // A size's item has the command 10065 plus the size; "Other..." has 10064.
    static constexpr long kSizeCommandBase = 10065;
    static constexpr long kOtherCommand = 10064;

    // Checks the size of the system font; the custom size starts at 72.
    KFontSizeMenu();
    ~KFontSizeMenu() override;

    // The confirmation of the custom font size dialog this menu opened: its size becomes
    // the current size and goes out as a format change.
    bool handleEvent(KEvent& E) override;
    // A size is taken at once; "Other..." only opens the dialog.
    bool doMenuItem(KMenuEvent& E) override;

    // Checks the item of that size, or "Other..." when there is none.
    void setSize(short Size);
    short getSize() const { return m_currentSize; }
    short getCustomSize() const { return m_customSize; }

private:
    void sendSize() const;

    short m_customSize = 72;
    short m_currentSize = 0;
};

K_POINTER_CLASS(KFontSizeMenu, KMenuPtr);
