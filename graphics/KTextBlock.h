#pragma once
// Multi-line styled text: an ordered bag of lines sharing one alignment. Character
// positions count the characters of the lines one after another; a line break is no
// character unless a caller says how many characters each break is worth.
#include "graphics/KTextLine.h"

class KTextBlock : public KThing {
    K_DECLARE_CLASS(KTextBlock)
public:
    KTextBlock();
    KTextBlock(const KTextBlock& Other);
    KTextBlock& operator=(const KTextBlock&) = delete;

    KThing& deepCopy() const override;
    // The lines and the alignment; the default style is not stored.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    // Forwarded to every line, and so to every run of the block.
    virtual void setFontName(const KString& Name);
    virtual void setFontSize(double Size, KPlatform P);
    virtual void setFontStyle(const KFlagSet& Style);
    virtual void setColor(const KColor& Color);

    void setStyle(const KTextStyle& Style) { m_defaultStyle.copyFrom(Style); }
    const KTextStyle& getStyle() const { return m_defaultStyle; }
    // Every line takes the alignment too.
    void setAlignment(uint8 Alignment);
    uint8 getAlignment() const { return m_alignment; }

    // Replaces the lines with copies of the lines of Lines.
    void copyLinesFrom(const KBag& Lines);
    void clearLines() { m_lines.clear(); }
    // The block takes over a heap line, appended at the end.
    void addLine(KTextLine* Line);
    void removeLineAt(long Index) { m_lines.removeAt(Index); }
    long getLineCount() const { return m_lines.getCount(); }
    KTextLine& getLineAt(long Index) const;
    const KBag& getLines() const { return m_lines; }

    // The characters of all lines, breaks not counted.
    long getCharacterCount() const;
    // The lines' texts with Separator between each two.
    KString getText(const KString& Separator) const;
    // The line holding Pos when each line is followed by Separator characters that
    // belong to it; 0 after error 7 when no line holds it.
    long getLineAtCharPosition(long Pos, int16 Separator) const;
    // Characters Start to Start + Count − 1, counted without breaks, take the colour;
    // a range that ends past the text colours nothing.
    void setColorOfRange(long Start, long Count, const KColor& Color);

private:
    KTextStyle m_defaultStyle;
    KBag m_lines;
    uint8 m_alignment = kAlignLeft;
};

K_POINTER_CLASS(KTextBlock, KThingPtr);
