#include "application/KMouseEvent.h"

#include "application/KApplication.h"
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
    KWindowPtr window = static_cast<KWindow&>(m_window.getObject());
    const long kind = getType();
    // A window behind an open dialog swallows presses, moves and releases.
    if ((window->getStateFlags() & KWindow::BlockedFlag) && (kind == Down || kind == Move || kind == Up))
        return 1;
    // The route through the layers that track presses and lie under the mouse is the
    // cursor manager's; without one the window and then the application are asked.
    struct Route {
        KEventReturn (KWindow::*window)(KMouseEvent&);
        KEventReturn (KApplication::*application)(KMouseEvent&);
    };
    static const Route routes[] = {
        {&KWindow::mouseEnter, &KApplication::mouseEnter}, {&KWindow::mouseLeave, &KApplication::mouseLeave},
        {&KWindow::mouseDown, &KApplication::mouseDown},   {&KWindow::mouseMove, &KApplication::mouseMove},
        {&KWindow::mouseTick, &KApplication::mouseTick},   {&KWindow::mouseUp, &KApplication::mouseUp},
    };
    if (kind < Enter || kind > Up)
        return 0;
    const Route& route = routes[kind];
    if (const KEventReturn answer = ((*window).*route.window)(*this))
        return answer;
    KApplication* application = KApplication::getApplication();
    return application ? (application->*route.application)(*this) : 0;
}
