#include "graphics/KTextLineObject.h"

#include "graphics/NativeTextWin32.h"
#include "graphics/TextWithoutBackground.h"

#include <cmath>

K_DEFINE_CLASS(KTextLineObject, KGraphicObject, 1)

namespace {

// Truncated toward zero, kept within 16 bits.
short toShort(double Value)
{
    const double truncated = std::trunc(Value);
    if (truncated > 32767.0)
        return 32767;
    if (truncated < -32768.0)
        return -32768;
    return static_cast<short>(truncated);
}

struct RunExtent {
    double width;
    double height;
    double ascent;
};

// The characters of each run, measured in the run's style.
std::vector<RunExtent> measureRuns(const KTextLine& Line, KGraphicDevice* D)
{
    std::vector<RunExtent> extents;
    long start = 0;
    for (long i = 0; i < Line.getStyleRunCount(); ++i) {
        const KTextStyleRun& run = Line.getStyleRunAt(i);
        const long length = run.getLength() > 0 ? run.getLength() : 0;
        RunExtent extent = {0.0, 0.0, 0.0};
        kksGetTextExtent(Line.getText().getMid(start, length), run, extent.width, extent.height, extent.ascent, D);
        extents.push_back(extent);
        start += length;
    }
    return extents;
}

} // namespace

KTextLineObject::KTextLineObject() = default;

KTextLineObject::~KTextLineObject() = default;

const KGraphicSize& KTextLineObject::getSize() const
{
    // Layout is a cache of the size: asking for it is not a change of the object.
    if (m_relayout)
        const_cast<KTextLineObject*>(this)->layout();
    return KGraphicObject::getSize();
}

void KTextLineObject::setText(KTextLine& Line)
{
    m_line = Line;
    m_relayout = true;
    if (!m_highlight.applyPending(Line))
        m_highlight.clear();
}

void KTextLineObject::clearText()
{
    m_line.reset();
    m_highlight.clear();
    m_subLines.clear();
    setSize(KGraphicSize(0, 0));
    m_relayout = false;
}

void KTextLineObject::setAuxObject(KGraphicDevice& D) { m_aux = D; }

void KTextLineObject::clearAuxObject() { m_aux.reset(); }

void KTextLineObject::setWidth(long Width)
{
    m_width = Width;
    if (m_wrap)
        m_relayout = true;
}

void KTextLineObject::setWrap(bool Wrap)
{
    if (Wrap == m_wrap)
        return;
    m_wrap = Wrap;
    m_relayout = true;
}

void KTextLineObject::setHighlightRange(long Start, long End)
{
    m_highlight.setRange(Start, End, m_line.get());
    highlightChanged();
}

void KTextLineObject::setHighlightColor(const KColor& Color)
{
    m_highlight.setColor(Color, m_line.get());
    highlightChanged();
}

void KTextLineObject::clearHighlight()
{
    m_highlight.clear();
    highlightChanged();
}

void KTextLineObject::highlightChanged()
{
    if (m_wrap)
        m_relayout = true;
}

void KTextLineObject::setColor(const KColor& Color)
{
    if (hasTextLine())
        getTextLine().setColor(Color);
}

void KTextLineObject::layout()
{
    m_subLines.clear();
    m_relayout = false;
    if (!hasTextLine()) {
        setSize(KGraphicSize(0, 0));
        return;
    }
    if (!m_wrap) {
        measure(getMeasuringDevice());
        return;
    }
    const KTextLine& source = hasHighlightLine() ? getHighlightLine() : getTextLine();
    kksBreakTextIntoLines(source, static_cast<int16>(m_width), m_subLines, getTextLine().getAlignment(),
                          getMeasuringDevice());
    KTextLineObject piece;
    if (hasAuxObject())
        piece.setAuxObject(getAuxObject());
    long width = 0;
    long height = 0;
    for (long i = 0; i < m_subLines.getCount(); ++i) {
        piece.setText(static_cast<KTextLine&>(m_subLines.getObjectAt(i)));
        const KGraphicSize& size = piece.getSize();
        if (size.getWidth() > width)
            width = size.getWidth();
        height += size.getHeight();
    }
    setSize(KGraphicSize(toShort(width), toShort(height)));
}

void KTextLineObject::measure(KGraphicDevice* D)
{
    const KTextLine& line = getTextLine();
    double width = 0.0;
    double height = 0.0;
    if (line.getStyleRunCount() == 0) {
        double ascent = 0.0;
        kksGetTextExtent(KString(" "), line.getDefaultStyle(), width, height, ascent, D);
    } else {
        for (const RunExtent& extent : measureRuns(line, D)) {
            width += extent.width;
            if (extent.height > height)
                height = extent.height;
        }
    }
    setSize(KGraphicSize(toShort(width), toShort(height)));
}

