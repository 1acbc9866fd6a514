#include "foundation/KGraphicRectangle.h"

#include "foundation/PairBlocks.h"

#include <windef.h>

#include <algorithm>
#include <cstdlib>

K_DEFINE_CLASS(KGraphicRectangle, KThing, 1)

namespace {
short wrap(long Value) { return static_cast<short>(Value); }

// The ratio of two sides rounded to single precision, as the proportional fit has
// always taken it. The store through a volatile drops any extra precision the floating
// point unit keeps in its registers.
float singleRatio(short A, short B)
{
    volatile float ratio = static_cast<float>(A) / static_cast<float>(B);
    return ratio;
}
} // namespace

KGraphicRectangle::KGraphicRectangle(short X, short Y, short Width, short Height)
    : m_size(Width, Height)
    , m_origin(X, Y)
{
}

KGraphicRectangle::KGraphicRectangle(const KGraphicRectangle& R)
    : KThing()
    , m_size(R.m_size)
    , m_origin(R.m_origin)
{
}

KGraphicRectangle& KGraphicRectangle::operator=(const KGraphicRectangle& R)
{
    m_size = R.m_size;
    m_origin = R.m_origin;
    return *this;
}

bool KGraphicRectangle::operator!=(const KGraphicRectangle& R) const
{
    return !(m_origin == R.m_origin) || m_size != R.m_size;
}

void KGraphicRectangle::set(short X, short Y, short Width, short Height)
{
    m_origin.set(X, Y);
    m_size.set(Width, Height);
}

void KGraphicRectangle::get(short& X, short& Y, short& Width, short& Height) const
{
    m_origin.get(X, Y);
    m_size.get(Width, Height);
}

void KGraphicRectangle::setBounds(short Left, short Top, short Right, short Bottom)
{
    set(Left, Top, wrap(Right - Left), wrap(Bottom - Top));
}

void KGraphicRectangle::getBounds(short& Left, short& Top, short& Right, short& Bottom) const
{
    Left = getH();
    Top = getV();
    Right = getRight();
    Bottom = getBottom();
}

bool KGraphicRectangle::contains(const KGraphicPoint& P) const
{
    return getH() <= P.getH() && P.getH() < long(getH()) + getWidth() && getV() <= P.getV()
        && P.getV() < long(getV()) + getHeight();
}

bool KGraphicRectangle::contains(const KGraphicRectangle& R) const
{
    return getH() <= R.getH() && long(R.getH()) + R.getWidth() <= long(getH()) + getWidth()
        && getV() <= R.getV() && long(R.getV()) + R.getHeight() <= long(getV()) + getHeight();
}

bool KGraphicRectangle::intersects(const KGraphicRectangle& R) const
{
    return getH() < R.getRight() && R.getH() < getRight() && getV() < R.getBottom()
        && R.getV() < getBottom();
}

void KGraphicRectangle::offset(short DH, short DV)
{
    m_origin.set(wrap(getH() + DH), wrap(getV() + DV));
}

void KGraphicRectangle::inset(short DX, short DY)
{
    const short absX = wrap(std::abs(DX));
    const short absY = wrap(std::abs(DY));
    const short halfWidth = wrap(getWidth() / 2);
    const short halfHeight = wrap(getHeight() / 2);
    const short ix = absX < halfWidth ? absX : halfWidth;
    const short iy = absY < halfHeight ? absY : halfHeight;
    set(wrap(getH() + ix), wrap(getV() + iy), wrap(getWidth() - 2 * ix), wrap(getHeight() - 2 * iy));
}

void KGraphicRectangle::expand(short DX, short DY)
{
    const short absX = wrap(std::abs(DX));
    const short absY = wrap(std::abs(DY));
    set(wrap(getH() - absX), wrap(getV() - absY), wrap(getWidth() + 2 * absX),
        wrap(getHeight() + 2 * absY));
}

void KGraphicRectangle::unionWith(const KGraphicRectangle& R)
{
    if (R.isEmpty())
        return;
    if (isEmpty()) {
        *this = R;
        return;
    }
    const long right = std::max(long(getH()) + getWidth(), long(R.getH()) + R.getWidth());
    const long bottom = std::max(long(getV()) + getHeight(), long(R.getV()) + R.getHeight());
    setBounds(std::min(getH(), R.getH()), std::min(getV(), R.getV()), wrap(right), wrap(bottom));
}

void KGraphicRectangle::intersectWith(const KGraphicRectangle& R)
{
    const short left = getH();
    const short top = getV();
    const short right = getRight();
    const short bottom = getBottom();
    m_size.set(0, 0);
    if (left < R.getRight() && top < R.getBottom() && R.getH() < right && R.getV() < bottom) {
        setBounds(std::max(left, R.getH()), std::max(top, R.getV()), std::min(right, R.getRight()),
            std::min(bottom, R.getBottom()));
    }
}

void KGraphicRectangle::centerIn(const KGraphicRectangle& R)
{
    m_origin.set(wrap(R.getH() + R.getWidth() / 2 - getWidth() / 2),
        wrap(R.getV() + R.getHeight() / 2 - getHeight() / 2));
}

void KGraphicRectangle::fitInto(const KGraphicRectangle& R, bool KeepProportions)
{
    if (R.getWidth() == 0 || R.getHeight() == 0) {
        m_size.set(0, 0);
        centerIn(R);
        return;
    }
    if (isEmpty())
        return;
    if (!KeepProportions) {
        m_size = R.m_size;
    } else {
        const float widthRatio = singleRatio(getWidth(), R.getWidth());
        const float heightRatio = singleRatio(getHeight(), R.getHeight());
        const double ratio = widthRatio >= heightRatio ? widthRatio : heightRatio;
        m_size.set(wrap(static_cast<long>(getWidth() / ratio)),
            wrap(static_cast<long>(getHeight() / ratio)));
    }
    centerIn(R);
}

void KGraphicRectangle::toNativeRect(tagRECT& Out) const
{
    Out.left = getH();
    Out.top = getV();
    Out.right = getRight();
    Out.bottom = getBottom();
}

void KGraphicRectangle::fromNativeRect(const tagRECT& R)
{
    setBounds(wrap(R.left), wrap(R.top), wrap(R.right), wrap(R.bottom));
}

void KGraphicRectangle::readFromFile(KFile& F)
{
    kReadMemberPairBlock(F, KGraphicRectangle::getClassRecord(), m_origin, m_size);
}

void KGraphicRectangle::writeToFile(KFile& F, long)
{
    kWriteMemberPairBlock(F, KGraphicRectangle::getClassRecord(), m_origin, m_size);
}
