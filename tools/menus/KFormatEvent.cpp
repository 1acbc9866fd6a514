#include "tools/menus/KFormatEvent.h"

#include "application/KApplication.h"
#include "application/KWindowManager.h"
#include "foundation/KVariable.h"

namespace {
// The window layers a format event visits, front to back: dialogs, palette windows,
// document windows. Overlay and top windows (layer 6) never see it.
constexpr long kLayersInOrder[] = {4, 3, 2};
} // namespace

K_DEFINE_CLASS(KFormatEvent, KEvent, 1)

KFormatEvent::KFormatEvent() { setType(1); }

KFormatEvent::~KFormatEvent() = default;

KEventReturn KFormatEvent::handle()
{
    if (isCommonDialogOpen())
        return 1;
    KFormatEventPtr hold(isOnHeap() ? this : nullptr);
    const KBag& receivers = getReceivers();
    for (long i = 0; i < receivers.getCount(); ++i) {
        if (receivers[i].handleEvent(*this))
            return 1;
    }
    if (offerToFrontWindows())
        return 1;
    KApplication* application = KApplication::getApplication();
    return application && application->handleEvent(*this) ? 1 : 0;
}

bool KFormatEvent::offerToFrontWindows()
{
    if (!KWindowManager::exists())
        return false;
    for (long layer : kLayersInOrder) {
        KWindowPtr front;
        // Asked anew for each layer: a window that handled nothing may have closed.
        if (KWindowManager::get().findFrontWindow(layer, front) && front->handleEvent(*this))
            return true;
    }
    return false;
}

KEventReturn KFormatEvent::sendEditCommand(uint8 Kind)
{
    KFormatEventPtr event = new KFormatEvent;
    if (!event.hasObject(nullptr))
        return 0;
    event->setKind(Kind);
    return KEvent::send(*event);
}

KEventReturn KFormatEvent::sendFormatChange(const char* Name, const KVariable& Value)
{
    KFormatEventPtr event = new KFormatEvent;
    if (!event.hasObject(nullptr))
        return 0;
    event->setKind(FormatChange);
    event->setVariable(KString(Name), Value);
    return KEvent::send(*event);
}
