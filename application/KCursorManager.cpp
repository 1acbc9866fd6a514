#include "application/KCursorManager.h"

#include "application/CursorDisplayWin32.h"
#include "application/InputWin32.h"
#include "application/KApplication.h"
#include "application/KApplicationEvent.h"
#include "application/KMouseEvent.h"
#include "application/KWindowManager.h"
#include "foundation/KernelFunctions.h"

#include <cstdlib>

namespace {
KCursorManagerPtr s_manager;

constexpr long kFirstRepeatDelay = 750;
constexpr long kRepeatPeriod = 20;
constexpr short kDragGridStep = 4;

// The presses that decide double and triple clicks, shared by every window and kept
// across managers.
struct PressMemory {
    long previousTime = 0;
    short previousH = 0;
    short previousV = 0;
    long currentTime = 0;
    short currentH = 0;
    short currentV = 0;
    bool previousWasDouble = false;
};
PressMemory s_presses;

// Takes in the press of E and answers whether it is the second press of a double click.
bool isDoubleClick(const KMouseEvent& E)
{
    s_presses.previousTime = s_presses.currentTime;
    s_presses.previousH = s_presses.currentH;
    s_presses.previousV = s_presses.currentV;
    s_presses.currentTime = E.getTime();
    s_presses.currentH = E.getLocalPosition().getH();
    s_presses.currentV = E.getLocalPosition().getV();
    // Read across the wrap of the millisecond clock; an earlier press is not a double.
    const auto elapsed = static_cast<int32>(static_cast<uint32>(s_presses.currentTime)
                                            - static_cast<uint32>(s_presses.previousTime));
    return elapsed >= 0 && static_cast<unsigned long>(elapsed) < knsGetDoubleClickTime()
           && std::abs(s_presses.currentH - s_presses.previousH) < knsGetDoubleClickWidth()
           && std::abs(s_presses.currentV - s_presses.previousV) < knsGetDoubleClickHeight();
}

// The layers of a window, top first, held for the length of a dispatch that may change
// the window's bag.
KBag layersTopFirst(const KWindow& W)
{
    KBag layers;
    const KBag& bag = W.getLayers();
    for (long i = bag.getCount() - 1; i >= 0; --i)
        layers.add(bag[i]);
    return layers;
}
} // namespace

KCursorManager::KCursorManager()
    : m_dragGrid(kDragGridStep, kDragGridStep)
    , m_repeatTimer(new KTimer)
    , m_firstRepeatDelay(kFirstRepeatDelay)
    , m_repeatPeriod(kRepeatPeriod)
{
    m_cursorStack.setIsDirect(true);
}

KCursorManager::~KCursorManager() = default;

KCursorManager& KCursorManager::get() { return s_manager.getObject(); }
bool KCursorManager::exists() { return s_manager.hasObject(nullptr); }

void KCursorManager::initManager()
{
    KCursorManagerPtr manager = new KCursorManager;
    s_manager = manager;
}

void KCursorManager::exitManager()
{
    if (!exists())
        return;
    KCursorManagerPtr manager = s_manager;
    s_manager.reset();
    // The running repeat timer holds the manager as its target.
    manager->stopRepeatTimer();
    manager->releaseMouse();
    manager->m_trackingLayer.reset();
    manager->m_layerUnderMouse.reset();
    manager->m_windowUnderMouse.reset();
}

void KCursorManager::setTrackingLayer(KLayer& L)
{
    if (m_trackingLayer == L)
        return;
    if (hasTrackingLayer())
        clearTrackingLayer();
    m_trackingLayer = L;
}

void KCursorManager::clearTrackingLayer() { m_trackingLayer.reset(); }

void KCursorManager::captureMouse(KWindow& W)
{
    if (!hasCaptureWindow()) {
        m_captureWindow = W;
        captureMouseWin32(W.getNativeWindow());
    } else if (m_captureWindow != W) {
        releaseMouse();
    }
}

void KCursorManager::releaseMouse()
{
    if (!hasCaptureWindow())
        return;
    m_captureWindow.reset();
    releaseMouseCaptureWin32();
}

