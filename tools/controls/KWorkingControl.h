#pragma once
// A busy indicator. This platform has no native one: putting it into a window shows the
// not-yet-implemented notice and makes no native window.
#include "controls/KControl.h"

class KWorkingControl : public KControl {
    K_DECLARE_CLASS(KWorkingControl)
public:
    KWorkingControl();
    ~KWorkingControl() override;

    void createNativeControl() override;
    // Kept for a platform that has the indicator; they do nothing here.
    virtual void startWorking() {}
    virtual void stopWorking() {}
};

K_POINTER_CLASS(KWorkingControl, KControlPtr);
