#include "controls/KControl.h"

#include "application/KApplicationEvent.h"
#include "application/KControlActionEvent.h"
#include "application/KCursorManager.h"
#include "application/KKeyEvent.h"
#include "application/KKeyboardManager.h"
#include "application/KMouseEvent.h"
#include "application/NativeWindowWin32.h"
#include "controls/NativeControlBindingWin32.h"
#include "controls/NativeControlsWin32.h"
#include "foundation/KWideRectangle.h"
#include "foundation/KWideSize.h"
#include "foundation/KernelFunctions.h"

#include <algorithm>

namespace {
constexpr short kInitialPosition = 5;
constexpr short kInitialSize = 16;
constexpr uint8 kVariantCount = 3;
} // namespace

K_DEFINE_CLASS(KControl, KInteractiveElement, 1)

KControl::KControl()
{
    for (KGraphicSize& variant : m_variants)
        variant.set(kInitialSize, kInitialSize);
    setBounds(KGraphicRectangle(kInitialPosition, kInitialPosition, kInitialSize, kInitialSize));
    setStateFlags(AcceptsFocusFlag);
    // A plain control reports its presses and releases only.
    getActionMask().clearAll();
    getActionMask().set(KControlActionEvent::Down);
    getActionMask().set(KControlActionEvent::Done);
}

KControl::~KControl()
{
    destroySubNativeControls();
    removeAllControls();
    destroyNativeControl();
}

void KControl::setLayer(KLayer& L)
{
    KInteractiveElement::setLayer(L);
    forEachSubControl([&](KControl& sub) { sub.setLayer(L); });
}

void KControl::resetLayer()
{
    forEachSubControl([&](KControl& sub) { sub.resetLayer(); });
    KInteractiveElement::resetLayer();
}

void KControl::setHilite(uint8 H)
{
    if (H == getHilite())
        return;
    if (H == PressedHilite && acceptsFocus() && hasParentWindow() && KKeyboardManager::exists())
        KKeyboardManager::getManager().setFocusElement(*this);
    KInteractiveElement::setHilite(H);
}

void KControl::enable(bool On)
{
    if (On == isEnabled())
        return;
    if (!On) {
        disable();
        return;
    }
    KInteractiveElement::enable(true);
    if (void* window = getNativeWindow())
        enableNativeWindowWin32(window, true);
    draw();
    forEachSubControl([&](KControl& sub) { sub.enable(true); });
}

void KControl::disable()
{
    if (!isEnabled())
        return;
    KInteractiveElement::disable();
    if (void* window = getNativeWindow())
        enableNativeWindowWin32(window, false);
    draw();
    forEachSubControl([&](KControl& sub) { sub.disable(); });
}

void KControl::show(bool On)
{
    if (!On) {
        hide();
        return;
    }
    KInteractiveElement::show(true);
    if (void* window = getNativeWindow())
        showNativeChildWin32(window, true);
    forEachSubControl([&](KControl& sub) { sub.show(true); });
}

void KControl::hide()
{
    KInteractiveElement::hide();
    if (void* window = getNativeWindow())
        showNativeChildWin32(window, false);
    forEachSubControl([&](KControl& sub) { sub.hide(); });
}

void KControl::deactivate() { knsMessageBox("void KControl::deactivate()", "Controls cannot be deactivated"); }

bool KControl::keyTyped(KKeyEvent&) { return false; }

bool KControl::focusGained(KKeyEvent& E)
{
    // The focus look is drawn by the native window, so only one that exists is redrawn.
    if (acceptsFocus() && E.hasElement() && &E.getElement() == this && getNativeWindow())
        invalidateNative();
    return false;
}

bool KControl::focusLost(KKeyEvent& E)
{
    if (acceptsFocus() && E.hasElement() && &E.getElement() == this)
        invalidateNative();
    return false;
}

