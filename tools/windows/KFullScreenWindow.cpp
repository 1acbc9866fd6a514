#include "tools/windows/KFullScreenWindow.h"

#include "foundation/KernelFunctions.h"

K_DEFINE_CLASS(KFullScreenWindow, KWindow, 1)

KFullScreenWindow::KFullScreenWindow()
{
    setKindFlags(0);
    setBounds(KGraphicRectangle(0, 0, static_cast<short>(knsGetScreenWidth()), static_cast<short>(knsGetScreenHeight())));
}

KFullScreenWindow::~KFullScreenWindow() = default;
