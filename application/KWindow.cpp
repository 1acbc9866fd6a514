#include "application/KWindow.h"

#include "application/ControlsLink.h"
#include "application/KApplication.h"
#include "application/KApplicationEvent.h"
#include "application/KKeyboardManager.h"
#include "application/KMenuManager.h"
#include "application/KWindowEvent.h"
#include "application/KWindowManager.h"
#include "application/NativeMenusWin32.h"
#include "application/NativeWindowWin32.h"
#include "foundation/KernelFunctions.h"
#include "graphics/NativeDeviceWin32.h"

namespace {
constexpr uint32 kInitialState = KWindow::EnabledFlag | KWindow::ResizableFlag | KWindow::MovableFlag
                                 | KWindow::ErasesBackgroundFlag;
constexpr uint32 kAllKinds = 0x3F;
constexpr short kInitialWidth = 400;
constexpr short kInitialHeight = 250;
constexpr unsigned long kPopupStyle = 0x80000000;
constexpr unsigned long kAppWindowExStyle = 0x40000;

KWindow::NativeWindowTest s_hooksActive = nullptr;
KWindow::NativeWindowHook s_attachHook = nullptr;
KWindow::NativeWindowHook s_detachHook = nullptr;

bool hooksInstalled() { return s_hooksActive && s_attachHook && s_detachHook && s_hooksActive(); }

NativeFrameWin32 frameOf(const KGraphicRectangle& R) { return {R.getH(), R.getV(), R.getWidth(), R.getHeight()}; }

KGraphicRectangle rectangleOf(const NativeFrameWin32& F)
{
    return KGraphicRectangle(static_cast<short>(F.h), static_cast<short>(F.v), static_cast<short>(F.width),
                             static_cast<short>(F.height));
}

// The menu bar this window shows: the menu manager's while it is shown on the windows and
// the window carries it, else none.
void* menuBarFor(const KWindow& W)
{
    if (!(W.getStateFlags() & KWindow::CarriesMenuBarFlag) || !KMenuManager::exists())
        return nullptr;
    return KMenuManager::getMenuManager().getNativeMenuForWindows();
}

bool sameArea(const NativeFrameWin32& Client, const KGraphicRectangle& R)
{
    return Client.h == R.getH() && Client.v == R.getV() && Client.width == R.getWidth()
           && Client.height == R.getHeight();
}
} // namespace

K_DEFINE_CLASS(KWindow, KGraphicDevice, 1)

void KWindow::setNativeWindowHooks(NativeWindowTest IsActive, NativeWindowHook Attach, NativeWindowHook Detach)
{
    s_hooksActive = IsActive;
    s_attachHook = Attach;
    s_detachHook = Detach;
}

KWindow::KWindow()
    : KGraphicDevice(kKindWindow)
    , m_state(kInitialState)
    , m_kind(kAllKinds)
{
    setBounds(KGraphicRectangle(0, 0, kInitialWidth, kInitialHeight));
    center();
    if (KApplication* application = KApplication::getApplication())
        m_title = application->getName();
    if (ControlsLink* link = ControlsLink::get())
        link->addStandardLayers(*this);
}

KWindow::~KWindow()
{
    while (m_layers.getCount() > 0)
        removeLayer(static_cast<KLayer&>(m_layers[0]));
    m_controlsLayer.reset();
    m_dragObjectsLayer.reset();
}

void KWindow::setFocusElement(KInteractiveElement& E) { m_focusElement.setObject(E); }
void KWindow::resetFocusElement() { m_focusElement.reset(); }
void KWindow::setReturnElement(KInteractiveElement& E) { m_returnElement.setObject(E); }
void KWindow::resetReturnElement() { m_returnElement.reset(); }
void KWindow::setEscapeElement(KInteractiveElement& E) { m_escapeElement.setObject(E); }
void KWindow::resetEscapeElement() { m_escapeElement.reset(); }

void KWindow::setControlsLayer(KLayer& L)
{
    m_controlsLayer.setObject(L);
    m_layers.add(L);
    L.setWindow(*this);
}

void KWindow::resetControlsLayer() { m_controlsLayer.reset(); }

