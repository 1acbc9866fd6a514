#pragma once
// A native progress bar that shows a percentage in tenths: the native range is 0 to 1000.
// It displays only: it takes no focus and reports nothing of its own. It lies vertically
// when it is taller than wide.
#include "controls/KControl.h"

class KProgressBarControl : public KControl {
    K_DECLARE_CLASS(KProgressBarControl)
public:
    KProgressBarControl();
    ~KProgressBarControl() override;

    void setHilite(uint8 H) override;
    void createNativeControl() override;
    void destroyNativeControl() override;
    // The native bar paints itself.
    void draw() override;

    // Outside 0 to 100 the native bar's own clamping decides what shows.
    void setValue(float Percent);
    float getValue() const { return m_value; }

private:
    float m_value = 0.0f;
};

K_POINTER_CLASS(KProgressBarControl, KControlPtr);
