#include "controls/KDragObjectsLayer.h"

#include "application/InputWin32.h"
#include "application/KCursorManager.h"
#include "application/KMouseEvent.h"
#include "application/KWindow.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KGraphicDeviceState.h"

#include <algorithm>

namespace {
// Edges snap toward zero, as 16-bit integer division rounds.
long snap(long Edge, short Step)
{
    const long step = std::max<short>(Step, 1);
    return static_cast<short>(Edge) / step * step;
}

KGraphicPoint difference(const KGraphicPoint& A, const KGraphicPoint& B)
{
    return KGraphicPoint(static_cast<short>(A.getH() - B.getH()), static_cast<short>(A.getV() - B.getV()));
}
} // namespace

K_DEFINE_CLASS(KDragObjectsLayer, KLayer, 1)

KDragObjectsLayer::KDragObjectsLayer() = default;

KDragObjectsLayer::~KDragObjectsLayer()
{
    while (m_objects.getCount() > 0)
        removeObject(objectAt(0));
}

bool KDragObjectsLayer::isMouseTarget(const KGraphicPoint& P)
{
    KDragObjectPtr found;
    return findObjectAt(P, found);
}

KEventReturn KDragObjectsLayer::dispatchMouseDown(KMouseEvent& E)
{
    const KGraphicPoint& point = E.getLocalPosition();
    KDragObjectPtr object;
    if (!findObjectAt(point, object))
        return 0;
    if (!object->isSelected()) {
        if (!knsIsShiftDown())
            clearSelection();
        object->setSelected(true);
    }
    // A disabled object stays unselected and is not dragged.
    if (!object->isSelected())
        return 0;
    m_handle = object->hitHandle(point);
    setTrackedObject(*object);
    if (countSelected() > 1) {
        // Several objects can only be moved together.
        m_trackingRect = getSelectionBounds();
        m_handle = KDragObject::NoHandle;
    } else {
        m_trackingRect = object->getBounds();
    }
    m_startRect = m_trackingRect;
    invertTrackingRect(E);
    return 4;
}

KEventReturn KDragObjectsLayer::dispatchMouseMove(KMouseEvent& E)
{
    if (!hasTrackedObject())
        return 0;
    invertTrackingRect(E);
    const KGraphicPoint& press =
        KCursorManager::exists() ? KCursorManager::get().getPressPosition() : E.getLocalPosition();
    m_trackingRect = reshapedRect(difference(E.getLocalPosition(), press));
    invertTrackingRect(E);
    return 1;
}

KEventReturn KDragObjectsLayer::dispatchMouseUp(KMouseEvent& E)
{
    if (!hasTrackedObject())
        return 0;
    invertTrackingRect(E);
    KDragObjectPtr tracked = getTrackedObject();
    if (countSelected() <= 1) {
        invalidateInWindow(tracked->getBounds());
        tracked->setBounds(m_trackingRect);
        invalidateInWindow(m_trackingRect);
    } else if (KCursorManager::exists()) {
        const KCursorManager& cursor = KCursorManager::get();
        moveSelection(difference(cursor.getDragPosition(), cursor.getPressPosition()));
    }
    clearTrackedObject();
    return 1;
}

bool KDragObjectsLayer::drawLayer(KWindowEvent&)
{
    if (!hasWindow())
        return false;
    KWindow& window = getWindow();
    for (long i = 0; i < m_objects.getCount(); ++i)
        objectAt(i).draw(window, objectAt(i).getBounds());
    return false;
}

void KDragObjectsLayer::setTrackedObject(KDragObject& Object)
{
    if (!hasTrackedObject()) {
        m_trackedObject = Object;
        if (Object.hasWindow() && Object.getWindow().getNativeWindow())
            captureMouseWin32(Object.getWindow().getNativeWindow());
        return;
    }
    if (&getTrackedObject() == &Object)
        return;
    clearTrackedObject();
    m_trackedObject = Object;
}

void KDragObjectsLayer::clearTrackedObject()
{
    if (!hasTrackedObject())
        return;
    m_trackedObject.reset();
    releaseMouseCaptureWin32();
}

void KDragObjectsLayer::setCurrentObject(KThing& Object) { m_currentObject = Object; }
void KDragObjectsLayer::clearCurrentObject() { m_currentObject.reset(); }

