#include "foundation/PrinterDeviceWin32.h"

#include "application/NativeDeviceWin32.h"
#include "graphics/KGraphicDevice.h"

#include <windows.h>

void releasePrinterDeviceWin32(KGraphicDevice& Device)
{
    HDC context = getHDCWin32(Device);
    if (!context)
        return;
    Device.releaseNative();
    DeleteDC(context);
}
