#pragma once
// A point of the interactive layer: two 32-bit signed coordinates, x across and y down.
#include "foundation/KClass.h"

class KGraphicPoint;

class KWidePoint : public KThing {
    K_DECLARE_CLASS(KWidePoint)
public:
    KWidePoint() = default;
    KWidePoint(long X, long Y) : m_x(X), m_y(Y) {}
    KWidePoint(const KWidePoint& P) : KThing(), m_x(P.m_x), m_y(P.m_y) {}
    explicit KWidePoint(const KGraphicPoint& P);
    KWidePoint& operator=(const KWidePoint& P);
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    KWidePoint& operator+=(const KWidePoint& P);
    KWidePoint& operator-=(const KWidePoint& P);

    void set(long X, long Y);
    void setX(long X) { m_x = X; }
    void setY(long Y) { m_y = Y; }
    void get(long& X, long& Y) const;
    long getX() const { return m_x; }
    long getY() const { return m_y; }
    // Points compare by value, not by KThing's identity.
    bool operator==(const KWidePoint& P) const { return m_x == P.m_x && m_y == P.m_y; }
    bool operator!=(const KWidePoint& P) const { return !(*this == P); }

private:
    long m_x = 0;
    long m_y = 0;
};
