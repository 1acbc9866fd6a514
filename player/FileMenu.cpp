#include "player/FileMenu.h"

#include "application/KMenuEvent.h"
#include "application/KMenuItem.h"
#include "application/MacStyleMenuBarWin32.h"
#include "foundation/KernelFunctions.h"
#include "player/LumoActions.h"
#include "player/LumoApplication.h"
#include "player/LumoWindow.h"

K_DEFINE_CLASS(FileMenu, KMenu, 1)

namespace {
// The Windows 95 family keeps the separate menu-bar window behind a window that has just
// covered the screen.
constexpr uint8 kLastWindows95Version = 14;

KString localized(const char* Key) { return LumoApplication::localize(Key); }
} // namespace

FileMenu::FileMenu()
{
    setTitle(localized("File"));
    appendItem(localized("Open Project") + "...", 'O', OpenProjectCommand);
    appendSeparator();

    KMenuPtr modes(new KMenu);
    modes->appendItem(localized("Window"), WindowCommand);
    modes->appendItem(localized("Full screen (backdrop window)"), BackdropCommand);
    modes->appendItem(localized("Full screen with resolution change"), ResolutionChangeCommand);
    appendSubMenu(*modes, localized("Window Mode"));

    // The languages go by their own names.
    KMenuPtr languages(new KMenu);
    languages->appendItem(KString("Deutsch"), GermanCommand);
    languages->appendItem(KString("Fran\xE7" "ais", kPlatformWindows), FrenchCommand);
    languages->appendItem(KString("Italiano"), ItalianCommand);
    // A stored language that none of them names (English, say) checks none.
    const KString language = LumoApplication::hasApplication() ? LumoApplication::getApplication().getLanguage() : KString();
    for (long i = 0; i < languages->getItemCount(); ++i) {
        auto& item = static_cast<KMenuItem&>(languages->getItems()[i]);
        if (item.getTitle() == language)
            item.setChecked(true);
    }
    appendSubMenu(*languages, localized("Language"));
}

bool FileMenu::handleMenuOpening(KMenuEvent&)
{
    if (!LumoWindow::hasMainWindow() || !LumoWindow::getMainWindow().hasTape())
        return true;
    if (LumoApplication::isModalWindowOpen() || LumoWindow::getMainWindow().getTape().getPlayState() != Tape::Stopped) {
        disable();
        return true;
    }
    setEnabled(true);
    KString title = localized("Window Mode");
    KMenu& modes = getSubMenuWithTitle(title);
    modes.uncheckAllItems();
    switch (LumoApplication::getApplication().getWindowMode()) {
    case LumoApplication::BackdropMode:
        modes.getItemWithID(BackdropCommand).setChecked(true);
        break;
    case LumoApplication::ResolutionChangeMode:
        modes.getItemWithID(ResolutionChangeCommand).setChecked(true);
        break;
    default:
        modes.getItemWithID(WindowCommand).setChecked(true);
        break;
    }
    return false;
}

bool FileMenu::handleItemChosen(KMenuEvent& E)
{
    if (!E.hasMenuItem())
        return true;
    KMenuItem& item = E.getMenuItem();
    switch (item.getID()) {
    case OpenProjectCommand:
        if (LumoActions::exists())
            LumoActions::getInstance().openProject();
        break;
    case WindowCommand:
    case BackdropCommand:
    case ResolutionChangeCommand:
        chooseWindowMode(item);
        break;
    case ItalianCommand:
    case FrenchCommand:
    case GermanCommand:
        chooseLanguage(item);
        break;
    default:
        break;
    }
    return true;
}

void FileMenu::chooseWindowMode(KMenuItem& Item)
{
    LumoApplication& application = LumoApplication::getApplication();
    application.setWindowMode(static_cast<uint8>(Item.getID() - WindowCommand));
    if (Item.hasParentMenu())
        Item.getParentMenu().uncheckAllItems();
    Item.setChecked(true);
    application.savePreferences();
    if (Item.getID() != WindowCommand && knsGetOSVersion() <= kLastWindows95Version && isMacStyleMenuBarShownWin32())
        raiseMacStyleMenuBarWin32();
}

void FileMenu::chooseLanguage(const KMenuItem& Item)
{
    LumoApplication& application = LumoApplication::getApplication();
    if (Item.getTitle() == application.getLanguage())
        return;
    knsMessageBox(localized("New Language"), localized("Exit and Restart Program to Activate New Language"));
    application.setLanguage(Item.getTitle());
    application.savePreferences();
}
