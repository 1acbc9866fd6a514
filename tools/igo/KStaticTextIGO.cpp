#include "tools/igo/KStaticTextIGO.h"

#include "foundation/KernelFunctions.h"
#include "graphics/KGraphicDevice.h"
#include "graphics/KTextLineObject.h"

namespace {
constexpr double kTextSize = 9.0;
} // namespace

K_DEFINE_CLASS(KStaticTextIGO, KInteractiveGraphicObject, 1)

KStaticTextIGO::KStaticTextIGO()
    : m_textObject(new KTextBlockObject)
    , m_font(new KFont(kInterfaceFont, kTextSize, kPlatformWindows))
{
    KTextBlockPtr block = new KTextBlock;
    auto* line = new KTextLine;
    line->appendStyleRun(KString(""), *m_font, KColor(kBlack));
    block->addLine(line);
    m_textObject->setTextBlock(*block);
}

KStaticTextIGO::~KStaticTextIGO()
{
    m_textObject.reset();
    m_font.reset();
}

void KStaticTextIGO::setTextObject(KTextBlockObject& O) { m_textObject = O; }
void KStaticTextIGO::clearTextObject() { m_textObject.reset(); }
void KStaticTextIGO::setFont(KFont& F) { m_font = F; }
void KStaticTextIGO::clearFont() { m_font.reset(); }

KTextLine& KStaticTextIGO::firstLine() const
{
    KTextBlockObject& text = getTextObject();
    if (!text.hasTextBlock()) {
        KTextBlockPtr block = new KTextBlock;
        text.setTextBlock(*block);
    }
    KTextBlock& block = text.getTextBlock();
    if (block.getLineCount() == 0)
        block.addLine(new KTextLine);
    return block.getLineAt(0);
}

void KStaticTextIGO::setText(const KString& S)
{
    if (!hasTextObject())
        return;
    KTextLine& line = firstLine();
    line.clear();
    // Without a font of its own the element writes in the standard one.
    const KFont font = hasFont() ? getFont() : KFont(kInterfaceFont, kTextSize, kPlatformWindows);
    line.appendStyleRun(S, font, KColor(kBlack));
    getTextObject().layout();
}

KString KStaticTextIGO::getText() const
{
    if (!hasTextObject()) {
        getTextObject();
        return KString();
    }
    return firstLine().getText();
}

void KStaticTextIGO::colorFirstRun(const KColor& C) const
{
    KTextLine& line = firstLine();
    if (line.getStyleRunCount() > 0)
        line.getStyleRunAt(0).setColor(C);
}

void KStaticTextIGO::drawAt(KGraphicDevice& Dev, const KGraphicPoint& At)
{
    if (!hasTextObject())
        return;
    KTextLineObjectPtr measure = new KTextLineObject;
    measure->setText(firstLine());
    const KGraphicSize size = measure->getSize();
    draw(Dev, KGraphicRectangle(At.getH(), At.getV(), size.getWidth(), size.getHeight()));
}

void KStaticTextIGO::draw(KGraphicDevice& Dev, const KGraphicRectangle& Dst)
{
    if (!hasTextObject())
        return;
    KTextBlockObject& text = getTextObject();
    Dev.saveState();
    Dev.setForeColor(KColor(kBlack));
    const KGraphicSize size = text.getSize();
    KGraphicRectangle band(0, 0, Dst.getWidth(), size.getHeight());
    band.centerIn(Dst);
    if (isSelected()) {
        colorFirstRun(KColor(kSystemHighlightText));
        KGraphicRectangle highlight;
        if (m_highlightExtent == TextHighlight)
            highlight.set(band.getH(), band.getV(), size.getWidth(), size.getHeight());
        else if (m_highlightExtent == BandHighlight)
            highlight = band;
        else if (m_highlightExtent == DestinationHighlight)
            highlight = Dst;
        Dev.paintRect(highlight, KColor(kSystemHighlight));
        text.draw(Dev, highlight);
    } else if (getHilite() <= DisabledHilite) {
        static const KStandardColor kColors[] = {kBlack, kYellow, kRed, kDarkGray};
        colorFirstRun(KColor(kColors[getHilite()]));
        text.draw(Dev, band);
    }
    Dev.restoreState();
}

void KStaticTextIGO::drawPart(KGraphicDevice&, const KGraphicRectangle&, const KGraphicRectangle&)
{
    knsNotYetImplemented(
        "void KStaticTextIGO::draw(KGraphicDevice& Dev, const KGraphicRectangle& Src, const KGraphicRectangle& Dst)");
}
