#include "application/KPaletteWindow.h"

#include "foundation/KernelFunctions.h"

namespace {
constexpr long kPaletteWindowLayer = 3;
constexpr unsigned long kPaletteExStyle = 0x90; // WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES
constexpr unsigned long kPopupStyle = 0x80000000;
} // namespace

K_DEFINE_CLASS(KPaletteWindow, KWindow, 1)

KPaletteWindow::KPaletteWindow()
{
    setKindFlags(BorderKind | CaptionKind | SystemMenuKind);
    setWindowLayer(kPaletteWindowLayer);
}

KPaletteWindow::~KPaletteWindow() = default;

KGraphicRectangle KPaletteWindow::getFrame() const { return getFrameFor(kPaletteExStyle); }

void KPaletteWindow::open(uint8 Mode)
{
    KWindowPtr hold(isOnHeap() ? this : nullptr);
    if (getNativeWindow()) {
        knsFatalError("KWindow::open()", "Already Open.");
        return;
    }
    const NativeWindowRequest request{kPaletteExStyle, "KPaletteClass", getNativeStyle() | kPopupStyle,
                                      getMainNativeWindow(), nullptr};
    if (createNativeWindow(request, "void KPaletteWindow::open(OpenMode Mode)"))
        finishOpen(Mode);
}
