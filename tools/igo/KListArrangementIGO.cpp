#include "tools/igo/KListArrangementIGO.h"

#include "application/KCursorManager.h"
#include "application/KKeyEvent.h"
#include "graphics/KGraphicDevice.h"

#include <algorithm>
#include <cstdlib>

namespace {
// The list sets this element flag; nothing in the framework reads it.
constexpr uint32 kListElementFlag = 0x40;
constexpr uint32 kInitialListFlags = 0x7;
} // namespace

K_DEFINE_CLASS(KListArrangementIGO, KArrangementIGO, 1)

KListArrangementIGO::KListArrangementIGO()
    : m_listFlags(kInitialListFlags)
{
    setStateFlags(AcceptsFocusFlag | kListElementFlag);
    setIGOFlags(DrawOffScreenFlag);
}

KListArrangementIGO::~KListArrangementIGO() { m_dragImage.reset(); }

void KListArrangementIGO::setFlag800()
{
    if (!isUpdating())
        KArrangementIGO::setFlag800();
}

void KListArrangementIGO::clearFlag800()
{
    if (!isUpdating())
        return;
    KArrangementIGO::clearFlag800();
    layoutRows();
}

void KListArrangementIGO::relayout() { layoutRows(); }

void KListArrangementIGO::layoutRows()
{
    long cursor = 0;
    for (long i = 0; i < getElementCount(); ++i) {
        KInteractiveGraphicObject& row = elementAt(i);
        const long length = rowLength(i);
        const long width = across(getSize());
        if (isVertical()) {
            row.setPosition(KWidePoint(0, cursor));
            row.setSize(KWideSize(width, length));
        } else {
            row.setPosition(KWidePoint(cursor, 0));
            row.setSize(KWideSize(length, width));
        }
        cursor += length;
    }
    getExtent(m_contentSize, 0, getElementCount() - 1);
}

void KListArrangementIGO::getExtent(KWideSize& Out, long First, long Last) const
{
    if (First > Last || First < 0 || Last >= getElementCount()) {
        Out.set(0, 0);
        return;
    }
    const KInteractiveGraphicObject& first = elementAt(First);
    const KInteractiveGraphicObject& last = elementAt(Last);
    Out.set(last.getPosition().getX() - first.getPosition().getX() + last.getSize().getWidth(),
            last.getPosition().getY() - first.getPosition().getY() + last.getSize().getHeight());
}

void KListArrangementIGO::addElement(KInteractiveGraphicObject& Row)
{
    if (!isUpdating() || isChild(Row))
        return;
    // Rows take no rollover look and no press of their own: the list handles the mouse.
    Row.deactivate();
    KArrangementIGO::addElement(Row);
}

void KListArrangementIGO::insertElementAt(KInteractiveGraphicObject& Row, long Index)
{
    if (!isUpdating() || isChild(Row))
        return;
    Row.deactivate();
    insertChildAt(Row, Index);
}

void KListArrangementIGO::removeElement(KInteractiveGraphicObject& Row)
{
    if (isUpdating())
        KArrangementIGO::removeElement(Row);
}

void KListArrangementIGO::removeElementAt(long Index)
{
    if (isUpdating() && Index >= 0 && Index < getElementCount())
        removeElement(elementAt(Index));
}

void KListArrangementIGO::removeAllElements()
{
    if (isUpdating())
        removeAllChildren();
}

bool KListArrangementIGO::keyTyped(KKeyEvent& E)
{
    switch (E.getKey()) {
    case UpKey:
    case LeftKey:
        selectPrevious();
        break;
    case DownKey:
    case RightKey:
        selectNext();
        break;
    case PageUpKey:
        selectPreviousPage();
        break;
    case PageDownKey:
        selectNextPage();
        break;
    case HomeKey:
        selectFirst();
        break;
    case EndKey:
        selectLast();
        break;
    default:
        return false;
    }
    sendAction(SelectionChangedAction);
    return true;
}

void KListArrangementIGO::selectPreviousPage() { pageTo(-1); }
void KListArrangementIGO::selectNextPage() { pageTo(1); }

