#include "controls/ControlActionDispatch.h"

#include "application/KApplication.h"
#include "application/KControlActionEvent.h"
#include "controls/KControl.h"
#include "controls/KDialog.h"
#include "controls/KPushButtonControl.h"

namespace {
// The KEvent type a modeless dialog's receivers hear for each standard button, and the
// dialog's result.
struct StandardButton {
    bool (KDialog::*has)() const;
    KThing& (KDialog::*get)() const;
    long eventType;
    uint8 result;
};

const StandardButton kStandardButtons[] = {
    {&KDialog::hasOKButton, &KDialog::getOKButton, 3, KDialog::OKResult},
    {&KDialog::hasCancelButton, &KDialog::getCancelButton, 4, KDialog::CancelResult},
    {&KDialog::hasApplyButton, &KDialog::getApplyButton, 5, KDialog::ApplyResult},
};

// Carries out the dialog's standard button C, when C is one; answers whether it was.
bool carryOutStandardButton(KControl& C)
{
    KWindowPtr window;
    if (!dynamic_cast<KPushButtonControl*>(&C) || !C.findParentWindow(window))
        return false;
    auto* dialog = dynamic_cast<KDialog*>(window.get());
    if (!dialog)
        return false;
    KDialogPtr hold(dialog);
    for (const StandardButton& button : kStandardButtons) {
        if (!(dialog->*button.has)() || &(dialog->*button.get)() != &C)
            continue;
        if (!dialog->isRunningModal()) {
            KEventPtr told = new KEvent;
            if (told.hasObject(nullptr)) {
                told->setType(button.eventType);
                told->setSource(*dialog);
                told->addReceivers(dialog->getReceivers());
                KEvent::send(*told);
            }
        }
        dialog->setResult(button.result);
        dialog->close();
        return true;
    }
    return false;
}
} // namespace

KEventReturn kksDispatchControlAction(KControlActionEvent& E)
{
    auto* source = E.hasSource() ? dynamic_cast<KControl*>(&E.getSource()) : nullptr;
    if (!source)
        return 0;
    KControlPtr control(source);
    bool handled = control->handleAction(E);
    while (!handled && control->hasParentControl()) {
        control = control->getParentControl();
        handled = control->handleAction(E);
    }
    KWindowPtr window;
    if (!handled && control->findParentWindow(window))
        handled = window->handleControlAction(E);
    KApplication* application = KApplication::getApplication();
    if (!handled && application)
        handled = application->doControlAction(E) != 0;
    // A button inside a container is compared as its outermost container, so only the
    // buttons placed directly in the dialog are carried out.
    if (!handled && E.getType() == KControlActionEvent::Done)
        handled = carryOutStandardButton(*control);
    return handled ? 1 : 0;
}
