#pragma once
// The base of everything with a size that draws itself on a device: images, text objects,
// the views of the application layer. The base draws nothing.
#include "foundation/KGraphicSize.h"
#include "foundation/KThingPtr.h"

class KGraphicDevice;
class KGraphicPoint;
class KGraphicRectangle;

class KGraphicObject : public KThing {
    K_DECLARE_CLASS(KGraphicObject)
public:
    KGraphicObject() = default;

    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    // The size itself, so that a later setSize shows through the reference.
    virtual const KGraphicSize& getSize() const { return m_size; }
    // The whole object with its top-left corner at P.
    virtual void drawAt(KGraphicDevice& D, const KGraphicPoint& P);
    // The whole object into R.
    virtual void draw(KGraphicDevice& D, const KGraphicRectangle& R);
    // The part inside S, in the object's own coordinates, into D.
    virtual void drawPart(KGraphicDevice& Device, const KGraphicRectangle& S, const KGraphicRectangle& D);

    void setSize(const KGraphicSize& Size) { m_size = Size; }

private:
    KGraphicSize m_size;
};

K_POINTER_CLASS(KGraphicObject, KThingPtr);
