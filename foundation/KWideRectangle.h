#pragma once
// A rectangle of the interactive layer: a size and a top-left origin, 32-bit, with the
// right and bottom edges exclusive. It offers only construction, access and the hit tests.
#include "foundation/KWidePoint.h"
#include "foundation/KWideSize.h"

class KWideRectangle : public KThing {
    K_DECLARE_CLASS(KWideRectangle)
public:
    KWideRectangle() = default;
    KWideRectangle(long X, long Y, long Width, long Height);
    KWideRectangle(const KWideRectangle&) = delete;
    KWideRectangle& operator=(const KWideRectangle&) = delete;

    // The origin's block, then the size's block, although the object holds the size
    // first.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    void get(long& X, long& Y, long& Width, long& Height) const;
    void setOrigin(const KWidePoint& P) { m_origin = P; }
    void setSize(const KWideSize& S) { m_size = S; }
    const KWidePoint& getOrigin() const { return m_origin; }
    const KWideSize& getSize() const { return m_size; }
    // Rectangles compare by value, not by KThing's identity.
    bool operator==(const KWideRectangle& R) const { return m_origin == R.m_origin && m_size == R.m_size; }
    bool operator!=(const KWideRectangle& R) const { return !(*this == R); }

    bool contains(const KWidePoint& P) const;
    // Edges may coincide.
    bool contains(const KWideRectangle& R) const;
    // Strict: rectangles that only touch along an edge do not intersect.
    bool intersects(const KWideRectangle& R) const;

private:
    long getX() const { return m_origin.getX(); }
    long getY() const { return m_origin.getY(); }
    long getRight() const { return m_origin.getX() + m_size.getWidth(); }
    long getBottom() const { return m_origin.getY() + m_size.getHeight(); }

    KWideSize m_size;
    KWidePoint m_origin;
};
