#pragma once
// An interactive graphic object that holds others and acts as their host: it keeps them
// in drawing order, scrolls them by an offset, routes the mouse to the child under the
// pointer, keeps a selection among them and draws them scaled into whatever rectangle it
// is asked to draw into. It places nothing itself: a child keeps the position and size
// it was given, in the arrangement's content coordinates (own coordinates plus the scroll
// offset). The last child is on top: drawn last, hit first.
#include "foundation/KBag.h"
#include "foundation/KWidePoint.h"
#include "graphics/KColor.h"
#include "tools/igo/KInteractiveGraphicObject.h"

class KActionEvent;

class KArrangementIGO : public KInteractiveGraphicObject {
    K_DECLARE_CLASS(KArrangementIGO)
public:
    enum SelectionMode : uint8 {
        NoSelection = 0,
        SingleSelection = 1,
        MultipleSelection = 2,
    };

    // The action types an arrangement sends at once, with itself as the source.
    enum Action : long {
        ScrolledAction = 6,
        SelectionChangedAction = 7,
    };

    // The framework codes of the navigation keys.
    enum Key : uint16 {
        UpKey = 271,
        DownKey = 272,
        LeftKey = 273,
        RightKey = 274,
        HomeKey = 275,
        EndKey = 276,
        PageUpKey = 277,
        PageDownKey = 278,
    };

    KArrangementIGO();
    ~KArrangementIGO() override;

    // Claims the navigation keys without acting on them; the list acts on them.
    bool keyTyped(KKeyEvent& E) override;
    // The mouse goes to the child under the pointer, or to the one tracking it.
    void setMouseInside(const KWidePoint& P, bool Inside) override;
    void setMouseOutside(const KWidePoint& P) override;
    bool mouseDown(const KWidePoint& P, KMouseEvent& E) override;
    void mouseEnter(const KWidePoint& P) override;
    void mouseLeave(const KWidePoint& P) override;
    void mouseMoved(const KWidePoint& P) override;
    void mouseUp(const KWidePoint& P) override;
    // R in content coordinates.
    void invalidateRect(const KWideRectangle& R) override;
    void drawAt(KGraphicDevice& Dev, const KGraphicPoint& At) override;
    void draw(KGraphicDevice& Dev, const KGraphicRectangle& Dst) override;
    // Src is not used: the whole arrangement is drawn into Dst.
    void drawPart(KGraphicDevice& Dev, const KGraphicRectangle& Src, const KGraphicRectangle& Dst) override;

    virtual void setTrackedElement(KInteractiveGraphicObject& E);
    virtual void clearTrackedElement();
    virtual void setHoveredElement(KInteractiveGraphicObject& E);
    virtual void clearHoveredElement();
    virtual void selectPrevious();
    virtual void selectNext();
    // An arrangement has no pages; the list has.
    virtual void selectPreviousPage();
    virtual void selectNextPage();
    virtual void selectFirst();
    virtual void selectLast();
    // Appends E unless it is a child already. Neither adding nor removing lays out or
    // redraws.
    virtual void addElement(KInteractiveGraphicObject& E);
    virtual void removeElement(KInteractiveGraphicObject& E);

    void addElement(KInteractiveGraphicObject& E, const KWidePoint& Position, const KWideSize& Size);
    // Error 22 out of range.
    KInteractiveGraphicObject& getElementAt(long Index) const;
    long getElementCount() const { return m_elements.getCount(); }
    long findIndexOf(const KInteractiveGraphicObject& E) const { return m_elements.findIndexOf(E); }
    // Q in content coordinates: the topmost child that contains it.
    bool findElementAt(const KWidePoint& Q, KInteractiveGraphicObjectPtr& Out) const;

    KInteractiveGraphicObject& getTrackedElement() const { return m_tracked.getObject(); }
    bool hasTrackedElement() const { return m_tracked.hasObject(nullptr); }
    KInteractiveGraphicObject& getHoveredElement() const { return m_hovered.getObject(); }
    bool hasHoveredElement() const { return m_hovered.hasObject(nullptr); }

    void setSelectionMode(uint8 Mode) { m_selectionMode = Mode; }
    uint8 getSelectionMode() const { return m_selectionMode; }
    void setScrollOffset(const KWidePoint& Offset) { m_scrollOffset = Offset; }
    const KWidePoint& getScrollOffset() const { return m_scrollOffset; }
    void setBackgroundColor(const KColor& C) { m_backgroundColor = C; }
    const KColor& getBackgroundColor() const { return m_backgroundColor; }
    void setDrawsBackground(bool On) { m_drawsBackground = On ? 1 : 0; }
    bool drawsBackground() const { return m_drawsBackground != 0; }
    // The last mouse-down point, relative to the child that was clicked.
    const KGraphicPoint& getClickPoint() const { return m_clickPoint; }

    // Scrolls just enough to show the child whole (its near edge first) and redraws.
    void scrollToElementAt(long Index);

    // Selection by program; no event is sent and out-of-range indexes are ignored. In
    // multiple selection Shift keeps the others selected.
    void selectElementAt(long Index);
    void selectElement(KInteractiveGraphicObject& E);
    void deselectElementAt(long Index);
    void deselectElement(KInteractiveGraphicObject& E);
    void deselectAll();
    // The selected child of lowest index.
    bool findSelectedElement(KInteractiveGraphicObjectPtr& Out) const;
    KInteractiveGraphicObject* getSelectedElement() const;
    long getSelectedIndex() const;

protected:
    KInteractiveGraphicObject& elementAt(long Index) const
    {
        return static_cast<KInteractiveGraphicObject&>(m_elements[Index]);
    }
    bool isChild(const KInteractiveGraphicObject& E) const { return m_elements.has(E); }
    // P in own coordinates, moved into content coordinates.
    KWidePoint toContent(const KWidePoint& P) const;
    // The selection rule of a click or a drag onto C, then a selection-changed event.
    void selectByMouse(KInteractiveGraphicObject& C);
    // An action event of the type with this arrangement as source, handled at once.
    void sendAction(long Type);
    // The child's rectangle scaled into Dst by the ratio of Dst to the own size, less the
    // scroll offset; false when the own size is empty and nothing can be scaled.
    bool scaleIntoDestination(const KInteractiveGraphicObject& C, const KGraphicRectangle& Dst,
                              KGraphicRectangle& Out) const;
    // The children scaled into Dst, those that miss it left out.
    void drawChildren(KGraphicDevice& Dev, const KGraphicRectangle& Dst);
    void insertChildAt(KInteractiveGraphicObject& E, long Index);
    void removeChild(KInteractiveGraphicObject& E);
    void removeAllChildren();

private:
    // The child that becomes hovered at Q leaves the one that was.
    void moveHoverTo(KInteractiveGraphicObject& C, const KWidePoint& Q);
    void forgetHover(const KWidePoint& Q);

    KInteractiveGraphicObjectPtr m_tracked;
    KInteractiveGraphicObjectPtr m_hovered;
    KBag m_elements;
    KGraphicPoint m_clickPoint;
    uint8 m_drawsBackground = 1;
    uint8 m_selectionMode = SingleSelection;
    KColor m_backgroundColor;
    KWidePoint m_scrollOffset;
};

K_POINTER_CLASS(KArrangementIGO, KInteractiveGraphicObjectPtr);
