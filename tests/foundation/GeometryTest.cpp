// The 16-bit and 32-bit points, sizes and rectangles: hit tests, the rectangle
// arithmetic with its 16-bit wrap, and the proportional fit.
#include "foundation/KGraphicRectangle.h"
#include "foundation/KWideRectangle.h"

#include <gtest/gtest.h>

#include <windef.h>

#include <array>
#include <functional>

namespace {

using Rect = std::array<short, 4>;

KGraphicRectangle rectangle(const Rect& R)
{
    return KGraphicRectangle(R[0], R[1], R[2], R[3]);
}

// The rectangle Start becomes under Change.
Rect after(const Rect& Start, const std::function<void(KGraphicRectangle&)>& Change)
{
    KGraphicRectangle r = rectangle(Start);
    Change(r);
    Rect out{};
    r.get(out[0], out[1], out[2], out[3]);
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
    EXPECT_TRUE(high.contains(KGraphicPoint(32767, 5)) && high.contains(KGraphicRectangle(32700, 0, 10, 10)));
    EXPECT_TRUE(KGraphicRectangle(0, 0, 0, 5).isEmpty());
    EXPECT_FALSE(KGraphicRectangle(0, 0, -1, 5).isEmpty());

    const KWideRectangle wide(0, 0, 100000, 10);
    EXPECT_TRUE(wide.contains(KWidePoint(99999, 9)) && wide.intersects(KWideRectangle(99999, 9, 5, 5)));
    EXPECT_FALSE(wide.contains(KWidePoint(100000, 0)) || wide.intersects(KWideRectangle(100000, 0, 5, 5)));
    EXPECT_FALSE(wide.contains(KWideRectangle(1, 1, 100000, 1)));
}

TEST(KGraphicRectangle, Arithmetic)
{
    auto intersect = [](Rect Other) { return [Other](KGraphicRectangle& R) { R.intersectWith(rectangle(Other)); }; };
    auto unite = [](Rect Other) { return [Other](KGraphicRectangle& R) { R.unionWith(rectangle(Other)); }; };
    EXPECT_EQ(after({0, 0, 10, 10}, intersect({9, 9, 5, 5})), (Rect{9, 9, 1, 1}));
    EXPECT_EQ(after({3, 4, 10, 10}, intersect({20, 20, 5, 5})), (Rect{3, 4, 0, 0}));
    EXPECT_EQ(after({0, 0, 0, 0}, unite({5, 5, 2, 2})), (Rect{5, 5, 2, 2}));
    EXPECT_EQ(after({0, 0, 2, 2}, unite({5, 5, 2, 2})), (Rect{0, 0, 7, 7}));
    EXPECT_EQ(after({0, 0, 7, 7}, unite({-4, 1, 0, 3})), (Rect{0, 0, 7, 7}));

    EXPECT_EQ(after({0, 0, 10, 5}, [](KGraphicRectangle& R) { R.inset(-3, 4); }), (Rect{3, 2, 4, 1}));
    EXPECT_EQ(after({0, 0, 5, 5}, [](KGraphicRectangle& R) { R.inset(100, 100); }), (Rect{2, 2, 1, 1}));
    EXPECT_EQ(after({5, 5, 2, 2}, [](KGraphicRectangle& R) { R.expand(-1, 1); }), (Rect{4, 4, 4, 4}));
    EXPECT_EQ(after({32760, 0, 4, 4}, [](KGraphicRectangle& R) { R.offset(10, -3); }), (Rect{-32766, -3, 4, 4}));
    EXPECT_EQ(after({}, [](KGraphicRectangle& R) { R.setBounds(2, 3, 12, 8); }), (Rect{2, 3, 10, 5}));

    RECT native{};
    KGraphicRectangle(2, 3, 10, 5).toNativeRect(native);
    EXPECT_EQ(native.right + native.bottom, 20);
    // Native coordinates wrap to 16 bits.
    native = {70000, -1, 70010, 4};
    EXPECT_EQ(after({}, [&](KGraphicRectangle& R) { R.fromNativeRect(native); }), (Rect{4464, -1, 10, 5}));
    KGraphicPoint point;
    point.setFromNative(POINT{65537, -2});
    EXPECT_TRUE(point == KGraphicPoint(1, -2));
}

TEST(KGraphicRectangle, CentringAndFitting)
{
    auto centre = [](Rect In) { return [In](KGraphicRectangle& R) { R.centerIn(rectangle(In)); }; };
    auto fit = [](Rect Into, bool Proportional = true) {
        return [Into, Proportional](KGraphicRectangle& R) { R.fitInto(rectangle(Into), Proportional); };
    };
    EXPECT_EQ(after({0, 0, 3, 3}, centre({0, 0, 10, 10})), (Rect{4, 4, 3, 3}));
    // Halving truncates toward zero.
    EXPECT_EQ(after({0, 0, -3, 2}, centre({0, 0, 4, 4})), (Rect{3, 1, -3, 2}));
    EXPECT_EQ(after({0, 0, 200, 100}, fit({0, 0, 100, 100})), (Rect{0, 25, 100, 50}));
    EXPECT_EQ(after({0, 0, 200, 100}, fit({0, 0, 100, 100}, false)), (Rect{0, 0, 100, 100}));
    // The ratio is held in single precision, so the fit can stop a pixel short.
    EXPECT_EQ(after({0, 0, 1, 1}, fit({0, 0, 3, 10})), (Rect{0, 4, 2, 2}));
    EXPECT_EQ(after({1, 1, 5, 5}, fit({10, 20, 0, 8})), (Rect{10, 24, 0, 0}));
    EXPECT_EQ(after({1, 1, 0, 5}, fit({0, 0, 10, 10})), (Rect{1, 1, 0, 5}));
}

TEST(Geometry, EqualValuesCompareEqualWhateverTheObject)
{
    KGraphicRectangle a, b;
    a.set(1, 2, 3, 4);
    b.set(1, 2, 3, 4);
    EXPECT_TRUE(a == b);
    b.set(1, 2, 3, 5);
    EXPECT_FALSE(a == b);

    KWideRectangle wa, wb;
    wa.setOrigin(KWidePoint(7, 8));
    wb.setOrigin(KWidePoint(7, 8));
    wa.setSize(KWideSize(9, 10));
    wb.setSize(KWideSize(9, 10));
    EXPECT_TRUE(wa == wb);
    wb.setSize(KWideSize(9, 11));
    EXPECT_TRUE(wa != wb);
}

} // namespace
