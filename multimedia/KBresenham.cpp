#include "multimedia/KBresenham.h"

#include "multimedia/AnimationFloats.h"
#include "multimedia/KAnimationPoint.h"

#include <utility>

K_DEFINE_CLASS(KBresenham, KThing, 1)

KBresenham::KBresenham() { init(0, 0, 0, 0); }

void KBresenham::init(long X0, long Y0, long X1, long Y1)
{
    m_x = X0;
    m_y = Y0;
    m_endX = X1;
    m_endY = Y1;
    m_step = 1;
    m_mirrorX = X1 - X0 < 0;
    m_mirrorY = Y1 - Y0 < 0;
    if (m_mirrorX) {
        m_x = -m_x;
        m_endX = -m_endX;
    }
    if (m_mirrorY) {
        m_y = -m_y;
        m_endY = -m_endY;
    }
    m_dx = m_endX - m_x;
    m_dy = m_endY - m_y;
    m_swapped = m_dx < m_dy;
    if (m_swapped) {
        std::swap(m_x, m_y);
        std::swap(m_endX, m_endY);
        std::swap(m_dx, m_dy);
    }
    m_error = 2 * m_dy - m_dx;
}

void KBresenham::init(const KAnimationPoint& From, const KAnimationPoint& To)
{
    init(kTruncateToLong(From.getX()), kTruncateToLong(From.getY()), kTruncateToLong(To.getX()),
         kTruncateToLong(To.getY()));
}

bool KBresenham::next(long& X, long& Y)
{
    const bool done = m_step > m_dx;
    X = m_swapped ? m_y : m_x;
    Y = m_swapped ? m_x : m_y;
    if (m_mirrorX)
        X = -X;
    if (m_mirrorY)
        Y = -Y;
    if (!done) {
        if (m_error > 0) {
            ++m_y;
            m_error += 2 * (m_dy - m_dx);
        } else {
            m_error += 2 * m_dy;
        }
        ++m_x;
        ++m_step;
    }
    return done;
}
