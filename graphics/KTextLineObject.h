#pragma once
// The graphic object that measures and draws one styled line. Without wrap the line is
// measured run by run and drawn on one baseline with the line's alignment; with wrap it
// is cut into sub-lines no wider than the width, stacked one under the other. A
// highlighted range is drawn from a copy of the line in which the range takes the
// highlight colour.
#include "foundation/KBag.h"
#include "graphics/KGraphicDevice.h"
#include "graphics/KGraphicObject.h"
#include "graphics/KTextLine.h"
#include "graphics/TextHighlight.h"

#include <vector>

// Where one run of a laid-out line is drawn: its characters and the box handed to the
// drawing call (its origin is the text's top-left corner).
struct KTextRunPlacement {
    long start;
    long count;
    short h;
    short v;
    short width;
    short height;
    long run;
};

class KTextLineObject : public KGraphicObject {
    K_DECLARE_CLASS(KTextLineObject)
public:
    KTextLineObject();
    ~KTextLineObject() override;
    KTextLineObject(const KTextLineObject&) = delete;
    KTextLineObject& operator=(const KTextLineObject&) = delete;

    // Lays out first when something changed since the last layout.
    const KGraphicSize& getSize() const override;
    void drawAt(KGraphicDevice& D, const KGraphicPoint& P) override;
    // Clipped to R when R is smaller than the object.
    void draw(KGraphicDevice& D, const KGraphicRectangle& R) override;
    // The text alone, without its background: drawn through a mask of the text.
    void drawPart(KGraphicDevice& Device, const KGraphicRectangle& S, const KGraphicRectangle& D) override;

    // A highlight asked for before the text came is applied now; otherwise a new text
    // clears the highlight.
    virtual void setText(KTextLine& Line);
    virtual void clearText();
    // The device text is measured on during layout; without one, the screen.
    virtual void setAuxObject(KGraphicDevice& D);
    virtual void clearAuxObject();

    KTextLine& getTextLine() const { return m_line.getObject(); }
    bool hasTextLine() const { return m_line.hasObject(nullptr); }
    KGraphicDevice& getAuxObject() const { return m_aux.getObject(); }
    bool hasAuxObject() const { return m_aux.hasObject(nullptr); }

    // With wrap off the width changes nothing.
    void setWidth(long Width);
    long getWidth() const { return m_width; }
    void setWrap(bool Wrap);
    bool getWrap() const { return m_wrap; }

    // Characters Start to End − 1 in the highlight colour; −1 for either drops it. Without
    // a text the values are kept for the text to come.
    void setHighlightRange(long Start, long End);
    // Always rebuilds the highlight copy, uncoloured when no range is set.
    void setHighlightColor(const KColor& Color);
    void clearHighlight();
    long getHighlightStart() const { return m_highlight.getStart(); }
    long getHighlightEnd() const { return m_highlight.getEnd(); }
    const KColor& getHighlightColor() const { return m_highlight.getColor(); }
    bool hasHighlightLine() const { return m_highlight.hasCopy(); }
    KTextLine& getHighlightLine() const { return m_highlight.getCopy(); }

    // Every run of the shown line itself takes the colour.
    void setColor(const KColor& Color);

    void layout();
    // The lines the last layout with wrap on cut the text into.
    const KBag& getSubLines() const { return m_subLines; }

    // Places the runs of Line in R as drawing does, measuring on D (the screen for null):
    // the runs sit on one baseline, start where the alignment puts them and stop at R's
    // right edge. Gives the line's height, or 0 when the line measures to nothing and
    // drawing stops.
    static short placeRuns(const KTextLine& Line, const KGraphicRectangle& R, KGraphicDevice* D,
                           std::vector<KTextRunPlacement>& Out);

private:
    // Wrapped sub-lines are cut from the highlight copy: a new copy means cutting again.
    void highlightChanged();
    void measure(KGraphicDevice* D);
    void drawLine(KGraphicDevice& D, const KTextLine& Line, KGraphicRectangle& R, bool& Stop);
    KGraphicDevice* getMeasuringDevice() const { return m_aux.get(); }

    KTextLinePtr m_line;
    KGraphicDevicePtr m_aux;
    bool m_wrap = false;
    long m_width = 100;
    bool m_relayout = true;
    TextHighlight<KTextLine, KTextLinePtr> m_highlight;
    KBag m_subLines;
};

K_POINTER_CLASS(KTextLineObject, KGraphicObjectPtr);
