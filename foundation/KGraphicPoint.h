#pragma once
// A point of the drawing layer: two 16-bit signed coordinates, h across and v down.
#include "foundation/KClass.h"

struct tagPOINT;

class KGraphicPoint : public KThing {
    K_DECLARE_CLASS(KGraphicPoint)
public:
    KGraphicPoint() = default;
    KGraphicPoint(short H, short V) : m_h(H), m_v(V) {}
    KGraphicPoint(const KGraphicPoint& P) : KThing(), m_h(P.m_h), m_v(P.m_v) {}
    KGraphicPoint& operator=(const KGraphicPoint& P);
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    bool operator==(const KGraphicPoint& P) const { return m_h == P.m_h && m_v == P.m_v; }
    bool operator!=(const KGraphicPoint& P) const { return !(*this == P); }

    void set(short H, short V);
    void setH(short H) { m_h = H; }
    void setV(short V) { m_v = V; }
    void get(short& H, short& V) const;
    short getH() const { return m_h; }
    short getV() const { return m_v; }

    // Takes the low 16 bits of the native point's 32-bit coordinates.
    void setFromNative(const tagPOINT& P);

private:
    short m_h = 0;
    short m_v = 0;
};