void KWindow::setDragObjectsLayer(KLayer& L)
{
    m_dragObjectsLayer.setObject(L);
    m_layers.add(L);
    L.setWindow(*this);
}

void KWindow::resetDragObjectsLayer() { m_dragObjectsLayer.reset(); }

unsigned long KWindow::getNativeStyle() const { return nativeWindowStyleWin32(m_kind.getFlags()); }

KGraphicRectangle KWindow::getFrame() const { return getFrameFor(kAppWindowExStyle); }

KGraphicRectangle KWindow::getFrameFor(unsigned long ExStyle) const
{
    if (m_nativeWindow)
        return rectangleOf(getNativeWindowRectWin32(m_nativeWindow));
    return rectangleOf(adjustFrameWin32(frameOf(m_bounds), getNativeStyle() | kPopupStyle, ExStyle,
                                        menuBarFor(*this) != nullptr));
}

void* KWindow::getMainNativeWindow()
{
    KApplication* application = KApplication::getApplication();
    return application && application->hasMainWindow() ? application->getMainWindow().getNativeWindow() : nullptr;
}

void KWindow::open(uint8 Mode)
{
    KWindowPtr hold(isOnHeap() ? this : nullptr);
    if (m_nativeWindow) {
        knsFatalError("KWindow::open()", "Already Open.");
        return;
    }
    // The menu bar comes with the window as its frame allowed for it.
    if (createNativeWindow(
            {kAppWindowExStyle, "KWindowClass", getNativeStyle() | kPopupStyle, nullptr, menuBarFor(*this)},
            "void KWindow::open(OpenMode Mode)"))
        finishOpen(Mode);
}

bool KWindow::createNativeWindow(const NativeWindowRequest& Request, const char* FailureContext)
{
    const KGraphicRectangle frame = getFrame();
    void* window = createNativeWindowWin32(Request.exStyle, Request.className, m_title.getText(), Request.style,
                                           frameOf(frame), Request.owner, Request.menu);
    if (!window) {
        // A window without a native window stays closed, and nobody hears that it opened.
        kksReportError(18, FailureContext);
        return false;
    }
    setNativeWindow(window);
    if (!m_nativeWindow)
        return false;
    if (hooksInstalled())
        s_attachHook(m_nativeWindow);
    return true;
}

void KWindow::finishOpen(uint8 Mode)
{
    if (Mode == OpenShown) {
        show(true);
        KWindowEventPtr activation = new KWindowEvent;
        if (activation.hasObject(nullptr)) {
            activation->setType(KWindowEvent::Activated);
            activation->setWindow(*this);
            KApplicationEvent::post(*activation);
        }
    } else {
        m_state.clear(ShownFlag);
    }
    m_state.set(OpenFlag);
    if (KWindowManager::exists())
        KWindowManager::get().windowOpened(*this);
}

void KWindow::setNativeWindow(void* W)
{
    m_nativeWindow = W;
    void* dc = getNativeWindowDCWin32(W);
    if (!dc) {
        if (KWindowManager::exists())
            KWindowManager::get().windowClosed(*this);
        knsFatalError("void KWindow::setNativeWindow(void* W)", "HDC==NULL");
        // Reached only when the application took the error: the window stays unbound.
        m_nativeWindow = nullptr;
        destroyNativeWindowWin32(W);
        return;
    }
    initBoundsFromNative(createAndInitNativeDeviceWin32(static_cast<HDC>(dc)));
    KGraphicDevice::setBounds(KGraphicRectangle(0, 0, m_bounds.getWidth(), m_bounds.getHeight()));
    bindNativeWindowWin32(W, this);
    if (ControlsLink* link = ControlsLink::get())
        link->nativeWindowMade(*this);
}

void KWindow::clearNativeWindow()
{
    if (m_nativeWindow)
        bindNativeWindowWin32(m_nativeWindow, nullptr);
    m_nativeWindow = nullptr;
    if (ControlsLink* link = ControlsLink::get())
        link->nativeWindowGoing(*this);
}

