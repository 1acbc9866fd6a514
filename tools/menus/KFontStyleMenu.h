#pragma once
// The menu of text styles: "Plain", or any mix of "Bold", "Italic" and "Underline". Each
// choice updates the check marks and goes out at once as a format change of the style
// word (1 bold, 2 italic, 4 underline).
#include "application/KMenu.h"

class KFontStyleMenu : public KMenu {
    K_DECLARE_CLASS(KFontStyleMenu)
public:
    enum Command : long {
        PlainCommand = 10001,
        BoldCommand = 10002,
        ItalicCommand = 10003,
        UnderlineCommand = 10004,
    };

    // "Plain" starts checked.
    KFontStyleMenu();
    ~KFontStyleMenu() override;

    bool doMenuItem(KMenuEvent& E) override;

    // "Plain" for style 0, else the item of every style bit set.
    void setStyle(const KFlagSet& Style);
    // The bits of the checked styles.
    KFlagSet getStyle() const;
    // "Plain" clears the other styles; a style flips, and "Plain" goes. Unchecking the
    // last style leaves nothing checked.
    void chooseStyleItem(long ID);
};

K_POINTER_CLASS(KFontStyleMenu, KMenuPtr);
