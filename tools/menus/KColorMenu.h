#pragma once
// A menu of colour swatches in a grid, filled once from one of three fixed palettes, with
// an optional checkered swatch and an optional other-colour swatch that opens the colour
// chooser. It checks the swatches of its current colour and takes the colour of the
// swatch chosen. The colour button pops one up; the text and background colour menus send
// the colour on as a format event.
#include "application/KCustomMenu.h"
#include "foundation/KFlagSet.h"
#include "graphics/KColor.h"

class KColorMenuItem;

class KColorMenu : public KCustomMenu {
    K_DECLARE_CLASS(KColorMenu)
public:
    enum Palette : uint8 {
        // 16 swatches of 32 by 32 in 4 columns of 4.
        SmallPalette = 0,
        // 72 colours, a grey ramp and white: 88 swatches of 16 by 16 in 11 columns of 8.
        WebPalette = 1,
        // 256 swatches of 16 by 16 in 16 columns of 16.
        FullPalette = 2,
    };

    // The options of buildPalette.
    enum Option : uint32 {
        CheckeredOption = 0x1,
        OtherColorOption = 0x2,
    };

    KColorMenu();
    ~KColorMenu() override;

    // Takes the chosen swatch's colour, or the chooser's for the other-colour swatch.
    // True only when the chooser was cancelled: the choice ends there.
    bool doMenuItem(KMenuEvent& E) override;

    // Fills the empty menu with the palette's swatches; with options, the last swatches
    // become the other-colour swatch and, before it, the checkered one.
    void buildPalette(uint8 Palette, long Options);
    // Checks every swatch of exactly that colour, unchecks the others.
    void setColor(const KColor& Color);
    KColor getColor() const { return m_color; }
    uint32 getOptions() const { return m_options.getFlags(); }

    KColorMenuItem* getSwatchAt(long Index) const;

protected:
    // The colour the choice in E stands for becomes current; false when no colour was
    // taken (the user cancelled the chooser of an other-colour swatch, or the item is no
    // swatch), which changes nothing.
    bool takeChosenColor(KMenuEvent& E);
    // The choice of E taken, and sent as a format change under Name, in a colour of its
    // own; true when the choice ends here (no colour was taken).
    bool takeAndSendColor(KMenuEvent& E, const char* Name);

private:
    void appendSwatch(const KColor& Color, uint8 Style = 0);

    KColor m_color;
    KFlagSet m_options;
};

K_POINTER_CLASS(KColorMenu, KCustomMenuPtr);
