#pragma once
// An arrangement that lays its children out as a list: each child is a row placed after
// the previous one along one axis and stretched across the list. It pages through the
// rows from the keyboard, reorders them when one is dragged (showing a translucent image
// of the row and a marker where it would land) and scrolls by itself while the mouse is
// held beyond its edge. Rows are added and removed only between beginUpdate and endUpdate,
// which lays the list out again.
#include "foundation/KGraphicRectangle.h"
#include "foundation/KWideSize.h"
#include "graphics/KAlphaImage.h"
#include "tools/igo/KArrangementIGO.h"

class KListArrangementIGO : public KArrangementIGO {
    K_DECLARE_CLASS(KListArrangementIGO)
public:
    enum ListFlag : uint32 {
        ReorderFlag = 0x1,
        ShowDragImageFlag = 0x2,
        ShowDropMarkerFlag = 0x4,
        DraggingFlag = 0x8,
    };

    enum Orientation : uint8 {
        Horizontal = 0,
        Vertical = 1,
    };

    // A drag starts once the pointer has moved further than this along the axis.
    static constexpr long kDragThreshold = 4;

    KListArrangementIGO();
    ~KListArrangementIGO() override;

    // The element's batch slots: the list is open for changes between them, and the end
    // of a batch lays it out.
    void setFlag800() override;
    void clearFlag800() override;
    // Navigation, then a selection-changed event whether or not the selection moved.
    bool keyTyped(KKeyEvent& E) override;
    // Always tracks the press, so that drags and auto-scroll follow.
    bool mouseDown(const KWidePoint& P, KMouseEvent& E) override;
    void mouseEnter(const KWidePoint& P) override;
    // Each tick while the button is held beyond the edge scrolls.
    void mouseLeave(const KWidePoint& P) override;
    void mouseUp(const KWidePoint& P) override;
    void draw(KGraphicDevice& Dev, const KGraphicRectangle& Dst) override;
    void selectPreviousPage() override;
    void selectNextPage() override;
    // Appends a row; only inside a batch.
    void addElement(KInteractiveGraphicObject& Row) override;
    void removeElement(KInteractiveGraphicObject& Row) override;
    // Lays the rows out whether or not a batch is open.
    virtual void relayout();

    void beginUpdate() { setFlag800(); }
    void endUpdate() { clearFlag800(); }
    bool isUpdating() const { return (getStateFlags() & Flag800) != 0; }
    // Only inside a batch.
    void insertElementAt(KInteractiveGraphicObject& Row, long Index);
    void removeElementAt(long Index);
    void removeAllElements();

    void getContentSize(KWideSize& Out) const { Out = m_contentSize; }
    // From the start of row First to the end of row Last; (0, 0) when First > Last.
    void getExtent(KWideSize& Out, long First, long Last) const;

    uint32 getListFlags() const { return m_listFlags.getFlags(); }
    void setListFlags(uint32 Mask) { m_listFlags.set(Mask); }
    void clearListFlags(uint32 Mask) { m_listFlags.clear(Mask); }
    void setOrientation(uint8 O) { m_orientation = O; }
    uint8 getOrientation() const { return m_orientation; }
    bool hasDragImage() const { return m_dragImage.hasObject(nullptr); }
    const KGraphicRectangle& getDragImageRect() const { return m_dragImageRect; }

private:
    bool isVertical() const { return m_orientation == Vertical; }
    long along(const KWidePoint& P) const { return isVertical() ? P.getY() : P.getX(); }
    long across(const KWidePoint& P) const { return isVertical() ? P.getX() : P.getY(); }
    long along(const KWideSize& S) const { return isVertical() ? S.getHeight() : S.getWidth(); }
    long across(const KWideSize& S) const { return isVertical() ? S.getWidth() : S.getHeight(); }
    // The size of row Index along the axis.
    long rowLength(long Index) const { return along(elementAt(Index).getSize()); }
    void layoutRows();
    // Where a row dropped at Q (content coordinates) lands: the index of the row there,
    // the count after the last row, or -1.
    long findDropIndex(const KWidePoint& Q) const;
    void startDrag(const KWidePoint& P);
    void makeDragImage(KInteractiveGraphicObject& Row);
    void drop();
    void pageTo(long Step);
    void drawDropMarker(KGraphicDevice& Dev, const KGraphicRectangle& Dst);
    void stopRepeating();

    KFlagSet m_listFlags;
    uint8 m_orientation = Vertical;
    KWideSize m_contentSize;
    KWidePoint m_downPoint;
    KWidePoint m_dragPoint;
    KAlphaImagePtr m_dragImage;
    KGraphicRectangle m_dragImageRect;
};

K_POINTER_CLASS(KListArrangementIGO, KArrangementIGOPtr);
