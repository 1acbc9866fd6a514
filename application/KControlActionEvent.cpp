#include "application/KControlActionEvent.h"

#include "application/ControlsLink.h"

K_DEFINE_CLASS(KControlActionEvent, KActionEvent, 1)

KControlActionEvent::KControlActionEvent() = default;

KControlActionEvent::KControlActionEvent(const KControlActionEvent& E)
    : KActionEvent()
{
    copyFrom(E);
    if (E.hasSource())
        setSource(E.getSource());
}

KControlActionEvent::~KControlActionEvent() = default;

KEventReturn KControlActionEvent::handle()
{
    if (isCommonDialogOpen())
        return 1;
    ControlsLink* link = ControlsLink::get();
    return link ? link->dispatchControlAction(*this) : 0;
}
