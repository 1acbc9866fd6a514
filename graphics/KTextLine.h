#pragma once
// One line of styled text: a string and the style runs that say, stretch after stretch,
// which font and colour its characters take. Every operation that changes the text or
// the run lengths keeps the runs in step: their lengths add up to the text's length.
#include "foundation/KBag.h"
#include "graphics/KTextStyleRun.h"

// Line alignments; word wrap trims trailing blanks for left, leading ones for right and
// both for the others.
constexpr uint8 kAlignLeft = 0;
constexpr uint8 kAlignRight = 1;
constexpr uint8 kAlignCenter = 2;
constexpr uint8 kAlignJustified = 3;

class KTextLine : public KThing {
    K_DECLARE_CLASS(KTextLine)
public:
    // Empty text, no runs.
    KTextLine();
    // One run of the default style over the whole text, even an empty one.
    explicit KTextLine(const KString& Text);
    KTextLine(const KTextLine& Other);
    KTextLine& operator=(const KTextLine&) = delete;

    KThing& deepCopy() const override;
    // Text and runs only: the alignment and the default style are not stored.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    // Applied to every run (not to the default style).
    virtual void setFontName(const KString& Name);
    virtual void setFontSize(double Size, KPlatform P);
    virtual void setFontStyle(const KFlagSet& Style);
    virtual void setColor(const KColor& Color);

    void clear();
    void setAlignment(uint8 Alignment) { m_alignment = Alignment; }
    uint8 getAlignment() const { return m_alignment; }
    const KString& getText() const { return m_text; }
    long getLength() const { return m_text.getLength(); }
    // The style of a line's first run, and the style in which a line without runs is
    // measured; the runs alone decide how characters are drawn.
    const KTextStyle& getDefaultStyle() const { return m_defaultStyle; }

    long getStyleRunCount() const { return m_runs.getCount(); }
    KTextStyleRun& getStyleRunAt(long Index) const;
    // The index of the run covering Pos; 0 after error 7 when none does.
    long getStyleRunAtPosition(long Pos) const;
    long getStartPositionOfStyleRun(long Index) const;
    // Run Index keeps its first Position characters; a copy of it takes the rest.
    void splitStyleRun(long Index, long Position);

    // These two leave the text alone: the caller keeps the lengths in step.
    void clearStyleRuns();
    // The line takes over a heap run.
    void addStyleRun(KTextStyleRun* Run);

    void appendStyleRun(const KString& Text, const KFont& Font, const KColor& Color);
    void removeFirstChars(uint16 N);
    void removeLastChars(uint16 N);
    // Characters Start to Start + Count − 1 take the colour and keep their fonts.
    void setColorOfRange(long Start, long Count, const KColor& Color);

private:
    // The run covering Pos (runs of length 0 cover nothing), or −1.
    long findStyleRun(long Pos) const;
    void copyRunsFrom(const KTextLine& Other);

    KTextStyle m_defaultStyle;
    KBag m_runs;
    KString m_text;
    uint8 m_alignment = kAlignLeft;
};

K_POINTER_CLASS(KTextLine, KThingPtr);