// Moves the selection by as many rows as fill the list's own length.
void KListArrangementIGO::pageTo(long Step)
{
    const long i = getSelectedIndex();
    if (i == -1)
        return;
    const long page = along(getSize());
    const long limit = Step < 0 ? 0 : getElementCount() - 1;
    long sum = 0;
    long j = i;
    while (j != limit && sum < page) {
        sum += rowLength(j);
        if (sum < page)
            j += Step;
    }
    deselectElementAt(i);
    selectElementAt(j);
    scrollToElementAt(j);
}

bool KListArrangementIGO::mouseDown(const KWidePoint& P, KMouseEvent& E)
{
    m_downPoint = P;
    m_dragPoint = P;
    const bool accepted = KArrangementIGO::mouseDown(P, E);
    // The ticks of the repeat timer scroll the list while the mouse is held beyond it.
    if (!accepted && getActionMask().isSet(LeaveAction) && KCursorManager::exists())
        KCursorManager::get().startRepeatTimer();
    return true;
}

void KListArrangementIGO::mouseEnter(const KWidePoint& P)
{
    m_dragPoint = P;
    if (!(m_listFlags.getFlags() & ReorderFlag)) {
        const long p = along(P);
        if (p <= 0 || p >= along(getSize()))
            return;
        KInteractiveGraphicObjectPtr row;
        if (!findElementAt(toContent(P), row))
            return;
        KInteractiveGraphicObjectPtr selected;
        if (findSelectedElement(selected) && selected == *row)
            return;
        if (selected.hasObject(nullptr))
            deselectElement(*selected);
        selectElement(*row);
        sendAction(SelectionChangedAction);
        return;
    }
    if (m_listFlags.getFlags() & DraggingFlag) {
        m_dragImageRect.setOrigin(static_cast<short>(P.getX() - getClickPoint().getH()),
                                  static_cast<short>(P.getY() - getClickPoint().getV()));
        invalidate();
        return;
    }
    if (getSelectedIndex() != -1 && std::labs(along(P) - along(m_downPoint)) > kDragThreshold)
        startDrag(P);
}

void KListArrangementIGO::startDrag(const KWidePoint& P)
{
    KInteractiveGraphicObjectPtr selected;
    if (!findSelectedElement(selected))
        return;
    m_listFlags.set(DraggingFlag);
    makeDragImage(*selected);
    m_dragImageRect.setOrigin(static_cast<short>(P.getX() - getClickPoint().getH()),
                              static_cast<short>(P.getY() - getClickPoint().getV()));
    invalidate();
}

void KListArrangementIGO::makeDragImage(KInteractiveGraphicObject& Row)
{
    const auto width = static_cast<short>(Row.getSize().getWidth());
    const auto height = static_cast<short>(Row.getSize().getHeight());
    m_dragImage = new KAlphaImage;
    m_dragImageRect.set(0, 0, width, height);
    if (width <= 0 || height <= 0)
        return;
    m_dragImage->create(KGraphicSize(width, height));
    m_dragImage->setAlphaMode(KAlphaImage::kBlendWithMask);
    m_dragImage->setTransparency(0.5);
    KGraphicDevice& device = m_dragImage->getGraphicDevice();
    device.paintRect(m_dragImageRect, KColor(kWhite));
    // The image shows the row as it looks unselected, without its hilite redraws.
    const uint32 kept = Row.getStateFlags() & (RedrawOnHiliteFlag | SelectedFlag);
    Row.clearStateFlags(kept);
    Row.draw(device, m_dragImageRect);
    Row.setStateFlags(kept);
}

void KListArrangementIGO::mouseLeave(const KWidePoint& P)
{
    const long content = along(m_contentSize);
    const long own = along(getSize());
    if (content <= own)
        return;
    const long p = along(P);
    const long offset = along(getScrollOffset());
    long moved = offset;
    if (p < 0)
        moved = std::max(0L, offset + p);
    else if (p > own)
        moved = std::min(content - own, offset + (p - own));
    if (moved == offset)
        return;
    KWidePoint scroll = getScrollOffset();
    if (isVertical())
        scroll.setY(moved);
    else
        scroll.setX(moved);
    setScrollOffset(scroll);
    invalidate();
    sendAction(ScrolledAction);
}

