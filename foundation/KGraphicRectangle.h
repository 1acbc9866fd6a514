#pragma once
// A rectangle of the drawing layer: a size and a top-left origin, 16-bit. It covers the
// pixels with h ≤ x < h + width and v ≤ y < v + height: the right and bottom edges are
// exclusive. Every stored value wraps to 16 bits.
#include "foundation/KGraphicPoint.h"
#include "foundation/KGraphicSize.h"

struct tagRECT;

class KGraphicRectangle : public KThing {
    K_DECLARE_CLASS(KGraphicRectangle)
public:
    KGraphicRectangle() = default;
    KGraphicRectangle(short X, short Y, short Width, short Height);
    KGraphicRectangle(const KGraphicRectangle& R);
    KGraphicRectangle& operator=(const KGraphicRectangle& R);

    // Rectangles compare by value: without this, == would fall back to KThing's identity.
    bool operator==(const KGraphicRectangle& R) const { return !(*this != R); }
    bool operator!=(const KGraphicRectangle& R) const;

    // The origin's block, then the size's block, although the object holds the size
    // first.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    void set(short X, short Y, short Width, short Height);
    void get(short& X, short& Y, short& Width, short& Height) const;
    void setOrigin(short X, short Y) { m_origin.set(X, Y); }
    void setOrigin(const KGraphicPoint& P) { m_origin = P; }
    void setSize(short Width, short Height) { m_size.set(Width, Height); }
    void setSize(const KGraphicSize& S) { m_size = S; }
    void getOrigin(short& X, short& Y) const { m_origin.get(X, Y); }
    void getSize(short& Width, short& Height) const { m_size.get(Width, Height); }
    const KGraphicPoint& getOrigin() const { return m_origin; }
    const KGraphicSize& getSize() const { return m_size; }
    void setH(short X) { m_origin.setH(X); }
    void setV(short Y) { m_origin.setV(Y); }
    void setWidth(short Width) { m_size.setWidth(Width); }
    void setHeight(short Height) { m_size.setHeight(Height); }
    short getH() const { return m_origin.getH(); }
    short getV() const { return m_origin.getV(); }
    short getWidth() const { return m_size.getWidth(); }
    short getHeight() const { return m_size.getHeight(); }

    void setBounds(short Left, short Top, short Right, short Bottom);
    void getBounds(short& Left, short& Top, short& Right, short& Bottom) const;

    // Empty when the width or the height is 0; negative sizes do not count as empty.
    bool isEmpty() const { return getWidth() == 0 || getHeight() == 0; }
    bool contains(const KGraphicPoint& P) const;
    // Edges may coincide.
    bool contains(const KGraphicRectangle& R) const;
    // Rectangles that only touch along an edge do not intersect.
    bool intersects(const KGraphicRectangle& R) const;

    void offset(short DH, short DV);
    // Shrinks on every side by the absolute amounts, at most down to half the size.
    void inset(short DX, short DY);
    // Grows on every side by the absolute amounts.
    void expand(short DX, short DY);
    void unionWith(const KGraphicRectangle& R);
    // Disjoint rectangles leave this one with size 0 at its old origin.
    void intersectWith(const KGraphicRectangle& R);
    void centerIn(const KGraphicRectangle& R);
    // Resizes into R, keeping the proportions when asked, and centres in it.
    void fitInto(const KGraphicRectangle& R, bool KeepProportions);

    void toNativeRect(tagRECT& Out) const;
    void fromNativeRect(const tagRECT& R);

private:
    // The right and bottom edges, wrapped to 16 bits as most operations form them.
    short getRight() const { return static_cast<short>(getH() + getWidth()); }
    short getBottom() const { return static_cast<short>(getV() + getHeight()); }

    KGraphicSize m_size;
    KGraphicPoint m_origin;
};
