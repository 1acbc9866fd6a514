#pragma once
// The base of everything a window's layers hold and the mouse reaches: layers, controls,
// drag objects. It keeps the element's place (its layer, its parent element, position and
// size) and its state flags; subclasses give the mouse and key operations their meaning.
#include "foundation/KClass.h"
#include "foundation/KFlagSet.h"
#include "foundation/KNativePtr.h"
#include "foundation/KString.h"
#include "foundation/KThingPtr.h"
#include "foundation/KWidePoint.h"
#include "foundation/KWideSize.h"

class KKeyEvent;
class KLayer;

class KInteractiveElement : public KThing {
    K_DECLARE_CLASS(KInteractiveElement)
public:
    enum StateFlag : uint32 {
        TrackingFlag = 0x1,
        InsideFlag = 0x2,
        HoverLookFlag = 0x4,
        AcceptsFocusFlag = 0x10,
        VisibleFlag = 0x80,
        EnabledFlag = 0x100,
        PressedLookFlag = 0x200,
        SelectedFlag = 0x400,
        RedrawOnHiliteFlag = 0x1000,
        RedrawOnSelectionFlag = 0x2000,
        ActiveFlag = 0x4000,
    };

    enum Hilite : uint8 {
        NormalHilite = 0,
        HoverHilite = 1,
        PressedHilite = 2,
        DisabledHilite = 3,
        HiddenHilite = 4,
    };

    KInteractiveElement();
    ~KInteractiveElement() override;

    virtual void setLayer(KLayer& L);
    virtual void resetLayer();
    virtual void setParent(KInteractiveElement& P);
    virtual void resetParent();
    virtual void setHilite(uint8 H);
    virtual void enable(bool On);
    virtual void disable();
    virtual void show(bool On);
    virtual void hide();
    virtual bool keyTyped(KKeyEvent& E);
    virtual bool focusGained(KKeyEvent& E);
    virtual bool focusLost(KKeyEvent& E);
    // P in the parent's coordinates.
    virtual bool containsPoint(const KWidePoint& P) const;

    KLayer& getLayer() const;
    bool hasLayer() const { return m_layer.hasNativePtr(); }
    KInteractiveElement& getParent() const;
    bool hasParent() const { return m_parent.hasNativePtr(); }

    void setPosition(const KWidePoint& P) { m_position = P; }
    const KWidePoint& getPosition() const { return m_position; }
    void setSize(const KWideSize& S) { m_size = S; }
    const KWideSize& getSize() const { return m_size; }
    uint8 getHilite() const { return m_hilite; }
    uint32 getStateFlags() const { return m_state.getFlags(); }
    void setStateFlags(uint32 Mask) { m_state.set(Mask); }
    void clearStateFlags(uint32 Mask) { m_state.clear(Mask); }

    bool isVisible() const { return (m_state.getFlags() & VisibleFlag) != 0; }
    bool isEnabled() const { return (m_state.getFlags() & EnabledFlag) != 0; }
    bool isSelected() const { return (m_state.getFlags() & SelectedFlag) != 0; }
    bool isActive() const { return (m_state.getFlags() & ActiveFlag) != 0; }
    bool acceptsFocus() const { return (m_state.getFlags() & AcceptsFocusFlag) != 0; }

    static long getLiveElementCount() { return s_liveElements; }

private:
    static long s_liveElements;

    KNativePtr m_layer;
    KNativePtr m_parent;
    KString m_text;
    KWidePoint m_position;
    KWideSize m_size;
    uint8 m_hilite = NormalHilite;
    long m_userValue = 0;
    KFlagSet m_state;
};

K_POINTER_CLASS(KInteractiveElement, KThingPtr);
