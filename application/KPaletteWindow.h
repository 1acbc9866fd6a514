#pragma once
// A floating tool window: a small tool-window frame with border, title bar and system
// menu, owned by the main window, kept in front of plain windows and behind dialogs.
#include "application/KWindow.h"

class KPaletteWindow : public KWindow {
    K_DECLARE_CLASS(KPaletteWindow)
public:
    KPaletteWindow();
    ~KPaletteWindow() override;

    KGraphicRectangle getFrame() const override;
    void open(uint8 Mode) override;
};

K_POINTER_CLASS(KPaletteWindow, KWindowPtr);
