#pragma once
// A control that hosts one interactive graphic object in its native window: the object
// takes the control's size when it is set, draws itself into the control, hears the
// control's mouse in its own coordinates, and its action events leave the control as
// control action events of the same type from the control.
#include "controls/KControl.h"
#include "tools/igo/KInteractiveGraphicObject.h"

class KIGOControl : public KControl {
    K_DECLARE_CLASS(KIGOControl)
public:
    KIGOControl();
    ~KIGOControl() override;

    // An action of the object, or of an element inside it, posted again as the control's.
    bool handleAction(KActionEvent& E) override;
    using KControl::handleAction;
    void draw() override;
    // The object paints the whole control, so the background is not erased first.
    bool handleNativeEvent(KNativeEvent& Event) override;
    // Each answers 0 without an object.
    KEventReturn mouseDownEvent(KMouseEvent& E) override;
    KEventReturn mouseMoveEvent(KMouseEvent& E) override;
    KEventReturn mouseRepeatEvent(KMouseEvent& E) override;
    KEventReturn mouseUpEvent(KMouseEvent& E) override;
    KEventReturn mouseEnterEvent(KMouseEvent& E) override;
    KEventReturn mouseExitEvent(KMouseEvent& E) override;

    // The object moves to (0, 0) at the control's present size; later sizes of the
    // control are not passed on. An object it replaces is let go.
    virtual void setIGO(KInteractiveGraphicObject& O);
    // Error 18 without an object.
    virtual void clearIGO();

    KInteractiveGraphicObject& getIGO() const { return m_igo.getObject(); }
    bool hasIGO() const { return m_igo.hasObject(nullptr); }

private:
    bool isTrackedByIGO() const;
    // Lets the held object go: it no longer has this control as its parent.
    void releaseIGO();

    KInteractiveGraphicObjectPtr m_igo;
};

K_POINTER_CLASS(KIGOControl, KControlPtr);
