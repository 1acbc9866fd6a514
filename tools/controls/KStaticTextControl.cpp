#include "tools/controls/KStaticTextControl.h"

#include "application/KControlActionEvent.h"
#include "graphics/KTextBlock.h"
#include "graphics/KTextLine.h"
#include "graphics/KTextStyleRun.h"

namespace {
constexpr double kTextSize = 9.0;
} // namespace

K_DEFINE_CLASS(KStaticTextControl, KControl, 1)

KStaticTextControl::KStaticTextControl()
    : m_text(new KTextBlockObject)
    , m_font(new KFont(kInterfaceFont, kTextSize, kPlatformWindows))
{
    KTextBlockPtr block = new KTextBlock;
    KTextLinePtr line = new KTextLine;
    if (m_text.hasObject(nullptr) && block.hasObject(nullptr) && line.hasObject(nullptr) &&
        m_font.hasObject(nullptr)) {
        line->appendStyleRun(KString(), *m_font, KColor(kBlack));
        block->addLine(line.get());
        m_text->setTextBlock(*block);
        m_alignment = block->getAlignment();
    }
    setStateFlags(HoverLookFlag);
    getActionMask().clear(KControlActionEvent::Down);
    disable();
}

KStaticTextControl::~KStaticTextControl() = default;

void KStaticTextControl::draw()
{
    if (!m_text.hasObject(nullptr))
        return;
    KGraphicDevicePtr device;
    KGraphicRectangle area;
    if (!acquireGraphicDevice(device, area))
        return;
    device->saveState();
    drawFace(*device, area);
    device->restoreState();
    drawSubControls();
    releaseGraphicDevice(device);
}

void KStaticTextControl::drawFace(KGraphicDevice& D, const KGraphicRectangle& R)
{
    D.paintRect(R, KColor(kSystemButtonFace));
    if (!m_text.hasObject(nullptr))
        return;
    const KColor* color = &m_disabledColor;
    if (isEnabled()) {
        const KColor* byHilite[] = {&m_normalColor, &m_hoverColor, &m_pressedColor};
        if (getHilite() > PressedHilite)
            return;
        color = byHilite[getHilite()];
    }
    KTextBlock& block = m_text->getTextBlock();
    if (block.getLineCount() > 0 && block.getLineAt(0).getStyleRunCount() > 0)
        block.getLineAt(0).getStyleRunAt(0).setColor(*color);
    m_text->draw(D, R);
}
