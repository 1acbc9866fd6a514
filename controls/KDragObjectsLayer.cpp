#include "controls/KDragObjectsLayer.h"

K_DEFINE_CLASS(KDragObjectsLayer, KLayer, 1)

KDragObjectsLayer::KDragObjectsLayer() = default;
KDragObjectsLayer::~KDragObjectsLayer() = default;
