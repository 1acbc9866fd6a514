#include "controls/KControlsLayer.h"

#include "application/InputWin32.h"
#include "application/KApplication.h"
#include "application/KKeyEvent.h"
#include "application/KKeyboardManager.h"
#include "application/KMouseEvent.h"
#include "application/KWindow.h"
#include "application/NativeWindowWin32.h"
#include "controls/KControl.h"
#include "controls/NativeControlBindingWin32.h"
#include "foundation/KernelFunctions.h"

namespace {
// One tooltip for the whole program: that of the control under the mouse.
void* s_toolTip = nullptr;

bool isSelfOrInside(const KInteractiveElement& E, const KInteractiveElement& C)
{
    if (&E == &C)
        return true;
    const auto* container = dynamic_cast<const KControl*>(&C);
    const auto* control = dynamic_cast<const KControl*>(&E);
    return container && control && container->containsControl(*control);
}

bool takesFocusNow(const KInteractiveElement& E) { return E.acceptsFocus() && E.isVisible() && E.isEnabled(); }

bool capturesMouse(const KControl& C) { return C.getNativeRecord() && C.getNativeRecord()->captureMouse; }
} // namespace

K_DEFINE_CLASS(KControlsLayer, KLayer, 1)

KControlsLayer::KControlsLayer() = default;

KControlsLayer::~KControlsLayer()
{
    forgetMouseQuietly();
    while (m_controls.getCount() > 0)
        removeControl(static_cast<KInteractiveElement&>(m_controls[0]));
}

void* KControlsLayer::getToolTipWindow() { return s_toolTip; }

void KControlsLayer::forgetMouseQuietly()
{
    m_trackedControl.reset();
    if (hasMouseControl() && s_toolTip) {
        knsDestroyNativeWindow(s_toolTip);
        s_toolTip = nullptr;
    }
    m_mouseControl.reset();
}

void KControlsLayer::addControl(KInteractiveElement& C)
{
    if (m_controls.has(C))
        return;
    m_controls.add(C);
    if (auto* control = dynamic_cast<KControl*>(&C)) {
        if (hasWindow())
            control->setWindow(getWindow());
        else
            getWindow();
    }
    // A control passes the layer on to everything it contains.
    C.setLayer(*this);
}

void KControlsLayer::removeControl(KInteractiveElement& C)
{
    if (!m_controls.has(C))
        return;
    KInteractiveElementPtr hold(C);
    // The focus leaves before the native windows go; a focused control inside C counts
    // as C.
    if (KKeyboardManager::exists()) {
        KKeyboardManager& keyboard = KKeyboardManager::getManager();
        if (keyboard.hasFocusElement() && isSelfOrInside(keyboard.getFocusElement(), C))
            keyboard.clearFocusElement();
    }
    if (hasWindow()) {
        KWindow& window = getWindow();
        if (window.hasFocusElement() && isSelfOrInside(window.getFocusElement(), C))
            window.resetFocusElement();
    }
    if (auto* control = dynamic_cast<KControl*>(&C)) {
        forgetMouseFor(*control);
        control->clearWindow();
    }
    C.resetLayer();
    m_controls.remove(C);
}

void KControlsLayer::forgetMouseFor(const KControl& C)
{
    if (hasTrackedControl() && isSelfOrInside(getTrackedControl(), C))
        clearTrackedControl();
    if (hasMouseControl() && isSelfOrInside(getMouseControl(), C))
        clearMouseControl();
}

bool KControlsLayer::containsControl(const KInteractiveElement& C) const
{
    if (m_controls.has(C))
        return true;
    const auto* control = dynamic_cast<const KControl*>(&C);
    for (long i = 0; control && i < m_controls.getCount(); ++i) {
        const auto* held = dynamic_cast<const KControl*>(&m_controls[i]);
        if (held && held->containsControl(*control))
            return true;
    }
    return false;
}

bool KControlsLayer::findControlAt(const KGraphicPoint& P, KControlPtr& Found) const
{
    Found.reset();
    return KControl::findControlIn(m_controls, P, Found);
}

