#include "controls/KGroupControl.h"

#include "application/KNativeEvent.h"
#include "controls/NativeControlBindingWin32.h"
#include "controls/NativeControlsWin32.h"
#include "graphics/KColor.h"

namespace {
// No hover look, no focus, no redraw on hilite or selection.
constexpr uint32 kUnusedLooks = 0x2000 | 0x1000 | 0x10 | 0x4;
} // namespace

K_DEFINE_CLASS(KGroupControl, KControl, 1)

KGroupControl::KGroupControl()
    : m_title("Group")
{
    clearStateFlags(kUnusedLooks);
    setStateFlags(EraseBackgroundFlag);
}

KGroupControl::~KGroupControl() = default;

void KGroupControl::createNativeControl()
{
    if (m_framed) {
        makeNativeWindow("BUTTON", m_title.getText(), kGroupBoxStyle);
        return;
    }
    if (!makeNativeWindow("STATIC", m_title.getText(), 0))
        return;
    getNativeRecord()->nativePaints = 0;
    getNativeRecord()->frameworkDraws = 1;
}

void KGroupControl::draw()
{
    if (!isVisible() || !hasParentWindow())
        return;
    KGraphicDevicePtr device;
    KGraphicRectangle area;
    if (!acquireGraphicDevice(device, area))
        return;
    device->saveState();
    device->setBackColor(KColor(kSystemButtonFace));
    device->setDrawMode(KGraphicDeviceState::kErase);
    device->outlineRect(area);
    device->restoreState();
    releaseGraphicDevice(device);
}

bool KGroupControl::handleNativeEvent(KNativeEvent& Event)
{
    const KNativeMessage* message = Event.getNativeMessage();
    if (!message || !isEraseBackgroundWin32(*message))
        return KControl::handleNativeEvent(Event);
    eraseWithButtonFaceWin32(*message, getWidth(), getHeight());
    return true;
}

KEventReturn KGroupControl::mouseDownEvent(KMouseEvent&) { return 0; }
KEventReturn KGroupControl::mouseMoveEvent(KMouseEvent&) { return 0; }
KEventReturn KGroupControl::mouseUpEvent(KMouseEvent&) { return 0; }

void KGroupControl::setTitle(const KString& Title)
{
    m_title = Title;
    draw();
}

void KGroupControl::setFramed(bool Framed)
{
    m_framed = Framed;
    if (!getNativeWindow())
        return;
    destroySubNativeControls();
    destroyNativeControl();
    createNativeControl();
    createSubNativeControls();
}
