#include "application/KInteractiveElement.h"

#include "application/KLayer.h"

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
    // The base element draws nothing; a subclass that draws redraws itself on a change.
    m_hilite = H;
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

bool KInteractiveElement::keyTyped(KKeyEvent&) { return false; }
bool KInteractiveElement::focusGained(KKeyEvent&) { return false; }
bool KInteractiveElement::focusLost(KKeyEvent&) { return false; }

bool KInteractiveElement::containsPoint(const KWidePoint& P) const
{
    const long x = m_position.getX();
    const long y = m_position.getY();
    return x <= P.getX() && P.getX() < x + m_size.getWidth() && y <= P.getY() && P.getY() < y + m_size.getHeight();
}
