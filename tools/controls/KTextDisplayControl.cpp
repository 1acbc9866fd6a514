#include "tools/controls/KTextDisplayControl.h"

#include "graphics/KFont.h"
#include "graphics/KTextBlock.h"
#include "graphics/KTextLine.h"
#include "graphics/KTextStyleRun.h"
#include "foundation/KernelFunctions.h"

#include <algorithm>

namespace {
constexpr short kTextInset = 4;
// Rows over which the rolling text fades in at the bottom and out at the top.
constexpr short kFadeRows = 16;
constexpr uint16 kFadeStep = 0x1000;
constexpr double kTextSize = 12.0;
} // namespace

K_DEFINE_CLASS(KTextDisplayControl, KControl, 1)

KTextDisplayControl::KTextDisplayControl()
    : m_backgroundColor(kWhite)
{
    m_text = new KTextBlockObject;
    KTextBlockPtr block = new KTextBlock;
    if (m_text.hasObject(nullptr) && block.hasObject(nullptr)) {
        m_text->setTextBlock(*block);
        m_text->setWrap(true);
    }
    m_timer = new KTimer;
    clearStateFlags(AcceptsFocusFlag | EraseBackgroundFlag);
}

KTextDisplayControl::~KTextDisplayControl() { stopClock(); }

void KTextDisplayControl::doTimer(KTimer&)
{
    ++m_scrollOffset;
    invalidate();
}

KEventReturn KTextDisplayControl::mouseDownEvent(KMouseEvent&) { return 0; }
KEventReturn KTextDisplayControl::mouseMoveEvent(KMouseEvent&) { return 0; }
KEventReturn KTextDisplayControl::mouseUpEvent(KMouseEvent&) { return 0; }

void KTextDisplayControl::createDefaultText(const KString& Text)
{
    m_text->getTextBlock().clearLines();
    const KColor black(kBlack);
    appendLine(Text, &black);
}

void KTextDisplayControl::addLine(const KString& Text)
{
    KTextBlock& block = m_text->getTextBlock();
    if (block.getLineCount() > kKeptLines)
        block.removeLineAt(0);
    appendLine(Text, nullptr);
}

void KTextDisplayControl::appendLine(const KString& Text, const KColor* Color)
{
    auto* line = new KTextLine(Text);
    if (!line)
        return;
    KTextStyleRun run;
    run.setFont(KFont(KString("Arial"), kTextSize, kPlatformMac));
    if (Color)
        run.setColor(*Color);
    run.setLength(Text.getLength());
    line->clearStyleRuns();
    line->addStyleRun(new KTextStyleRun(run));
    m_text->getTextBlock().addLine(line);
    textChanged();
}

void KTextDisplayControl::textChanged()
{
    // Every draw lays the text out at the area's width, so a log that grows line by line
    // is not measured again for each line.
    m_fadeImage.reset();
    invalidate();
}

void KTextDisplayControl::setScrolling(bool On)
{
    m_scrolling = On ? 1 : 0;
    if (On)
        startClock();
    else
        stopClock();
}

void KTextDisplayControl::startClock()
{
    m_timer->setPeriod(m_scrollPeriod);
    m_timer->setRepeating(true);
    m_timer->setCatchUpMode(KTimer::SteadyWithLagLimit);
    m_timer->start();
    m_timer->setTarget(*this);
}

void KTextDisplayControl::stopClock()
{
    if (!m_timer.hasObject(nullptr))
        return;
    m_timer->stop();
    m_timer->resetTarget();
}

void KTextDisplayControl::createNativeControl()
{
    KControl::createNativeControl();
    if (m_scrolling && getNativeWindow() && !m_timer->isRunning())
        startClock();
}

void KTextDisplayControl::destroyNativeControl()
{
    // The timer's hold on the control would keep a band that nobody sees rolling for
    // ever, and alive after its window has gone.
    stopClock();
    KControl::destroyNativeControl();
}

KGraphicRectangle KTextDisplayControl::getTextArea() const
{
    KGraphicRectangle area(0, 0, getWidth(), getHeight());
    area.inset(kTextInset, kTextInset);
    return area;
}

void KTextDisplayControl::draw()
{
    if (!isVisible() || !hasParentWindow())
        return;
    KGraphicDevicePtr device;
    KGraphicRectangle bounds;
    if (!acquireGraphicDevice(device, bounds))
        return;
    render();
    if (m_buffer.hasObject(nullptr))
        m_buffer->drawAt(*device, bounds.getOrigin());
    releaseGraphicDevice(device);
}

