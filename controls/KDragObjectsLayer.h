#pragma once
// The layer through which the user selects, moves and resizes a window's drag objects.
// Every window makes one; it stays above the layers an application adds.
//
// A press on a drag object selects it (Shift adds it to the selection), captures the mouse
// and shows a rubber band drawn by inversion. Moves reshape the band by the handle that
// was pressed, or move it whole, with its edges snapped to the cursor manager's drag grid.
// The release gives a lone object the band; several selected objects all move by the
// mouse's own displacement, unsnapped. Keys, enter, leave and ticks are not its business.
#include "application/KLayer.h"
#include "controls/KDragObject.h"
#include "foundation/KBag.h"
#include "foundation/KGraphicRectangle.h"
#include "foundation/KThingPtr.h"

class KDragObjectsLayer : public KLayer {
    K_DECLARE_CLASS(KDragObjectsLayer)
public:
    KDragObjectsLayer();
    ~KDragObjectsLayer() override;

    // P in window coordinates.
    bool isMouseTarget(const KGraphicPoint& P) override;
    // 4 from a press on an object that is selected after it: the layer tracks the press.
    KEventReturn dispatchMouseDown(KMouseEvent& E) override;
    KEventReturn dispatchMouseMove(KMouseEvent& E) override;
    KEventReturn dispatchMouseUp(KMouseEvent& E) override;
    // Draws every object, bottom first, into the window; the drawing goes on.
    bool drawLayer(KWindowEvent& E) override;

    // The first object tracked captures the mouse for its window.
    virtual void setTrackedObject(KDragObject& Object);
    // Also ends the capture.
    virtual void clearTrackedObject();
    virtual void setCurrentObject(KThing& Object);
    virtual void clearCurrentObject();

    // Puts Object on top and gives it this layer and its window; nothing when it is here.
    void addObject(KDragObject& Object);
    // Takes away what addObject gave, and the content too.
    void removeObject(KDragObject& Object);
    // The topmost object whose bounds hold P (window coordinates).
    bool findObjectAt(const KGraphicPoint& P, KDragObjectPtr& Found) const;
    long countSelected() const;
    // The union of the selected objects' bounds; empty when none is selected.
    KGraphicRectangle getSelectionBounds() const;
    void clearSelection();
    // Each selected object moved by Delta, the old and new areas redrawn.
    void moveSelection(const KGraphicPoint& Delta);

    // Bottom first, top last.
    const KBag& getObjects() const { return m_objects; }
    KDragObject& getTrackedObject() const { return static_cast<KDragObject&>(m_trackedObject.getObject()); }
    bool hasTrackedObject() const { return m_trackedObject.hasObject(nullptr); }
    KThing& getCurrentObject() const { return m_currentObject.getObject(); }
    bool hasCurrentObject() const { return m_currentObject.hasObject(nullptr); }
    uint8 getTrackedHandle() const { return m_handle; }
    // The rubber band as last drawn, and as it was at the press.
    const KGraphicRectangle& getTrackingRect() const { return m_trackingRect; }
    const KGraphicRectangle& getStartRect() const { return m_startRect; }

private:
    KDragObject& objectAt(long Index) const { return static_cast<KDragObject&>(m_objects[Index]); }
    // The rubber band drawn, or taken away again, in the event's window.
    void invertTrackingRect(KMouseEvent& E) const;
    // The start rectangle reshaped by the mouse's displacement, snapped to the grid and
    // held to the tracked object's minimum size.
    KGraphicRectangle reshapedRect(const KGraphicPoint& Displacement) const;
    void invalidateInWindow(const KGraphicRectangle& R) const;

    KThingPtr m_trackedObject;
    KThingPtr m_currentObject;
    KBag m_objects;
    uint8 m_handle = KDragObject::NoHandle;
    KGraphicRectangle m_trackingRect;
    KGraphicRectangle m_startRect;
};

K_POINTER_CLASS(KDragObjectsLayer, KLayerPtr);
