#include "controls/ImmediateActions.h"

#include "application/KControlActionEvent.h"
#include "controls/KControl.h"
#include "foundation/KVariable.h"

namespace {
KControlActionEventPtr makeAction(KControl& C, long Type)
{
    KControlActionEventPtr action = new KControlActionEvent;
    if (action.hasObject(nullptr)) {
        action->setType(Type);
        action->setSource(C);
    }
    return action;
}
} // namespace

void sendControlActionNow(KControl& C, long Type)
{
    KControlActionEventPtr action = makeAction(C, Type);
    if (action.hasObject(nullptr))
        KEvent::send(*action);
}

void sendControlActionNow(KControl& C, long Type, const KString& Name, const KString& Value)
{
    KControlActionEventPtr action = makeAction(C, Type);
    if (!action.hasObject(nullptr))
        return;
    action->setVariable(Name, KVariable(Value));
    KEvent::send(*action);
}
