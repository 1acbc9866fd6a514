#include "tools/controls/ControlLooks.h"

#include "application/KKeyboardManager.h"
#include "application/KNativeEvent.h"
#include "controls/KControl.h"
#include "controls/NativeControlsWin32.h"
#include "graphics/KColor.h"
#include "graphics/KGraphicDevice.h"

namespace {
constexpr short kOutlineWidth = 8;
constexpr short kFocusInset = 4;
} // namespace

void drawStateOutline(KGraphicDevice& Dev, const KGraphicRectangle& R, bool Enabled, uint8 Hilite)
{
    static const KStandardColor kColors[] = {kBlue, kYellow, kRed};
    KStandardColor color = kGray;
    if (Enabled) {
        if (Hilite > KInteractiveElement::PressedHilite)
            return;
        color = kColors[Hilite];
    }
    Dev.saveState();
    Dev.setPenSize(kOutlineWidth);
    Dev.outlineRect(R, KColor(color));
    Dev.restoreState();
}

void drawFocusInside(KGraphicDevice& Dev, const KGraphicRectangle& R, const KControl& C)
{
    if (!KKeyboardManager::exists())
        return;
    const KKeyboardManager& keyboard = KKeyboardManager::getManager();
    if (!keyboard.hasFocusElement() || &keyboard.getFocusElement() != &C)
        return;
    KGraphicRectangle focus = R;
    focus.inset(kFocusInset, kFocusInset);
    Dev.drawFocusRect(focus);
}

bool swallowEraseBackground(KNativeEvent& E)
{
    const KNativeMessage* message = E.getNativeMessage();
    if (!message || !isEraseBackgroundWin32(*message))
        return false;
    E.setResult(1);
    return true;
}

void drawOnControl(KControl& C, const std::function<void(KGraphicDevice&, const KGraphicRectangle&)>& Paint)
{
    KGraphicDevicePtr device;
    KGraphicRectangle area;
    if (!C.acquireGraphicDevice(device, area))
        return;
    device->saveState();
    Paint(*device, area);
    C.drawSubControls();
    device->restoreState();
    C.releaseGraphicDevice(device);
}

void drawThroughOffScreen(KControl& C, KImagePtr& Shared,
                          const std::function<void(KGraphicDevice&, const KGraphicRectangle&)>& Paint)
{
    drawOnControl(C, [&](KGraphicDevice& Dev, const KGraphicRectangle& Area) {
        if (Area.getWidth() <= 0 || Area.getHeight() <= 0)
            return;
        if (!Shared.hasObject(nullptr) || Shared->getSize() != Area.getSize()) {
            Shared = new KImage;
            Shared->create(Area.getSize());
        }
        KGraphicDevice& offScreen = Shared->getGraphicDevice();
        offScreen.saveState();
        offScreen.paintRect(Area, KColor(kWhite));
        Paint(offScreen, Area);
        drawFocusInside(offScreen, Area, C);
        offScreen.restoreState();
        Shared->draw(Dev, Area);
    });
}

uint8 toggleOnRelease(const KControl& C, uint8 ToggleMode, uint8 On)
{
    const uint32 state = C.getStateFlags();
    const bool click = (state & KInteractiveElement::TrackingFlag)
                       && (state & (KInteractiveElement::InsideFlag | KInteractiveElement::KeepHiliteWhileTrackingFlag));
    if (!click)
        return On;
    if (ToggleMode == 1)
        return On ? 0 : 1;
    if (ToggleMode == 2)
        return 1;
    return On;
}