void KWindow::close()
{
    if (!isOpen())
        return;
    KWindowPtr hold(isOnHeap() ? this : nullptr);
    releaseKeyboardFocus();
    void* window = m_nativeWindow;
    if (window) {
        if (hooksInstalled())
            s_detachHook(window);
        void* dc = getHDCWin32(*this);
        releaseNative();
        releaseNativeWindowDCWin32(window, dc);
        clearNativeWindow();
    }
    m_state.clear(OpenFlag);
    if (KWindowManager::exists())
        KWindowManager::get().windowClosed(*this);
    if (window) {
        // A native window takes its menu down with it, and the menu bar is not this
        // window's to destroy.
        if (m_state.getFlags() & CarriesMenuBarFlag)
            setWindowMenuWin32(window, nullptr, false);
        destroyNativeWindowWin32(window);
    }
}

void KWindow::show(bool Show)
{
    if (!Show) {
        hide();
        return;
    }
    if (m_nativeWindow)
        showNativeWindowWin32(m_nativeWindow, true);
    restoreFocusElement();
    m_state.set(ShownFlag);
    if (KWindowManager::exists())
        KWindowManager::get().arrangeNativeWindows();
}

void KWindow::hide()
{
    if (m_nativeWindow && isBound())
        showNativeWindowWin32(m_nativeWindow, false);
    m_state.clear(ShownFlag);
    if (KWindowManager::exists())
        KWindowManager::get().arrangeNativeWindows();
}

void KWindow::eraseRect(const KGraphicRectangle& R)
{
    if (isVisible())
        KGraphicDevice::eraseRect(R);
}

bool KWindow::draw(KWindowEvent&) { return false; }
uint8 KWindow::closeRequest(KWindowEvent&) { return 2; }
bool KWindow::resized(KWindowEvent&) { return false; }
bool KWindow::moved(KWindowEvent&) { return false; }
bool KWindow::activated(KWindowEvent&) { return false; }
bool KWindow::deactivated(KWindowEvent&) { return false; }
bool KWindow::keyTyped(KKeyEvent&) { return false; }
bool KWindow::focusGained(KKeyEvent&) { return false; }
bool KWindow::focusLost(KKeyEvent&) { return false; }
KEventReturn KWindow::mouseEnter(KMouseEvent&) { return 0; }
KEventReturn KWindow::mouseLeave(KMouseEvent&) { return 0; }
KEventReturn KWindow::mouseDown(KMouseEvent&) { return 0; }
KEventReturn KWindow::mouseMove(KMouseEvent&) { return 0; }
KEventReturn KWindow::mouseTick(KMouseEvent&) { return 0; }
KEventReturn KWindow::mouseUp(KMouseEvent&) { return 0; }
bool KWindow::handleAction(KActionEvent&) { return false; }
bool KWindow::handleControlAction(KControlActionEvent&) { return false; }

void KWindow::setTitle(const KString& Title)
{
    m_title = Title;
    if (m_nativeWindow)
        setNativeWindowTitleWin32(m_nativeWindow, m_title.getText());
}

void KWindow::setBounds(const KGraphicRectangle& R)
{
    m_bounds = R;
    KGraphicDevice::setBounds(KGraphicRectangle(0, 0, R.getWidth(), R.getHeight()));
}

void KWindow::resize(const KGraphicRectangle& R)
{
    if (!isOpen() || !m_nativeWindow) {
        setBounds(R);
        return;
    }
    setDCExtentWin32(getHDCWin32(*this), R.getWidth(), R.getHeight());
    // A menu bar that wraps to a second line once the frame changes needs a second move.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const NativeFrameWin32 client = getClientAreaWin32(m_nativeWindow);
        if (sameArea(client, R))
            break;
        const NativeFrameWin32 frame = getNativeWindowRectWin32(m_nativeWindow);
        moveNativeWindowWin32(m_nativeWindow, {R.getH() - (client.h - frame.h), R.getV() - (client.v - frame.v),
                                               R.getWidth() + (frame.width - client.width),
                                               R.getHeight() + (frame.height - client.height)});
    }
    setBounds(R);
}

void KWindow::setPosition(const KGraphicPoint& P)
{
    KGraphicRectangle wanted(m_bounds);
    wanted.setOrigin(P);
    if (isBound())
        resize(wanted);
    else
        setBounds(wanted);
}

void KWindow::setSize(const KGraphicSize& S)
{
    KGraphicRectangle wanted(m_bounds);
    wanted.setSize(S);
    if (isBound())
        resize(wanted);
    else
        setBounds(wanted);
}

