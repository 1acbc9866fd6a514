#include "graphics/PrinterDeviceWin32.h"

#include "graphics/KGraphicDevice.h"
#include "graphics/NativeDeviceWin32.h"

#include <windows.h>

void releasePrinterDeviceWin32(KGraphicDevice& Device)
{
    HDC context = getHDCWin32(Device);
    if (!context)
        return;
    Device.releaseNative();
    DeleteDC(context);
}
