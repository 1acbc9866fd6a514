#pragma once
// The two float geometry values of the animation layer, points and vectors, are the same
// pair of 32-bit floats with the same class block; they differ only in what they mean.
// Derived is the value class, whose class record heads the block.
#include "foundation/KClass.h"
#include "multimedia/AnimationFloats.h"

template <typename Derived>
class KAnimationFloatPair : public KThing {
public:
    KAnimationFloatPair() = default;
    KAnimationFloatPair(float X, float Y) : m_x(X), m_y(Y) {}
    KAnimationFloatPair(const KAnimationFloatPair& O) : KThing(), m_x(O.m_x), m_y(O.m_y) {}
    KAnimationFloatPair& operator=(const KAnimationFloatPair& O)
    {
        set(O.m_x, O.m_y);
        return *this;
    }

    bool operator==(const KAnimationFloatPair& O) const { return m_x == O.m_x && m_y == O.m_y; }
    bool operator!=(const KAnimationFloatPair& O) const { return !(*this == O); }

    // Section 1 holds x and y as IEEE floats; a block whose first section is another one
    // leaves the value as it was.
    void readFromFile(KFile& F) override { kReadValuePairBlock(F, Derived::getClassRecord(), m_x, m_y); }
    void writeToFile(KFile& F, long) override { kWriteValuePairBlock(F, Derived::getClassRecord(), m_x, m_y); }

    void set(float X, float Y)
    {
        m_x = X;
        m_y = Y;
    }
    float getX() const { return m_x; }
    float getY() const { return m_y; }

private:
    float m_x = 0.0f;
    float m_y = 0.0f;
};
