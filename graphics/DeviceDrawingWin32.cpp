#include "graphics/DeviceDrawingWin32.h"

#include "graphics/AlphaBitmapWin32.h"
#include "graphics/KAlphaImage.h"
#include "graphics/KGraphicDevice.h"
#include "graphics/NativeDeviceWin32.h"
#include "graphics/NativeRectWin32.h"

namespace {
void copyContextBits(HDC source, HDC destination, const KGraphicRectangle& S, const KGraphicRectangle& D, uint32 Rop)
{
    const RECT from = toNativeRectWin32(S);
    const RECT to = toNativeRectWin32(D);
    const int fromWidth = from.right - from.left, fromHeight = from.bottom - from.top;
    const int toWidth = to.right - to.left, toHeight = to.bottom - to.top;
    if (fromWidth == toWidth && fromHeight == toHeight) {
        BitBlt(destination, to.left, to.top, toWidth, toHeight, source, from.left, from.top, Rop);
        return;
    }
    SetStretchBltMode(destination, HALFTONE);
    StretchBlt(destination, to.left, to.top, toWidth, toHeight, source, from.left, from.top, fromWidth, fromHeight,
               Rop);
}

void alphaBlendContexts(HDC source, HDC destination, const KGraphicRectangle& S, const KGraphicRectangle& D,
                        uint8 Alpha, bool PerPixel)
{
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, Alpha, BYTE(PerPixel ? AC_SRC_ALPHA : 0)};
    AlphaBlend(destination, D.getH(), D.getV(), D.getWidth(), D.getHeight(), source, S.getH(), S.getV(),
               S.getWidth(), S.getHeight(), blend);
}

HDC alphaImageSource(KAlphaImage& Source)
{
    HDC prepared = getAlphaDCWin32(Source);
    return prepared ? prepared : getHDCWin32(Source.peekGraphicDevice());
}
} // namespace

bool readDeviceMetricsWin32(const NativeDeviceWin32& Record, DeviceMetricsWin32& Metrics)
{
    HDC dc = Record.dc;
    if (!dc)
        return false;
    Metrics.left = short(GetDeviceCaps(dc, PHYSICALOFFSETX));
    Metrics.top = short(GetDeviceCaps(dc, PHYSICALOFFSETY));
    Metrics.width = short(GetDeviceCaps(dc, HORZRES));
    Metrics.height = short(GetDeviceCaps(dc, VERTRES));
    Metrics.horizontalResolution = GetDeviceCaps(dc, LOGPIXELSX);
    Metrics.verticalResolution = GetDeviceCaps(dc, LOGPIXELSY);
    Metrics.pixelDepth = int16(GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES));
    return true;
}

void setTextColorWin32(KGraphicDevice& D, uint32 NativeColor) { SetTextColor(getHDCWin32(D), NativeColor); }

void selectClipRegionWin32(KGraphicDevice& D, const KGraphicRegion* Region)
{
    SelectClipRgn(getHDCWin32(D), Region ? Region->getNativeRegion() : nullptr);
}

uint32 getPixelWin32(const KGraphicDevice& D, short H, short V) { return GetPixel(getHDCWin32(D), H, V); }

void setPixelWin32(KGraphicDevice& D, short H, short V, uint32 NativeColor)
{
    SetPixelV(getHDCWin32(D), H, V, NativeColor);
}

void moveToWin32(KGraphicDevice& D, short H, short V) { MoveToEx(getHDCWin32(D), H, V, nullptr); }

void lineToWin32(KGraphicDevice& D, short H, short V) { LineTo(getHDCWin32(D), H, V); }

void drawRectangleWin32(KGraphicDevice& D, const KGraphicRectangle& R)
{
    const RECT rect = toNativeRectWin32(R);
    Rectangle(getHDCWin32(D), rect.left, rect.top, rect.right, rect.bottom);
}

void drawEllipseWin32(KGraphicDevice& D, const KGraphicRectangle& R)
{
    const RECT rect = toNativeRectWin32(R);
    Ellipse(getHDCWin32(D), rect.left, rect.top, rect.right, rect.bottom);
}

void fillRegionWin32(KGraphicDevice& D, const KGraphicRegion& Region)
{
    FillRgn(getHDCWin32(D), Region.getNativeRegion(), getCurrentBrushWin32(D));
}

void drawEdgeWin32(KGraphicDevice& D, const KGraphicRectangle& R, unsigned Edge)
{
    RECT rect = toNativeRectWin32(R);
    DrawEdge(getHDCWin32(D), &rect, Edge, BF_RECT);
}

void drawFocusRectWin32(KGraphicDevice& D, const KGraphicRectangle& R)
{
    const RECT rect = toNativeRectWin32(R);
    DrawFocusRect(getHDCWin32(D), &rect);
}

void copyBitsWin32(const KGraphicDevice& Source, KGraphicDevice& Destination, const KGraphicRectangle& S,
                   const KGraphicRectangle& D, uint32 Rop)
{
    copyContextBits(getHDCWin32(Source), getHDCWin32(Destination), S, D, Rop);
}

void setHalftoneStretchModeWin32(KGraphicDevice& D) { SetStretchBltMode(getHDCWin32(D), HALFTONE); }

void copyAlphaImageBitsWin32(KAlphaImage& Source, KGraphicDevice& Destination, const KGraphicRectangle& S,
                             const KGraphicRectangle& D, uint32 Rop)
{
    copyContextBits(alphaImageSource(Source), getHDCWin32(Destination), S, D, Rop);
}

void alphaBlendAlphaImageWin32(KAlphaImage& Source, KGraphicDevice& Destination, const KGraphicRectangle& S,
                               const KGraphicRectangle& D, uint8 Alpha, bool PerPixel)
{
    alphaBlendContexts(alphaImageSource(Source), getHDCWin32(Destination), S, D, Alpha, PerPixel);
}

void alphaBlendWin32(const KGraphicDevice& Source, KGraphicDevice& Destination, const KGraphicRectangle& S,
                     const KGraphicRectangle& D, uint8 Alpha)
{
    alphaBlendContexts(getHDCWin32(Source), getHDCWin32(Destination), S, D, Alpha, false);
}
