#include "multimedia/KAnimationVector.h"

#include "multimedia/AnimationFloats.h"

K_DEFINE_CLASS(KAnimationVector, KThing, 1)

KAnimationVector& KAnimationVector::operator=(const KAnimationVector& V)
{
    set(V.m_x, V.m_y);
    return *this;
}

void KAnimationVector::set(float X, float Y)
{
    m_x = X;
    m_y = Y;
}

void KAnimationVector::readFromFile(KFile& F)
{
    kReadValuePairBlock(F, KAnimationVector::getClassRecord(), m_x, m_y);
}

void KAnimationVector::writeToFile(KFile& F, long)
{
    kWriteValuePairBlock(F, KAnimationVector::getClassRecord(), m_x, m_y);
}
