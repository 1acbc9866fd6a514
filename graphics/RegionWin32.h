#pragma once
// Native regions for KGraphicRegion, behind an opaque handle so that the model needs no
// platform header.
#include "foundation/KTypes.h"

class KGraphicRectangle;
struct HRGN__;
using KNativeRegion = HRGN__*;

KNativeRegion createRectRegionWin32(const KGraphicRectangle& R);
// Coordinates holds Count (x, y) pairs of 32-bit values; the fill mode is ALTERNATE.
KNativeRegion createPolygonRegionWin32(const long* Coordinates, int Count);
void deleteRegionWin32(KNativeRegion Region);
bool equalRegionsWin32(KNativeRegion A, KNativeRegion B);
void copyRegionWin32(KNativeRegion Destination, KNativeRegion Source);
void intersectRegionWin32(KNativeRegion Destination, KNativeRegion Other);
void setRectRegionWin32(KNativeRegion Region, const KGraphicRectangle& R);
