#pragma once
// Where an animated object stands: two 32-bit floats in page pixels, so that slow moves
// accumulate fractions of a pixel between the frames that show them.
#include "foundation/KThingPtr.h"
#include "multimedia/AnimationFloatPair.h"

class KGraphicPoint;

class KAnimationPoint : public KAnimationFloatPair<KAnimationPoint> {
    K_DECLARE_CLASS(KAnimationPoint)
public:
    using KAnimationFloatPair::KAnimationFloatPair;
    KAnimationPoint() = default;
    explicit KAnimationPoint(const KGraphicPoint& P);
};

K_POINTER_CLASS(KAnimationPoint, KThingPtr);
