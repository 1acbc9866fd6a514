#include "tools/windows/KTopWindow.h"

#include "tools/windows/FloatingWindows.h"

K_DEFINE_CLASS(KTopWindow, KWindow, 1)

KTopWindow::KTopWindow() { setWindowLayer(kFloatingWindowLayer); }

KTopWindow::~KTopWindow() = default;

KGraphicRectangle KTopWindow::getFrame() const { return getFrameFor(kTopExStyle); }

void KTopWindow::open(uint8 Mode)
{
    KWindowPtr hold(isOnHeap() ? this : nullptr);
    if (!isOpenedTwice(*this) && createNativeWindow({kTopExStyle, "KWindowClass", getNativeStyle() | kPopupStyle, nullptr, carriedMenuBar(*this)}, kOpenContext))
        finishOpen(Mode);
}
