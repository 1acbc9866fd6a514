#pragma once
// The graphic object that shows a text block: it lays the block out line by line at a
// width, with or without word wrap, and draws it into a rectangle. A highlighted range is
// drawn from a copy of the block in which the range takes the highlight colour; the story
// engine moves that range word by word as speech goes on.
#include "graphics/KGraphicDevice.h"
#include "graphics/KGraphicObject.h"
#include "graphics/KTextBlock.h"
#include "graphics/TextHighlight.h"

class KTextLineObject;

class KTextBlockObject : public KGraphicObject {
    K_DECLARE_CLASS(KTextBlockObject)
public:
    KTextBlockObject();
    ~KTextBlockObject() override;
    KTextBlockObject(const KTextBlockObject&) = delete;
    KTextBlockObject& operator=(const KTextBlockObject&) = delete;

    // Lays out first when the width or the wrap changed since the last layout.
    const KGraphicSize& getSize() const override;
    void drawAt(KGraphicDevice& D, const KGraphicPoint& P) override;
    // Lines one under the other from R's top, while R has room; the line that crosses
    // R's bottom edge is clipped to it.
    void draw(KGraphicDevice& D, const KGraphicRectangle& R) override;
    // The text alone, without its background: drawn through a mask of the text.
    void drawPart(KGraphicDevice& Device, const KGraphicRectangle& S, const KGraphicRectangle& D) override;

    // Does not lay out again: callers set the width or the wrap after a new text, or rely
    // on the first layout. A highlight asked for before any text came is applied now.
    virtual void setTextBlock(KTextBlock& Block);
    virtual void clearTextBlock();
    // The device text is measured on during layout; without one, the screen.
    virtual void setAuxObject(KGraphicDevice& D);
    virtual void clearAuxObject();

    KTextBlock& getTextBlock() const { return m_block.getObject(); }
    bool hasTextBlock() const { return m_block.hasObject(nullptr); }
    KGraphicDevice& getAuxObject() const { return m_aux.getObject(); }
    bool hasAuxObject() const { return m_aux.hasObject(nullptr); }

    // With wrap off the width changes nothing.
    void setWidth(long Width);
    long getWidth() const { return m_width; }
    void setWrap(bool Wrap);
    bool getWrap() const { return m_wrap; }

    // Characters Start to End − 1 of the block (breaks not counted) in the highlight
    // colour; −1 for either drops the highlight. The highlight copy is a snapshot: later
    // changes of the block show once it is rebuilt or cleared. Without a text the values
    // are kept for the text to come.
    void setHighlightRange(long Start, long End);
    void highlightAll();
    // Always rebuilds the highlight copy, uncoloured when no range is set.
    void setHighlightColor(const KColor& Color);
    void clearHighlight();
    long getHighlightStart() const { return m_highlight.getStart(); }
    long getHighlightEnd() const { return m_highlight.getEnd(); }
    const KColor& getHighlightColor() const { return m_highlight.getColor(); }
    bool hasHighlightBlock() const { return m_highlight.hasCopy(); }
    KTextBlock& getHighlightBlock() const { return m_highlight.getCopy(); }

    void layout();

private:
    // Sets up Piece to lay out or draw line Index of Block as this object would.
    void prepareLine(KTextLineObject& Piece, const KTextBlock& Block, long Index, KGraphicDevice* Measuring) const;

    KTextBlockPtr m_block;
    KGraphicDevicePtr m_aux;
    bool m_relayout = true;
    bool m_wrap = false;
    long m_width = 100;
    TextHighlight<KTextBlock, KTextBlockPtr> m_highlight;
};

K_POINTER_CLASS(KTextBlockObject, KGraphicObjectPtr);
