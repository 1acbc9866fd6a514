#pragma once
// A borderless window as large as the screen was when the window was made. It changes no
// display mode and does not follow a later change of the screen's size.
#include "application/KWindow.h"

class KFullScreenWindow : public KWindow {
    K_DECLARE_CLASS(KFullScreenWindow)
public:
    KFullScreenWindow();
    ~KFullScreenWindow() override;

private:
    long m_reserved = 0;
};

K_POINTER_CLASS(KFullScreenWindow, KWindowPtr);