void KControl::mouseEnter(const KWidePoint&) { postAction(KControlActionEvent::Drag); }
void KControl::invalidate() { draw(); }
void KControl::invalidateRect(const KWideRectangle&) { invalidateNative(); }

void KControl::setParentControl(KControl& Container)
{
    clearParentControl();
    clearWindow();
    m_container.setNativePtr(&Container);
    relinkSubControls();
    if (hasParentWindow()) {
        createNativeControl();
        createSubNativeControls();
    }
}

void KControl::clearParentControl()
{
    if (!hasParentControl())
        return;
    forEachSubControl([&](KControl& sub) { sub.clearParentControl(); });
    destroyNativeControl();
    m_container.reset();
}

void KControl::relinkSubControls()
{
    forEachSubControl([&](KControl& sub) {
        if (!sub.hasParentControl()) {
            sub.m_container.setNativePtr(this);
            sub.relinkSubControls();
        }
    });
}

void KControl::setNativeParent(KThing& Element) { m_nativeParent.setNativePtr(&Element); }
void KControl::clearNativeParent() { m_nativeParent.reset(); }

void KControl::setWindow(KWindow& Window)
{
    KWindowPtr reachable;
    if (!findParentWindow(reachable) || reachable != Window) {
        clearParentControl();
        clearWindow();
        m_window = Window;
        relinkSubControls();
    }
    if (!m_nativeRecord) {
        createNativeControl();
        createSubNativeControls();
    }
}

void KControl::clearWindow()
{
    if (!hasParentWindow())
        return;
    destroySubNativeControls();
    destroyNativeControl();
    m_window.reset();
}

bool KControl::acquireGraphicDevice(KGraphicDevicePtr& Device, KGraphicRectangle& Rect)
{
    Device.reset();
    KWindowPtr window;
    if (!findParentWindow(window) || !window->getNativeWindow() || !isVisible() || !m_nativeRecord)
        return false;
    KGraphicDevice* device = beginNativeControlDrawingWin32(*this);
    if (!device)
        return false;
    Device = device;
    Rect = KGraphicRectangle(0, 0, getWidth(), getHeight());
    return true;
}

void KControl::releaseGraphicDevice(KGraphicDevicePtr& Device)
{
    if (Device.hasObject(nullptr))
        endNativeControlDrawingWin32(*this);
    Device.reset();
}

void KControl::createNativeControl()
{
    if (!makeNativeWindow("STATIC", "", 0))
        return;
    m_nativeRecord->nativePaints = 0;
    m_nativeRecord->frameworkDraws = 1;
    m_nativeRecord->captureMouse = 1;
}

bool KControl::hasNativeAncestor() const
{
    short x = 0, y = 0, width = 0, height = 0;
    return getNativeControlFrameWin32(*this, x, y, width, height) != nullptr;
}

bool KControl::makeNativeWindow(const char* ClassName, const char* Text, unsigned long OwnStyle)
{
    // A second native window would orphan the first.
    if (m_nativeRecord)
        return false;
    short x = 0, y = 0, width = 0, height = 0;
    void* parent = getNativeControlFrameWin32(*this, x, y, width, height);
    if (!parent)
        return false;
    void* window = createNativeChildWin32(ClassName, Text, OwnStyle, isVisible(), parent, x, y, width, height);
    if (!window)
        return false;
    m_nativeRecord = subclassNativeControlWin32(window, *this);
    if (!isEnabled())
        enableNativeWindowWin32(window, false);
    // A window made inside one already shown is painted but not erased, and some controls
    // (a group without a frame) get their face from the erase.
    invalidateNativeControlWin32(*this);
    return true;
}

void KControl::destroyNativeControl()
{
    if (!m_nativeRecord)
        return;
    NativeControlRecordWin32* record = m_nativeRecord;
    m_nativeRecord = nullptr;
    unsubclassNativeControlWin32(record);
}

void KControl::createSubNativeControls()
{
    forEachSubControl([&](KControl& sub) {
        sub.createNativeControl();
        sub.createSubNativeControls();
    });
}