void KTextDisplayControl::render()
{
    const KGraphicSize size = getSize();
    if (size.getWidth() <= 0 || size.getHeight() <= 0)
        return;
    // A buffer of another size would show stale pixels or lose the edges.
    if (!m_buffer.hasObject(nullptr) || m_buffer->getSize() != size) {
        m_buffer = new KImage;
        if (!m_buffer.hasObject(nullptr))
            return;
        m_buffer->create(size);
        m_fadeImage.reset();
    }
    KGraphicDevice& buffer = m_buffer->getGraphicDevice();
    const KGraphicRectangle whole(0, 0, size.getWidth(), size.getHeight());
    buffer.saveState();
    if (m_backgroundImage.hasObject(nullptr))
        m_backgroundImage->draw(buffer, whole);
    else
        buffer.paintRect(whole, m_backgroundColor);
    if (m_border)
        buffer.drawEtchedEdge(whole);
    const KGraphicRectangle area = getTextArea();
    if (m_scrolling)
        drawRolling(buffer, area);
    else
        drawStill(buffer, area);
    buffer.restoreState();
}

KImage* KTextDisplayControl::makeTextImage(const KGraphicRectangle& Area)
{
    m_text->setWidth(Area.getWidth());
    m_text->layout();
    const KGraphicSize textSize = m_text->getSize();
    if (textSize.getWidth() <= 0 || textSize.getHeight() <= 0)
        return nullptr;
    auto* image = new KImage;
    if (!image)
        return nullptr;
    image->create(textSize);
    KGraphicDevice& device = image->getGraphicDevice();
    const KGraphicRectangle whole(0, 0, textSize.getWidth(), textSize.getHeight());
    device.paintRect(whole, KColor(kWhite));
    m_text->draw(device, whole);
    return image;
}

void KTextDisplayControl::drawStill(KGraphicDevice& Buffer, const KGraphicRectangle& Area)
{
    KImagePtr text = makeTextImage(Area);
    if (!text.hasObject(nullptr))
        return;
    const KGraphicSize& textSize = text->getSize();
    // The newest lines of a log taller than the area stay in sight, flush with its bottom.
    const short width = std::min(Area.getWidth(), textSize.getWidth());
    const short height = std::min(Area.getHeight(), textSize.getHeight());
    const short top = static_cast<short>(textSize.getHeight() - height);
    Buffer.pushClipRegion();
    Buffer.setClipRect(Area);
    text->drawPart(Buffer, KGraphicRectangle(0, top, width, height),
                   KGraphicRectangle(Area.getH(), Area.getV(), width, height));
    Buffer.popClipRegion();
}

void KTextDisplayControl::makeFadeImage(KImage& Buffer, const KGraphicRectangle& Area)
{
    const short width = Area.getWidth(), height = Area.getHeight();
    m_fadeImage = new KAlphaImage;
    KImagePtr mask = new KImage;
    if (!m_fadeImage.hasObject(nullptr) || !mask.hasObject(nullptr) || width <= 0 || height <= 0) {
        m_fadeImage.reset();
        return;
    }
    m_fadeImage->create(Area.getSize());
    Buffer.getGraphicDevice().copyBits(m_fadeImage->getGraphicDevice(), Area, KGraphicRectangle(0, 0, width, height));
    mask->create(Area.getSize());
    KGraphicDevice& device = mask->getGraphicDevice();
    device.paintRect(KGraphicRectangle(0, 0, width, height), KColor(kWhite));
    for (short i = 0; i < kFadeRows; ++i) {
        const auto grey = static_cast<uint16>(i * kFadeStep);
        const KColor shade(grey, grey, grey);
        device.paintRect(KGraphicRectangle(0, i, width, 1), shade);
        device.paintRect(KGraphicRectangle(0, static_cast<short>(height - 1 - i), width, 1), shade);
    }
    m_fadeImage->setAlphaMask(*mask);
    m_fadeImage->setAlphaMode(KAlphaImage::kPerPixelAlpha);
}

void KTextDisplayControl::drawRolling(KGraphicDevice& Buffer, const KGraphicRectangle& Area)
{
    if (!m_fadeImage.hasObject(nullptr))
        makeFadeImage(*m_buffer, Area);
    if (!m_rollingText.hasObject(nullptr))
        m_rollingText = makeTextImage(Area);
    const long textHeight = m_rollingText.hasObject(nullptr) ? m_rollingText->getSize().getHeight() : 0;
    // Near the end only what is left of the text is drawn, at its own size: the part is
    // never stretched over the area, nor turned over once the offset has passed the end.
    const long left = std::min<long>(Area.getHeight(), textHeight - m_scrollOffset);
    if (left > 0) {
        const short width = std::min(Area.getWidth(), m_rollingText->getSize().getWidth());
        const auto height = static_cast<short>(left);
        m_rollingText->drawPart(Buffer, KGraphicRectangle(0, static_cast<short>(m_scrollOffset), width, height),
                                KGraphicRectangle(Area.getH(), Area.getV(), width, height));
    }
    if (m_fadeImage.hasObject(nullptr))
        m_fadeImage->draw(Buffer, Area);
    if (m_scrollOffset > textHeight)
        m_scrollOffset = 0;
}
