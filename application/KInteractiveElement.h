#pragma once
// The base of everything a window's layers hold and the mouse reaches: layers, controls,
// drag objects. It keeps the element's place (its layer, its parent element, position and
// size), its state flags, the hilite that drives its look, and the action mask that says
// which action events it reports. The default mouse operations keep the hilite in step
// with the mouse and post action events to the application queue; subclasses override
// what they need.
#include "foundation/KClass.h"
#include "foundation/KFlagSet.h"
#include "foundation/KNativePtr.h"
#include "foundation/KSet.h"
#include "foundation/KString.h"
#include "foundation/KThingPtr.h"
#include "foundation/KWidePoint.h"
#include "foundation/KWideSize.h"

class KActionEvent;
class KKeyEvent;
class KLayer;
class KMouseEvent;
class KWideRectangle;

class KInteractiveElement : public KThing {
    K_DECLARE_CLASS(KInteractiveElement)
public:
    enum StateFlag : uint32 {
        TrackingFlag = 0x1,
        InsideFlag = 0x2,
        HoverLookFlag = 0x4,
        // While tracking, moving in or out leaves the hilite alone.
        KeepHiliteWhileTrackingFlag = 0x8,
        AcceptsFocusFlag = 0x10,
        VisibleFlag = 0x80,
        EnabledFlag = 0x100,
        PressedLookFlag = 0x200,
        SelectedFlag = 0x400,
        // Kept for subclasses.
        Flag800 = 0x800,
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

    // The action-event types, which are also the bits of the action mask. The leave bit
    // also switches on auto-repeat while a button is held.
    enum Action : uint32 {
        DownAction = 1,
        EnterAction = 2,
        LeaveAction = 3,
        UpAction = 4,
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
    virtual void setSelected(bool On);
    virtual void clearSelected();
    virtual void activate(bool On);
    virtual void deactivate();
    virtual void setFlag800();
    virtual void clearFlag800();
    // P in the parent's coordinates.
    virtual bool containsPoint(const KWidePoint& P) const;
    virtual bool reservedTest(KThing& Argument);
    // Offered every typed key before the focus element, when registered with the
    // keyboard manager as a previewer.
    virtual bool previewKey(KKeyEvent& E);
    virtual bool keyTyped(KKeyEvent& E);
    virtual bool focusGained(KKeyEvent& E);
    virtual bool focusLost(KKeyEvent& E);
    // The mouse operations take P in the element's own coordinates; the layer or the
    // container that calls them converts the mouse position first.
    virtual void setMouseInside(const KWidePoint& P, bool Inside);
    virtual void setMouseOutside(const KWidePoint& P);
    // The event is the press being dispatched; the base does not read it.
    virtual bool mouseDown(const KWidePoint& P, KMouseEvent& E);
    virtual void mouseEnter(const KWidePoint& P);
    virtual void mouseLeave(const KWidePoint& P);
    virtual void mouseMoved(const KWidePoint& P);
    virtual void mouseUp(const KWidePoint& P);
    virtual void invalidate();
    // R in the element's own coordinates.
    virtual void invalidateRect(const KWideRectangle& R);
    // An action event of this element (or of one it contains) that nobody below it took;
    // answers whether this element handled it.
    virtual bool handleAction(KActionEvent& E);

    KLayer& getLayer() const;
    bool hasLayer() const { return m_layer.hasNativePtr(); }
    KInteractiveElement& getParent() const;
    bool hasParent() const { return m_parent.hasNativePtr(); }

    void setPosition(const KWidePoint& P) { m_position = P; }
    const KWidePoint& getPosition() const { return m_position; }
    void setSize(const KWideSize& S) { m_size = S; }
    const KWideSize& getSize() const { return m_size; }
    uint8 getHilite() const { return m_hilite; }
    // The element's help text: the controls layer shows a control's as its tooltip.
    void setText(const KString& Text) { m_text = Text; }
    const KString& getText() const { return m_text; }
    void setUserValue(long Value) { m_userValue = Value; }
    long getUserValue() const { return m_userValue; }
    uint32 getStateFlags() const { return m_state.getFlags(); }
    void setStateFlags(uint32 Mask) { m_state.set(Mask); }
    void clearStateFlags(uint32 Mask) { m_state.clear(Mask); }
    KSet& getActionMask() { return m_actionMask; }
    const KSet& getActionMask() const { return m_actionMask; }

    bool isVisible() const { return hasState(VisibleFlag); }
    bool isEnabled() const { return hasState(EnabledFlag); }
    bool isSelected() const { return hasState(SelectedFlag); }
    bool isActive() const { return hasState(ActiveFlag); }
    bool acceptsFocus() const { return hasState(AcceptsFocusFlag); }

    static long getLiveElementCount() { return s_liveElements; }

private:
    bool hasState(uint32 Flag) const { return (m_state.getFlags() & Flag) != 0; }
    bool isReady() const { return isVisible() && isEnabled() && isActive(); }
    // Posts an action event of the type with this element as its source, when the mask
    // holds the type.
    void postAction(uint32 Type);
    // R offset by this element's position, handed to the parent, else to the layer.
    void passRectUp(long X, long Y, long Width, long Height);

    static long s_liveElements;

    KNativePtr m_layer;
    KNativePtr m_parent;
    KString m_text;
    KWidePoint m_position;
    KWideSize m_size;
    uint8 m_hilite = NormalHilite;
    long m_userValue = 0;
    KFlagSet m_state;
    KSet m_actionMask;
};

K_POINTER_CLASS(KInteractiveElement, KThingPtr);