void KCursorManager::setLayerUnderMouse(KLayer& L)
{
    if (m_layerUnderMouse == L)
        return;
    if (m_layerUnderMouse.hasObject(nullptr))
        clearLayerUnderMouse();
    m_layerUnderMouse = L;
    sendCrossing(KMouseEvent::Enter, L.hasWindow() ? &L.getWindow() : nullptr, &L);
}

void KCursorManager::clearLayerUnderMouse()
{
    if (!m_layerUnderMouse.hasObject(nullptr))
        return;
    KLayerPtr layer = m_layerUnderMouse;
    sendCrossing(KMouseEvent::Leave, layer->hasWindow() ? &layer->getWindow() : nullptr, layer.get());
    // The layer may have changed the cursor for its elements.
    setCursor(m_cursorShape);
    m_layerUnderMouse.reset();
}

void KCursorManager::setWindowUnderMouse(KWindow& W)
{
    if (m_windowUnderMouse == W)
        return;
    if (m_windowUnderMouse.hasObject(nullptr))
        clearWindowUnderMouse();
    m_windowUnderMouse = W;
    sendCrossing(KMouseEvent::Enter, &W, nullptr);
}

void KCursorManager::clearWindowUnderMouse()
{
    if (!m_windowUnderMouse.hasObject(nullptr))
        return;
    // A layer's leave always comes before its window's.
    clearLayerUnderMouse();
    KWindowPtr window = m_windowUnderMouse;
    sendCrossing(KMouseEvent::Leave, window.get(), nullptr);
    m_windowUnderMouse.reset();
}

void KCursorManager::sendCrossing(long Kind, KWindow* Window, KLayer* Layer)
{
    KMouseEventPtr crossing = new KMouseEvent;
    if (!crossing.hasObject(nullptr))
        return;
    crossing->setType(Kind);
    KGraphicPoint local(m_mousePosition);
    if (Window) {
        crossing->setWindow(*Window);
        Window->screenToLocal(local);
    }
    if (Layer) {
        crossing->setLayer(*Layer);
        crossing->setTarget(*Layer);
    }
    crossing->setGlobalPosition(m_mousePosition);
    crossing->setLocalPosition(local);
    KEvent::send(*crossing);
}

void KCursorManager::hideCursor()
{
    kksHideCursor();
    m_cursorVisible = false;
}

void KCursorManager::showCursor()
{
    kksShowCursor();
    m_cursorVisible = true;
}

void KCursorManager::pushCursor() { m_cursorStack.addDirectData(m_cursorShape); }

void KCursorManager::setCursor(uint8 Shape)
{
    m_cursorShape = Shape;
    knsSetNativeCursor(Shape);
}

void KCursorManager::popCursor()
{
    const long last = m_cursorStack.getCount() - 1;
    if (last < 0)
        return;
    const auto shape = static_cast<uint8>(m_cursorStack.getDirectDataAt(last));
    m_cursorStack.removeAt(last);
    setCursor(shape);
}

void KCursorManager::trackMouse(const KGraphicPoint& ScreenPos)
{
    if (ScreenPos == m_mousePosition)
        return;
    m_mousePosition = ScreenPos;
    trackUnderPoint(ScreenPos);
}

void KCursorManager::trackMouseAgain() { trackUnderPoint(m_mousePosition); }

