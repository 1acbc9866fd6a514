#include "application/KActionEvent.h"

K_DEFINE_CLASS(KActionEvent, KEvent, 1)

KActionEvent::KActionEvent()
{
    setType(Up);
}

KActionEvent::~KActionEvent() = default;

KEventReturn KActionEvent::handle()
{
    // Only interactive elements climb their containers; an action of any other source
    // is dispatched as a plain event.
    return KEvent::handle();
}
