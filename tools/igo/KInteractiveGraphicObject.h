#pragma once
// A windowless interactive element. It has no native window: it draws itself on whatever
// device its host hands it, and reacts to the mouse through the element's operations,
// which the host calls with points already in the object's own coordinates. Its hosts are
// the graphic objects layer (many objects in a window), the IGO control (one object in a
// control) and the arrangements (objects inside an object). The base draws nothing; its
// kinds do. For these objects the element's selected flag (0x400) marks the selected one.
#include "application/KInteractiveElement.h"
#include "foundation/KFlagSet.h"
#include "foundation/KGraphicPoint.h"
#include "foundation/KGraphicRectangle.h"

class KGraphicDevice;
class KWideRectangle;

class KInteractiveGraphicObject : public KInteractiveElement {
    K_DECLARE_CLASS(KInteractiveGraphicObject)
public:
    enum IGOFlag : uint32 {
        // A host draws the object through an off-screen image of its rectangle.
        DrawOffScreenFlag = 0x1,
    };

    KInteractiveGraphicObject();
    ~KInteractiveGraphicObject() override;

    // An object the owner attaches to the element; the element kinds never draw it.
    virtual void setGraphicObject(KThing& Object);
    virtual void clearGraphicObject();
    // At the natural size (the own size, or the content's for texts and pictures) with the
    // top-left corner at At.
    virtual void drawAt(KGraphicDevice& Dev, const KGraphicPoint& At);
    // The whole element into Dst, in device coordinates; containers scale their children
    // by the ratio of Dst's size to their own.
    virtual void draw(KGraphicDevice& Dev, const KGraphicRectangle& Dst);
    // The part Src, in the element's own coordinates, into Dst.
    virtual void drawPart(KGraphicDevice& Dev, const KGraphicRectangle& Src, const KGraphicRectangle& Dst);

    // Error 18 when nothing is attached.
    KThing& getGraphicObject() const { return m_graphicObject.getObject(); }
    bool hasGraphicObject() const { return m_graphicObject.hasObject(nullptr); }
    uint32 getIGOFlags() const { return m_igoFlags.getFlags(); }
    void setIGOFlags(uint32 Mask) { m_igoFlags.set(Mask); }
    void clearIGOFlags(uint32 Mask) { m_igoFlags.clear(Mask); }

    // The element's position and size as a drawing rectangle (16-bit).
    KGraphicRectangle getFrame() const;
    // P in this element's parent's coordinates, made relative to the element.
    KWidePoint toLocal(const KWidePoint& P) const;

private:
    KThingPtr m_graphicObject;
    KFlagSet m_igoFlags;
};

K_POINTER_CLASS(KInteractiveGraphicObject, KInteractiveElementPtr);
