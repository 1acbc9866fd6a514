// The 16-bit and 32-bit points, sizes and rectangles: hit tests, the rectangle
// arithmetic with its 16-bit wrap, and the proportional fit.
#include "foundation/KGraphicRectangle.h"
#include "foundation/KWideRectangle.h"

#include <gtest/gtest.h>

#include <windef.h>

#include <array>

namespace {

using Rect = std::array<short, 4>;

Rect values(const KGraphicRectangle& R)
{
    Rect out{};
    R.get(out[0], out[1], out[2], out[3]);
    return out;
}

TEST(KGraphicRectangle, HitTestsTreatRightAndBottomEdgesAsOutside)
{
    const KGraphicRectangle square(0, 0, 10, 10);
    EXPECT_TRUE(square.contains(KGraphicPoint(9, 9)));
    EXPECT_FALSE(square.contains(KGraphicPoint(10, 10)) || square.contains(KGraphicPoint(-1, 0)));
    EXPECT_TRUE(square.contains(square) && square.contains(KGraphicRectangle(10, 10, 0, 0)));
    EXPECT_FALSE(square.contains(KGraphicRectangle(5, 5, 6, 1)));

    EXPECT_FALSE(square.intersects(KGraphicRectangle(10, 0, 5, 5)));
    EXPECT_TRUE(square.intersects(KGraphicRectangle(9, 9, 5, 5)));
    // No emptiness test: a point-sized rectangle strictly inside intersects.
    EXPECT_TRUE(square.intersects(KGraphicRectangle(5, 5, 0, 0)));

    // The containment sums are formed in 32 bits: near the top of the range the right
    // edge does not wrap round to a negative number.
    const KGraphicRectangle high(32000, 0, 1000, 10);
    EXPECT_TRUE(high.contains(KGraphicPoint(32767, 5)));
    EXPECT_TRUE(high.contains(KGraphicRectangle(32700, 0, 10, 10)));
    EXPECT_TRUE(KGraphicRectangle(0, 0, 0, 5).isEmpty());
    EXPECT_FALSE(KGraphicRectangle(0, 0, -1, 5).isEmpty());
}

TEST(KGraphicRectangle, IntersectionAndUnion)
{
    KGraphicRectangle a(0, 0, 10, 10);
    a.intersectWith(KGraphicRectangle(9, 9, 5, 5));
    EXPECT_EQ(values(a), (Rect{9, 9, 1, 1}));

    KGraphicRectangle disjoint(3, 4, 10, 10);
    disjoint.intersectWith(KGraphicRectangle(20, 20, 5, 5));
    EXPECT_EQ(values(disjoint), (Rect{3, 4, 0, 0}));

    KGraphicRectangle empty;
    empty.unionWith(KGraphicRectangle(5, 5, 2, 2));
    EXPECT_EQ(values(empty), (Rect{5, 5, 2, 2}));
    KGraphicRectangle corner(0, 0, 2, 2);
    corner.unionWith(KGraphicRectangle(5, 5, 2, 2));
    EXPECT_EQ(values(corner), (Rect{0, 0, 7, 7}));
    corner.unionWith(KGraphicRectangle(-4, 1, 0, 3));
    EXPECT_EQ(values(corner), (Rect{0, 0, 7, 7}));
}

TEST(KGraphicRectangle, InsetExpandOffsetAndBounds)
{
    KGraphicRectangle r(0, 0, 10, 5);
    r.inset(-3, 4);
    EXPECT_EQ(values(r), (Rect{3, 2, 4, 1}));
    KGraphicRectangle odd(0, 0, 5, 5);
    odd.inset(100, 100);
    EXPECT_EQ(values(odd), (Rect{2, 2, 1, 1}));

    KGraphicRectangle grow(5, 5, 2, 2);
    grow.expand(-1, 1);
    EXPECT_EQ(values(grow), (Rect{4, 4, 4, 4}));

    KGraphicRectangle moved(32760, 0, 4, 4);
    moved.offset(10, -3);
    EXPECT_EQ(values(moved), (Rect{-32766, -3, 4, 4}));

    KGraphicRectangle bounds;
    bounds.setBounds(2, 3, 12, 8);
    EXPECT_EQ(values(bounds), (Rect{2, 3, 10, 5}));
    RECT native{};
    bounds.toNativeRect(native);
    EXPECT_EQ(native.right + native.bottom, 20);
    // Native coordinates wrap to 16 bits.
    native = {70000, -1, 70010, 4};
    bounds.fromNativeRect(native);
    EXPECT_EQ(values(bounds), (Rect{4464, -1, 10, 5}));
    KGraphicPoint point;
    point.setFromNative(POINT{65537, -2});
    EXPECT_TRUE(point == KGraphicPoint(1, -2));
}

TEST(KGraphicRectangle, CentringAndFitting)
{
    KGraphicRectangle small(0, 0, 3, 3);
    small.centerIn(KGraphicRectangle(0, 0, 10, 10));
    EXPECT_EQ(values(small), (Rect{4, 4, 3, 3}));
    // Halving truncates toward zero.
    KGraphicRectangle negative(0, 0, -3, 2);
    negative.centerIn(KGraphicRectangle(0, 0, 4, 4));
    EXPECT_EQ(values(negative), (Rect{3, 1, -3, 2}));

    KGraphicRectangle wide(0, 0, 200, 100);
    wide.fitInto(KGraphicRectangle(0, 0, 100, 100), true);
    EXPECT_EQ(values(wide), (Rect{0, 25, 100, 50}));
    KGraphicRectangle stretched(0, 0, 200, 100);
    stretched.fitInto(KGraphicRectangle(0, 0, 100, 100), false);
    EXPECT_EQ(values(stretched), (Rect{0, 0, 100, 100}));

    // The ratio is held in single precision, so the fit can stop a pixel short.
    KGraphicRectangle dot(0, 0, 1, 1);
    dot.fitInto(KGraphicRectangle(0, 0, 3, 10), true);
    EXPECT_EQ(values(dot), (Rect{0, 4, 2, 2}));

    KGraphicRectangle intoNothing(1, 1, 5, 5);
    intoNothing.fitInto(KGraphicRectangle(10, 20, 0, 8), true);
    EXPECT_EQ(values(intoNothing), (Rect{10, 24, 0, 0}));
    KGraphicRectangle nothing(1, 1, 0, 5);
    nothing.fitInto(KGraphicRectangle(0, 0, 10, 10), true);
    EXPECT_EQ(values(nothing), (Rect{1, 1, 0, 5}));
}

TEST(KWideGeometry, HitTestsBeyondTheSixteenBitRange)
{
    const KWideRectangle wide(0, 0, 100000, 10);
    EXPECT_TRUE(wide.contains(KWidePoint(99999, 9)));
    EXPECT_FALSE(wide.contains(KWidePoint(100000, 0)));

    const KWideRectangle square(0, 0, 10, 10);
    EXPECT_FALSE(square.intersects(KWideRectangle(10, 0, 5, 5)));
    EXPECT_TRUE(square.intersects(KWideRectangle(9, 9, 5, 5)));
    EXPECT_TRUE(square.contains(square));
    EXPECT_FALSE(square.contains(KWideRectangle(1, 1, 10, 1)));

    KWidePoint p(1, 1);
    p -= KWidePoint(2, 2);
    p += KWidePoint(40000, 3);
    EXPECT_EQ(p.getX(), 39999);
    EXPECT_EQ(p.getY(), 2);
}

} // namespace
