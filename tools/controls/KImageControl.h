#pragma once
// A control that shows one graphic object per hilite state (normal, hover, pressed,
// disabled), drawn whole into its rectangle, the normal one standing in for a state
// without its own. It reports clicks only. Without any object it shows a white field with
// a raised edge; it can frame any look with a raised edge too.
#include "controls/KControl.h"
#include "tools/controls/StateLooks.h"

class KImageControl : public KControl {
    K_DECLARE_CLASS(KImageControl)
public:
    KImageControl();
    ~KImageControl() override;

    void draw() override;
    bool handleNativeEvent(KNativeEvent& Event) override;

    virtual void setNormalImage(KGraphicObject& O);
    virtual void resetNormalImage();
    virtual void setHoverImage(KGraphicObject& O);
    virtual void resetHoverImage();
    virtual void setPressedImage(KGraphicObject& O);
    virtual void resetPressedImage();
    virtual void setDisabledImage(KGraphicObject& O);
    virtual void resetDisabledImage();

    // Error 18 when the object is not set.
    KGraphicObject& getNormalImage() const { return m_looks.get(NormalHilite); }
    KGraphicObject& getHoverImage() const { return m_looks.get(HoverHilite); }
    KGraphicObject& getPressedImage() const { return m_looks.get(PressedHilite); }
    KGraphicObject& getDisabledImage() const { return m_looks.get(DisabledHilite); }
    bool hasNormalImage() const { return m_looks.has(NormalHilite); }
    bool hasHoverImage() const { return m_looks.has(HoverHilite); }
    bool hasPressedImage() const { return m_looks.has(PressedHilite); }
    bool hasDisabledImage() const { return m_looks.has(DisabledHilite); }
    void setRaisedEdge(bool On) { m_raisedEdge = On ? 1 : 0; }

private:
    StateLooks m_looks;
    uint8 m_raisedEdge = 0;
};

K_POINTER_CLASS(KImageControl, KControlPtr);
