#pragma once
// The layer through which the user selects, moves and resizes a window's drag objects.
// Every window makes one; it stays above the layers an application adds.
#include "application/KLayer.h"
#include "foundation/KBag.h"

class KDragObjectsLayer : public KLayer {
    K_DECLARE_CLASS(KDragObjectsLayer)
public:
    KDragObjectsLayer();
    ~KDragObjectsLayer() override;

    // Bottom first, top last.
    const KBag& getObjects() const { return m_objects; }

private:
    KBag m_objects;
};

K_POINTER_CLASS(KDragObjectsLayer, KLayerPtr);
