#pragma once
// A window layer that holds interactive graphic objects directly, without native windows.
// It draws them into its window (the last on top), hit-tests them, routes the window's
// mouse to the object under the pointer or to the one that tracks a press, routes keys to
// the object with the keyboard focus, and turns an object's redraw request into a redraw
// of the window's rectangle. Every point it hands an object is in that object's own
// coordinates; object coordinates reach the window through two scales, both 1.0.
#include "application/KLayer.h"
#include "foundation/KBag.h"
#include "tools/igo/KInteractiveGraphicObject.h"

class KGraphicObjectsLayer : public KLayer {
    K_DECLARE_CLASS(KGraphicObjectsLayer)
public:
    KGraphicObjectsLayer();
    ~KGraphicObjectsLayer() override;

    // Keys go to the focus object and then up through its parents.
    bool keyTyped(KKeyEvent& E) override;
    // The element of the event becomes the focus object when it is a graphic object.
    bool focusGained(KKeyEvent& E) override;
    bool focusLost(KKeyEvent& E) override;
    // R in object coordinates: the window redraws its rectangle later.
    void invalidateRect(const KWideRectangle& R) override;
    bool isMouseTarget(const KGraphicPoint& P) override;
    // None of its objects takes part in the window's Tab order.
    void collectFocusableElements(KBag& Out) override;
    // Empty: the layer claims no area of its own.
    KGraphicRectangle getBounds() const override;
    KEventReturn dispatchMouseEnter(KMouseEvent& E) override;
    KEventReturn dispatchMouseLeave(KMouseEvent& E) override;
    KEventReturn dispatchMouseDown(KMouseEvent& E) override;
    KEventReturn dispatchMouseMove(KMouseEvent& E) override;
    KEventReturn dispatchMouseTick(KMouseEvent& E) override;
    KEventReturn dispatchMouseUp(KMouseEvent& E) override;
    // Draws every object, bottom first; the window goes on with its other layers.
    bool drawLayer(KWindowEvent& E) override;

    // Puts O on top and makes this layer its layer; nothing when it is here already.
    void addObject(KInteractiveGraphicObject& O);
    // O leaves the layer and stops hearing the mouse and the keys through it.
    void removeObject(KInteractiveGraphicObject& O);
    // O in its window rectangle, through an off-screen image when its flag asks for it.
    void drawObject(KInteractiveGraphicObject& O);
    // P in window coordinates: the topmost object that contains it.
    bool findObjectAt(const KGraphicPoint& P, KInteractiveGraphicObjectPtr& Out) const;
    // O's position and size, scaled to window coordinates.
    KGraphicRectangle getWindowRect(const KInteractiveGraphicObject& O) const;

    const KBag& getObjects() const { return m_objects; }
    double getHorizontalScale() const { return m_horizontalScale; }
    double getVerticalScale() const { return m_verticalScale; }
    KInteractiveGraphicObject& getHoveredObject() const { return m_hovered.getObject(); }
    bool hasHoveredObject() const { return m_hovered.hasObject(nullptr); }
    KInteractiveGraphicObject& getPressedObject() const { return m_pressed.getObject(); }
    bool hasPressedObject() const { return m_pressed.hasObject(nullptr); }
    KInteractiveGraphicObject& getFocusObject() const { return m_focus.getObject(); }
    bool hasFocusObject() const { return m_focus.hasObject(nullptr); }

private:
    KInteractiveGraphicObject& objectAt(long Index) const
    {
        return static_cast<KInteractiveGraphicObject&>(m_objects[Index]);
    }
    // The event's window point in object coordinates.
    KWidePoint toLayer(const KGraphicPoint& P) const;
    bool findObjectAtLayerPoint(const KWidePoint& P, KInteractiveGraphicObjectPtr& Out) const;
    // T becomes the hovered object after the one it replaces has left.
    void hoverOver(KInteractiveGraphicObject& T, const KWidePoint& P);

    KBag m_objects;
    double m_horizontalScale = 1.0;
    double m_verticalScale = 1.0;
    KInteractiveGraphicObjectPtr m_hovered;
    KInteractiveGraphicObjectPtr m_pressed;
    KInteractiveGraphicObjectPtr m_focus;
};

K_POINTER_CLASS(KGraphicObjectsLayer, KLayerPtr);
