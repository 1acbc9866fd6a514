#pragma once
// A button-like control whose look is one of up to four graphic objects, chosen by its
// hilite state: normal, rollover, pressed and dimmed (a missing one shows the normal
// object). It reacts to the mouse as every control does. Without any object it shows an
// outline in the colour of its state.
#include "controls/KControl.h"
#include "tools/controls/StateLooks.h"

class KGraphicObjectControl : public KControl {
    K_DECLARE_CLASS(KGraphicObjectControl)
public:
    KGraphicObjectControl();
    ~KGraphicObjectControl() override;

    void draw() override;

    virtual void setNormalObject(KGraphicObject& O);
    virtual void clearNormalObject();
    virtual void setRolloverObject(KGraphicObject& O);
    virtual void clearRolloverObject();
    virtual void setPressedObject(KGraphicObject& O);
    virtual void clearPressedObject();
    virtual void setDimmedObject(KGraphicObject& O);
    virtual void clearDimmedObject();

    // Error 18 when the object is not set.
    KGraphicObject& getNormalObject() const { return m_looks.get(NormalHilite); }
    KGraphicObject& getRolloverObject() const { return m_looks.get(HoverHilite); }
    KGraphicObject& getPressedObject() const { return m_looks.get(PressedHilite); }
    KGraphicObject& getDimmedObject() const { return m_looks.get(DisabledHilite); }
    bool hasNormalObject() const { return m_looks.has(NormalHilite); }
    bool hasRolloverObject() const { return m_looks.has(HoverHilite); }
    bool hasPressedObject() const { return m_looks.has(PressedHilite); }
    bool hasDimmedObject() const { return m_looks.has(DisabledHilite); }

private:
    StateLooks m_looks;
};

K_POINTER_CLASS(KGraphicObjectControl, KControlPtr);
