#include "player/AnimMenu.h"

#include "application/KCursorManager.h"
#include "application/KMenuEvent.h"
#include "application/KMenuItem.h"
#include "controls/KDialog.h"
#include "foundation/KVariable.h"
#include "player/AdvancedPrefsDialog.h"
#include "player/LumoActions.h"
#include "player/LumoApplication.h"
#include "player/LumoWindow.h"
#include "player/SetupDialog.h"

K_DEFINE_CLASS(AnimMenu, KMenu, 1)

namespace {
template <typename Value>
void addValue(KDialog& Dialog, const char* Name, Value V)
{
    KVariablePtr variable(new KVariable(V));
    Dialog.addNamedObject(*variable, KString(Name));
}

const KVariable* valueOf(const KDialog& Dialog, const char* Name)
{
    const KString name(Name);
    return Dialog.hasNamedObject(name) ? dynamic_cast<const KVariable*>(&Dialog.getNamedObject(name)) : nullptr;
}
} // namespace

AnimMenu::AnimMenu()
{
    setTitle(LumoApplication::localize("Animate"));
    appendItem(LumoApplication::localize("Play"), 'G', PlayCommand);
    appendItem(LumoApplication::localize("Stop"), '1', StopCommand);
    appendSeparator();
    appendItem(LumoApplication::localize("Animation Setup") + "...", 'A', SetupCommand);
    appendItem(LumoApplication::localize("Advanced Features") + "...", AdvancedFeaturesCommand);
    getItemWithID(StopCommand).disable();
}

bool AnimMenu::handleMenuOpening(KMenuEvent&)
{
    if (!LumoWindow::hasMainWindow())
        return true;
    if (LumoApplication::isModalWindowOpen()) {
        disable();
        return true;
    }
    setEnabled(true);
    const LumoWindow& window = LumoWindow::getMainWindow();
    // Without a story there is nothing to play, stop or set up.
    const uint8 state = window.hasTape() ? window.getTape().getPlayState() : uint8(Tape::Stopped);
    const long objects = window.hasTape() ? window.getTape().getCount() : 0;
    getItemWithID(PlayCommand).enable(state == Tape::Stopped && objects > 0);
    getItemWithID(StopCommand).enable(state != Tape::Stopped);
    getItemWithID(SetupCommand).enable(state == Tape::Stopped && window.hasTape());
    return false;
}

bool AnimMenu::handleItemChosen(KMenuEvent& E)
{
    if (KCursorManager::exists() && KCursorManager::get().hasTrackingLayer())
        return false;
    if (!E.hasMenuItem() || !LumoActions::exists())
        return true;
    switch (E.getMenuItem().getID()) {
    case PlayCommand:
        LumoActions::getInstance().play(false, false, false);
        break;
    case StopCommand:
        LumoActions::getInstance().stop();
        break;
    case SetupCommand:
        openSetup();
        break;
    case AdvancedFeaturesCommand:
        editAdvancedFeatures();
        break;
    default:
        break;
    }
    return true;
}

void AnimMenu::openSetup()
{
    // Open, it stays with the window manager.
    auto* setup = new SetupDialog;
    KDialogPtr hold(setup);
    setup->openDialog();
}

void AnimMenu::editAdvancedFeatures()
{
    AdvancedPrefsDialogPtr dialog(new AdvancedPrefsDialog);
    LumoApplication& application = LumoApplication::getApplication();
    addValue(*dialog, "SpeechSpeed", application.getSpeechSpeed());
    addValue(*dialog, "CustomSpeechSpeed", application.getCustomSpeechSpeed());
    addValue(*dialog, "AllowDuplicatedActors", application.getAllowDuplicatedActors());
    if (dialog->run() != 1)
        return;
    // Stored with the other preferences at quit.
    if (const KVariable* speed = valueOf(*dialog, "SpeechSpeed"))
        application.setSpeechSpeed(speed->getShort());
    if (const KVariable* custom = valueOf(*dialog, "CustomSpeechSpeed"))
        application.setCustomSpeechSpeed(custom->getBool());
}
