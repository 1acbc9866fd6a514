#pragma once
// A label, a native slider and the captions "Min" and "Max" above the slider's two halves,
// managed as one control. The slider's actions reach the window with this control as
// their source; range and value are set on the slider itself.
#include "controls/KControl.h"
#include "controls/KSliderControl.h"
#include "controls/KStaticTextNativeControl.h"

class KLabelSliderControl : public KControl {
    K_DECLARE_CLASS(KLabelSliderControl)
public:
    KLabelSliderControl();
    ~KLabelSliderControl() override;

    void layoutSubControls() override;
    bool handleAction(KControlActionEvent& E) override;
    using KControl::handleAction;

    KSliderControl& getSlider() const { return *m_slider; }
    KStaticTextNativeControl& getLabel() const { return *m_label; }
    KStaticTextNativeControl& getMinimumCaption() const { return *m_minimumCaption; }
    KStaticTextNativeControl& getMaximumCaption() const { return *m_maximumCaption; }

private:
    KSliderControlPtr m_slider;
    KStaticTextNativeControlPtr m_label;
    KStaticTextNativeControlPtr m_minimumCaption;
    KStaticTextNativeControlPtr m_maximumCaption;
    short m_labelWidth;
};

K_POINTER_CLASS(KLabelSliderControl, KControlPtr);
