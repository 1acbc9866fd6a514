#pragma once
// Where an animated object stands: two 32-bit floats in page pixels, so that slow moves
// accumulate fractions of a pixel between the frames that show them.
#include "foundation/KClass.h"
#include "foundation/KThingPtr.h"

class KGraphicPoint;

class KAnimationPoint : public KThing {
    K_DECLARE_CLASS(KAnimationPoint)
public:
    KAnimationPoint() = default;
    KAnimationPoint(float X, float Y) : m_x(X), m_y(Y) {}
    explicit KAnimationPoint(const KGraphicPoint& P);
    KAnimationPoint(const KAnimationPoint& P) : KThing(), m_x(P.m_x), m_y(P.m_y) {}
    KAnimationPoint& operator=(const KAnimationPoint& P);

    bool operator==(const KAnimationPoint& P) const { return m_x == P.m_x && m_y == P.m_y; }
    bool operator!=(const KAnimationPoint& P) const { return !(*this == P); }

    // Section 1 holds x and y as IEEE floats; a block whose first section is another one
    // leaves the point as it was.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    void set(float X, float Y);
    float getX() const { return m_x; }
    float getY() const { return m_y; }

private:
    float m_x = 0.0f;
    float m_y = 0.0f;
};

K_POINTER_CLASS(KAnimationPoint, KThingPtr);