short KTextLineObject::placeRuns(const KTextLine& Line, const KGraphicRectangle& R, KGraphicDevice* D,
                                 std::vector<KTextRunPlacement>& Out)
{
    Out.clear();
    const std::vector<RunExtent> extents = measureRuns(Line, D);
    double totalWidth = 0.0;
    double maxHeight = 0.0;
    double ascent = 0.0;
    for (const RunExtent& extent : extents) {
        totalWidth += extent.width;
        if (extent.height > maxHeight) {
            maxHeight = extent.height;
            ascent = extent.ascent;
        }
    }
    if (totalWidth <= 0.0 || maxHeight <= 0.0 || ascent <= 0.0)
        return 0;

    const KString& text = Line.getText();
    const uint8 alignment = Line.getAlignment();
    const long left = R.getH();
    const long right = left + R.getWidth();
    double x = left;
    double extraPerBlank = 0.0;
    if (alignment == kAlignRight) {
        x = left + (R.getWidth() - totalWidth);
    } else if (alignment == kAlignCenter) {
        x = left + (R.getWidth() - totalWidth) / 2.0;
    } else if (alignment == kAlignJustified) {
        const long blanks = text.countChar(' ');
        if (blanks > 0 && totalWidth < R.getWidth())
            extraPerBlank = (R.getWidth() - totalWidth) / blanks;
    }

    long runLeft = toShort(x);
    long start = 0;
    for (long i = 0; i < Line.getStyleRunCount(); ++i) {
        const long length = Line.getStyleRunAt(i).getLength();
        if (length <= 0)
            continue;
        const RunExtent& extent = extents[i];
        const KString characters = text.getMid(start, length);
        start += length;

        long width = toShort(extent.width);
        if (alignment == kAlignJustified)
            width = toShort(characters.countChar(' ') * extraPerBlank + extent.width);
        bool last = false;
        if (runLeft + width > right) {
            width = right - runLeft;
            last = true;
        }
        KTextRunPlacement placement = {start - length, length, static_cast<short>(runLeft),
                                       toShort(R.getV() + ascent - extent.ascent), static_cast<short>(width),
                                       toShort(extent.height), i};
        // A run that begins left of the box shows from the box's edge, when it reaches in.
        bool shown = true;
        if (runLeft < left) {
            shown = runLeft + width > left;
            placement.h = static_cast<short>(left);
            placement.width = static_cast<short>(runLeft + width - left);
        }
        if (shown)
            Out.push_back(placement);
        runLeft += width;
        if (last)
            break;
    }
    return toShort(maxHeight);
}

void KTextLineObject::drawLine(KGraphicDevice& D, const KTextLine& Line, KGraphicRectangle& R, bool& Stop)
{
    std::vector<KTextRunPlacement> placements;
    const short height = placeRuns(Line, R, &D, placements);
    if (height == 0) {
        Stop = true;
        return;
    }
    for (const KTextRunPlacement& placement : placements) {
        const KGraphicRectangle box(placement.h, placement.v, placement.width, placement.height);
        kksDrawText(Line.getText().getMid(placement.start, placement.count), Line.getStyleRunAt(placement.run), D,
                    box, Line.getAlignment());
    }
    R.setV(static_cast<short>(R.getV() + height));
    R.setHeight(static_cast<short>(R.getHeight() - height));
}

void KTextLineObject::draw(KGraphicDevice& D, const KGraphicRectangle& R)
{
    if (!hasTextLine())
        return;
    const KGraphicSize& size = getSize();
    if (!D.isBound())
        return;
    D.pushClipRegion();
    if (R.getWidth() < size.getWidth() || R.getHeight() < size.getHeight())
        D.intersectClipRect(R);
    KGraphicRectangle area(R);
    bool stop = false;
    if (m_wrap) {
        for (long i = 0; i < m_subLines.getCount() && !stop; ++i)
            drawLine(D, static_cast<KTextLine&>(m_subLines.getObjectAt(i)), area, stop);
    } else {
        const bool highlighted = m_highlight.hasRange() && hasHighlightLine();
        drawLine(D, highlighted ? getHighlightLine() : getTextLine(), area, stop);
    }
    D.popClipRegion();
}

void KTextLineObject::drawAt(KGraphicDevice& D, const KGraphicPoint& P)
{
    const KGraphicSize& size = getSize();
    draw(D, KGraphicRectangle(P.getH(), P.getV(), size.getWidth(), size.getHeight()));
}

void KTextLineObject::drawPart(KGraphicDevice& Device, const KGraphicRectangle& S, const KGraphicRectangle& D)
{
    if (!hasTextLine())
        return;
    const KGraphicSize size = getSize();
    const KGraphicRectangle whole(0, 0, size.getWidth(), size.getHeight());
    drawTextWithoutBackground(
        size, [&](KGraphicDevice& Image) { draw(Image, whole); },
        [&](KGraphicDevice& Mask) {
            m_highlight.whileAllBlack(getTextLine(), [&] {
                highlightChanged();
                drawAt(Mask, KGraphicPoint(0, 0));
            });
            highlightChanged();
        },
        Device, S, D);
}
