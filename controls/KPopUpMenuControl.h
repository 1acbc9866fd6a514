#pragma once
// A label with a drop-down arrow, drawn by the framework, that opens a menu under itself.
// A click on the control or on its label shows the menu 4 pixels under the control's
// bottom edge, left-aligned with it; choosing an item reaches the menu as a menu event
// and is then sent at once as an action of the control (type 1). Closing the menu without
// a choice, or clicking a control that has no menu, reports nothing.
#include "application/KMenu.h"
#include "controls/KControl.h"
#include "controls/KStaticTextNativeControl.h"
#include "foundation/KString.h"

class KPopUpMenuControl : public KControl {
    K_DECLARE_CLASS(KPopUpMenuControl)
public:
    KPopUpMenuControl();
    ~KPopUpMenuControl() override;

    void layoutSubControls() override;
    void draw() override;
    // Handled without tracking: the menu takes the rest of the press.
    KEventReturn mouseDownEvent(KMouseEvent& E) override;
    // The label's presses open the menu; other actions are left alone.
    bool handleAction(KControlActionEvent& E) override;
    using KControl::handleAction;

    virtual void setMenu(KMenu& Menu);
    virtual void clearMenu();

    // Error 18 when there is none.
    KMenu& getMenu() const { return m_menu.getObject(); }
    bool hasMenu() const { return m_menu.hasObject(nullptr); }
    KStaticTextNativeControl& getLabel() const { return m_label.getObject(); }

private:
    // Shows the menu and, when an item was chosen, sends an action of the type.
    void openMenu(long ActionType);

    KMenuPtr m_menu;
    KStaticTextNativeControlPtr m_label;
    KString m_title;
};

K_POINTER_CLASS(KPopUpMenuControl, KControlPtr);
