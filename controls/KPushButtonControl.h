#pragma once
// The push button. A dialog's OK, Cancel and Apply buttons are push buttons: a release on
// one of them that nobody else takes carries the button out.
#include "controls/KControl.h"

class KPushButtonControl : public KControl {
    K_DECLARE_CLASS(KPushButtonControl)
public:
    KPushButtonControl();
    ~KPushButtonControl() override;
};

K_POINTER_CLASS(KPushButtonControl, KControlPtr);
