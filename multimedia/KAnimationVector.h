#pragma once
// A displacement or a pair of factors in 32-bit floats: an animated object's origin (its
// hot spot, in unscaled image pixels) and its horizontal and vertical scale.
#include "foundation/KClass.h"
#include "foundation/KThingPtr.h"

class KAnimationVector : public KThing {
    K_DECLARE_CLASS(KAnimationVector)
public:
    KAnimationVector() = default;
    KAnimationVector(float X, float Y) : m_x(X), m_y(Y) {}
    KAnimationVector(const KAnimationVector& V) : KThing(), m_x(V.m_x), m_y(V.m_y) {}
    KAnimationVector& operator=(const KAnimationVector& V);

    bool operator==(const KAnimationVector& V) const { return m_x == V.m_x && m_y == V.m_y; }
    bool operator!=(const KAnimationVector& V) const { return !(*this == V); }

    // Section 1 holds x and y as IEEE floats; a block whose first section is another one
    // leaves the vector as it was.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    void set(float X, float Y);
    float getX() const { return m_x; }
    float getY() const { return m_y; }

private:
    float m_x = 0.0f;
    float m_y = 0.0f;
};

K_POINTER_CLASS(KAnimationVector, KThingPtr);
