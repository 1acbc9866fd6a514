#pragma once
// A framework-drawn colour swatch button. Pressing it lets the user pick a new colour,
// from the system colour chooser or from a pop-up colour menu, and then reports a click
// (a done action). With choosing switched off it only reports the click.
#include "controls/KControl.h"
#include "foundation/KSet.h"
#include "graphics/KColor.h"

class KColorButtonControl : public KControl {
    K_DECLARE_CLASS(KColorButtonControl)
public:
    // The bits of the options set.
    enum Option : uint32 {
        ChoosesColorOption = 0,
        // The pop-up colour menu instead of the system chooser.
        ChoosesFromMenuOption = 1,
        EtchedOption = 2,
    };

    // Chooses with the system chooser, etched; reports presses only.
    KColorButtonControl();
    ~KColorButtonControl() override;

    void draw() override;
    KEventReturn mouseDownEvent(KMouseEvent& E) override;

    // The button's face for its hilite, drawn into R of any device: a swatch inside a
    // raised edge, in an etched white field with focus rings when etched, greyed while
    // dimmed.
    void drawFace(KGraphicDevice& D, KGraphicRectangle R) const;

    void setColor(const KColor& Color) { m_color = Color; }
    const KColor& getColor() const { return m_color; }
    KSet& getOptions() { return m_options; }
    void setMenuKind(uint8 Kind) { m_menuKind = Kind; }
    uint8 getMenuKind() const { return m_menuKind; }

private:
    // The colour of the chooser or of the menu, or false when the user picked none.
    bool chooseWithChooser(KColor& Chosen);
    bool chooseFromMenu(KColor& Chosen);

    KColor m_color;
    KColor m_frameColor = KColor(kBlack);
    KColor m_backgroundColor = KColor(kWhite);
    KSet m_options;
    // Set to 2 and read by nothing; kept for the layout of the class.
    long m_reserved = 2;
    uint8 m_menuKind = 0;
};

K_POINTER_CLASS(KColorButtonControl, KControlPtr);
