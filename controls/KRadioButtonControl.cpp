#include "controls/KRadioButtonControl.h"

#include "application/KControlActionEvent.h"
#include "application/KNativeEvent.h"
#include "controls/KRadioButtonGroup.h"
#include "controls/NativeControlsWin32.h"

#include <typeinfo>

namespace {
constexpr short kWidth = 100;
constexpr short kHeight = 16;
} // namespace

K_DEFINE_CLASS(KRadioButtonControl, KControl, 1)

KRadioButtonControl::KRadioButtonControl()
    : m_title("Radio Button")
{
    setDesktopSize(KGraphicSize(kWidth, kHeight));
}

KRadioButtonControl::~KRadioButtonControl() = default;

void KRadioButtonControl::setSelected(bool On)
{
    if (!On) {
        clearSelected();
        return;
    }
    setCheckMark(true);
}

void KRadioButtonControl::clearSelected() { setCheckMark(false); }

void KRadioButtonControl::createNativeControl()
{
    makeCheckWindow(m_title, kRadioButtonStyle);
}

bool KRadioButtonControl::handleNativeEvent(KNativeEvent& Event)
{
    const KNativeMessage* message = Event.getNativeMessage();
    // The keyboard's press of a focused button, whatever the mask says.
    if (message && isSpaceTypedWin32(*message))
        postActionAlways(KControlActionEvent::Done);
    return KControl::handleNativeEvent(Event);
}

bool KRadioButtonControl::handleAction(KControlActionEvent& E)
{
    if (!E.hasSource() || &E.getSource() != this || E.getType() != KControlActionEvent::Done || isSelected())
        return false;
    // Only a group of exactly that class keeps its buttons exclusive.
    if (hasParentControl() && typeid(getParentControl()) == typeid(KRadioButtonGroup))
        static_cast<KRadioButtonGroup&>(getParentControl()).selectButton(*this);
    else
        setSelected(true);
    return false;
}

void KRadioButtonControl::setTitle(const KString& Title)
{
    m_title = Title;
    setNativeText(m_title);
}
