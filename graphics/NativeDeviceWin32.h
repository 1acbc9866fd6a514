#pragma once
// The native side of a drawing device: the device context it draws into and the pens and
// brushes that carry its drawing state. The portable state (mode, pen size, colours) stays
// in KGraphicDevice; these functions turn it into GDI objects and select them.
#include <windows.h>

class KGraphicDevice;

// One per bound device. The current pen and brush are what this record last selected, so
// that a selection of what is already selected is skipped.
struct NativeDeviceWin32 {
    HDC dc;
    HPEN initialPen;
    HPEN currentPen;
    HPEN forePen;
    HPEN backPen;
    HBRUSH initialBrush;
    HBRUSH currentBrush;
    HBRUSH foreBrush;
    HBRUSH backBrush;
    HBRUSH hollowBrush;
};

// A record for a context; null, after error 90, for a null context.
NativeDeviceWin32* createAndInitNativeDeviceWin32(HDC hDc);
// Removes the context's clip region and frees the record; the context stays its owner's.
void releaseNativeDeviceWin32(NativeDeviceWin32* Record);

// Pens are PS_INSIDEFRAME of the state's pen size, brushes solid, in the state's colours.
void rebuildForePenAndBrushWin32(KGraphicDevice& GD);
void rebuildBackPenAndBrushWin32(KGraphicDevice& GD);
// Draw mode 0 copy and 1 invert draw with the foreground objects, 2 erase with the
// background ones; other modes select nothing.
void setDrawingModeWin32(KGraphicDevice& GD);
// Outlines: the stock null brush leaves the interior alone.
void selectHollowBrushWin32(KGraphicDevice& GD);
HBRUSH getCurrentBrushWin32(const KGraphicDevice& GD);
// Puts the context's own pen and brush back and deletes the device's four objects.
void releaseNativeObjectsWin32(KGraphicDevice& GD);

// Lets a window draw through the context of one paint; error 90 without a record.
void setHDCWin32(KGraphicDevice& GD, HDC hDc);
HDC getHDCWin32(const KGraphicDevice& GD);