void KWindow::center()
{
    const long h = (knsGetScreenWidth() - m_bounds.getWidth()) / 2;
    const long v = (knsGetScreenHeight() - m_bounds.getHeight()) / 2;
    setPosition(KGraphicPoint(static_cast<short>(h), static_cast<short>(v)));
}

bool KWindow::isVisible() const
{
    return isOpen() && (m_state.getFlags() & ShownFlag) && !(m_nativeWindow && isNativeWindowIconicWin32(m_nativeWindow));
}

void KWindow::setKindFlags(uint32 Flags)
{
    m_kind.clearAll();
    m_kind.set(Flags);
}

void KWindow::blockInput()
{
    if (m_nativeWindow)
        enableNativeWindowWin32(m_nativeWindow, false);
    m_state.set(BlockedFlag);
}

void KWindow::unblockInput()
{
    if (m_nativeWindow)
        enableNativeWindowWin32(m_nativeWindow, isEnabled());
    m_state.clear(BlockedFlag);
}

void KWindow::setResizable(bool Resizable)
{
    if (Resizable)
        m_state.set(ResizableFlag);
    else
        m_state.clear(ResizableFlag);
}

void KWindow::attachMenuBar(bool Attach)
{
    if (!Attach) {
        detachMenuBar();
        return;
    }
    m_state.set(CarriesMenuBarFlag);
    // A closed window gets the menu bar when it opens.
    if (void* menuBar = menuBarFor(*this))
        showMenuBarNatively(menuBar);
}

void KWindow::detachMenuBar()
{
    const bool carried = menuBarFor(*this) != nullptr;
    m_state.clear(CarriesMenuBarFlag);
    if (carried)
        showMenuBarNatively(nullptr);
}

void KWindow::showMenuBarNatively(void* MenuBar)
{
    if (!m_nativeWindow)
        return;
    // The content keeps its size and place; the frame grows or shrinks by the bar.
    const KGraphicRectangle content(m_bounds);
    setWindowMenuWin32(m_nativeWindow, MenuBar, true);
    resize(content);
}

void KWindow::invalidate() { invalidateRect(KGraphicRectangle(0, 0, m_bounds.getWidth(), m_bounds.getHeight())); }

void KWindow::invalidateRect(const KGraphicRectangle& R)
{
    if (m_nativeWindow)
        redrawNativeRectWin32(m_nativeWindow, R.getH(), R.getV(), R.getWidth(), R.getHeight());
}

void KWindow::screenToLocal(KGraphicPoint& P) const
{
    if (!m_nativeWindow)
        return;
    short h = P.getH(), v = P.getV();
    screenToClientWin32(m_nativeWindow, h, v);
    P.set(h, v);
}

void KWindow::localToScreen(KGraphicPoint& P) const
{
    if (!m_nativeWindow)
        return;
    short h = P.getH(), v = P.getV();
    clientToScreenWin32(m_nativeWindow, h, v);
    P.set(h, v);
}

void KWindow::addElement(KInteractiveElement& E)
{
    if (ControlsLink* link = ControlsLink::get())
        link->addControl(*this, E);
}

void KWindow::removeControl(KInteractiveElement& E)
{
    if (ControlsLink* link = ControlsLink::get())
        link->removeControl(*this, E);
}

bool KWindow::hasControl(const KInteractiveElement& E) const
{
    const ControlsLink* link = ControlsLink::get();
    return link && link->hasControl(*this, E);
}

void KWindow::addLayer(KLayer& L)
{
    if (m_layers.has(L))
        return;
    m_layers.add(L);
    L.setWindow(*this);
    // The new layer goes under the standard layers the window has, which stay on top.
    const long standard = (m_controlsLayer.hasObject(nullptr) ? 1 : 0) + (m_dragObjectsLayer.hasObject(nullptr) ? 1 : 0);
    for (long i = m_layers.getCount() - 1; i > 0 && i >= m_layers.getCount() - standard; --i)
        m_layers.swap(i, i - 1);
}

void KWindow::removeLayer(KLayer& L)
{
    if (!m_layers.has(L))
        return;
    L.resetWindow();
    m_layers.remove(L);
}

