#pragma once
// A native slider between two pictures that mark the ends of its range. Each picture has
// two looks: itself while the control is enabled and a grey, lighter, flatter copy while
// it is disabled. The range and value operations go to the slider, and the slider's
// action events leave the control with the control as their source. The player's
// settings use it for the voice speed and the animation setup.
#include "controls/KControl.h"
#include "controls/KSliderControl.h"
#include "tools/igo/KImageIGO.h"

class KGraphicSliderControl : public KControl {
    K_DECLARE_CLASS(KGraphicSliderControl)
public:
    // A slider 100 wide with two empty pictures.
    KGraphicSliderControl();
    // The pictures from bitmap resources, each with its mask; the slider 100 wide
    // between them.
    KGraphicSliderControl(short LeftImage, short LeftMask, short RightImage, short RightMask);
    ~KGraphicSliderControl() override;

    // The pictures show their normal or dimmed look with the control.
    void enable(bool On) override;
    void disable() override;
    // The pictures at the ends, the slider between when they leave it room, else the
    // slider across the whole width with the pictures below it.
    void layoutSubControls() override;
    void draw() override;
    // The slider's actions are sent again with this control as their source.
    bool handleAction(KControlActionEvent& E) override;
    using KControl::handleAction;

    void setMinimum(long Minimum);
    void setMaximum(long Maximum);
    void setPageSize(long PageSize);
    // Sent to the native slider only when Update is true and it exists.
    void setValue(long Value, bool Update);
    // The native slider's position while it exists.
    long getValue();

    KSliderControl& getSlider() const { return m_slider.getObject(); }
    KImageIGO& getLeftPicture() const { return m_left.getObject(); }
    KImageIGO& getRightPicture() const { return m_right.getObject(); }

private:
    // The slider made and added; the pictures made, without looks.
    void makeParts();
    // The normal and dimmed looks of a picture from its bitmap and mask, and its size.
    static void makeLooks(KImageIGO& Picture, short Image, short Mask);

    KSliderControlPtr m_slider;
    KImageIGOPtr m_left;
    KImageIGOPtr m_right;
};

class KGraphicSliderControlPtr : public KTypedPtr<KGraphicSliderControl, KControlPtr> {
public:
    using KTypedPtr<KGraphicSliderControl, KControlPtr>::KTypedPtr;
    using KTypedPtr<KGraphicSliderControl, KControlPtr>::operator=;
    KGraphicSliderControlPtr() = default;
    KGraphicSliderControlPtr(const KGraphicSliderControlPtr& P)
        : KTypedPtr<KGraphicSliderControl, KControlPtr>(P)
    {
    }
    KGraphicSliderControlPtr& operator=(const KGraphicSliderControlPtr& P)
    {
        KTypedPtr<KGraphicSliderControl, KControlPtr>::operator=(P);
        return *this;
    }
    // From a control pointer: empty unless it holds a graphic slider.
    KGraphicSliderControlPtr& operator=(const KControlPtr& P)
    {
        setObjectOrNull(dynamic_cast<KGraphicSliderControl*>(P.get()));
        return *this;
    }
};
