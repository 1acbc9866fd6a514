#include "tools/igo/KArrangementIGO.h"

#include "application/KActionEvent.h"
#include "application/KKeyEvent.h"
#include "foundation/KWideRectangle.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KGraphicDevice.h"

namespace {
constexpr long kElementsGrowth = 1024;
} // namespace

K_DEFINE_CLASS(KArrangementIGO, KInteractiveGraphicObject, 1)

KArrangementIGO::KArrangementIGO()
    : m_backgroundColor(kWhite)
{
    m_elements.setGrowSize(kElementsGrowth);
    m_elements.setMinSize(kElementsGrowth);
}

KArrangementIGO::~KArrangementIGO()
{
    // A child that outlives the arrangement must not keep a link to it.
    removeAllChildren();
    m_tracked.reset();
    m_hovered.reset();
}

bool KArrangementIGO::keyTyped(KKeyEvent& E) { return E.getKey() >= UpKey && E.getKey() <= PageDownKey; }

KWidePoint KArrangementIGO::toContent(const KWidePoint& P) const
{
    return KWidePoint(P.getX() + m_scrollOffset.getX(), P.getY() + m_scrollOffset.getY());
}

void KArrangementIGO::setMouseInside(const KWidePoint& P, bool)
{
    setStateFlags(InsideFlag);
    const KWidePoint q = toContent(P);
    KInteractiveGraphicObjectPtr child;
    if (hasTrackedElement()) {
        if (!m_tracked->containsPoint(q))
            return;
        child = m_tracked;
    } else if (!findElementAt(q, child)) {
        return;
    }
    child->setMouseInside(child->toLocal(q), true);
    setHoveredElement(*child);
}

void KArrangementIGO::setMouseOutside(const KWidePoint& P)
{
    clearStateFlags(InsideFlag);
    const KWidePoint q = toContent(P);
    if (hasTrackedElement()) {
        KInteractiveGraphicObjectPtr tracked = m_tracked;
        tracked->setMouseOutside(tracked->toLocal(q));
        return;
    }
    forgetHover(q);
}

void KArrangementIGO::forgetHover(const KWidePoint& Q)
{
    if (!hasHoveredElement())
        return;
    KInteractiveGraphicObjectPtr hovered = m_hovered;
    clearHoveredElement();
    hovered->setMouseOutside(hovered->toLocal(Q));
}

void KArrangementIGO::moveHoverTo(KInteractiveGraphicObject& C, const KWidePoint& Q)
{
    KInteractiveGraphicObjectPtr hold(C);
    forgetHover(Q);
    setHoveredElement(C);
    C.setMouseInside(C.toLocal(Q), true);
}

bool KArrangementIGO::mouseDown(const KWidePoint& P, KMouseEvent& E)
{
    const KWidePoint q = toContent(P);
    for (long i = getElementCount() - 1; i >= 0; --i) {
        if (i >= getElementCount())
            continue;
        KInteractiveGraphicObjectPtr child(elementAt(i));
        if (!child->containsPoint(q))
            continue;
        const KWidePoint local = child->toLocal(q);
        m_clickPoint.set(static_cast<short>(local.getX()), static_cast<short>(local.getY()));
        selectByMouse(*child);
        if (child->mouseDown(local, E)) {
            setTrackedElement(*child);
            return true;
        }
    }
    return false;
}

void KArrangementIGO::mouseEnter(const KWidePoint& P)
{
    const KWidePoint q = toContent(P);
    if (hasTrackedElement()) {
        KInteractiveGraphicObjectPtr tracked = m_tracked;
        tracked->mouseEnter(tracked->toLocal(q));
    }
    KInteractiveGraphicObjectPtr child;
    if (!findElementAt(q, child))
        return;
    if (m_hovered == *child) {
        child->mouseMoved(child->toLocal(q));
        return;
    }
    moveHoverTo(*child, q);
    // Dragging across the children moves or extends the selection.
    selectByMouse(*child);
}

void KArrangementIGO::mouseLeave(const KWidePoint& P)
{
    if (!hasTrackedElement())
        return;
    KInteractiveGraphicObjectPtr tracked = m_tracked;
    tracked->mouseLeave(tracked->toLocal(toContent(P)));
}

void KArrangementIGO::mouseMoved(const KWidePoint& P)
{
    const KWidePoint q = toContent(P);
    KInteractiveGraphicObjectPtr child;
    if (!findElementAt(q, child))
        return;
    if (m_hovered == *child)
        child->mouseMoved(child->toLocal(q));
    else
        moveHoverTo(*child, q);
}

void KArrangementIGO::mouseUp(const KWidePoint& P)
{
    const KWidePoint q = toContent(P);
    if (hasTrackedElement()) {
        KInteractiveGraphicObjectPtr tracked = m_tracked;
        clearTrackedElement();
        tracked->mouseUp(tracked->toLocal(q));
    }
    // The child now under the pointer hears of it, unless it already knows.
    for (long i = getElementCount() - 1; i >= 0; --i) {
        KInteractiveGraphicObject& child = elementAt(i);
        if (child.containsPoint(q) && !(child.getStateFlags() & InsideFlag)) {
            moveHoverTo(child, q);
            return;
        }
    }
}

