#include "application/KKeyboardManager.h"

#include "application/ControlsLink.h"
#include "application/InputWin32.h"
#include "application/KApplication.h"
#include "application/KControlActionEvent.h"
#include "application/KKeyEvent.h"
#include "application/KLayer.h"
#include "application/KWindowManager.h"

namespace {
KKeyboardManagerPtr s_manager;

constexpr long kPreviewerStep = 128;

// The element's layer, or the element itself when it is a layer outside any layer.
KLayer* layerOf(KInteractiveElement& E)
{
    if (E.hasLayer())
        return &E.getLayer();
    return dynamic_cast<KLayer*>(&E);
}

KInteractiveElement* elementOf(const KKeyEvent& K)
{
    return K.hasElement() ? dynamic_cast<KInteractiveElement*>(&K.getElement()) : nullptr;
}

// A key event of kind 1 or 2 naming E, sent at once.
void sendFocusEvent(long Kind, KInteractiveElement& E)
{
    KKeyEventPtr focus = new KKeyEvent;
    if (!focus.hasObject(nullptr))
        return;
    focus->setType(Kind);
    focus->setElement(E);
    KEvent::send(*focus);
}
} // namespace

KKeyboardManager::KKeyboardManager()
{
    m_keyPreviewers.setMinSize(kPreviewerStep);
    m_keyPreviewers.setGrowSize(kPreviewerStep);
}

KKeyboardManager::~KKeyboardManager() = default;

KKeyboardManager& KKeyboardManager::getManager() { return s_manager.getObject(); }
bool KKeyboardManager::exists() { return s_manager.hasObject(nullptr); }

void KKeyboardManager::initManager()
{
    KKeyboardManagerPtr manager = new KKeyboardManager;
    s_manager = manager;
}

void KKeyboardManager::exitManager() { s_manager.reset(); }

void KKeyboardManager::setFocusElement(KInteractiveElement& E)
{
    if (m_focusElement == E) {
        moveNativeFocusTo(E);
        return;
    }
    KInteractiveElementPtr hold(E);
    clearFocusElement();
    m_focusElement = E;
    moveNativeFocusTo(E);
    sendFocusEvent(KKeyEvent::FocusGained, E);
}

void KKeyboardManager::clearFocusElement()
{
    if (!hasFocusElement())
        return;
    KInteractiveElementPtr old = m_focusElement;
    // The element already has no focus when it hears that it lost it.
    m_focusElement.reset();
    sendFocusEvent(KKeyEvent::FocusLost, *old);
}

void KKeyboardManager::moveNativeFocusTo(KInteractiveElement& E)
{
    const ControlsLink* link = ControlsLink::get();
    void* native = link ? link->getNativeWindow(E) : nullptr;
    if (native && getNativeFocusWin32() != native)
        setNativeFocusWin32(native);
}

void KKeyboardManager::addKeyPreviewer(KInteractiveElement& E)
{
    if (!m_keyPreviewers.has(E))
        m_keyPreviewers.add(E);
}

void KKeyboardManager::removeKeyPreviewer(KInteractiveElement& E) { m_keyPreviewers.remove(E); }

bool KKeyboardManager::pressDialogButton(KWindow& Front, const KKeyEvent& K)
{
    if (!KWindowManager::isDialog(Front))
        return false;
    KInteractiveElementPtr button;
    if (K.getKey() == ReturnKey && Front.hasReturnElement())
        button = Front.getReturnElement();
    else if (K.getKey() == EscapeKey && Front.hasEscapeElement())
        button = Front.getEscapeElement();
    else
        return false;
    // A disabled button is not pressed from the keyboard either: the key goes on.
    if (!button->isEnabled() || !button->isVisible())
        return false;
    KControlActionEventPtr press = new KControlActionEvent;
    if (press.hasObject(nullptr)) {
        press->setType(KControlActionEvent::Done);
        press->setSource(*button);
        KEvent::send(*press);
    }
    return true;
}

bool KKeyboardManager::routeKeyTyped(KKeyEvent& K)
{
    bool handled = false;
    const KBag previewers(m_keyPreviewers);
    for (long i = 0; i < previewers.getCount() && !handled; ++i)
        handled = static_cast<KInteractiveElement&>(previewers[i]).previewKey(K);
    if (handled)
        return true;

    KWindowPtr window;
    const bool hasWindowManager = KWindowManager::exists();
    if (hasFocusElement() && m_focusElement->hasLayer()) {
        KLayerPtr layer = m_focusElement->getLayer();
        handled = layer->keyTyped(K);
        if (layer->hasWindow())
            window = layer->getWindow();
        // Tab moves the focus and then goes on like any other key.
        if (!handled && K.getKey() == TabKey && window.hasObject(nullptr)) {
            if (K.getModifiers() & KKeyEvent::Shift)
                window->focusPreviousElement();
            else
                window->focusNextElement();
        }
    } else if (hasWindowManager) {
        KWindowManager::get().findFrontWindow(window);
    }

    KWindowPtr front;
    if (!handled && hasWindowManager && KWindowManager::get().findFrontWindow(front)) {
        window = front;
        handled = pressDialogButton(*front, K);
    }
    while (!handled && window.hasObject(nullptr)) {
        handled = window->keyTyped(K);
        KWindowPtr below;
        if (hasWindowManager)
            KWindowManager::get().findWindowBelow(*window, below);
        window = below;
    }
    KApplication* application = KApplication::getApplication();
    if (!handled && application)
        handled = application->keyTyped(K) != 0;
    return handled;
}

bool KKeyboardManager::routeFocusGained(KKeyEvent& K)
{
    return routeFocusChange(K, &KInteractiveElement::focusGained, &KWindow::focusGained, &KApplication::focusGained);
}

bool KKeyboardManager::routeFocusLost(KKeyEvent& K)
{
    return routeFocusChange(K, &KInteractiveElement::focusLost, &KWindow::focusLost, &KApplication::focusLost);
}

bool KKeyboardManager::routeFocusChange(KKeyEvent& K, bool (KInteractiveElement::*LayerHook)(KKeyEvent&),
                                        bool (KWindow::*WindowHook)(KKeyEvent&),
                                        KEventReturn (KApplication::*ApplicationHook)(KKeyEvent&))
{
    bool handled = false;
    KInteractiveElement* element = elementOf(K);
    if (KLayer* layer = element ? layerOf(*element) : nullptr) {
        KLayerPtr hold(layer);
        handled = (layer->*LayerHook)(K);
        if (layer->hasWindow()) {
            KWindowPtr window = layer->getWindow();
            // The window remembers which of its elements last gained the focus.
            if (K.getType() == KKeyEvent::FocusGained)
                window->setFocusElement(*element);
            if (!handled)
                handled = ((*window).*WindowHook)(K);
        }
    }
    KApplication* application = KApplication::getApplication();
    if (!handled && application)
        handled = (application->*ApplicationHook)(K) != 0;
    return handled;
}
