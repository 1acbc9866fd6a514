#pragma once
// The GDI calls behind KGraphicDevice's primitives. Each takes the device and draws into
// the context of its native record; the device has checked that one is bound.
#include "foundation/KTypes.h"

class KAlphaImage;
class KGraphicDevice;
class KGraphicRectangle;
class KGraphicRegion;
struct NativeDeviceWin32;

// Raster operations of the bit copies.
constexpr uint32 kRopSourceCopy = 0x00CC0020;  // SRCCOPY
constexpr uint32 kRopSourceAnd = 0x008800C6;   // SRCAND
constexpr uint32 kRopMergePaint = 0x00BB0226;  // MERGEPAINT: destination OR NOT source

// Edge styles of DrawEdge.
constexpr unsigned kEdgeRaised = 5;
constexpr unsigned kEdgeEtched = 6;
constexpr unsigned kEdgeSunken = 10;

struct DeviceMetricsWin32 {
    short left, top, width, height;
    double horizontalResolution, verticalResolution;
    int16 pixelDepth;
};
// False when the record has no context.
bool readDeviceMetricsWin32(const NativeDeviceWin32& Record, DeviceMetricsWin32& Metrics);

void setTextColorWin32(KGraphicDevice& D, uint32 NativeColor);
// Null removes the clip.
void selectClipRegionWin32(KGraphicDevice& D, const KGraphicRegion* Region);

uint32 getPixelWin32(const KGraphicDevice& D, short H, short V);
void setPixelWin32(KGraphicDevice& D, short H, short V, uint32 NativeColor);
void moveToWin32(KGraphicDevice& D, short H, short V);
void lineToWin32(KGraphicDevice& D, short H, short V);
void drawRectangleWin32(KGraphicDevice& D, const KGraphicRectangle& R);
void drawEllipseWin32(KGraphicDevice& D, const KGraphicRectangle& R);
// With the brush the device selected last.
void fillRegionWin32(KGraphicDevice& D, const KGraphicRegion& Region);
void drawEdgeWin32(KGraphicDevice& D, const KGraphicRectangle& R, unsigned Edge);
void drawFocusRectWin32(KGraphicDevice& D, const KGraphicRectangle& R);

// Equal sizes copy with BitBlt; other sizes stretch in HALFTONE mode.
void copyBitsWin32(const KGraphicDevice& Source, KGraphicDevice& Destination, const KGraphicRectangle& S,
                   const KGraphicRectangle& D, uint32 Rop);
void setHalftoneStretchModeWin32(KGraphicDevice& D);

// Alpha images draw from their prepared copy when they have one, else from their own
// device. Per-pixel blending takes the copy's premultiplied alpha; constant blending
// weighs the whole source by Alpha (255 full strength, 0 nothing).
void copyAlphaImageBitsWin32(KAlphaImage& Source, KGraphicDevice& Destination, const KGraphicRectangle& S,
                             const KGraphicRectangle& D, uint32 Rop);
void alphaBlendAlphaImageWin32(KAlphaImage& Source, KGraphicDevice& Destination, const KGraphicRectangle& S,
                               const KGraphicRectangle& D, uint8 Alpha, bool PerPixel);
void alphaBlendWin32(const KGraphicDevice& Source, KGraphicDevice& Destination, const KGraphicRectangle& S,
                     const KGraphicRectangle& D, uint8 Alpha);
