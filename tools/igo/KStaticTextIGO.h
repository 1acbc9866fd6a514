#pragma once
// One line of text in the standard interface font. Its colour follows the hilite state
// (black, yellow under the mouse, red pressed, dark grey dimmed); selected, it is drawn
// in the system's highlighted-text colour on the highlight colour, over the text's own
// extent, the text band or the whole destination. Every text set is plain, in the
// element's font.
#include "graphics/KFont.h"
#include "graphics/KTextBlockObject.h"
#include "tools/igo/KInteractiveGraphicObject.h"

class KStaticTextIGO : public KInteractiveGraphicObject {
    K_DECLARE_CLASS(KStaticTextIGO)
public:
    enum HighlightExtent : uint8 {
        TextHighlight = 0,
        BandHighlight = 1,
        DestinationHighlight = 2,
    };

    KStaticTextIGO();
    ~KStaticTextIGO() override;

    // At the size of the text.
    void drawAt(KGraphicDevice& Dev, const KGraphicPoint& At) override;
    // From Dst's left edge, centred vertically (selected with the whole destination
    // highlighted: from its top).
    void draw(KGraphicDevice& Dev, const KGraphicRectangle& Dst) override;
    // Not provided: says so in a notice and draws nothing.
    void drawPart(KGraphicDevice& Dev, const KGraphicRectangle& Src, const KGraphicRectangle& Dst) override;

    virtual void setTextObject(KTextBlockObject& O);
    virtual void clearTextObject();
    virtual void setFont(KFont& F);
    virtual void clearFont();

    // Error 18 when there is none.
    KTextBlockObject& getTextObject() const { return m_textObject.getObject(); }
    bool hasTextObject() const { return m_textObject.hasObject(nullptr); }
    KFont& getFont() const { return m_font.getObject(); }
    bool hasFont() const { return m_font.hasObject(nullptr); }
    // The first line becomes S alone, in the font and black, and is laid out again.
    void setText(const KString& S);
    // The first line's text.
    KString getText() const;
    void setHighlightExtent(uint8 Extent) { m_highlightExtent = Extent; }
    uint8 getHighlightExtent() const { return m_highlightExtent; }

private:
    // The first line of the text object's block, made when the block has none.
    KTextLine& firstLine() const;
    void colorFirstRun(const KColor& C) const;

    KTextBlockObjectPtr m_textObject;
    KFontPtr m_font;
    uint8 m_highlightExtent = TextHighlight;
};

K_POINTER_CLASS(KStaticTextIGO, KInteractiveGraphicObjectPtr);
