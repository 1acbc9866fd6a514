#include "controls/KRadioButtonGroup.h"

#include "application/KControlActionEvent.h"
#include "application/KKeyEvent.h"
#include "application/KKeyboardManager.h"
#include "controls/KRadioButtonControl.h"
#include "controls/NativeControlsWin32.h"

#include <algorithm>

namespace {
enum Key : uint16 {
    UpKey = 271,
    DownKey = 272,
    LeftKey = 273,
    RightKey = 274,
    HomeKey = 275,
    EndKey = 276,
};
} // namespace

K_DEFINE_CLASS(KRadioButtonGroup, KControl, 1)

KRadioButtonGroup::KRadioButtonGroup()
    : m_title("Radio Group:")
{
    // The buttons take the focus, not the group.
    clearStateFlags(AcceptsFocusFlag);
}

KRadioButtonGroup::~KRadioButtonGroup() { m_buttons.clear(); }

bool KRadioButtonGroup::keyTyped(KKeyEvent& E) { return handleKey(E); }

void KRadioButtonGroup::createNativeControl() { makeNativeWindow("BUTTON", m_title.getText(), kGroupBoxStyle); }

KEventReturn KRadioButtonGroup::mouseDownEvent(KMouseEvent&) { return 1; }
KEventReturn KRadioButtonGroup::mouseMoveEvent(KMouseEvent&) { return 1; }
KEventReturn KRadioButtonGroup::mouseUpEvent(KMouseEvent&) { return 1; }

void KRadioButtonGroup::addControl(KControl& C)
{
    KControl::addControl(C);
    auto* button = dynamic_cast<KRadioButtonControl*>(&C);
    if (button && getControls().has(C) && !m_buttons.has(C))
        m_buttons.add(C);
}

void KRadioButtonGroup::removeControl(KControl& C)
{
    KControl::removeControl(C);
    m_buttons.remove(C);
}

void KRadioButtonGroup::selectButton(KRadioButtonControl& Button)
{
    const long index = m_buttons.findIndexOf(Button);
    if (index >= 0)
        setSelectedIndex(index);
}

void KRadioButtonGroup::setSelectedIndex(long Index)
{
    for (long i = 0; i < m_buttons.getCount(); ++i) {
        auto& button = static_cast<KRadioButtonControl&>(m_buttons[i]);
        if (i != Index) {
            button.setSelected(false);
            continue;
        }
        button.setSelected(true);
        if (button.acceptsFocus() && KKeyboardManager::exists())
            KKeyboardManager::getManager().setFocusElement(button);
    }
    postActionAlways(KControlActionEvent::Done);
}

long KRadioButtonGroup::getSelectedIndex() const
{
    for (long i = 0; i < m_buttons.getCount(); ++i) {
        if (static_cast<const KRadioButtonControl&>(m_buttons[i]).isSelected())
            return i;
    }
    return -1;
}

bool KRadioButtonGroup::handleKey(KKeyEvent& E)
{
    const long current = getSelectedIndex();
    const long last = m_buttons.getCount() - 1;
    if (current < 0)
        return false;
    long next = current;
    switch (E.getKey()) {
    case UpKey:
    case LeftKey:
        next = std::max(current - 1, 0L);
        break;
    case DownKey:
    case RightKey:
        next = std::min(current + 1, last);
        break;
    case HomeKey:
        next = 0;
        break;
    case EndKey:
        next = last;
        break;
    default:
        return false;
    }
    setSelectedIndex(next);
    return true;
}

void KRadioButtonGroup::setTitle(const KString& Title)
{
    m_title = Title;
    setNativeText(m_title);
}
