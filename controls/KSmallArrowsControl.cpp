#include "controls/KSmallArrowsControl.h"

#include "application/KControlActionEvent.h"
#include "application/KNativeEvent.h"
#include "controls/ImmediateActions.h"
#include "controls/RangeControlsWin32.h"

namespace {
constexpr short kWidth = 15;
constexpr short kHeight = 23;

const char* partOf(long Delta)
{
    if (Delta < 0)
        return "UpButton";
    if (Delta > 0)
        return "DownButton";
    return "EntireControl";
}
} // namespace

K_DEFINE_CLASS(KSmallArrowsControl, KControl, 1)

KSmallArrowsControl::KSmallArrowsControl()
{
    setVariantSize(1, KGraphicSize(13, 23));
    setVariantSize(2, KGraphicSize(15, 22));
    setVariantSize(3, KGraphicSize(15, 22));
    setSize(KGraphicSize(kWidth, kHeight));
    clearStateFlags(AcceptsFocusFlag);
}

KSmallArrowsControl::~KSmallArrowsControl() = default;

void KSmallArrowsControl::createNativeControl() { makeNativeWindow("msctls_updown32", "", kSmallArrowsStyle); }

void KSmallArrowsControl::destroyNativeControl() { KControl::destroyNativeControl(); }

bool KSmallArrowsControl::handleNativeEvent(KNativeEvent& Event)
{
    const KNativeMessage* message = Event.getNativeMessage();
    long delta = 0;
    if (message && getArrowsDeltaWin32(*message, delta))
        sendControlActionNow(*this, KControlActionEvent::Done, "ControlPart", partOf(delta));
    return KControl::handleNativeEvent(Event);
}

KEventReturn KSmallArrowsControl::mouseDownEvent(KMouseEvent&) { return 1; }
KEventReturn KSmallArrowsControl::mouseMoveEvent(KMouseEvent&) { return 1; }
KEventReturn KSmallArrowsControl::mouseUpEvent(KMouseEvent&) { return 0; }
