#pragma once
// An old text on the page: styled text in a rectangle, the voice that reads it, four
// options and the colour that highlights the word being read.
//
// Record: the styled text's records, the rectangle's records, the voice (16-bit length
// and bytes), options A, B and C; version 2 adds the highlight colour's records and
// option D.
#include "graphics/KTextBlock.h"
#include "story/oldformat/ZRectangle.h"
#include "story/oldformat/ZStyledText.h"
#include "story/oldformat/ZTapeObject.h"

class ZLumoText : public ZTapeObject {
    Z_DECLARE_CLASS(ZLumoText)
public:
    ZLumoText();

    // The voices that were renamed get their new names. Another version than 1 or 2
    // marks the file damaged.
    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;
    // A text of the same bounds, voice, colours and lines. Option A is whether the tape
    // waits for the reading, B a transparent background, C reading aloud and D the
    // highlight of the word being read.
    TapeObjectPtr convertToKTapeObject() const override;

    // The text as lines in the style's font and colour: every CR LF, CR or LF ends a
    // line, and the text after the last one is a line too, even when empty. The size
    // counts in the points of the platform that wrote the document's styles.
    KTextBlockPtr makeTextBlock() const;
    // Old alignments -2 (the default), -1 (right) and 1 (centre) as the text block's
    // 0, 1 and 2; anything else as 0.
    static uint8 convertedAlignment(int8 Alignment);

    ZStyledText& getStyledText() { return m_styledText; }
    const ZStyledText& getStyledText() const { return m_styledText; }
    void setBounds(const ZRectangle& Bounds) { m_bounds = Bounds; }
    const ZRectangle& getBounds() const { return m_bounds; }
    void setVoice(const ZString& Voice) { m_voice = Voice; }
    const ZString& getVoice() const { return m_voice; }
    // Options A to D, as 'A' to 'D'.
    void setOption(char Letter, uint8 Value) { m_options[Letter - 'A'] = Value; }
    uint8 getOption(char Letter) const { return m_options[Letter - 'A']; }
    void setHighlightColor(const ZColor& Color) { m_highlight = Color; }
    const ZColor& getHighlightColor() const { return m_highlight; }

private:
    ZStyledText m_styledText;
    ZRectangle m_bounds;
    ZString m_voice;
    uint8 m_options[4] = {1, 0, 1, 1};
    ZColor m_highlight{65535, 65535, 0};
};
