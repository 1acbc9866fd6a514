#include "tools/controls/CompoundControls.h"

#include "application/KControlActionEvent.h"
#include "controls/KControl.h"

void drawCompoundControl(KControl& C)
{
    if (!C.isVisible() || !C.hasParentWindow())
        return;
    KGraphicDevicePtr device;
    KGraphicRectangle area;
    if (!C.acquireGraphicDevice(device, area))
        return;
    device->saveState();
    C.drawSubControls();
    device->restoreState();
    C.releaseGraphicDevice(device);
}

void resendAsFrom(KControl& C, const KControlActionEvent& E)
{
    KControlActionEventPtr copy = new KControlActionEvent(E);
    if (!copy.hasObject(nullptr))
        return;
    copy->setSource(C);
    KEvent::send(*copy);
}
