#include "tools/windows/KOverlayWindow.h"

#include "tools/windows/FloatingWindows.h"

K_DEFINE_CLASS(KOverlayWindow, KWindow, 1)

KOverlayWindow::KOverlayWindow() { setWindowLayer(kFloatingWindowLayer); }

KOverlayWindow::~KOverlayWindow() = default;

unsigned long KOverlayWindow::getNativeStyle() const { return 0; }

KGraphicRectangle KOverlayWindow::getFrame() const { return getFrameFor(kOverlayExStyle); }

void KOverlayWindow::open(uint8 Mode)
{
    KWindowPtr hold(isOnHeap() ? this : nullptr);
    if (!isOpenedTwice(*this) && createNativeWindow({kOverlayExStyle, "KOverlayWindowClass", kPopupStyle, nullptr, carriedMenuBar(*this)}, kOpenContext))
        finishOpen(Mode);
}

bool KOverlayWindow::draw(KWindowEvent&) { return false; }
