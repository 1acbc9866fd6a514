#pragma once
// Steps along the integer line between two points, one pixel of the longer axis at a
// time, for callers that move or draw something pixel by pixel. The line is walked in its
// first octant (mirrored and swapped into it) and each point is turned back on the way
// out, so points come in the line's own order and orientation.
#include "foundation/KClass.h"
#include "foundation/KThingPtr.h"

class KAnimationPoint;

class KBresenham : public KThing {
    K_DECLARE_CLASS(KBresenham)
public:
    KBresenham();

    void init(long X0, long Y0, long X1, long Y1);
    // Each coordinate truncated toward zero.
    void init(const KAnimationPoint& From, const KAnimationPoint& To);
    // Hands out the current point and moves on; true when the point handed out is the
    // end point. A line of driving length n gives n points with false, then the end.
    bool next(long& X, long& Y);

private:
    long m_x = 0;
    long m_y = 0;
    long m_endX = 0;
    long m_endY = 0;
    long m_error = 0;
    long m_dx = 0;
    long m_dy = 0;
    long m_step = 0;
    bool m_mirrorX = false;
    bool m_mirrorY = false;
    bool m_swapped = false;
};

K_POINTER_CLASS(KBresenham, KThingPtr);
