#pragma once
// The one cursor manager of the process. It owns the cursor shape and its stack, knows
// which window and which layer lie under the mouse and tells them when the mouse enters
// and leaves, remembers which layer or window tracks a press until the release, detects
// double and triple clicks from the presses' time stamps, runs the auto-repeat timer, and
// routes every mouse event: to a layer, then to the window, then to the application.
#include "application/KEvent.h"
#include "application/KLayer.h"
#include "application/KWindow.h"
#include "foundation/KBag.h"
#include "foundation/KGraphicPoint.h"
#include "foundation/KTimer.h"

class KApplication;
class KMouseEvent;

class KCursorManager : public KThing {
public:
    // Cursor shapes; a code above the last changes nothing on screen.
    enum Shape : uint8 {
        ArrowCursor = 0,
        WaitCursor = 1,
        TextCursor = 2,
        CrossCursor = 3,
        StartingCursor = 4,
        HelpCursor = 5,
        ForbiddenCursor = 6,
        SizeVerticalCursor = 7,
        SizeHorizontalCursor = 8,
        SizeAllCursor = 9,
    };

    KCursorManager();
    ~KCursorManager() override;

    // The global manager; error 18 when there is none.
    static KCursorManager& get();
    static bool exists();
    // Made and dropped by the application with its other singletons.
    static void initManager();
    static void exitManager();

    // The auto-repeat: a tick for the tracking layer each time the repeat timer fires.
    void doTimer(KTimer& T) override;

    virtual void setTrackingLayer(KLayer& L);
    virtual void clearTrackingLayer();
    // Only one window holds the capture: asked while another holds it, that capture ends
    // and W does not get it.
    virtual void captureMouse(KWindow& W);
    virtual void releaseMouse();
    virtual void setLayerUnderMouse(KLayer& L);
    virtual void clearLayerUnderMouse();
    virtual void setWindowUnderMouse(KWindow& W);
    virtual void clearWindowUnderMouse();

    void hideCursor();
    void showCursor();
    bool isCursorVisible() const { return m_cursorVisible; }
    void pushCursor();
    void setCursor(uint8 Shape);
    void popCursor();
    uint8 getCursor() const { return m_cursorShape; }
    long getCursorStackDepth() const { return m_cursorStack.getCount(); }

    // Called with the cursor's screen position after every step of the native pump:
    // enter and leave follow the mouse.
    void trackMouse(const KGraphicPoint& ScreenPos);
    // The same at the last position given, after the windows under it changed.
    void trackMouseAgain();

    // Each answers whether the event was handled.
    bool routeMouseEnter(KMouseEvent& E);
    bool routeMouseLeave(KMouseEvent& E);
    bool routeMouseDown(KMouseEvent& E);
    bool routeMouseMove(KMouseEvent& E);
    bool routeMouseTick(KMouseEvent& E);
    bool routeMouseUp(KMouseEvent& E);

    void startRepeatTimer();
    void stopRepeatTimer();
    KTimer& getRepeatTimer() const { return *m_repeatTimer; }

    KLayer& getTrackingLayer() const { return m_trackingLayer.getObject(); }
    bool hasTrackingLayer() const { return m_trackingLayer.hasObject(nullptr); }
    KWindow& getCaptureWindow() const { return m_captureWindow.getObject(); }
    bool hasCaptureWindow() const { return m_captureWindow.hasObject(nullptr); }
    bool getLayerUnderMouse(KLayerPtr& Out) const;
    bool getWindowUnderMouse(KWindowPtr& Out) const;

    const KGraphicPoint& getMousePosition() const { return m_mousePosition; }
    // Local positions of the press that started tracking and of the latest move or tick
    // while tracking; the grid to which rubber bands snap.
    const KGraphicPoint& getPressPosition() const { return m_pressPosition; }
    const KGraphicPoint& getDragPosition() const { return m_dragPosition; }
    const KGraphicPoint& getDragGrid() const { return m_dragGrid; }
    uint8 getPressedButton() const { return m_pressedButton; }

private:
    // The layer's, the window's and the application's operation for one mouse kind.
    struct MouseRoute {
        KEventReturn (KLayer::*layer)(KMouseEvent&);
        KEventReturn (KWindow::*window)(KMouseEvent&);
        KEventReturn (KApplication::*application)(KMouseEvent&);
        // Swallowed by a blocked window, and offered to the layer under the mouse when no
        // press is tracked.
        bool blockable;
        // The release, which ends the tracking.
        bool endsPress;
    };

    // Starts tracking a press: its position and button.
    void notePress(const KMouseEvent& E);
    // The tracking layer (then the window) or the capture window gets E; false when
    // neither tracks a press.
    bool offerToTracker(KMouseEvent& E, KWindow& Window, const MouseRoute& Route, KEventReturn& Answer);
    bool routeToTrackerOrHover(KMouseEvent& E, const MouseRoute& Route);
    // The layer the event names, its window, then the application.
    bool routeCrossing(KMouseEvent& E, const MouseRoute& Route);
    // Sends an enter or leave event for the layer (with its window) or for the window.
    void sendCrossing(long Kind, KWindow* Window, KLayer* Layer);
    void trackUnderPoint(const KGraphicPoint& ScreenPos);

    KLayerPtr m_trackingLayer;
    KWindowPtr m_captureWindow;
    KLayerPtr m_layerUnderMouse;
    KWindowPtr m_windowUnderMouse;
    bool m_cursorVisible = true;
    KGraphicPoint m_mousePosition;
    KGraphicPoint m_pressPosition;
    KGraphicPoint m_dragPosition;
    KGraphicPoint m_dragGrid;
    uint8 m_pressedButton = 0;
    KTimerPtr m_repeatTimer;
    long m_firstRepeatDelay;
    long m_repeatPeriod;
    KBag m_cursorStack;
    uint8 m_cursorShape = StartingCursor;
};

K_POINTER_CLASS(KCursorManager, KThingPtr);
