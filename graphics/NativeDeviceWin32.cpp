#include "graphics/NativeDeviceWin32.h"

#include "foundation/ErrorTable.h"
#include "foundation/KMemory.h"
#include "graphics/KGraphicDevice.h"

namespace {
constexpr uint8 kModeCopy = 0;
constexpr uint8 kModeInvert = 1;
constexpr uint8 kModeErase = 2;

// Selects the pen unless the record selected it last.
void selectPen(NativeDeviceWin32& Record, HPEN Pen)
{
    if (Record.currentPen == Pen)
        return;
    SelectObject(Record.dc, Pen);
    Record.currentPen = Pen;
}

void selectBrush(NativeDeviceWin32& Record, HBRUSH Brush)
{
    if (Record.currentBrush == Brush)
        return;
    SelectObject(Record.dc, Brush);
    Record.currentBrush = Brush;
}

// A pen or brush is never deleted while selected: the context's own one goes back first.
void rebuild(NativeDeviceWin32& Record, HPEN& Pen, HBRUSH& Brush, const KColor& Color, int16 PenSize)
{
    if (Pen && Pen == Record.currentPen)
        selectPen(Record, Record.initialPen);
    if (Brush && Brush == Record.currentBrush)
        selectBrush(Record, Record.initialBrush);
    if (Pen)
        DeleteObject(Pen);
    if (Brush)
        DeleteObject(Brush);
    const COLORREF native = Color.getNativeColor();
    Pen = CreatePen(PS_INSIDEFRAME, PenSize, native);
    Brush = CreateSolidBrush(native);
}
} // namespace

NativeDeviceWin32* createAndInitNativeDeviceWin32(HDC hDc)
{
    if (!hDc) {
        kksReportError(90, "NativeDeviceWin32* createAndInitNativeDeviceWin32(HDC hDc)");
        return nullptr;
    }
    auto* record = static_cast<NativeDeviceWin32*>(KMemory::allocate(sizeof(NativeDeviceWin32), true));
    if (!record)
        return nullptr;
    record->dc = hDc;
    record->initialPen = static_cast<HPEN>(GetCurrentObject(hDc, OBJ_PEN));
    record->currentPen = record->initialPen;
    record->initialBrush = static_cast<HBRUSH>(GetCurrentObject(hDc, OBJ_BRUSH));
    record->currentBrush = record->initialBrush;
    record->hollowBrush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    return record;
}

void releaseNativeDeviceWin32(NativeDeviceWin32* Record)
{
    if (!Record)
        return;
    if (Record->dc)
        SelectClipRgn(Record->dc, nullptr);
    KMemory::dispose(Record);
}

void rebuildForePenAndBrushWin32(KGraphicDevice& GD)
{
    if (NativeDeviceWin32* record = GD.getNativeDevice())
        rebuild(*record, record->forePen, record->foreBrush, GD.getForeColor(), GD.getPenSize());
}

void rebuildBackPenAndBrushWin32(KGraphicDevice& GD)
{
    if (NativeDeviceWin32* record = GD.getNativeDevice())
        rebuild(*record, record->backPen, record->backBrush, GD.getBackColor(), GD.getPenSize());
}

void setDrawingModeWin32(KGraphicDevice& GD)
{
    NativeDeviceWin32* record = GD.getNativeDevice();
    if (!record)
        return;
    switch (GD.getDrawMode()) {
    case kModeCopy:
    case kModeInvert:
        selectPen(*record, record->forePen);
        selectBrush(*record, record->foreBrush);
        SetROP2(record->dc, GD.getDrawMode() == kModeCopy ? R2_COPYPEN : R2_NOT);
        break;
    case kModeErase:
        selectPen(*record, record->backPen);
        selectBrush(*record, record->backBrush);
        SetROP2(record->dc, R2_COPYPEN);
        break;
    default:
        break;
    }
}

void selectHollowBrushWin32(KGraphicDevice& GD)
{
    if (NativeDeviceWin32* record = GD.getNativeDevice()) {
        SelectObject(record->dc, record->hollowBrush);
        record->currentBrush = record->hollowBrush;
    }
}

HBRUSH getCurrentBrushWin32(const KGraphicDevice& GD)
{
    const NativeDeviceWin32* record = GD.getNativeDevice();
    return record ? record->currentBrush : nullptr;
}

void releaseNativeObjectsWin32(KGraphicDevice& GD)
{
    NativeDeviceWin32* record = GD.getNativeDevice();
    if (!record)
        return;
    selectPen(*record, record->initialPen);
    selectBrush(*record, record->initialBrush);
    for (HPEN* pen : {&record->forePen, &record->backPen}) {
        if (*pen)
            DeleteObject(*pen);
        *pen = nullptr;
    }
    for (HBRUSH* brush : {&record->foreBrush, &record->backBrush}) {
        if (*brush)
            DeleteObject(*brush);
        *brush = nullptr;
    }
}

void setHDCWin32(KGraphicDevice& GD, HDC hDc)
{
    NativeDeviceWin32* record = GD.getNativeDevice();
    if (!record) {
        kksReportError(90, "void setHDCWin32(KGraphicDevice& GD, HDC hDc)");
        return;
    }
    record->dc = hDc;
}

HDC getHDCWin32(const KGraphicDevice& GD)
{
    const NativeDeviceWin32* record = GD.getNativeDevice();
    return record ? record->dc : nullptr;
}