void KArrangementIGO::invalidateRect(const KWideRectangle& R)
{
    long x = 0, y = 0, width = 0, height = 0;
    R.get(x, y, width, height);
    KInteractiveGraphicObject::invalidateRect(
        KWideRectangle(x - m_scrollOffset.getX(), y - m_scrollOffset.getY(), width, height));
}

void KArrangementIGO::drawAt(KGraphicDevice& Dev, const KGraphicPoint& At)
{
    draw(Dev, KGraphicRectangle(At.getH(), At.getV(), static_cast<short>(getSize().getWidth()),
                                static_cast<short>(getSize().getHeight())));
}

void KArrangementIGO::draw(KGraphicDevice& Dev, const KGraphicRectangle& Dst)
{
    Dev.saveState();
    if (m_drawsBackground)
        Dev.paintRect(Dst, m_backgroundColor);
    Dev.pushClipRegion();
    Dev.intersectClipRect(Dst);
    drawChildren(Dev, Dst);
    Dev.popClipRegion();
    Dev.restoreState();
}

void KArrangementIGO::drawPart(KGraphicDevice& Dev, const KGraphicRectangle&, const KGraphicRectangle& Dst)
{
    draw(Dev, Dst);
}

bool KArrangementIGO::scaleIntoDestination(const KInteractiveGraphicObject& C, const KGraphicRectangle& Dst,
                                           KGraphicRectangle& Out) const
{
    // An arrangement without an extent has no scale: its children are not drawn.
    if (getSize().getWidth() == 0 || getSize().getHeight() == 0)
        return false;
    const double sx = static_cast<double>(Dst.getWidth()) / static_cast<double>(getSize().getWidth());
    const double sy = static_cast<double>(Dst.getHeight()) / static_cast<double>(getSize().getHeight());
    const auto scaled = [](long Value, double Scale) { return static_cast<float>(Value * Scale); };
    const float width = scaled(C.getSize().getWidth(), sx);
    const float height = scaled(C.getSize().getHeight(), sy);
    const float x = scaled(C.getPosition().getX(), sx) + (Dst.getH() - scaled(m_scrollOffset.getX(), sx));
    const float y = scaled(C.getPosition().getY(), sy) + (Dst.getV() - scaled(m_scrollOffset.getY(), sy));
    const auto narrow = [](float Value) { return static_cast<short>(static_cast<long>(Value)); };
    Out.set(narrow(x), narrow(y), narrow(width), narrow(height));
    return true;
}

void KArrangementIGO::drawChildren(KGraphicDevice& Dev, const KGraphicRectangle& Dst)
{
    for (long i = 0; i < getElementCount(); ++i) {
        KInteractiveGraphicObjectPtr child(elementAt(i));
        KGraphicRectangle r;
        if (scaleIntoDestination(*child, Dst, r) && r.intersects(Dst))
            child->draw(Dev, r);
    }
}

void KArrangementIGO::setTrackedElement(KInteractiveGraphicObject& E) { m_tracked = E; }
void KArrangementIGO::clearTrackedElement() { m_tracked.reset(); }
void KArrangementIGO::setHoveredElement(KInteractiveGraphicObject& E) { m_hovered = E; }
void KArrangementIGO::clearHoveredElement() { m_hovered.reset(); }

void KArrangementIGO::selectPrevious()
{
    const long i = getSelectedIndex();
    if (i <= 0)
        return;
    deselectElementAt(i);
    selectElementAt(i - 1);
    scrollToElementAt(i - 1);
}

void KArrangementIGO::selectNext()
{
    const long i = getSelectedIndex();
    if (i == -1 || i >= getElementCount() - 1)
        return;
    deselectElementAt(i);
    selectElementAt(i + 1);
    scrollToElementAt(i + 1);
}

void KArrangementIGO::selectPreviousPage() {}
void KArrangementIGO::selectNextPage() {}

void KArrangementIGO::selectFirst()
{
    const long i = getSelectedIndex();
    if (getElementCount() == 0 || i == 0)
        return;
    if (i != -1)
        deselectElementAt(i);
    selectElementAt(0);
    scrollToElementAt(0);
}

void KArrangementIGO::selectLast()
{
    const long i = getSelectedIndex();
    const long last = getElementCount() - 1;
    if (last < 0 || i == last)
        return;
    if (i != -1)
        deselectElementAt(i);
    selectElementAt(last);
    scrollToElementAt(last);
}

void KArrangementIGO::addElement(KInteractiveGraphicObject& E)
{
    if (isChild(E) || &E == this)
        return;
    m_elements.add(E);
    E.setParent(*this);
}

void KArrangementIGO::addElement(KInteractiveGraphicObject& E, const KWidePoint& Position, const KWideSize& Size)
{
    if (isChild(E) || &E == this)
        return;
    m_elements.add(E);
    E.setPosition(Position);
    E.setSize(Size);
    E.setParent(*this);
}