bool KControlsLayer::isMouseTarget(const KGraphicPoint& P)
{
    KControlPtr found;
    return findControlAt(P, found);
}

KGraphicRectangle KControlsLayer::getBounds() const
{
    KGraphicRectangle bounds;
    for (long i = 0; i < m_controls.getCount(); ++i) {
        const auto& element = static_cast<const KInteractiveElement&>(m_controls[i]);
        bounds.unionWith(KGraphicRectangle(static_cast<short>(element.getPosition().getX()),
                                           static_cast<short>(element.getPosition().getY()),
                                           static_cast<short>(element.getSize().getWidth()),
                                           static_cast<short>(element.getSize().getHeight())));
    }
    return bounds;
}

void KControlsLayer::collectFocusableElements(KBag& Out)
{
    Out.clear();
    for (long i = 0; i < m_controls.getCount(); ++i) {
        auto& element = static_cast<KInteractiveElement&>(m_controls[i]);
        if (takesFocusNow(element))
            Out.add(element);
        if (auto* control = dynamic_cast<KControl*>(&element))
            collectFocusableSubControls(*control, Out);
    }
}

void KControlsLayer::collectFocusableSubControls(KControl& C, KBag& Out)
{
    const KBag& controls = C.getControls();
    for (long i = 0; i < controls.getCount(); ++i) {
        auto& sub = static_cast<KControl&>(controls[i]);
        if (takesFocusNow(sub))
            Out.add(sub);
        collectFocusableSubControls(sub, Out);
    }
}

KControl& KControlsLayer::getTrackedControl() const { return static_cast<KControl&>(m_trackedControl.getObject()); }
KControl& KControlsLayer::getMouseControl() const { return static_cast<KControl&>(m_mouseControl.getObject()); }

void KControlsLayer::setTrackedControl(KControl& C) { m_trackedControl = C; }
void KControlsLayer::clearTrackedControl() { m_trackedControl.reset(); }

void KControlsLayer::setMouseControl(KControl& C)
{
    if (m_mouseControl == C)
        return;
    if (hasMouseControl())
        clearMouseControl();
    m_mouseControl = C;
    KMouseEventPtr enter = new KMouseEvent;
    if (enter.hasObject(nullptr)) {
        enter->setType(KMouseEvent::Enter);
        if (hasWindow())
            enter->setWindow(getWindow());
        enter->setLayer(*this);
        enter->setTarget(C);
        KEvent::send(*enter);
    }
    KApplication* application = KApplication::getApplication();
    if (application && (application->getApplicationFlags() & KApplication::ControlToolTipsFlag)
        && C.getText().getLength() > 0 && hasWindow())
        s_toolTip = knsCreateToolTip(getWindow(), KGraphicRectangle(), C.getText());
}

void KControlsLayer::clearMouseControl()
{
    if (!hasMouseControl())
        return;
    KThingPtr control = m_mouseControl;
    KMouseEventPtr leave = new KMouseEvent;
    if (leave.hasObject(nullptr)) {
        leave->setType(KMouseEvent::Leave);
        if (hasWindow())
            leave->setWindow(getWindow());
        leave->setLayer(*this);
        leave->setTarget(static_cast<KControl&>(*control));
        KEvent::send(*leave);
    }
    m_mouseControl.reset();
    if (s_toolTip) {
        knsDestroyNativeWindow(s_toolTip);
        s_toolTip = nullptr;
    }
}

void KControlsLayer::updateMouseControl(const KGraphicPoint& P)
{
    if (hasTrackedControl()) {
        // While a press lasts only the pressed control can be under the mouse.
        KControl& tracked = getTrackedControl();
        if (tracked.getGlobalBounds().contains(P))
            setMouseControl(tracked);
        else
            clearMouseControl();
        return;
    }
    KControlPtr found;
    if (!findControlAt(P, found))
        clearMouseControl();
    else if (m_mouseControl != *found)
        setMouseControl(*found);
}

