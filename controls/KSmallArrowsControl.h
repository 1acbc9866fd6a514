#pragma once
// A native pair of up and down arrows. It keeps no value: each click is sent at once as a
// done action (type 4) whose string variable "ControlPart" names the arrow: "UpButton",
// "DownButton", or "EntireControl" when the arrows proposed no change. The mouse belongs
// to the native arrows.
#include "controls/KControl.h"

class KSmallArrowsControl : public KControl {
    K_DECLARE_CLASS(KSmallArrowsControl)
public:
    KSmallArrowsControl();
    ~KSmallArrowsControl() override;

    void createNativeControl() override;
    void destroyNativeControl() override;
    bool handleNativeEvent(KNativeEvent& Event) override;
    KEventReturn mouseDownEvent(KMouseEvent& E) override;
    KEventReturn mouseMoveEvent(KMouseEvent& E) override;
    KEventReturn mouseUpEvent(KMouseEvent& E) override;
};

K_POINTER_CLASS(KSmallArrowsControl, KControlPtr);
