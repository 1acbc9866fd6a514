#pragma once
// A framework-drawn line of text in a chosen font on the button face, in a colour for
// each hilite: normal, state 1, state 2, and dimmed. A new one is disabled, so it shows
// the dimmed colour until enabled.
#include "controls/KControl.h"
#include "graphics/KColor.h"
#include "graphics/KFont.h"
#include "graphics/KTextBlockObject.h"

class KStaticTextControl : public KControl {
    K_DECLARE_CLASS(KStaticTextControl)
public:
    KStaticTextControl();
    ~KStaticTextControl() override;

    void draw() override;

    // The face and the text, coloured for the hilite, drawn into R of any device.
    void drawFace(KGraphicDevice& D, const KGraphicRectangle& R);

    KTextBlockObject& getTextObject() const { return *m_text; }
    const KFont& getFont() const { return *m_font; }
    uint8 getAlignment() const { return m_alignment; }
    const KColor& getNormalColor() const { return m_normalColor; }
    const KColor& getHoverColor() const { return m_hoverColor; }
    const KColor& getPressedColor() const { return m_pressedColor; }
    const KColor& getDisabledColor() const { return m_disabledColor; }

private:
    KTextBlockObjectPtr m_text;
    KFontPtr m_font;
    uint8 m_alignment = 0;
    KColor m_normalColor = KColor(kBlack);
    KColor m_hoverColor = KColor(kYellow);
    KColor m_pressedColor = KColor(kRed);
    KColor m_disabledColor = KColor(kGray);
};

K_POINTER_CLASS(KStaticTextControl, KControlPtr);