void KControl::destroySubNativeControls()
{
    forEachSubControl([&](KControl& sub) {
        sub.destroySubNativeControls();
        sub.destroyNativeControl();
    });
}

void KControl::layoutSubControls() {}
void KControl::drawSubControls() {}
void KControl::draw() {}
void KControl::invalidateNative() { invalidateNativeControlWin32(*this); }

void KControl::handleMouseDown(const KWidePoint&)
{
    if (isEnabled()) {
        setHilite((getStateFlags() & PressedLookFlag) ? PressedHilite : NormalHilite);
        setStateFlags(TrackingFlag);
    }
    postAction(KControlActionEvent::Down);
    if (getActionMask().isSet(KControlActionEvent::Repeat) && KCursorManager::exists())
        KCursorManager::get().startRepeatTimer();
}

void KControl::handleMouseRepeat() { postAction(KControlActionEvent::Repeat); }

void KControl::handleMouseUp()
{
    clearStateFlags(TrackingFlag);
    if (getStateFlags() & InsideFlag) {
        setHilite((getStateFlags() & HoverLookFlag) ? HoverHilite : NormalHilite);
        postAction(KControlActionEvent::Done);
    } else {
        setHilite(NormalHilite);
        // Released outside: done only for a control that also reports the drag.
        if (getActionMask().isSet(KControlActionEvent::Drag))
            postAction(KControlActionEvent::Done);
    }
    if (getActionMask().isSet(KControlActionEvent::Repeat) && KCursorManager::exists())
        KCursorManager::get().stopRepeatTimer();
}

void KControl::endTrackingQuietly()
{
    if (!isTracking())
        return;
    clearStateFlags(TrackingFlag);
    const uint32 hover = InsideFlag | HoverLookFlag;
    setHilite((getStateFlags() & hover) == hover ? HoverHilite : NormalHilite);
}

bool KControl::handleNativeEvent(KNativeEvent& Event) { return handleControlNativeMessageWin32(*this, Event); }

KWidePoint KControl::localPointOf(const KMouseEvent& E) const
{
    const KGraphicRectangle global = getGlobalBounds();
    return KWidePoint(E.getLocalPosition().getH() - global.getH(), E.getLocalPosition().getV() - global.getV());
}

KEventReturn KControl::mouseDownEvent(KMouseEvent& E)
{
    if (!isVisible() || !isEnabled())
        return 0;
    handleMouseDown(localPointOf(E));
    return 4;
}

KEventReturn KControl::mouseMoveEvent(KMouseEvent& E)
{
    if (isTracking())
        mouseEnter(localPointOf(E));
    return 0;
}

KEventReturn KControl::mouseRepeatEvent(KMouseEvent&)
{
    if (isTracking())
        handleMouseRepeat();
    return 0;
}

KEventReturn KControl::mouseUpEvent(KMouseEvent&)
{
    if (isTracking())
        handleMouseUp();
    return 0;
}

KEventReturn KControl::mouseEnterEvent(KMouseEvent& E)
{
    if (E.hasTarget() && &E.getTarget() == this)
        setMouseInside(localPointOf(E), true);
    return 0;
}

KEventReturn KControl::mouseExitEvent(KMouseEvent& E)
{
    if (E.hasTarget() && &E.getTarget() == this)
        setMouseOutside(localPointOf(E));
    return 0;
}

bool KControl::handleAction(KControlActionEvent&) { return false; }

void KControl::addControl(KControl& C)
{
    // A control inside itself would make the chains endless.
    if (m_controls.has(C) || &C == this || C.containsControl(*this))
        return;
    m_controls.add(C);
    if (!isEnabled())
        C.disable();
    if (!isVisible())
        C.hide();
    C.setParentControl(*this);
    if (hasLayer())
        C.setLayer(getLayer());
}

void KControl::removeControl(KControl& C)
{
    if (!m_controls.has(C))
        return;
    C.clearParentControl();
    C.resetLayer();
    m_controls.remove(C);
}