void KCursorManager::trackUnderPoint(const KGraphicPoint& ScreenPos)
{
    if (hasTrackingLayer()) {
        KLayerPtr layer = m_trackingLayer;
        if (layer->hasWindow()) {
            // The hover stays with the pressed layer for as long as the press lasts.
            KGraphicPoint local(ScreenPos);
            layer->getWindow().screenToLocal(local);
            if (layer->isMouseTarget(local))
                setLayerUnderMouse(*layer);
            else
                clearLayerUnderMouse();
            return;
        }
        clearTrackingLayer();
    }
    if (hasCaptureWindow()) {
        KWindowPtr window = m_captureWindow;
        KGraphicPoint local(ScreenPos);
        window->screenToLocal(local);
        const KGraphicRectangle& bounds = window->getBounds();
        if (KGraphicRectangle(0, 0, bounds.getWidth(), bounds.getHeight()).contains(local))
            setWindowUnderMouse(*window);
        else
            clearWindowUnderMouse();
        return;
    }
    KWindowPtr window;
    if (!KWindowManager::exists() || !KWindowManager::get().findWindowAt(ScreenPos, window)) {
        clearWindowUnderMouse();
        clearLayerUnderMouse();
        return;
    }
    setWindowUnderMouse(*window);
    KGraphicPoint local(ScreenPos);
    window->screenToLocal(local);
    KLayerPtr layer;
    if (window->getLayerAt(local, layer))
        setLayerUnderMouse(*layer);
    else
        clearLayerUnderMouse();
}

void KCursorManager::notePress(const KMouseEvent& E)
{
    m_pressPosition = E.getLocalPosition();
    m_dragPosition = E.getLocalPosition();
    m_pressedButton = E.getButton();
}

bool KCursorManager::routeMouseDown(KMouseEvent& E)
{
    if (!E.hasWindow())
        return false;
    const bool doubleClick = isDoubleClick(E);
    E.setDoubleClick(doubleClick ? 1 : 0);
    E.setTripleClick(doubleClick && s_presses.previousWasDouble ? 1 : 0);
    KWindowPtr window = E.getWindow();
    // A window behind an open dialog swallows the press, which then counts for nothing
    // but the time and place of the next double click.
    if (window->isBlocked())
        return true;
    KEventReturn answer = 0;
    const KBag layers = layersTopFirst(*window);
    for (long i = 0; i < layers.getCount() && !answer; ++i) {
        auto& layer = static_cast<KLayer&>(layers[i]);
        answer = layer.dispatchMouseDown(E);
        if (answer == 4) {
            setTrackingLayer(layer);
            notePress(E);
        }
    }
    if (!answer) {
        answer = window->mouseDown(E);
        if (answer == 4) {
            captureMouse(*window);
            notePress(E);
        }
    }
    KApplication* application = KApplication::getApplication();
    if (!answer && application)
        answer = application->mouseDown(E);
    s_presses.previousWasDouble = doubleClick;
    return answer != 0;
}

bool KCursorManager::offerToTracker(KMouseEvent& E, KWindow& Window, const MouseRoute& Route, KEventReturn& Answer)
{
    if (hasTrackingLayer()) {
        KLayerPtr layer = m_trackingLayer;
        Answer = ((*layer).*Route.layer)(E);
        if (Route.endsPress) {
            clearTrackingLayer();
            m_pressedButton = 0;
        } else {
            m_dragPosition = E.getLocalPosition();
        }
        if (!Answer)
            Answer = (Window.*Route.window)(E);
    } else if (hasCaptureWindow()) {
        KWindowPtr capture = m_captureWindow;
        Answer = ((*capture).*Route.window)(E);
        if (Route.endsPress) {
            releaseMouse();
            m_pressedButton = 0;
        } else {
            m_dragPosition = E.getLocalPosition();
        }
    } else {
        return false;
    }
    // The release ended the tracking: enter and leave catch up with the release point.
    if (Route.endsPress) {
        KGraphicPoint screen(E.getLocalPosition());
        Window.localToScreen(screen);
        trackMouse(screen);
    }
    return true;
}

bool KCursorManager::routeToTrackerOrHover(KMouseEvent& E, const MouseRoute& Route)
{
    if (!E.hasWindow())
        return false;
    KWindowPtr window = E.getWindow();
    // A window behind an open dialog swallows moves and releases, never ticks.
    if (Route.blockable && window->isBlocked()) {
        // A dialog that came up during the press: the release still ends the tracking, or
        // the next window's moves would go to a layer that waits for a release it never
        // gets.
        if (Route.endsPress) {
            clearTrackingLayer();
            releaseMouse();
            m_pressedButton = 0;
        }
        return true;
    }
    KEventReturn answer = 0;
    if (!offerToTracker(E, *window, Route, answer) && Route.blockable) {
        if (m_layerUnderMouse.hasObject(nullptr)) {
            KLayerPtr layer = m_layerUnderMouse;
            answer = ((*layer).*Route.layer)(E);
        }
        if (!answer)
            answer = ((*window).*Route.window)(E);
    }
    KApplication* application = KApplication::getApplication();
    if (!answer && application)
        answer = (application->*Route.application)(E);
    return answer != 0;
}

