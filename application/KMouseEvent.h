#pragma once
// One mouse happening in a window: entering or leaving, a button going down or up, a move,
// or an auto-repeat tick while a button is held. Positions are 16-bit: the global one in
// screen coordinates, the local one in the window's client area.
#include "application/KEvent.h"
#include "foundation/KFlagSet.h"
#include "foundation/KGraphicPoint.h"

class KInteractiveElement;
class KLayer;
class KWindow;

class KMouseEvent : public KEvent {
    K_DECLARE_CLASS(KMouseEvent)
public:
    enum Kind : long {
        Enter = 0,
        Leave = 1,
        Down = 2,
        Move = 3,
        Tick = 4,
        Up = 5,
    };

    enum Button : uint8 {
        NoButton = 0,
        LeftButton = 1,
        RightButton = 2,
    };

    KMouseEvent();
    // A fresh event part with the positions, the held and double-click bytes, the window
    // and the modifiers of M; layer and target stay empty.
    KMouseEvent(const KMouseEvent& M);
    ~KMouseEvent() override;
    KMouseEvent& operator=(const KMouseEvent&) = delete;

    KEventReturn handle() override;

    virtual void setWindow(KWindow& W);
    virtual void resetWindow();
    virtual void setLayer(KLayer& L);
    virtual void resetLayer();
    virtual void setTarget(KInteractiveElement& T);
    virtual void resetTarget();

    KWindow& getWindow() const;
    bool hasWindow() const { return m_window.hasObject(nullptr); }
    KLayer& getLayer() const;
    bool hasLayer() const { return m_layer.hasObject(nullptr); }
    KInteractiveElement& getTarget() const;
    bool hasTarget() const { return m_target.hasObject(nullptr); }

    void setGlobalPosition(const KGraphicPoint& P) { m_globalPosition = P; }
    const KGraphicPoint& getGlobalPosition() const { return m_globalPosition; }
    void setLocalPosition(const KGraphicPoint& P) { m_localPosition = P; }
    const KGraphicPoint& getLocalPosition() const { return m_localPosition; }
    void setModifiers(uint32 Modifiers);
    uint32 getModifiers() const { return m_modifiers.getFlags(); }
    void setButtonHeld(uint8 Held) { m_buttonHeld = Held; }
    uint8 getButtonHeld() const { return m_buttonHeld; }
    void setDoubleClick(uint8 Double) { m_doubleClick = Double; }
    uint8 getDoubleClick() const { return m_doubleClick; }
    void setTripleClick(uint8 Triple) { m_tripleClick = Triple; }
    uint8 getTripleClick() const { return m_tripleClick; }
    void setButton(uint8 B) { m_button = B; }
    uint8 getButton() const { return m_button; }

private:
    KThingPtr m_window;
    KThingPtr m_layer;
    KThingPtr m_target;
    KGraphicPoint m_globalPosition;
    KGraphicPoint m_localPosition;
    KFlagSet m_modifiers;
    uint8 m_buttonHeld = 0;
    uint8 m_doubleClick = 0;
    uint8 m_tripleClick = 0;
    uint8 m_button = LeftButton;
};

K_POINTER_CLASS(KMouseEvent, KEventPtr);
