#pragma once
// The printer's device context belongs to the printing manager, not to the device: when
// the manager goes, the device lets its native record go and the context is deleted.
class KGraphicDevice;

// Nothing when the device has no context.
void releasePrinterDeviceWin32(KGraphicDevice& Device);
