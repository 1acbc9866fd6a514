#include "graphics/KTextBlockObject.h"

#include "graphics/KTextLineObject.h"
#include "graphics/TextWithoutBackground.h"

K_DEFINE_CLASS(KTextBlockObject, KGraphicObject, 1)

KTextBlockObject::KTextBlockObject() = default;

KTextBlockObject::~KTextBlockObject() = default;

const KGraphicSize& KTextBlockObject::getSize() const
{
    // Layout is a cache of the size: asking for it is not a change of the object.
    if (m_relayout)
        const_cast<KTextBlockObject*>(this)->layout();
    return KGraphicObject::getSize();
}

void KTextBlockObject::setTextBlock(KTextBlock& Block)
{
    m_block = Block;
    m_highlight.applyPending(Block);
}

void KTextBlockObject::clearTextBlock() { m_block.reset(); }

void KTextBlockObject::setAuxObject(KGraphicDevice& D) { m_aux = D; }

void KTextBlockObject::clearAuxObject() { m_aux.reset(); }

void KTextBlockObject::setWidth(long Width)
{
    m_width = Width;
    if (m_wrap)
        m_relayout = true;
}

void KTextBlockObject::setWrap(bool Wrap)
{
    if (Wrap == m_wrap)
        return;
    m_wrap = Wrap;
    m_relayout = true;
}

void KTextBlockObject::setHighlightRange(long Start, long End) { m_highlight.setRange(Start, End, m_block.get()); }

void KTextBlockObject::highlightAll() { m_highlight.highlightAll(m_block.get()); }

void KTextBlockObject::setHighlightColor(const KColor& Color) { m_highlight.setColor(Color, m_block.get()); }

void KTextBlockObject::clearHighlight() { m_highlight.clear(); }

void KTextBlockObject::prepareLine(KTextLineObject& Piece, const KTextBlock& Block, long Index,
                                   KGraphicDevice* Measuring) const
{
    KTextLine& line = Block.getLineAt(Index);
    line.setAlignment(Block.getAlignment());
    Piece.setText(line);
    Piece.setWidth(m_width);
    Piece.setWrap(m_wrap);
    // The line object holds its measuring device by a counted reference, which only a
    // heap object can give; any other device is measured as the screen.
    if (Measuring && Measuring->isOnHeap())
        Piece.setAuxObject(*Measuring);
    else
        Piece.clearAuxObject();
}

void KTextBlockObject::layout()
{
    short width = 0;
    short height = 0;
    if (hasTextBlock()) {
        const KTextBlock& block = getTextBlock();
        KTextLineObject piece;
        for (long i = 0; i < block.getLineCount(); ++i) {
            prepareLine(piece, block, i, m_aux.get());
            const KGraphicSize& size = piece.getSize();
            if (size.getWidth() > width)
                width = size.getWidth();
            height = static_cast<short>(height + size.getHeight());
        }
    }
    setSize(KGraphicSize(width, height));
    m_relayout = false;
}

void KTextBlockObject::draw(KGraphicDevice& D, const KGraphicRectangle& R)
{
    const KTextBlockPtr block = hasHighlightBlock() ? &getHighlightBlock() : m_block.get();
    if (!block.hasObject(nullptr) || !D.isBound())
        return;
    getSize();
    KGraphicRectangle area(R);
    KTextLineObject piece;
    for (long i = 0; i < block->getLineCount() && area.getHeight() > 0; ++i) {
        prepareLine(piece, *block, i, hasAuxObject() ? m_aux.get() : &D);
        const short lineHeight = piece.getSize().getHeight();
        const short shown = lineHeight < area.getHeight() ? lineHeight : area.getHeight();
        piece.draw(D, KGraphicRectangle(area.getH(), area.getV(), area.getWidth(), shown));
        area.setV(static_cast<short>(area.getV() + lineHeight));
        area.setHeight(static_cast<short>(area.getHeight() - lineHeight));
    }
}

void KTextBlockObject::drawAt(KGraphicDevice& D, const KGraphicPoint& P)
{
    const KGraphicSize& size = getSize();
    draw(D, KGraphicRectangle(P.getH(), P.getV(), size.getWidth(), size.getHeight()));
}

void KTextBlockObject::drawPart(KGraphicDevice& Device, const KGraphicRectangle& S, const KGraphicRectangle& D)
{
    if (!hasTextBlock())
        return;
    const KGraphicSize size = getSize();
    const KGraphicRectangle whole(0, 0, size.getWidth(), size.getHeight());
    drawTextWithoutBackground(
        size, [&](KGraphicDevice& Image) { draw(Image, whole); },
        [&](KGraphicDevice& Mask) {
            m_highlight.whileAllBlack(getTextBlock(), [&] { drawAt(Mask, KGraphicPoint(0, 0)); });
        },
        Device, S, D);
}
