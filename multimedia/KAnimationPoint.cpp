#include "multimedia/KAnimationPoint.h"

#include "foundation/KGraphicPoint.h"

K_DEFINE_CLASS(KAnimationPoint, KThing, 1)

KAnimationPoint::KAnimationPoint(const KGraphicPoint& P)
    : KAnimationFloatPair(P.getH(), P.getV())
{
}
