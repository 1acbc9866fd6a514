#pragma once
// A group of interactive elements that a window shows. The base holds no elements: each
// subclass keeps its own and routes the mouse, the keys and the drawing to them. A window
// asks its layers from the top (the last added) down.
#include "application/KEvent.h"
#include "application/KInteractiveElement.h"
#include "foundation/KGraphicPoint.h"
#include "foundation/KGraphicRectangle.h"

class KBag;
class KMouseEvent;
class KWindow;
class KWindowEvent;

class KLayer : public KInteractiveElement {
    K_DECLARE_CLASS(KLayer)
public:
    KLayer();
    ~KLayer() override;

    bool reservedTest(KThing& Argument) override;
    bool keyTyped(KKeyEvent& E) override;
    bool focusGained(KKeyEvent& E) override;
    bool focusLost(KKeyEvent& E) override;
    // The base layer draws nothing of its elements, so their redraw requests end here; a
    // layer that draws into its window turns them into a redraw of the window's area.
    void invalidateRect(const KWideRectangle& R) override;

    virtual void setWindow(KWindow& W);
    virtual void resetWindow();
    // P in window coordinates: whether the mouse at P is this layer's.
    virtual bool isMouseTarget(const KGraphicPoint& P);
    virtual KLayer& getThisLayer();
    // Appends the elements that take the keyboard focus, in Tab order.
    virtual void collectFocusableElements(KBag& Out);
    virtual KGraphicRectangle getBounds() const;
    // 0: not handled; 4 from a press: handled, and this layer tracks the press.
    virtual KEventReturn dispatchMouseEnter(KMouseEvent& E);
    virtual KEventReturn dispatchMouseLeave(KMouseEvent& E);
    virtual KEventReturn dispatchMouseDown(KMouseEvent& E);
    virtual KEventReturn dispatchMouseMove(KMouseEvent& E);
    virtual KEventReturn dispatchMouseTick(KMouseEvent& E);
    virtual KEventReturn dispatchMouseUp(KMouseEvent& E);
    // Asked after the window drew itself; a layer that draws answers whether that ends
    // the drawing.
    virtual bool drawLayer(KWindowEvent& E);

    KWindow& getWindow() const;
    bool hasWindow() const { return m_window.hasNativePtr(); }

private:
    KNativePtr m_window;
};

K_POINTER_CLASS(KLayer, KInteractiveElementPtr);
