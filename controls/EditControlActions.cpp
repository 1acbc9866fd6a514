#include "controls/EditControlActions.h"

#include "application/KControlActionEvent.h"
#include "controls/KControl.h"

void sendEditAction(KControl& Source, long Type)
{
    KControlActionEventPtr action = new KControlActionEvent;
    if (!action.hasObject(nullptr))
        return;
    action->setType(Type);
    action->setSource(Source);
    KEvent::send(*action);
}
