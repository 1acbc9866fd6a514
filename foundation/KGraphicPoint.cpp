#include "foundation/KGraphicPoint.h"

#include "foundation/PairBlocks.h"

#include <windef.h>

K_DEFINE_CLASS(KGraphicPoint, KThing, 1)

KGraphicPoint& KGraphicPoint::operator=(const KGraphicPoint& P)
{
    m_h = P.m_h;
    m_v = P.m_v;
    return *this;
}

void KGraphicPoint::set(short H, short V)
{
    m_h = H;
    m_v = V;
}

void KGraphicPoint::get(short& H, short& V) const
{
    H = m_h;
    V = m_v;
}

void KGraphicPoint::setFromNative(const tagPOINT& P)
{
    m_h = static_cast<short>(P.x);
    m_v = static_cast<short>(P.y);
}

void KGraphicPoint::readFromFile(KFile& F)
{
    kReadValuePairBlock(F, KGraphicPoint::getClassRecord(), m_h, m_v);
}

void KGraphicPoint::writeToFile(KFile& F, long)
{
    kWriteValuePairBlock(F, KGraphicPoint::getClassRecord(), m_h, m_v);
}
