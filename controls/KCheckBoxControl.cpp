#include "controls/KCheckBoxControl.h"

#include "application/KControlActionEvent.h"
#include "application/KNativeEvent.h"
#include "controls/NativeControlsWin32.h"

namespace {
constexpr short kWidth = 100;
constexpr short kHeight = 16;
// The native box draws its own looks: no hover, pressed or redraw looks of the framework.
constexpr uint32 kFrameworkLooks = 0x4 | 0x8 | 0x20 | 0x40 | 0x200 | 0x1000 | 0x2000;
} // namespace

K_DEFINE_CLASS(KCheckBoxControl, KControl, 1)

KCheckBoxControl::KCheckBoxControl()
    : m_title("Check Box")
{
    setDesktopSize(KGraphicSize(kWidth, kHeight));
}

KCheckBoxControl::~KCheckBoxControl() = default;

void KCheckBoxControl::setSelected(bool On)
{
    if (!On) {
        clearSelected();
        return;
    }
    setCheckMark(true);
}

void KCheckBoxControl::clearSelected() { setCheckMark(false); }

void KCheckBoxControl::createNativeControl()
{
    const bool placed = hasNativeAncestor();
    makeCheckWindow(m_title, kCheckBoxStyle);
    if (placed)
        clearStateFlags(kFrameworkLooks);
}

bool KCheckBoxControl::handleNativeEvent(KNativeEvent& Event)
{
    const KNativeMessage* message = Event.getNativeMessage();
    if (!message || !isCommandWin32(*message))
        return KControl::handleNativeEvent(Event);
    if (isButtonClickWin32(*message)) {
        setSelected(!isSelected());
        postAction(KControlActionEvent::Done);
    }
    return false;
}

KEventReturn KCheckBoxControl::mouseUpEvent(KMouseEvent&)
{
    endTrackingQuietly();
    return 0;
}

void KCheckBoxControl::setTitle(const KString& Title)
{
    m_title = Title;
    setNativeText(m_title);
}
