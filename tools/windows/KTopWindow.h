#pragma once
// A window of the usual kind that stays above every other window (window layer 6) and
// accepts dropped files.
#include "application/KWindow.h"

class KTopWindow : public KWindow {
    K_DECLARE_CLASS(KTopWindow)
public:
    KTopWindow();
    ~KTopWindow() override;

    KGraphicRectangle getFrame() const override;
    void open(uint8 Mode) override;
};

K_POINTER_CLASS(KTopWindow, KWindowPtr);