void KDragObjectsLayer::addObject(KDragObject& Object)
{
    if (m_objects.has(Object))
        return;
    m_objects.add(Object);
    Object.setLayer(*this);
    if (hasWindow())
        Object.setWindow(getWindow());
}

void KDragObjectsLayer::removeObject(KDragObject& Object)
{
    if (!m_objects.has(Object))
        return;
    KDragObjectPtr hold(Object);
    Object.clearContent();
    Object.clearWindow();
    Object.resetLayer();
    m_objects.remove(Object);
}

bool KDragObjectsLayer::findObjectAt(const KGraphicPoint& P, KDragObjectPtr& Found) const
{
    for (long i = m_objects.getCount() - 1; i >= 0; --i) {
        if (objectAt(i).getBounds().contains(P)) {
            Found = objectAt(i);
            return true;
        }
    }
    return false;
}

long KDragObjectsLayer::countSelected() const
{
    long count = 0;
    for (long i = 0; i < m_objects.getCount(); ++i)
        count += objectAt(i).isSelected() ? 1 : 0;
    return count;
}

KGraphicRectangle KDragObjectsLayer::getSelectionBounds() const
{
    KGraphicRectangle bounds;
    for (long i = 0; i < m_objects.getCount(); ++i) {
        if (objectAt(i).isSelected())
            bounds.unionWith(objectAt(i).getBounds());
    }
    return bounds;
}

void KDragObjectsLayer::clearSelection()
{
    const KGraphicRectangle selection = getSelectionBounds();
    for (long i = 0; i < m_objects.getCount(); ++i)
        objectAt(i).clearSelected();
    invalidateInWindow(selection);
}

void KDragObjectsLayer::moveSelection(const KGraphicPoint& Delta)
{
    invalidateInWindow(getSelectionBounds());
    for (long i = 0; i < m_objects.getCount(); ++i) {
        KDragObject& object = objectAt(i);
        if (!object.isSelected())
            continue;
        KGraphicRectangle bounds = object.getBounds();
        bounds.offset(Delta.getH(), Delta.getV());
        object.setBounds(bounds);
    }
    invalidateInWindow(getSelectionBounds());
}

void KDragObjectsLayer::invertTrackingRect(KMouseEvent& E) const
{
    if (!E.hasWindow())
        return;
    KWindow& window = E.getWindow();
    window.saveState();
    window.setDrawMode(KGraphicDeviceState::kInvert);
    window.paintRect(m_trackingRect);
    window.restoreState();
}

KGraphicRectangle KDragObjectsLayer::reshapedRect(const KGraphicPoint& Displacement) const
{
    short left = 0, top = 0, right = 0, bottom = 0;
    m_startRect.getBounds(left, top, right, bottom);
    long l = left, t = top, r = right, b = bottom;
    const long dx = Displacement.getH(), dy = Displacement.getV();
    // The body, which drags no edge of its own, moves them all.
    uint8 edges = KDragObject::getHandleEdges(m_handle);
    if (edges == 0)
        edges = KDragObject::LeftEdge | KDragObject::TopEdge | KDragObject::RightEdge | KDragObject::BottomEdge;
    if (edges & KDragObject::LeftEdge)
        l += dx;
    if (edges & KDragObject::RightEdge)
        r += dx;
    if (edges & KDragObject::TopEdge)
        t += dy;
    if (edges & KDragObject::BottomEdge)
        b += dy;
    const KGraphicPoint grid = KCursorManager::exists() ? KCursorManager::get().getDragGrid() : KGraphicPoint(1, 1);
    l = snap(l, grid.getH()), r = snap(r, grid.getH());
    t = snap(t, grid.getV()), b = snap(b, grid.getV());
    const KGraphicSize& minimum = getTrackedObject().getMinimumSize();
    const long width = std::max<long>(r - l, minimum.getWidth());
    const long height = std::max<long>(b - t, minimum.getHeight());
    return KGraphicRectangle(static_cast<short>(l), static_cast<short>(t), static_cast<short>(width),
                             static_cast<short>(height));
}

void KDragObjectsLayer::invalidateInWindow(const KGraphicRectangle& R) const
{
    if (hasWindow() && !R.isEmpty())
        getWindow().invalidateRect(R);
}
