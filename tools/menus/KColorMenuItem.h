#pragma once
// One swatch of a colour menu: a colour, and how the swatch shows it. An other-colour
// swatch opens the colour chooser when chosen and keeps the colour taken from it; a
// checkered swatch stands for "no particular colour" and keeps its colour as it is.
#include "application/KCustomMenuItem.h"
#include "graphics/KColor.h"

class KColorMenuItem : public KCustomMenuItem {
    K_DECLARE_CLASS(KColorMenuItem)
public:
    enum SwatchStyle : uint8 {
        PlainSwatch = 0,
        // Red, green, blue and white quarters.
        OtherColorSwatch = 1,
        // White and black quarters.
        CheckeredSwatch = 2,
    };

    KColorMenuItem();
    ~KColorMenuItem() override;

    // Draws the swatch in its one-pixel margin, ringed black, white and black when the
    // platform highlights it or it is checked. Answers false, as the menu draws nothing
    // more.
    bool doCustomMenuItem(KMenuEvent& E) override;

    void setColor(const KColor& Color) { m_color = Color; }
    const KColor& getColor() const { return m_color; }
    void setSwatchStyle(uint8 Style) { m_swatchStyle = Style; }
    uint8 getSwatchStyle() const { return m_swatchStyle; }

    // The swatch and its rings drawn into Cell of any device.
    void drawSwatch(KGraphicDevice& Device, const KGraphicRectangle& Cell) const;

private:
    KColor m_color = KColor(kWhite);
    uint8 m_swatchStyle = PlainSwatch;
};

K_POINTER_CLASS(KColorMenuItem, KCustomMenuItemPtr);
