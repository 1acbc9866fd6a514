#include "tools/windows/KDocumentWindow.h"

#include "controls/KControlsLayer.h"

K_DEFINE_CLASS(KDocumentWindow, KWindow, 1)

KDocumentWindow::KDocumentWindow()
{
    KScrollViewControlPtr view = new KScrollViewControl;
    if (!view.hasObject(nullptr))
        return;
    setScrollView(*view);
    getControlsLayer().addControl(*view);
}

KDocumentWindow::~KDocumentWindow() = default;

void KDocumentWindow::setScrollView(KScrollViewControl& View) { m_scrollView = View; }
void KDocumentWindow::releaseScrollView() { m_scrollView.reset(); }

void KDocumentWindow::open(uint8 Mode)
{
    KWindowPtr hold(isOnHeap() ? this : nullptr);
    if (m_scrollView.hasObject(nullptr)) {
        m_scrollView->setBounds(KGraphicRectangle(0, 0, getBounds().getWidth(), getBounds().getHeight()));
        m_scrollView->updateScrollBars();
    }
    KWindow::open(Mode);
}

bool KDocumentWindow::resized(KWindowEvent&)
{
    if (m_scrollView.hasObject(nullptr)) {
        m_scrollView->setSize(getBounds().getSize());
        m_scrollView->updateScrollBars();
    }
    return false;
}

bool KDocumentWindow::draw(KWindowEvent&)
{
    if (m_scrollView.hasObject(nullptr)) {
        m_scrollView->updateScrollBars();
        m_scrollView->draw();
    }
    return true;
}
