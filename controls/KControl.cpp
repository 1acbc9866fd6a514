#include "controls/KControl.h"

#include "application/KControlActionEvent.h"

namespace {
constexpr long kInitialPosition = 5;
constexpr long kInitialSize = 16;
} // namespace

K_DEFINE_CLASS(KControl, KInteractiveElement, 1)

KControl::KControl()
{
    setPosition(KWidePoint(kInitialPosition, kInitialPosition));
    setSize(KWideSize(kInitialSize, kInitialSize));
    setStateFlags(AcceptsFocusFlag);
    // A plain control reports its presses and releases only.
    getActionMask().clearAll();
    getActionMask().set(DownAction);
    getActionMask().set(UpAction);
}

KControl::~KControl() = default;

void KControl::setParentControl(KControl& Container)
{
    clearParentControl();
    clearWindow();
    m_container.setNativePtr(&Container);
}

void KControl::clearParentControl() { m_container.reset(); }

void KControl::setWindow(KWindow& Window)
{
    KWindowPtr reachable;
    if (findParentWindow(reachable) && reachable == Window)
        return;
    clearParentControl();
    clearWindow();
    m_window = Window;
}

void KControl::clearWindow() { m_window.reset(); }

bool KControl::handleAction(KControlActionEvent&) { return false; }

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
