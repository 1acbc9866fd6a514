#include "application/KActionEvent.h"

#include "application/KApplication.h"
#include "application/KInteractiveElement.h"
#include "application/KLayer.h"

K_DEFINE_CLASS(KActionEvent, KEvent, 1)

KActionEvent::KActionEvent()
{
    setType(Up);
}

KActionEvent::~KActionEvent() = default;

KEventReturn KActionEvent::handle()
{
    auto* source = hasSource() ? dynamic_cast<KInteractiveElement*>(&getSource()) : nullptr;
    // An action of anything but an interactive element is dispatched as a plain event.
    if (!source || isCommonDialogOpen())
        return KEvent::handle();
    KApplication* application = KApplication::getApplication();
    // The application hears of every action first, without taking it.
    if (application)
        application->handleEvent(*this);
    KInteractiveElementPtr element(source);
    bool handled = element->handleAction(*this);
    while (!handled && element->hasParent()) {
        element = element->getParent();
        handled = element->handleAction(*this);
    }
    if (!handled && element->hasLayer()) {
        KLayerPtr layer = element->getLayer();
        handled = layer->handleAction(*this);
        if (!handled && layer->hasWindow())
            handled = layer->getWindow().handleAction(*this);
    }
    if (!handled && application)
        handled = application->doAction(*this) != 0;
    return handled ? 1 : 0;
}
