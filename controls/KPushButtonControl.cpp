#include "controls/KPushButtonControl.h"

#include "application/KControlActionEvent.h"
#include "application/KNativeEvent.h"
#include "controls/NativeControlsWin32.h"

namespace {
constexpr short kWidth = 80;
constexpr short kHeight = 20;
} // namespace

K_DEFINE_CLASS(KPushButtonControl, KControl, 1)

KPushButtonControl::KPushButtonControl()
    : m_title("OK")
{
    setDesktopSize(KGraphicSize(kWidth, kHeight));
    getActionMask().clearAll();
    getActionMask().set(KControlActionEvent::Done);
}

KPushButtonControl::~KPushButtonControl() = default;

void KPushButtonControl::createNativeControl() { makeNativeWindow("button", m_title.getText(), kPushButtonStyle); }

bool KPushButtonControl::handleNativeEvent(KNativeEvent& Event)
{
    const KNativeMessage* message = Event.getNativeMessage();
    if (!message || !isCommandWin32(*message))
        return KControl::handleNativeEvent(Event);
    if (isButtonClickWin32(*message))
        postAction(KControlActionEvent::Done);
    return false;
}

KEventReturn KPushButtonControl::mouseUpEvent(KMouseEvent&)
{
    endTrackingQuietly();
    return 0;
}

void KPushButtonControl::setTitle(const KString& Title)
{
    m_title = Title;
    setNativeText(m_title);
}
