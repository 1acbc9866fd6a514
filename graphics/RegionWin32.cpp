#include "graphics/RegionWin32.h"

#include "graphics/NativeRectWin32.h"

KNativeRegion createRectRegionWin32(const KGraphicRectangle& R)
{
    const RECT rect = toNativeRectWin32(R);
    return CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom);
}

KNativeRegion createPolygonRegionWin32(const long* Coordinates, int Count)
{
    static_assert(sizeof(POINT) == 2 * sizeof(long), "POINT is a pair of longs");
    return CreatePolygonRgn(reinterpret_cast<const POINT*>(Coordinates), Count, ALTERNATE);
}

void deleteRegionWin32(KNativeRegion Region)
{
    if (Region)
        DeleteObject(Region);
}

bool equalRegionsWin32(KNativeRegion A, KNativeRegion B) { return A && B && EqualRgn(A, B); }

void copyRegionWin32(KNativeRegion Destination, KNativeRegion Source)
{
    CombineRgn(Destination, Source, nullptr, RGN_COPY);
}

void intersectRegionWin32(KNativeRegion Destination, KNativeRegion Other)
{
    CombineRgn(Destination, Destination, Other, RGN_AND);
}

void setRectRegionWin32(KNativeRegion Region, const KGraphicRectangle& R)
{
    const RECT rect = toNativeRectWin32(R);
    SetRectRgn(Region, rect.left, rect.top, rect.right, rect.bottom);
}
