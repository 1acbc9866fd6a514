#pragma once
// The text of an old text object: the text, one style for all of it, the alignment and
// the background colour.
//
// Record: the text (16-bit length and bytes), the style's records, the alignment as 16
// bits (of which the low byte counts) and the background colour's records. No size.
#include "story/oldformat/ZGraphicElement.h"
#include "story/oldformat/ZStyleInfo.h"

class ZStyledText : public ZGraphicElement {
    Z_DECLARE_CLASS(ZStyledText)
public:
    // Old alignments.
    static constexpr int8 kAlignDefault = -2;
    static constexpr int8 kAlignRight = -1;
    static constexpr int8 kAlignCentre = 1;

    ZStyledText() = default;

    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;

    void setText(const ZString& Text) { m_text = Text; }
    const ZString& getText() const { return m_text; }
    ZStyleInfo& getStyle() { return m_style; }
    const ZStyleInfo& getStyle() const { return m_style; }
    void setAlignment(int8 Alignment) { m_alignment = Alignment; }
    int8 getAlignment() const { return m_alignment; }
    void setBackgroundColor(const ZColor& Color) { m_background = Color; }
    const ZColor& getBackgroundColor() const { return m_background; }

private:
    ZString m_text;
    ZStyleInfo m_style;
    int8 m_alignment = kAlignDefault;
    ZColor m_background{65535, 65535, 65535};
};
