#include "foundation/KWidePoint.h"

#include "foundation/PairBlocks.h"

#include "foundation/KGraphicPoint.h"

K_DEFINE_CLASS(KWidePoint, KThing, 1)

KWidePoint::KWidePoint(const KGraphicPoint& P)
    : m_x(P.getH())
    , m_y(P.getV())
{
}

KWidePoint& KWidePoint::operator=(const KWidePoint& P)
{
    m_x = P.m_x;
    m_y = P.m_y;
    return *this;
}

KWidePoint& KWidePoint::operator+=(const KWidePoint& P)
{
    m_x += P.m_x;
    m_y += P.m_y;
    return *this;
}

KWidePoint& KWidePoint::operator-=(const KWidePoint& P)
{
    m_x -= P.m_x;
    m_y -= P.m_y;
    return *this;
}

void KWidePoint::set(long X, long Y)
{
    m_x = X;
    m_y = Y;
}

void KWidePoint::get(long& X, long& Y) const
{
    X = m_x;
    Y = m_y;
}

void KWidePoint::readFromFile(KFile& F)
{
    kReadValuePairBlock(F, KWidePoint::getClassRecord(), m_x, m_y);
}

void KWidePoint::writeToFile(KFile& F, long)
{
    kWriteValuePairBlock(F, KWidePoint::getClassRecord(), m_x, m_y);
}