KEventReturn KControlsLayer::offerUpChain(KControl& C, KMouseEvent& E, KEventReturn (KControl::*Operation)(KMouseEvent&),
                                          KControl** Last)
{
    E.setTarget(C);
    KControlPtr current(C);
    KEventReturn answer = ((*current).*Operation)(E);
    while (!answer && current->hasParentControl()) {
        current = current->getParentControl();
        answer = ((*current).*Operation)(E);
    }
    if (Last)
        *Last = current.get();
    return answer;
}

KEventReturn KControlsLayer::dispatchMouseEnter(KMouseEvent& E)
{
    if (!E.hasTarget())
        return 0;
    if (&E.getTarget() == this) {
        updateMouseControl(E.getLocalPosition());
        return 0;
    }
    auto* control = dynamic_cast<KControl*>(&E.getTarget());
    return control ? offerUpChain(*control, E, &KControl::mouseEnterEvent) : 0;
}

KEventReturn KControlsLayer::dispatchMouseLeave(KMouseEvent& E)
{
    if (!E.hasTarget())
        return 0;
    if (&E.getTarget() == this) {
        clearMouseControl();
        return 0;
    }
    auto* control = dynamic_cast<KControl*>(&E.getTarget());
    return control ? offerUpChain(*control, E, &KControl::mouseExitEvent) : 0;
}

KEventReturn KControlsLayer::dispatchMouseDown(KMouseEvent& E)
{
    updateMouseControl(E.getLocalPosition());
    if (!hasMouseControl())
        return 0;
    KControlPtr pressed = getMouseControl();
    KControl* answering = nullptr;
    const KEventReturn answer = offerUpChain(*pressed, E, &KControl::mouseDownEvent, &answering);
    if (answer == 4 && answering) {
        setTrackedControl(*answering);
        // Only the control itself, not a container that took its press, holds the mouse.
        if (answering == pressed.get() && capturesMouse(*answering))
            captureMouseWin32(answering->getNativeWindow());
    }
    return answer;
}

KEventReturn KControlsLayer::dispatchMouseMove(KMouseEvent& E)
{
    updateMouseControl(E.getLocalPosition());
    KControlPtr control;
    if (hasTrackedControl())
        control = getTrackedControl();
    else if (hasMouseControl())
        control = getMouseControl();
    else
        return 0;
    return offerUpChain(*control, E, &KControl::mouseMoveEvent);
}

KEventReturn KControlsLayer::dispatchMouseTick(KMouseEvent& E)
{
    updateMouseControl(E.getLocalPosition());
    if (!hasTrackedControl())
        return 0;
    KControlPtr tracked = getTrackedControl();
    return offerUpChain(*tracked, E, &KControl::mouseRepeatEvent);
}

KEventReturn KControlsLayer::dispatchMouseUp(KMouseEvent& E)
{
    updateMouseControl(E.getLocalPosition());
    KControlPtr control;
    if (hasTrackedControl()) {
        control = getTrackedControl();
        if (capturesMouse(*control))
            releaseMouseCaptureWin32();
    } else if (hasMouseControl()) {
        control = getMouseControl();
    } else {
        return 0;
    }
    const KEventReturn answer = offerUpChain(*control, E, &KControl::mouseUpEvent);
    clearTrackedControl();
    updateMouseControl(E.getLocalPosition());
    return answer;
}

bool KControlsLayer::offerKeyUpChain(KKeyEvent& E, bool (KControl::*Operation)(KKeyEvent&))
{
    auto* control = E.hasElement() ? dynamic_cast<KControl*>(&E.getElement()) : nullptr;
    if (!control)
        return false;
    KControlPtr current(control);
    bool handled = ((*current).*Operation)(E);
    while (!handled && current->hasParentControl()) {
        current = current->getParentControl();
        handled = ((*current).*Operation)(E);
    }
    return handled;
}

bool KControlsLayer::keyTyped(KKeyEvent& E) { return offerKeyUpChain(E, &KControl::keyTyped); }
bool KControlsLayer::focusGained(KKeyEvent& E) { return offerKeyUpChain(E, &KControl::focusGained); }
bool KControlsLayer::focusLost(KKeyEvent& E) { return offerKeyUpChain(E, &KControl::focusLost); }
