#include "controls/KScrollViewControl.h"

#include "application/KControlActionEvent.h"
#include "foundation/KernelFunctions.h"

#include <cmath>

namespace {
constexpr short kDefaultThickness = 16;
constexpr long kPageSize = 10;

long truncated(double Value) { return static_cast<long>(std::trunc(Value)); }
} // namespace

K_DEFINE_CLASS(KScrollViewControl, KControl, 1)

KScrollViewControl::KScrollViewControl()
{
    m_view = new KView;
    m_view->setMode(KView::OriginAndZoom);
    replaceBar(m_horizontalBar, new KScrollBarControl);
    replaceBar(m_verticalBar, new KScrollBarControl);
    clearStateFlags(EraseBackgroundFlag);
}

KScrollViewControl::~KScrollViewControl() = default;

short KScrollViewControl::barThickness() const
{
    if (!m_horizontalBar.hasObject(nullptr))
        return kDefaultThickness;
    return m_horizontalBar->getVariantSize(knsGetPlatform()).getWidth();
}

void KScrollViewControl::layoutSubControls()
{
    const short t = barThickness(), w = getWidth(), h = getHeight();
    if (m_horizontalBar.hasObject(nullptr))
        m_horizontalBar->setBounds(KGraphicRectangle(-1, static_cast<short>(h - t + 1), static_cast<short>(w - t + 3), t));
    if (m_verticalBar.hasObject(nullptr))
        m_verticalBar->setBounds(KGraphicRectangle(static_cast<short>(w - t + 1), -1, t, static_cast<short>(h - t + 3)));
}

void KScrollViewControl::draw()
{
    if (!isVisible() || !hasParentWindow())
        return;
    KGraphicDevicePtr device;
    KGraphicRectangle area;
    if (acquireGraphicDevice(device, area)) {
        device->saveState();
        const short t = barThickness();
        area.setSize(static_cast<short>(area.getWidth() - t + 1), static_cast<short>(area.getHeight() - t + 1));
        if (m_view.hasObject(nullptr))
            m_view->draw(*device, area);
        device->restoreState();
        releaseGraphicDevice(device);
    }
    KControl::draw();
}

bool KScrollViewControl::handleAction(KControlActionEvent& E)
{
    if (!E.hasSource() || (m_horizontalBar.get() != &E.getSource() && m_verticalBar.get() != &E.getSource()))
        return false;
    if (!m_view.hasObject(nullptr))
        return true;
    const double scale = m_view->getScale();
    KGraphicPoint origin = m_view->getOrigin();
    if (m_horizontalBar.hasObject(nullptr))
        origin.setH(static_cast<short>(truncated(m_horizontalBar->getValue() / scale)));
    if (m_verticalBar.hasObject(nullptr))
        origin.setV(static_cast<short>(truncated(m_verticalBar->getValue() / scale)));
    m_view->setOrigin(origin);
    draw();
    return true;
}

void KScrollViewControl::setView(KView& View) { m_view = View; }
void KScrollViewControl::clearView() { m_view.reset(); }

void KScrollViewControl::replaceBar(KScrollBarControlPtr& Slot, KScrollBarControl* Bar)
{
    KScrollBarControlPtr hold = Bar;
    if (Slot.hasObject(nullptr))
        removeControl(*Slot);
    Slot = Bar;
    if (Bar) {
        addControl(*Bar);
        layoutSubControls();
    }
}

void KScrollViewControl::setHorizontalScrollBar(KScrollBarControl& Bar) { replaceBar(m_horizontalBar, &Bar); }
void KScrollViewControl::clearHorizontalScrollBar() { replaceBar(m_horizontalBar, nullptr); }
void KScrollViewControl::setVerticalScrollBar(KScrollBarControl& Bar) { replaceBar(m_verticalBar, &Bar); }
void KScrollViewControl::clearVerticalScrollBar() { replaceBar(m_verticalBar, nullptr); }

void KScrollViewControl::updateScrollBars()
{
    KScrollBarControl* bars[] = {m_horizontalBar.get(), m_verticalBar.get()};
    for (KScrollBarControl* bar : bars) {
        if (!bar)
            continue;
        bar->setMinimum(0);
        bar->setLineStep(1);
        bar->setPageSize(kPageSize);
    }
    const bool hasContent = m_view.hasObject(nullptr) && m_view->hasContent();
    if (!hasContent) {
        for (KScrollBarControl* bar : bars) {
            if (bar)
                bar->setMaximum(0);
        }
        return;
    }
    const double scale = m_view->getScale();
    const KGraphicSize& content = m_view->getContent().getSize();
    const double extents[] = {content.getWidth() * scale - getWidth(), content.getHeight() * scale - getHeight()};
    const KGraphicPoint& origin = m_view->getOrigin();
    long positions[] = {truncated(origin.getH() * scale), truncated(origin.getV() * scale)};
    for (int i = 0; i < 2; ++i) {
        const long maximum = extents[i] > 0.0 ? truncated(extents[i]) : 0;
        if (positions[i] > maximum)
            positions[i] = maximum;
        if (bars[i]) {
            bars[i]->setMaximum(maximum);
            // The bar shows where the view is, so that the next move starts from there.
            bars[i]->setValue(positions[i], true);
        }
    }
    m_view->setOrigin(KGraphicPoint(static_cast<short>(truncated(positions[0] / scale)),
                                    static_cast<short>(truncated(positions[1] / scale))));
}
