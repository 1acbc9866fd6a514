#include "application/KInteractiveElement.h"

#include "application/KActionEvent.h"
#include "application/KApplicationEvent.h"
#include "application/KCursorManager.h"
#include "application/KLayer.h"
#include "foundation/KWideRectangle.h"

namespace {
// Hover and pressed looks, visible, enabled, redrawn on hilite and selection, active, and
// the two bits the subclasses keep for themselves.
constexpr uint32 kInitialState = 0x1f384;
} // namespace

K_DEFINE_CLASS(KInteractiveElement, KThing, 1)

long KInteractiveElement::s_liveElements = 0;

KInteractiveElement::KInteractiveElement()
    : m_state(kInitialState)
{
    for (uint32 type = DownAction; type <= UpAction; ++type)
        m_actionMask.set(type);
    ++s_liveElements;
}

KInteractiveElement::~KInteractiveElement() { --s_liveElements; }

void KInteractiveElement::setLayer(KLayer& L) { m_layer.setNativePtr(&L); }
void KInteractiveElement::resetLayer() { m_layer.reset(); }
void KInteractiveElement::setParent(KInteractiveElement& P) { m_parent.setNativePtr(&P); }
void KInteractiveElement::resetParent() { m_parent.reset(); }

KLayer& KInteractiveElement::getLayer() const { return static_cast<KLayer&>(m_layer.getNativePtr()); }

KInteractiveElement& KInteractiveElement::getParent() const
{
    return static_cast<KInteractiveElement&>(m_parent.getNativePtr());
}

void KInteractiveElement::setHilite(uint8 H)
{
    if (H == m_hilite)
        return;
    m_hilite = H;
    if (hasState(RedrawOnHiliteFlag))
        invalidateRect(KWideRectangle(0, 0, m_size.getWidth(), m_size.getHeight()));
}

void KInteractiveElement::enable(bool On)
{
    if (!On) {
        disable();
        return;
    }
    m_state.set(EnabledFlag);
    if (isVisible())
        setHilite(NormalHilite);
}

void KInteractiveElement::disable()
{
    m_state.clear(EnabledFlag);
    if (isVisible())
        setHilite(DisabledHilite);
}

void KInteractiveElement::show(bool On)
{
    if (!On) {
        hide();
        return;
    }
    m_state.set(VisibleFlag);
    setHilite(isEnabled() ? NormalHilite : DisabledHilite);
}

void KInteractiveElement::hide()
{
    m_state.clear(VisibleFlag);
    setHilite(HiddenHilite);
}

void KInteractiveElement::setSelected(bool On)
{
    if (On == isSelected() || !isEnabled())
        return;
    if (!On) {
        clearSelected();
        return;
    }
    m_state.set(SelectedFlag);
    if (hasState(RedrawOnSelectionFlag))
        invalidate();
}

void KInteractiveElement::clearSelected()
{
    if (!isSelected() || !isEnabled())
        return;
    m_state.clear(SelectedFlag);
    if (hasState(RedrawOnSelectionFlag))
        invalidate();
}

void KInteractiveElement::activate(bool On)
{
    if (On == isActive())
        return;
    if (!On) {
        deactivate();
        return;
    }
    m_state.set(ActiveFlag);
    if (isEnabled())
        setHilite(NormalHilite);
}

void KInteractiveElement::deactivate()
{
    if (!isActive())
        return;
    m_state.clear(ActiveFlag);
    if (isEnabled())
        setHilite(NormalHilite);
}

void KInteractiveElement::setFlag800() { m_state.set(Flag800); }
void KInteractiveElement::clearFlag800() { m_state.clear(Flag800); }

bool KInteractiveElement::containsPoint(const KWidePoint& P) const
{
    const long x = m_position.getX();
    const long y = m_position.getY();
    return x <= P.getX() && P.getX() < x + m_size.getWidth() && y <= P.getY() && P.getY() < y + m_size.getHeight();
}

bool KInteractiveElement::reservedTest(KThing&) { return false; }
bool KInteractiveElement::previewKey(KKeyEvent&) { return false; }
bool KInteractiveElement::keyTyped(KKeyEvent&) { return false; }
bool KInteractiveElement::focusGained(KKeyEvent&) { return false; }
bool KInteractiveElement::focusLost(KKeyEvent&) { return false; }

void KInteractiveElement::setMouseInside(const KWidePoint& P, bool Inside)
{
    if (!Inside) {
        setMouseOutside(P);
        return;
    }
    m_state.set(InsideFlag);
    if (!isReady())
        return;
    if (hasState(TrackingFlag)) {
        if (!hasState(KeepHiliteWhileTrackingFlag) && hasState(PressedLookFlag))
            setHilite(PressedHilite);
    } else if (hasState(HoverLookFlag)) {
        setHilite(HoverHilite);
    }
}

void KInteractiveElement::setMouseOutside(const KWidePoint&)
{
    m_state.clear(InsideFlag);
    if (!isReady())
        return;
    if (!hasState(TrackingFlag) || !hasState(KeepHiliteWhileTrackingFlag))
        setHilite(NormalHilite);
}

bool KInteractiveElement::mouseDown(const KWidePoint&, KMouseEvent&)
{
    if (!isVisible() || !isActive())
        return false;
    // A disabled element still reports the press, without a pressed look or tracking.
    if (isEnabled()) {
        setHilite(hasState(PressedLookFlag) ? PressedHilite : NormalHilite);
        m_state.set(TrackingFlag);
    }
    postAction(DownAction);
    if (m_actionMask.isSet(LeaveAction) && KCursorManager::exists())
        KCursorManager::get().startRepeatTimer();
    return true;
}

void KInteractiveElement::mouseEnter(const KWidePoint&) { postAction(EnterAction); }
void KInteractiveElement::mouseLeave(const KWidePoint&) { postAction(LeaveAction); }
void KInteractiveElement::mouseMoved(const KWidePoint&) {}

void KInteractiveElement::mouseUp(const KWidePoint&)
{
    m_state.clear(TrackingFlag);
    if (hasState(InsideFlag)) {
        setHilite(hasState(HoverLookFlag) ? HoverHilite : NormalHilite);
        postAction(UpAction);
    } else {
        setHilite(NormalHilite);
        // A release outside counts as done only for an element that also reports enter.
        if (m_actionMask.isSet(EnterAction))
            postAction(UpAction);
    }
    if (m_actionMask.isSet(LeaveAction) && KCursorManager::exists())
        KCursorManager::get().stopRepeatTimer();
}

void KInteractiveElement::invalidate() { passRectUp(0, 0, m_size.getWidth(), m_size.getHeight()); }

void KInteractiveElement::invalidateRect(const KWideRectangle& R)
{
    long x = 0, y = 0, width = 0, height = 0;
    R.get(x, y, width, height);
    passRectUp(x, y, width, height);
}

bool KInteractiveElement::handleAction(KActionEvent&) { return false; }

void KInteractiveElement::passRectUp(long X, long Y, long Width, long Height)
{
    const KWideRectangle moved(m_position.getX() + X, m_position.getY() + Y, Width, Height);
    if (hasParent())
        getParent().invalidateRect(moved);
    else if (hasLayer())
        getLayer().invalidateRect(moved);
}

void KInteractiveElement::postAction(uint32 Type)
{
    if (!m_actionMask.isSet(Type))
        return;
    KActionEventPtr action = new KActionEvent;
    if (!action.hasObject(nullptr))
        return;
    action->setType(static_cast<long>(Type));
    action->setSource(*this);
    KApplicationEvent::post(*action);
}
