#include "controls/KControlActionEvent.h"

#include "application/KApplication.h"
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
    auto* source = hasSource() ? dynamic_cast<KControl*>(&getSource()) : nullptr;
    if (!source)
        return 0;
    KControlPtr control(source);
    bool handled = control->handleAction(*this);
    while (!handled && control->hasParentControl()) {
        control = control->getParentControl();
        handled = control->handleAction(*this);
    }
    KWindowPtr window;
    if (!handled && control->findParentWindow(window))
        handled = window->handleControlAction(*this);
    KApplication* application = KApplication::getApplication();
    if (!handled && application)
        handled = application->doControlAction(*this) != 0;
    // A button inside a container is compared as its outermost container, so only the
    // buttons placed directly in the dialog are carried out.
    if (!handled && getType() == Done)
        handled = carryOutStandardButton(*control);
    return handled ? 1 : 0;
}
