#pragma once
// The layer of the controls placed directly in a window. Every window makes one; the
// window's add-element, remove-control and has-control operations pass through to it,
// and it lists the controls that take the keyboard focus in Tab order.
#include "application/KLayer.h"
#include "foundation/KBag.h"

class KControlsLayer : public KLayer {
    K_DECLARE_CLASS(KControlsLayer)
public:
    KControlsLayer();
    ~KControlsLayer() override;

    void collectFocusableElements(KBag& Out) override;
    KGraphicRectangle getBounds() const override;

    // Appends C (nothing when it is already here) and makes this layer its layer.
    void addControl(KInteractiveElement& C);
    void removeControl(KInteractiveElement& C);
    bool containsControl(const KInteractiveElement& C) const { return m_controls.has(C); }
    // In the order they were added; the last is the front-most.
    const KBag& getControls() const { return m_controls; }

private:
    KBag m_controls;
};

K_POINTER_CLASS(KControlsLayer, KLayerPtr);
