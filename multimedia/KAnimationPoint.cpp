#include "multimedia/KAnimationPoint.h"

#include "foundation/KGraphicPoint.h"
#include "multimedia/AnimationFloats.h"

K_DEFINE_CLASS(KAnimationPoint, KThing, 1)

KAnimationPoint::KAnimationPoint(const KGraphicPoint& P)
    : m_x(P.getH())
    , m_y(P.getV())
{
}

KAnimationPoint& KAnimationPoint::operator=(const KAnimationPoint& P)
{
    set(P.m_x, P.m_y);
    return *this;
}

void KAnimationPoint::set(float X, float Y)
{
    m_x = X;
    m_y = Y;
}

void KAnimationPoint::readFromFile(KFile& F)
{
    kReadValuePairBlock(F, KAnimationPoint::getClassRecord(), m_x, m_y);
}

void KAnimationPoint::writeToFile(KFile& F, long)
{
    kWriteValuePairBlock(F, KAnimationPoint::getClassRecord(), m_x, m_y);
}
