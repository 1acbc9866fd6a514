#include "foundation/KWideRectangle.h"

#include "foundation/PairBlocks.h"

K_DEFINE_CLASS(KWideRectangle, KThing, 1)

KWideRectangle::KWideRectangle(long X, long Y, long Width, long Height)
    : m_size(Width, Height)
    , m_origin(X, Y)
{
}

void KWideRectangle::get(long& X, long& Y, long& Width, long& Height) const
{
    m_origin.get(X, Y);
    m_size.get(Width, Height);
}

bool KWideRectangle::contains(const KWidePoint& P) const
{
    return getX() <= P.getX() && P.getX() < getRight() && getY() <= P.getY() && P.getY() < getBottom();
}

bool KWideRectangle::contains(const KWideRectangle& R) const
{
    return getX() <= R.getX() && R.getRight() <= getRight() && getY() <= R.getY()
        && R.getBottom() <= getBottom();
}

bool KWideRectangle::intersects(const KWideRectangle& R) const
{
    return getX() < R.getRight() && R.getX() < getRight() && getY() < R.getBottom()
        && R.getY() < getBottom();
}

void KWideRectangle::readFromFile(KFile& F)
{
    kReadMemberPairBlock(F, KWideRectangle::getClassRecord(), m_origin, m_size);
}

void KWideRectangle::writeToFile(KFile& F, long)
{
    kWriteMemberPairBlock(F, KWideRectangle::getClassRecord(), m_origin, m_size);
}
