#pragma once
// An element the user selects, moves and resizes with the mouse inside a window, as in a
// layout editor. It frames a content element (a control's native window goes with it),
// draws a frame with up to eight square handles while selected, and tells which handle
// lies under a point. It has no native window: its drag-objects layer draws it and moves
// or resizes it when a drag ends. Over a control's native window it is drawn by that
// control's paint, for which it is the control's native parent.
#include "application/KInteractiveElement.h"
#include "application/KWindow.h"
#include "foundation/KFlagSet.h"
#include "foundation/KGraphicPoint.h"
#include "foundation/KGraphicRectangle.h"
#include "foundation/KGraphicSize.h"
#include "foundation/KThingPtr.h"

class KControl;
class KGraphicDevice;

class KDragObject : public KInteractiveElement {
    K_DECLARE_CLASS(KDragObject)
public:
    // One bit per handle; 0 stands for the body.
    enum Handle : uint8 {
        NoHandle = 0,
        LeftMiddle = 0x01,
        RightMiddle = 0x02,
        TopMiddle = 0x04,
        BottomMiddle = 0x08,
        TopLeft = 0x10,
        TopRight = 0x20,
        BottomLeft = 0x40,
        BottomRight = 0x80,
        AllHandles = 0xFF,
    };

    // The edges of the bounds that a handle drags.
    enum Edge : uint8 {
        LeftEdge = 0x1,
        TopEdge = 0x2,
        RightEdge = 0x4,
        BottomEdge = 0x8,
    };
    // None for the body or an unknown code. A handle's square lies on its edges, centred
    // along the others.
    static uint8 getHandleEdges(uint8 Handle);

    KDragObject();
    // Leaves no control naming it as its native parent.
    ~KDragObject() override;

    // Only while enabled. A content control with sub-controls is disabled while selected,
    // so that the press goes to the drag object and not to them.
    void setSelected(bool On) override;
    void clearSelected() override;

    // A content control gets this object as its native parent; the content held before
    // is let go first.
    virtual void setContent(KThing& Object);
    virtual void clearContent();
    virtual void setWindow(KWindow& Window);
    virtual void clearWindow();
    // The content goes along: a control's native window moves.
    virtual void setBounds(const KGraphicRectangle& Bounds);
    virtual void setMinimumSize(const KGraphicSize& Size);
    // The square of the handle for Bounds; an unknown code gives one at (0, 0).
    virtual KGraphicRectangle getHandleRect(uint8 Handle, const KGraphicRectangle& Bounds);
    // The first handle, in code order, whose square holds P (drawn or not); 0 for none.
    virtual uint8 hitHandle(const KGraphicPoint& P);
    // The handles the handle flags name: black squares outlined in white.
    virtual void drawHandles(KGraphicDevice& Device, const KGraphicRectangle& Bounds);
    // A white outline with a black one inside it.
    virtual void drawFrame(KGraphicDevice& Device, const KGraphicRectangle& Bounds);
    // Selected: the frame and handles; otherwise a black outline.
    virtual void draw(KGraphicDevice& Device, const KGraphicRectangle& Bounds);

    KGraphicRectangle getBounds() const;
    const KGraphicSize& getMinimumSize() const { return m_minimumSize; }
    void setHandles(uint32 Handles) { m_handles = KFlagSet(Handles); }
    uint32 getHandles() const { return m_handles.getFlags(); }
    void setHandleSize(const KGraphicSize& Size) { m_handleSize = Size; }
    const KGraphicSize& getHandleSize() const { return m_handleSize; }

    KThing& getContent() const { return m_content.getObject(); }
    bool hasContent() const { return m_content.hasObject(nullptr); }
    KWindow& getWindow() const { return static_cast<KWindow&>(m_window.getObject()); }
    bool hasWindow() const { return m_window.hasObject(nullptr); }

private:
    // The window redraws the object's area, when it has a window.
    void invalidateInWindow();
    void redrawContent(KControl& Control);

    KThingPtr m_content;
    KThingPtr m_window;
    KFlagSet m_handles;
    KGraphicSize m_handleSize;
    KGraphicSize m_minimumSize;
};

K_POINTER_CLASS(KDragObject, KInteractiveElementPtr);
