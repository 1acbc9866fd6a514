#pragma once
// A framed group of radio buttons of which at most one is selected. The radio buttons
// added to it as sub-controls are its buttons, in the order added; a button's click
// selects it through the group, and the arrow keys, Home and End move the selection.
// Every selection made through the group reports a done action of the group.
#include "controls/KControl.h"
#include "foundation/KString.h"

class KRadioButtonControl;

class KRadioButtonGroup : public KControl {
    K_DECLARE_CLASS(KRadioButtonGroup)
public:
    KRadioButtonGroup();
    ~KRadioButtonGroup() override;

    bool keyTyped(KKeyEvent& E) override;
    void createNativeControl() override;
    // Handled here, without tracking: the buttons take the clicks.
    KEventReturn mouseDownEvent(KMouseEvent& E) override;
    KEventReturn mouseMoveEvent(KMouseEvent& E) override;
    KEventReturn mouseUpEvent(KMouseEvent& E) override;
    void addControl(KControl& C) override;
    void removeControl(KControl& C) override;

    // Nothing when Button is not one of the group's.
    void selectButton(KRadioButtonControl& Button);
    // Selects the button at Index and deselects the others (all of them for an index
    // outside the list), then reports a done action whatever changed.
    void setSelectedIndex(long Index);
    // The first selected button's index; -1 for none.
    long getSelectedIndex() const;
    // Up and Left, Down and Right, Home and End move the selection; false for other keys
    // and while nothing is selected.
    bool handleKey(KKeyEvent& E);
    const KBag& getButtons() const { return m_buttons; }

    void setTitle(const KString& Title);
    const KString& getTitle() const { return m_title; }

private:
    KBag m_buttons;
    KString m_title;
};
