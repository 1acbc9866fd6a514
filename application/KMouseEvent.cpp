#include "application/KMouseEvent.h"

#include "application/KApplication.h"
#include "application/KCursorManager.h"
#include "application/KInteractiveElement.h"
#include "application/KLayer.h"
#include "application/KWindow.h"

K_DEFINE_CLASS(KMouseEvent, KEvent, 1)

KMouseEvent::KMouseEvent() = default;

KMouseEvent::KMouseEvent(const KMouseEvent& M)
    : KEvent()
    , m_window(M.m_window)
    , m_globalPosition(M.m_globalPosition)
    , m_localPosition(M.m_localPosition)
    , m_modifiers(M.m_modifiers.getFlags())
    , m_buttonHeld(M.m_buttonHeld)
    , m_doubleClick(M.m_doubleClick)
{
}

KMouseEvent::~KMouseEvent() = default;

void KMouseEvent::setWindow(KWindow& W) { m_window.setObject(W); }
void KMouseEvent::resetWindow() { m_window.reset(); }
void KMouseEvent::setLayer(KLayer& L) { m_layer.setObject(L); }
void KMouseEvent::resetLayer() { m_layer.reset(); }
void KMouseEvent::setTarget(KInteractiveElement& T) { m_target.setObject(T); }
void KMouseEvent::resetTarget() { m_target.reset(); }

KWindow& KMouseEvent::getWindow() const { return static_cast<KWindow&>(m_window.getObject()); }
KLayer& KMouseEvent::getLayer() const { return static_cast<KLayer&>(m_layer.getObject()); }
KInteractiveElement& KMouseEvent::getTarget() const { return static_cast<KInteractiveElement&>(m_target.getObject()); }

void KMouseEvent::setModifiers(uint32 Modifiers)
{
    m_modifiers.clearAll();
    m_modifiers.set(Modifiers);
}

KEventReturn KMouseEvent::handle()
{
    if (isCommonDialogOpen())
        return 1;
    if (!hasWindow())
        return 0;
    const long kind = getType();
    if (kind < Enter || kind > Up)
        return 0;
    if (KCursorManager::exists()) {
        using Route = bool (KCursorManager::*)(KMouseEvent&);
        static const Route routes[] = {&KCursorManager::routeMouseEnter, &KCursorManager::routeMouseLeave,
                                       &KCursorManager::routeMouseDown,  &KCursorManager::routeMouseMove,
                                       &KCursorManager::routeMouseTick,  &KCursorManager::routeMouseUp};
        KCursorManagerPtr manager = KCursorManager::get();
        return ((*manager).*routes[kind])(*this) ? 1 : 0;
    }
    // Before the application made its cursor manager (and after it dropped it) no layer
    // tracks or hovers: the window and then the application are asked.
    KWindowPtr window = static_cast<KWindow&>(m_window.getObject());
    if (window->isBlocked() && (kind == Down || kind == Move || kind == Up))
        return 1;
    struct Route {
        KEventReturn (KWindow::*window)(KMouseEvent&);
        KEventReturn (KApplication::*application)(KMouseEvent&);
    };
    static const Route routes[] = {
        {&KWindow::mouseEnter, &KApplication::mouseEnter}, {&KWindow::mouseLeave, &KApplication::mouseLeave},
        {&KWindow::mouseDown, &KApplication::mouseDown},   {&KWindow::mouseMove, &KApplication::mouseMove},
        {&KWindow::mouseTick, &KApplication::mouseTick},   {&KWindow::mouseUp, &KApplication::mouseUp},
    };
    const Route& route = routes[kind];
    if (const KEventReturn answer = ((*window).*route.window)(*this))
        return answer;
    KApplication* application = KApplication::getApplication();
    return application ? (application->*route.application)(*this) : 0;
}