void KControl::removeAllControls()
{
    while (m_controls.getCount() > 0)
        removeControl(static_cast<KControl&>(m_controls[0]));
}

void KControl::bringControlToFront(KControl& C)
{
    const long index = m_controls.findIndexOf(C);
    const long last = m_controls.getCount() - 1;
    if (index >= 0 && last >= 1)
        m_controls.swap(index, last);
}

bool KControl::containsControl(const KControl& C) const
{
    for (long i = m_controls.getCount() - 1; i >= 0; --i) {
        const auto& sub = static_cast<const KControl&>(m_controls[i]);
        if (&sub == &C || sub.containsControl(C))
            return true;
    }
    return false;
}

bool KControl::findControlAt(const KGraphicPoint& P, KControlPtr& Found) const
{
    return findControlIn(m_controls, P, Found);
}

bool KControl::findControlIn(const KBag& Controls, const KGraphicPoint& P, KControlPtr& Found)
{
    for (long i = Controls.getCount() - 1; i >= 0; --i) {
        auto* control = dynamic_cast<KControl*>(&Controls[i]);
        if (!control || !control->isVisible() || !control->getBounds().contains(P))
            continue;
        Found = *control;
        const KGraphicPoint inner(static_cast<short>(P.getH() - control->getBounds().getH()),
                                  static_cast<short>(P.getV() - control->getBounds().getV()));
        control->findControlAt(inner, Found);
        return true;
    }
    return false;
}

KGraphicRectangle KControl::getBounds() const
{
    const KWidePoint& position = KInteractiveElement::getPosition();
    const KWideSize& size = KInteractiveElement::getSize();
    return KGraphicRectangle(static_cast<short>(position.getX()), static_cast<short>(position.getY()),
                             static_cast<short>(size.getWidth()), static_cast<short>(size.getHeight()));
}

void KControl::setBounds(const KGraphicRectangle& R)
{
    KInteractiveElement::setPosition(KWidePoint(R.getH(), R.getV()));
    KInteractiveElement::setSize(KWideSize(R.getWidth(), R.getHeight()));
    layoutSubControls();
    moveNativeWindow();
}

void KControl::moveNativeWindow()
{
    void* window = getNativeWindow();
    if (!window)
        return;
    // The native window sits in its nearest native ancestor, which need not be the
    // container the bounds are measured in.
    short x = 0, y = 0, width = 0, height = 0;
    if (getNativeControlFrameWin32(*this, x, y, width, height))
        moveNativeChildWin32(window, x, y, width, height);
    invalidateNativeControlWin32(*this);
}

KGraphicSize KControl::getSize() const { return getBounds().getSize(); }
KGraphicPoint KControl::getPosition() const { return getBounds().getOrigin(); }

void KControl::setSize(const KGraphicSize& S)
{
    KGraphicRectangle bounds = getBounds();
    bounds.setSize(S.getWidth(), S.getHeight());
    setBounds(bounds);
}

void KControl::setPosition(const KGraphicPoint& P)
{
    KGraphicRectangle bounds = getBounds();
    bounds.setOrigin(P);
    setBounds(bounds);
}

void KControl::setLeft(short X) { setPosition(KGraphicPoint(X, getTop())); }
void KControl::setTop(short Y) { setPosition(KGraphicPoint(getPosition().getH(), Y)); }
void KControl::setWidth(short Width) { setSize(KGraphicSize(Width, getHeight())); }
void KControl::setHeight(short Height) { setSize(KGraphicSize(getWidth(), Height)); }

KGraphicRectangle KControl::getGlobalBounds() const
{
    KGraphicRectangle bounds = getBounds();
    for (const KControl* c = this; c->hasParentControl();) {
        c = &c->getParentControl();
        bounds.offset(c->getBounds().getH(), c->getBounds().getV());
    }
    return bounds;
}

