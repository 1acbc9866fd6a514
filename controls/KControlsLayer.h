#pragma once
// The layer of the controls placed directly in a window. Every window makes one; the
// window's add-element, remove-control and has-control operations pass through to it. It
// gives each control its window (which makes the control's native windows) and its layer,
// routes the window's mouse to the control under the mouse or to the one that tracks a
// press, keeps track of the control under the mouse (enter and leave, and its help text as
// a tooltip), hands key events to the control they name, and lists the controls that take
// the keyboard focus in Tab order. The controls draw themselves; the layer draws nothing.
#include "application/KLayer.h"
#include "foundation/KBag.h"
#include "foundation/KThingPtr.h"

class KControl;
class KControlPtr;

class KControlsLayer : public KLayer {
    K_DECLARE_CLASS(KControlsLayer)
public:
    KControlsLayer();
    ~KControlsLayer() override;

    // Key events that name a control go to it, then out through its containers.
    bool keyTyped(KKeyEvent& E) override;
    bool focusGained(KKeyEvent& E) override;
    bool focusLost(KKeyEvent& E) override;
    bool isMouseTarget(const KGraphicPoint& P) override;
    // Visible, enabled controls that take the focus, each before its own sub-controls.
    void collectFocusableElements(KBag& Out) override;
    // The union of the controls' bounds; empty without controls.
    KGraphicRectangle getBounds() const override;
    KEventReturn dispatchMouseEnter(KMouseEvent& E) override;
    KEventReturn dispatchMouseLeave(KMouseEvent& E) override;
    KEventReturn dispatchMouseDown(KMouseEvent& E) override;
    KEventReturn dispatchMouseMove(KMouseEvent& E) override;
    KEventReturn dispatchMouseTick(KMouseEvent& E) override;
    KEventReturn dispatchMouseUp(KMouseEvent& E) override;

    virtual void setTrackedControl(KControl& C);
    virtual void clearTrackedControl();
    // Enter for the new control after leave for the old one.
    virtual void setMouseControl(KControl& C);
    virtual void clearMouseControl();
    // P in window coordinates.
    virtual void updateMouseControl(const KGraphicPoint& P);
    virtual void collectFocusableSubControls(KControl& C, KBag& Out);

    // Appends C (nothing when it is already here), gives it the layer's window and makes
    // this layer the layer of C and all it contains. Elements that are not controls are
    // held and take part in the Tab order only.
    void addControl(KInteractiveElement& C);
    // C loses the keyboard focus and its native windows before it leaves.
    void removeControl(KInteractiveElement& C);
    // In the layer or inside one of its controls, at any depth.
    bool containsControl(const KInteractiveElement& C) const;
    // P in window coordinates: the deepest visible control under P.
    bool findControlAt(const KGraphicPoint& P, KControlPtr& Found) const;
    // In the order they were added; the last is the front-most.
    const KBag& getControls() const { return m_controls; }

    KControl& getTrackedControl() const;
    bool hasTrackedControl() const { return m_trackedControl.hasObject(nullptr); }
    KControl& getMouseControl() const;
    bool hasMouseControl() const { return m_mouseControl.hasObject(nullptr); }
    // Forgets the press and the hover without telling anybody: for a layer or window that
    // is going, which an event must not hold again.
    void forgetMouseQuietly();
    // The tooltip of the control under the mouse, shared by every controls layer; null
    // while none shows.
    static void* getToolTipWindow();

private:
    // Offers E to C and then to its containers while the answers are 0; Last ends at the
    // control that answered (or the outermost container).
    KEventReturn offerUpChain(KControl& C, KMouseEvent& E, KEventReturn (KControl::*Operation)(KMouseEvent&),
                              KControl** Last = nullptr);
    bool offerKeyUpChain(KKeyEvent& E, bool (KControl::*Operation)(KKeyEvent&));
    // A control that leaves the layer is no longer tracked nor under the mouse.
    void forgetMouseFor(const KControl& C);

    KThingPtr m_trackedControl;
    KThingPtr m_mouseControl;
    KBag m_controls;
};

K_POINTER_CLASS(KControlsLayer, KLayerPtr);
