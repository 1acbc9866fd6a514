#pragma once
// A bare pop-up of its own window class that floats over every other window (window layer
// 6), without a taskbar button, accepting dropped files. It draws nothing of its own.
#include "application/KWindow.h"

class KOverlayWindow : public KWindow {
    K_DECLARE_CLASS(KOverlayWindow)
public:
    KOverlayWindow();
    ~KOverlayWindow() override;

    // No border, caption or clipping: the pop-up bit alone.
    unsigned long getNativeStyle() const override;
    KGraphicRectangle getFrame() const override;
    void open(uint8 Mode) override;
    bool draw(KWindowEvent& E) override;
};

K_POINTER_CLASS(KOverlayWindow, KWindowPtr);