bool KCursorManager::routeMouseMove(KMouseEvent& E)
{
    static const MouseRoute route = {&KLayer::dispatchMouseMove, &KWindow::mouseMove, &KApplication::mouseMove,
                                     true, false};
    return routeToTrackerOrHover(E, route);
}

bool KCursorManager::routeMouseTick(KMouseEvent& E)
{
    static const MouseRoute route = {&KLayer::dispatchMouseTick, &KWindow::mouseTick, &KApplication::mouseTick,
                                     false, false};
    return routeToTrackerOrHover(E, route);
}

bool KCursorManager::routeMouseUp(KMouseEvent& E)
{
    static const MouseRoute route = {&KLayer::dispatchMouseUp, &KWindow::mouseUp, &KApplication::mouseUp, true,
                                     true};
    return routeToTrackerOrHover(E, route);
}

bool KCursorManager::routeCrossing(KMouseEvent& E, const MouseRoute& Route)
{
    KEventReturn answer = E.hasLayer() ? (E.getLayer().*Route.layer)(E) : 0;
    if (!answer && E.hasWindow())
        answer = (E.getWindow().*Route.window)(E);
    KApplication* application = KApplication::getApplication();
    if (!answer && application)
        (application->*Route.application)(E);
    // Enter and leave are news for everybody on the road: none of them ends it for the
    // sender.
    return false;
}

bool KCursorManager::routeMouseEnter(KMouseEvent& E)
{
    static const MouseRoute route = {&KLayer::dispatchMouseEnter, &KWindow::mouseEnter, &KApplication::mouseEnter,
                                     false, false};
    return routeCrossing(E, route);
}

bool KCursorManager::routeMouseLeave(KMouseEvent& E)
{
    static const MouseRoute route = {&KLayer::dispatchMouseLeave, &KWindow::mouseLeave, &KApplication::mouseLeave,
                                     false, false};
    return routeCrossing(E, route);
}

void KCursorManager::startRepeatTimer()
{
    if (!m_repeatTimer->hasTarget())
        m_repeatTimer->setTarget(*this);
    m_repeatTimer->setPeriod(m_firstRepeatDelay);
    m_repeatTimer->setRepeating(true);
    m_repeatTimer->start();
}

void KCursorManager::stopRepeatTimer()
{
    m_repeatTimer->stop();
    // The timer holds its target only while it runs, so the two never keep each other.
    m_repeatTimer->resetTarget();
}

void KCursorManager::doTimer(KTimer& T)
{
    if (&T != m_repeatTimer.get())
        return;
    if (!hasTrackingLayer()) {
        stopRepeatTimer();
        return;
    }
    KMouseEventPtr tick = new KMouseEvent;
    if (tick.hasObject(nullptr)) {
        KLayer& layer = getTrackingLayer();
        tick->setType(KMouseEvent::Tick);
        KGraphicPoint local(m_mousePosition);
        if (layer.hasWindow()) {
            tick->setWindow(layer.getWindow());
            layer.getWindow().screenToLocal(local);
        }
        tick->setLayer(layer);
        tick->setGlobalPosition(m_mousePosition);
        tick->setLocalPosition(local);
        KApplicationEvent::post(*tick);
    }
    m_repeatTimer->setPeriod(m_repeatPeriod);
    m_repeatTimer->start();
}

bool KCursorManager::getLayerUnderMouse(KLayerPtr& Out) const
{
    Out = m_layerUnderMouse;
    return Out.hasObject(nullptr);
}

bool KCursorManager::getWindowUnderMouse(KWindowPtr& Out) const
{
    Out = m_windowUnderMouse;
    return Out.hasObject(nullptr);
}
