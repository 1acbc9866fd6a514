#include "application/KKeyEvent.h"

#include "application/KKeyboardManager.h"
#include "foundation/KernelFunctions.h"

namespace {
// The framework's key codes of the two lock keys (knsIsKeyDown).
constexpr uint8 kCapsLockKey = 44;
constexpr uint8 kNumLockKey = 102;
} // namespace

K_DEFINE_CLASS(KKeyEvent, KEvent, 1)

KKeyEvent::KKeyEvent()
{
    uint32 held = 0;
    if (knsIsShiftDown())
        held |= Shift;
    if (knsIsControlDown())
        held |= Control;
    if (knsIsKeyDown(kCapsLockKey))
        held |= CapsLock;
    if (knsIsKeyDown(kNumLockKey))
        held |= NumLock;
    m_modifiers.set(held);
}

KKeyEvent::~KKeyEvent() = default;

KEventReturn KKeyEvent::handle()
{
    if (isCommonDialogOpen())
        return 1;
    if (!KKeyboardManager::exists())
        return 0;
    KKeyboardManagerPtr manager = KKeyboardManager::getManager();
    switch (getType()) {
    case KeyTyped:
        return manager->routeKeyTyped(*this) ? 1 : 0;
    case FocusGained:
        return manager->routeFocusGained(*this) ? 1 : 0;
    case FocusLost:
        return manager->routeFocusLost(*this) ? 1 : 0;
    default:
        return 0;
    }
}

void KKeyEvent::setElement(KThing& E) { m_element.setObject(E); }
void KKeyEvent::resetElement() { m_element.reset(); }

void KKeyEvent::setModifiers(uint32 Modifiers)
{
    m_modifiers.clearAll();
    m_modifiers.set(Modifiers);
}