bool KWindow::getLayerAt(const KGraphicPoint& P, KLayerPtr& Out) const
{
    Out.reset();
    for (long i = m_layers.getCount() - 1; i >= 0; --i) {
        auto& layer = static_cast<KLayer&>(m_layers[i]);
        if (layer.isMouseTarget(P)) {
            Out = layer;
            return true;
        }
    }
    return false;
}

void KWindow::collectFocusableElements(KBag& Out) const
{
    Out.clear();
    for (long i = m_layers.getCount() - 1; i >= 0; --i) {
        KBag fromLayer;
        static_cast<KLayer&>(m_layers[i]).collectFocusableElements(fromLayer);
        Out.addAll(fromLayer);
    }
}

bool KWindow::findFocusableNeighbour(const KInteractiveElement& E, long Step, KInteractiveElementPtr& Out) const
{
    KBag elements;
    collectFocusableElements(elements);
    const long count = elements.getCount();
    if (count < 2)
        return false;
    const long index = elements.findIndexOf(E);
    if (index < 0)
        return false;
    Out = static_cast<KInteractiveElement&>(elements[(index + Step + count) % count]);
    return true;
}

bool KWindow::getNextFocusableElement(const KInteractiveElement& E, KInteractiveElementPtr& Out) const
{
    return findFocusableNeighbour(E, 1, Out);
}

bool KWindow::getPreviousFocusableElement(const KInteractiveElement& E, KInteractiveElementPtr& Out) const
{
    return findFocusableNeighbour(E, -1, Out);
}

bool KWindow::isActiveWindow() const
{
    if (!KWindowManager::exists())
        return false;
    const KWindowManager& manager = KWindowManager::get();
    return manager.hasActiveWindow() && &manager.getActiveWindow() == this;
}

bool KWindow::liesInThisWindow(const KInteractiveElement& E) const
{
    return E.hasLayer() && E.getLayer().hasWindow() && &E.getLayer().getWindow() == this;
}

void KWindow::focusFirstElement()
{
    if (!isActiveWindow() || !KKeyboardManager::exists())
        return;
    KBag elements;
    collectFocusableElements(elements);
    if (elements.getCount() > 0)
        KKeyboardManager::getManager().setFocusElement(static_cast<KInteractiveElement&>(elements[0]));
}

void KWindow::focusNeighbour(long Step)
{
    if (!isActiveWindow() || !KKeyboardManager::exists())
        return;
    KKeyboardManager& keyboard = KKeyboardManager::getManager();
    if (!keyboard.hasFocusElement()) {
        focusFirstElement();
        return;
    }
    KInteractiveElementPtr neighbour;
    if (findFocusableNeighbour(keyboard.getFocusElement(), Step, neighbour))
        keyboard.setFocusElement(*neighbour);
}

void KWindow::focusNextElement() { focusNeighbour(1); }
void KWindow::focusPreviousElement() { focusNeighbour(-1); }

void KWindow::restoreFocusElement()
{
    if (!hasFocusElement())
        return;
    KInteractiveElementPtr remembered = m_focusElement;
    KBag elements;
    collectFocusableElements(elements);
    if (elements.has(*remembered) && liesInThisWindow(*remembered) && remembered->isVisible()
        && remembered->isEnabled()) {
        if (KKeyboardManager::exists())
            KKeyboardManager::getManager().setFocusElement(*remembered);
        return;
    }
    resetFocusElement();
    focusFirstElement();
}

void KWindow::restoreFocus()
{
    if (hasFocusElement())
        restoreFocusElement();
    else
        focusFirstElement();
    if (m_nativeWindow)
        focusNativeWindowIfNoneWin32(m_nativeWindow);
}

bool KWindow::ownsKeyboardFocus() const
{
    if (!hasFocusElement() || !KKeyboardManager::exists())
        return false;
    const KKeyboardManager& keyboard = KKeyboardManager::getManager();
    return keyboard.hasFocusElement() && liesInThisWindow(keyboard.getFocusElement());
}

void KWindow::releaseKeyboardFocus()
{
    if (ownsKeyboardFocus())
        KKeyboardManager::getManager().clearFocusElement();
}
