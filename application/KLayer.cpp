#include "application/KLayer.h"

#include "application/KWindow.h"

K_DEFINE_CLASS(KLayer, KInteractiveElement, 1)

KLayer::KLayer() = default;
KLayer::~KLayer() = default;

bool KLayer::reservedTest(KThing&) { return false; }
bool KLayer::keyTyped(KKeyEvent&) { return false; }
bool KLayer::focusGained(KKeyEvent&) { return false; }
bool KLayer::focusLost(KKeyEvent&) { return false; }
void KLayer::invalidateRect(const KWideRectangle&) {}

void KLayer::setWindow(KWindow& W) { m_window.setNativePtr(&W); }
void KLayer::resetWindow() { m_window.reset(); }
KWindow& KLayer::getWindow() const { return static_cast<KWindow&>(m_window.getNativePtr()); }

bool KLayer::isMouseTarget(const KGraphicPoint&) { return false; }
KLayer& KLayer::getThisLayer() { return *this; }
void KLayer::collectFocusableElements(KBag&) {}

KGraphicRectangle KLayer::getBounds() const
{
    return hasWindow() ? getWindow().getBounds() : KGraphicRectangle();
}

KEventReturn KLayer::dispatchMouseEnter(KMouseEvent&) { return 0; }
KEventReturn KLayer::dispatchMouseLeave(KMouseEvent&) { return 0; }
KEventReturn KLayer::dispatchMouseDown(KMouseEvent&) { return 0; }
KEventReturn KLayer::dispatchMouseMove(KMouseEvent&) { return 0; }
KEventReturn KLayer::dispatchMouseTick(KMouseEvent&) { return 0; }
KEventReturn KLayer::dispatchMouseUp(KMouseEvent&) { return 0; }
bool KLayer::drawLayer(KWindowEvent&) { return false; }
