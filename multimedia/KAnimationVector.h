#pragma once
// A displacement or a pair of factors in 32-bit floats: an animated object's origin (its
// hot spot, in unscaled image pixels) and its horizontal and vertical scale.
#include "foundation/KThingPtr.h"
#include "multimedia/AnimationFloatPair.h"

class KAnimationVector : public KAnimationFloatPair<KAnimationVector> {
    K_DECLARE_CLASS(KAnimationVector)
public:
    using KAnimationFloatPair::KAnimationFloatPair;
    KAnimationVector() = default;
};

K_POINTER_CLASS(KAnimationVector, KThingPtr);
