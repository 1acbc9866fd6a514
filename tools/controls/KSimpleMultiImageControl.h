#pragma once
// A button that shows one of four given pictures by state: normal, hover, pressed and
// disabled, each stretched over the whole control. As a toggle its on state looks
// pressed at rest and under the mouse. It paints its native window itself through an
// off-screen image.
#include "controls/KControl.h"
#include "graphics/KAlphaImage.h"

class KSimpleMultiImageControl : public KControl {
    K_DECLARE_CLASS(KSimpleMultiImageControl)
public:
    KSimpleMultiImageControl();
    ~KSimpleMultiImageControl() override;

    void draw() override;
    bool handleNativeEvent(KNativeEvent& Event) override;
    // A click that began on the button and ends over it toggles it.
    KEventReturn mouseUpEvent(KMouseEvent& E) override;

    // The picture of a hilite state, 0 to 3. Nothing shows until the normal one is set.
    void setStateImage(uint8 Hilite, KAlphaImage& Image);
    void clearStateImages();
    void setToggleMode(uint8 Mode) { m_toggleMode = Mode; }
    uint8 getToggleMode() const { return m_toggleMode; }
    bool isOn() const { return m_on != 0; }

private:
    void paint(KGraphicDevice& Dev, const KGraphicRectangle& Area);

    KAlphaImagePtr m_images[4];
    uint8 m_toggleMode = 0;
    uint8 m_on = 0;
};

K_POINTER_CLASS(KSimpleMultiImageControl, KControlPtr);