KGraphicSize KControl::getVariantSize(uint8 Platform) const
{
    if (Platform >= 1 && Platform <= kVariantCount)
        return m_variants[Platform - 1];
    if (Platform != 0)
        return KGraphicSize(0, 0);
    short width = 0, height = 0;
    for (const KGraphicSize& variant : m_variants) {
        width = std::max(width, variant.getWidth());
        height = std::max(height, variant.getHeight());
    }
    return KGraphicSize(width, height);
}

void KControl::setVariantSize(uint8 Platform, const KGraphicSize& S)
{
    if (Platform >= 1 && Platform <= kVariantCount)
        m_variants[Platform - 1] = S;
}

void KControl::applyVariantSize() { setSize(getVariantSize(knsGetPlatform())); }

void KControl::setDesktopSize(const KGraphicSize& S)
{
    setVariantSize(kPlatformMac, S);
    setVariantSize(kPlatformWindows, S);
    applyVariantSize();
}

void KControl::placeNextTo(const KControl& Other, uint8 Where, short Gap)
{
    const KGraphicRectangle other = Other.getBounds();
    const long ox = other.getH(), oy = other.getV(), ow = other.getWidth(), oh = other.getHeight();
    const long w = getWidth(), h = getHeight(), g = Gap;
    const long left = ox - w - g, right = ox + ow + g, above = oy - h - g, below = oy + oh + g;
    const long xs[] = {left, left, left, right, right, right, ox, ox + (ow - w) / 2, ox + ow - w,
                       ox, ox + (ow - w) / 2, ox + ow - w};
    const long ys[] = {oy, oy + (oh - h) / 2, oy + oh - h, oy, oy + (oh - h) / 2, oy + oh - h,
                       above, above, above, below, below, below};
    if (Where > BelowRight) {
        setPosition(KGraphicPoint(0, 0));
        return;
    }
    setPosition(KGraphicPoint(static_cast<short>(xs[Where]), static_cast<short>(ys[Where])));
}

KControl& KControl::getParentControl() const { return static_cast<KControl&>(m_container.getNativePtr()); }

bool KControl::findParentWindow(KWindowPtr& Out) const
{
    const KControl* control = this;
    while (control->hasParentControl())
        control = &control->getParentControl();
    Out = control->m_window;
    return Out.hasObject(nullptr);
}

bool KControl::hasParentWindow() const
{
    KWindowPtr window;
    return findParentWindow(window);
}

KWindow& KControl::getParentWindow() const
{
    KWindowPtr window;
    if (!findParentWindow(window)) {
        kksReportError(18, "KWindow& KControl::getParentWindow() const");
        return kNullReference<KWindow>();
    }
    return *window;
}

void* KControl::getNativeWindow() const { return m_nativeRecord ? m_nativeRecord->window : nullptr; }

void KControl::postAction(long Type)
{
    if (getActionMask().isSet(static_cast<uint32>(Type)))
        postActionAlways(Type);
}

void KControl::postActionAlways(long Type)
{
    KControlActionEventPtr action = new KControlActionEvent;
    if (!action.hasObject(nullptr))
        return;
    action->setType(Type);
    action->setSource(*this);
    KApplicationEvent::post(*action);
}

void KControl::setCheckMark(bool On)
{
    if (!isEnabled())
        return;
    if (On)
        setStateFlags(SelectedFlag);
    else
        clearStateFlags(SelectedFlag);
    if (void* window = getNativeWindow())
        setNativeCheckMarkWin32(window, On);
}

void KControl::setNativeText(const KString& Text)
{
    if (void* window = getNativeWindow())
        setNativeChildTextWin32(window, Text.getText());
}

bool KControl::makeCheckWindow(const KString& Title, unsigned long Style)
{
    if (!makeNativeWindow("button", Title.getText(), Style))
        return false;
    if (isSelected())
        setNativeCheckMarkWin32(getNativeWindow(), true);
    return true;
}