void KArrangementIGO::insertChildAt(KInteractiveGraphicObject& E, long Index)
{
    if (isChild(E) || &E == this || Index < 0 || Index > getElementCount())
        return;
    m_elements.insertAt(E, Index);
    E.setParent(*this);
}

void KArrangementIGO::removeElement(KInteractiveGraphicObject& E) { removeChild(E); }

void KArrangementIGO::removeChild(KInteractiveGraphicObject& E)
{
    if (!isChild(E))
        return;
    KInteractiveGraphicObjectPtr hold(E);
    // The mouse is no longer routed to a child that has left.
    if (m_tracked == E)
        clearTrackedElement();
    if (m_hovered == E)
        clearHoveredElement();
    E.resetParent();
    m_elements.remove(E);
}

void KArrangementIGO::removeAllChildren()
{
    while (getElementCount() > 0)
        removeChild(elementAt(getElementCount() - 1));
}

KInteractiveGraphicObject& KArrangementIGO::getElementAt(long Index) const
{
    return static_cast<KInteractiveGraphicObject&>(m_elements[Index]);
}

bool KArrangementIGO::findElementAt(const KWidePoint& Q, KInteractiveGraphicObjectPtr& Out) const
{
    for (long i = getElementCount() - 1; i >= 0; --i) {
        if (elementAt(i).containsPoint(Q)) {
            Out = elementAt(i);
            return true;
        }
    }
    return false;
}

void KArrangementIGO::scrollToElementAt(long Index)
{
    if (Index < 0 || Index >= getElementCount())
        return;
    const KInteractiveGraphicObject& child = elementAt(Index);
    const long cx = child.getPosition().getX(), cy = child.getPosition().getY();
    const long cw = child.getSize().getWidth(), ch = child.getSize().getHeight();
    const long ownWidth = getSize().getWidth(), ownHeight = getSize().getHeight();
    KWidePoint offset = m_scrollOffset;
    const long ex = cx - offset.getX(), ey = cy - offset.getY();
    if (ex < 0)
        offset.setX(cx);
    else if (ex + cw > ownWidth)
        offset.setX(cx + cw - ownWidth);
    if (ey < 0)
        offset.setY(cy);
    else if (ey + ch > ownHeight)
        offset.setY(cy + ch - ownHeight);
    if (offset == m_scrollOffset)
        return;
    m_scrollOffset = offset;
    invalidate();
}

void KArrangementIGO::selectElementAt(long Index)
{
    if (Index < 0 || Index >= getElementCount() || m_selectionMode == NoSelection)
        return;
    if (m_selectionMode == MultipleSelection && !knsIsShiftDown())
        deselectAll();
    selectElement(elementAt(Index));
}

void KArrangementIGO::selectElement(KInteractiveGraphicObject& E)
{
    if (!isChild(E) || E.isSelected() || m_selectionMode == NoSelection)
        return;
    KInteractiveGraphicObjectPtr hold(E);
    if (m_selectionMode == SingleSelection) {
        KInteractiveGraphicObjectPtr selected;
        if (findSelectedElement(selected) && selected != E)
            selected->clearSelected();
    } else if (!knsIsShiftDown()) {
        deselectAll();
    }
    E.setSelected(true);
}

void KArrangementIGO::deselectElementAt(long Index)
{
    if (Index >= 0 && Index < getElementCount())
        deselectElement(elementAt(Index));
}

void KArrangementIGO::deselectElement(KInteractiveGraphicObject& E)
{
    if (isChild(E) && E.isSelected())
        E.clearSelected();
}

void KArrangementIGO::deselectAll()
{
    for (long i = 0; i < getElementCount(); ++i)
        elementAt(i).clearSelected();
}

bool KArrangementIGO::findSelectedElement(KInteractiveGraphicObjectPtr& Out) const
{
    const long index = getSelectedIndex();
    if (index == -1) {
        Out.reset();
        return false;
    }
    Out = elementAt(index);
    return true;
}

KInteractiveGraphicObject* KArrangementIGO::getSelectedElement() const
{
    const long index = getSelectedIndex();
    return index == -1 ? nullptr : &elementAt(index);
}

long KArrangementIGO::getSelectedIndex() const
{
    for (long i = 0; i < getElementCount(); ++i) {
        if (elementAt(i).isSelected())
            return i;
    }
    return -1;
}

void KArrangementIGO::selectByMouse(KInteractiveGraphicObject& C)
{
    if (m_selectionMode == NoSelection)
        return;
    if (m_selectionMode == SingleSelection) {
        KInteractiveGraphicObjectPtr selected;
        if (!findSelectedElement(selected)) {
            C.setSelected(true);
        } else if (selected != C) {
            selected->clearSelected();
            C.setSelected(true);
        }
    } else {
        if (!knsIsShiftDown())
            deselectAll();
        C.setSelected(true);
    }
    // Sent whether or not the selection changed.
    sendAction(SelectionChangedAction);
}

void KArrangementIGO::sendAction(long Type)
{
    KActionEventPtr action = new KActionEvent;
    if (!action.hasObject(nullptr))
        return;
    action->setType(Type);
    action->setSource(*this);
    KEvent::send(*action);
}
