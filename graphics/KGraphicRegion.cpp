#include "graphics/KGraphicRegion.h"

#include "foundation/KMemory.h"
#include "foundation/KernelFunctions.h"

K_DEFINE_CLASS(KGraphicRegion, KThing, 1)

KGraphicRegion::KGraphicRegion()
    : m_region(createRectRegionWin32(KGraphicRectangle()))
{
}

KGraphicRegion::KGraphicRegion(const KGraphicRectangle& R)
    : m_region(createRectRegionWin32(R))
{
}

KGraphicRegion::KGraphicRegion(const KGraphicRegion& Other)
    : KThing(Other)
{
    copyFrom(Other);
}

KGraphicRegion& KGraphicRegion::operator=(const KGraphicRegion& Other)
{
    copyFrom(Other);
    return *this;
}

KGraphicRegion::~KGraphicRegion() { deleteRegionWin32(m_region); }

void KGraphicRegion::readFromFile(KFile&) { knsNotYetImplemented("KGraphicRegion::readFromFile"); }

void KGraphicRegion::writeToFile(KFile&, long) { knsNotYetImplemented("KGraphicRegion::writeToFile"); }

bool KGraphicRegion::operator==(const KGraphicRegion& Other) const
{
    return equalRegionsWin32(m_region, Other.m_region);
}

void KGraphicRegion::copyFrom(const KGraphicRegion& Other)
{
    if (!m_region)
        m_region = createRectRegionWin32(KGraphicRectangle());
    if (Other.m_region && &Other != this)
        copyRegionWin32(m_region, Other.m_region);
}

void KGraphicRegion::setRect(const KGraphicRectangle& R)
{
    if (m_region)
        setRectRegionWin32(m_region, R);
    else
        m_region = createRectRegionWin32(R);
}

void KGraphicRegion::intersect(const KGraphicRegion& Other) { intersectRegionWin32(m_region, Other.m_region); }

void KGraphicRegion::intersectRect(const KGraphicRectangle& R) { intersect(KGraphicRegion(R)); }

void KGraphicRegion::makePolygon()
{
    const int count = int(m_points.size());
    auto* coordinates = static_cast<long*>(KMemory::allocate(sizeof(long) * 2 * (count ? count : 1), false));
    if (!coordinates)
        return;
    for (int i = 0; i < count; ++i) {
        coordinates[2 * i] = m_points[i].getH();
        coordinates[2 * i + 1] = m_points[i].getV();
    }
    KNativeRegion polygon = createPolygonRegionWin32(coordinates, count);
    KMemory::dispose(coordinates);
    // Too few points make no region; the old one is better than none.
    if (!polygon)
        return;
    deleteRegionWin32(m_region);
    m_region = polygon;
}
