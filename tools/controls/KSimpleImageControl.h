#pragma once
// A button made from one picture. Its hover, pressed and disabled looks are derived from
// the picture when it is set (lighter and flatter, darker and harder, grey); a button
// configured with bitmap resources instead derives them from the resources at every draw.
// It can be a toggle, whose on state shows the on picture (else the pressed look) at rest
// and under the mouse, and it can show a background picture under every look. It paints
// its native window itself through an off-screen image.
#include "controls/KControl.h"
#include "graphics/KAlphaImage.h"

class KSimpleImageControl : public KControl {
    K_DECLARE_CLASS(KSimpleImageControl)
public:
    enum ToggleMode : uint8 {
        NoToggle = 0,
        // Each click flips the on state.
        FlipToggle = 1,
        // A click turns it on for good.
        StickyToggle = 2,
    };

    KSimpleImageControl();
    ~KSimpleImageControl() override;

    void draw() override;
    // The background erase is swallowed: the whole window is painted in one copy.
    bool handleNativeEvent(KNativeEvent& Event) override;
    // A click that began on the button and ends over it toggles it.
    KEventReturn mouseUpEvent(KMouseEvent& E) override;

    // The looks are derived at once; the control keeps its size.
    void setImage(KImage& Image);
    void setImageFromResource(short Number);
    // The look of the state at each draw from a bitmap and its mask, while no picture is
    // set.
    void setImageResources(short Image, short Mask);
    void setBackgroundImage(KAlphaImage& Image);
    void setOnImage(KAlphaImage& Image);
    void setToggleMode(uint8 Mode) { m_toggleMode = Mode; }
    uint8 getToggleMode() const { return m_toggleMode; }
    bool isOn() const { return m_on != 0; }

    bool hasImage() const { return m_sourceImage.hasObject(nullptr); }
    // Error 18 when there is no picture.
    KImage& getImage() const { return m_sourceImage.getObject(); }
    // The derived look of a hilite state (0 to 3); error 18 before a picture is set.
    KAlphaImage& getLook(uint8 Hilite) const { return m_looks[Hilite].getObject(); }

private:
    // The looks of the four states drawn from the picture and adjusted.
    void deriveLooks();
    void paint(KGraphicDevice& Dev, const KGraphicRectangle& Area);
    // A look made from the resources for the state, drawn at once and let go.
    void paintFromResources(KGraphicDevice& Dev, const KGraphicRectangle& Area, uint8 Hilite);
    bool hasResources() const { return m_imageResource != -1 && m_maskResource != -1; }

    KImagePtr m_sourceImage;
    KAlphaImagePtr m_backgroundImage;
    KAlphaImagePtr m_onImage;
    KAlphaImagePtr m_looks[4];
    KGraphicRectangle m_backgroundRect;
    KGraphicRectangle m_onRect;
    KGraphicRectangle m_lookRects[4];
    uint8 m_toggleMode = NoToggle;
    uint8 m_on = 0;
    short m_imageResource = -1;
    short m_maskResource = -1;
};

K_POINTER_CLASS(KSimpleImageControl, KControlPtr);
