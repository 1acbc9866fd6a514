#pragma once
// A native region built from a rectangle or a polygon; devices clip to one and fill one.
#include "foundation/KClass.h"
#include "foundation/KGraphicPoint.h"
#include "foundation/KGraphicRectangle.h"
#include "graphics/RegionWin32.h"

#include <vector>

class KGraphicRegion : public KThing {
    K_DECLARE_CLASS(KGraphicRegion)
public:
    // An empty rectangle region.
    KGraphicRegion();
    explicit KGraphicRegion(const KGraphicRectangle& R);
    // Copies hold a region of their own.
    KGraphicRegion(const KGraphicRegion& Other);
    KGraphicRegion& operator=(const KGraphicRegion& Other);
    ~KGraphicRegion() override;

    // Regions are not stored; both only say so.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    bool operator==(const KGraphicRegion& Other) const;
    bool operator!=(const KGraphicRegion& Other) const { return !(*this == Other); }

    void copyFrom(const KGraphicRegion& Other);
    void setRect(const KGraphicRectangle& R);
    void intersect(const KGraphicRegion& Other);
    void intersectRect(const KGraphicRectangle& R);

    // A polygon is collected point by point, then made the region.
    void clearPoints() { m_points.clear(); }
    void addPoint(short H, short V) { m_points.emplace_back(H, V); }
    void makePolygon();

    KNativeRegion getNativeRegion() const { return m_region; }

private:
    KNativeRegion m_region = nullptr;
    std::vector<KGraphicPoint> m_points;
};
