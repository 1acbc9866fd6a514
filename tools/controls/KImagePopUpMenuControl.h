#pragma once
// A picture button that opens a pop-up menu under itself when pressed, and reports a
// choice from the menu as a click. Without a menu it is a plain picture button.
#include "application/KMenu.h"
#include "tools/controls/KSimpleImageControl.h"

class KImagePopUpMenuControl : public KSimpleImageControl {
    K_DECLARE_CLASS(KImagePopUpMenuControl)
public:
    // Reports presses only and takes no keyboard focus.
    KImagePopUpMenuControl();
    ~KImagePopUpMenuControl() override;

    // With a menu, in a window: the menu 4 pixels below the control; a choice posts a
    // click (type 4). The press is handled without tracking.
    KEventReturn mouseDownEvent(KMouseEvent& E) override;

    virtual void setMenu(KMenu& M);
    virtual void resetMenu();
    // Error 18 without a menu.
    KMenu& getMenu() const { return m_menu.getObject(); }
    bool hasMenu() const { return m_menu.hasObject(nullptr); }

private:
    KMenuPtr m_menu;
};

K_POINTER_CLASS(KImagePopUpMenuControl, KSimpleImageControlPtr);