long KListArrangementIGO::findDropIndex(const KWidePoint& Q) const
{
    KInteractiveGraphicObjectPtr row;
    if (findElementAt(Q, row))
        return findIndexOf(*row);
    const long side = across(Q);
    if (along(Q) > along(m_contentSize) - 2 && side >= 0 && side < across(getSize()))
        return getElementCount();
    return -1;
}

void KListArrangementIGO::drop()
{
    const long k = findDropIndex(toContent(m_dragPoint));
    const long i = getSelectedIndex();
    if (k == -1 || i == -1 || k == i)
        return;
    KInteractiveGraphicObjectPtr dragged(elementAt(i));
    beginUpdate();
    removeElement(*dragged);
    // The row lands in front of the one it was dropped on, or at the end.
    insertElementAt(*dragged, k < i ? k : k - 1);
    endUpdate();
}

void KListArrangementIGO::mouseUp(const KWidePoint& P)
{
    if (m_listFlags.getFlags() & ReorderFlag) {
        m_dragImage.reset();
        if (m_listFlags.getFlags() & DraggingFlag) {
            drop();
            m_listFlags.clear(DraggingFlag);
            invalidate();
        }
    }
    if (hasTrackedElement()) {
        KInteractiveGraphicObjectPtr tracked(getTrackedElement());
        clearTrackedElement();
        tracked->mouseUp(tracked->toLocal(toContent(P)));
    }
    stopRepeating();
}

void KListArrangementIGO::stopRepeating()
{
    if (getActionMask().isSet(LeaveAction) && KCursorManager::exists())
        KCursorManager::get().stopRepeatTimer();
}

void KListArrangementIGO::draw(KGraphicDevice& Dev, const KGraphicRectangle& Dst)
{
    Dev.saveState();
    Dev.pushClipRegion();
    Dev.intersectClipRect(Dst);
    if (drawsBackground())
        Dev.paintRect(Dst, getBackgroundColor());
    drawChildren(Dev, Dst);
    const uint32 dragging = ReorderFlag | DraggingFlag;
    if ((m_listFlags.getFlags() & dragging) == dragging) {
        if (hasDragImage() && (m_listFlags.getFlags() & ShowDragImageFlag)) {
            KGraphicRectangle image = m_dragImageRect;
            image.offset(Dst.getH(), Dst.getV());
            m_dragImage->draw(Dev, image);
        }
        if (m_listFlags.getFlags() & ShowDropMarkerFlag)
            drawDropMarker(Dev, Dst);
    }
    Dev.popClipRegion();
    Dev.restoreState();
}

void KListArrangementIGO::drawDropMarker(KGraphicDevice& Dev, const KGraphicRectangle& Dst)
{
    const KWidePoint q = toContent(m_dragPoint);
    const long count = getElementCount();
    KGraphicRectangle m;
    KInteractiveGraphicObjectPtr row;
    if (findElementAt(q, row)) {
        if (!scaleIntoDestination(*row, Dst, m))
            return;
    } else {
        if (count == 0 || findDropIndex(q) != count || !scaleIntoDestination(elementAt(count - 1), Dst, m))
            return;
        // The far edge of the last row.
        if (isVertical())
            m.offset(0, static_cast<short>(m.getHeight() - 1));
        else
            m.offset(static_cast<short>(m.getWidth() - 1), 0);
    }
    const short x = m.getH(), y = m.getV();
    Dev.setForeColor(KColor(kBlack));
    if (isVertical()) {
        Dev.moveTo(static_cast<short>(x + 4), y);
        Dev.lineTo(static_cast<short>(x + m.getWidth() - 4), y);
        Dev.moveTo(x, static_cast<short>(y - 2));
        Dev.lineTo(static_cast<short>(x + 2), y);
        Dev.lineTo(x, static_cast<short>(y + 2));
        Dev.lineTo(x, static_cast<short>(y - 2));
        Dev.lineTo(static_cast<short>(x + 1), y);
    } else {
        Dev.moveTo(x, static_cast<short>(y + 4));
        Dev.lineTo(x, static_cast<short>(y + m.getHeight() - 4));
        Dev.moveTo(static_cast<short>(x - 2), y);
        Dev.lineTo(static_cast<short>(x + 2), y);
        Dev.lineTo(x, static_cast<short>(y + 2));
        Dev.lineTo(static_cast<short>(x - 2), y);
        Dev.lineTo(x, static_cast<short>(y + 1));
    }
}
