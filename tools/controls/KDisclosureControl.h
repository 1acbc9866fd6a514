#pragma once
// A disclosure (expand and collapse) control. This platform has no native one: putting it
// into a window shows the not-yet-implemented notice and makes no native window.
#include "controls/KControl.h"

class KDisclosureControl : public KControl {
    K_DECLARE_CLASS(KDisclosureControl)
public:
    KDisclosureControl();
    ~KDisclosureControl() override;

    void createNativeControl() override;
};

K_POINTER_CLASS(KDisclosureControl, KControlPtr);
