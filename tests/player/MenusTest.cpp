// The menu bar: the "File" and "Animate" menus with their items, IDs and shortcuts, the
// shortcuts pressed on the keyboard, the items enabled by the story's play state, and the
// window-mode and language commands, which store their preferences at once.
#include "application/CommonDialogsWin32.h"
#include "application/KMenu.h"
#include "application/KMenuBar.h"
#include "application/KMenuItem.h"
#include "application/KMenuManager.h"
#include "player/LumoActions.h"
#include "tests/player/PlayerTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <cstring>

#include <windows.h>

namespace {

KMenuBar& bar() { return KMenuManager::getMenuManager().getMenuBar(); }
KMenu& menu(long Index) { return static_cast<KMenu&>(bar().getMenus()[Index]); }
KMenuItem& itemAt(const KMenu& M, long Index) { return static_cast<KMenuItem&>(M.getItems()[Index]); }

// "title ID shortcut", then "off" for a disabled item and "checked" for a checked one;
// "-" for a separator and "title >" for a submenu.
std::vector<std::string> itemsOf(const KMenu& M)
{
    std::vector<std::string> items;
    for (long i = 0; i < M.getItemCount(); ++i) {
        const KMenuItem& item = itemAt(M, i);
        if (item.getType() == kSeparatorItem) {
            items.emplace_back("-");
            continue;
        }
        std::string line = item.getTitle().getText();
        if (item.getType() == kSubMenuItem) {
            items.push_back(line + " >");
            continue;
        }
        line += " " + std::to_string(item.getID());
        if (item.hasShortcut())
            line += std::string(" ^") + item.getShortcutKey();
        if (!item.isEnabled())
            line += " off";
        if (item.isChecked())
            line += " checked";
        items.push_back(line);
    }
    return items;
}

std::vector<std::string> subMenuOf(const char* Title)
{
    KString title(Title);
    return itemsOf(menu(0).getSubMenuWithTitle(title));
}

// Chooses the item as a click on it does.
void choose(PlayerRun& Run, const KMenuItem& Item)
{
    PostMessageA(static_cast<HWND>(Run.window().getNativeWindow()), WM_COMMAND, MAKEWPARAM(Item.getNativeID(), 0), 0);
    Run.app().processIdleOnce();
}

// An item of the language menu, which is called "Sprache" in German.
KMenuItem& germanLanguageItem(const char* Title)
{
    KString title("Sprache");
    return menu(0).getSubMenuWithTitle(title).getItemWithTitle(KString(Title));
}

std::string storedLanguage()
{
    KString language;
    storedPreferences()->getString(language, KString("ApplicationLanguage"));
    return language.getText();
}

TEST(Menus, FileAndAnimateOpenPlayAndStopByShortcutsAsThePlayStateAllows)
{
    // A stored language that names no item of the language menu checks none, silently.
    PlayerRun run("", false, PlayerRun::storing(LumoApplication::WindowedMode, "English"));
    ASSERT_EQ(bar().getMenus().getCount(), 2);
    EXPECT_EQ(std::string(menu(0).getTitle().getText()) + ", " + menu(1).getTitle().getText() + ", "
                  + bar().getAboutTitle().getText(),
              "File, Animate, About Narrabo Player...");
    EXPECT_EQ(itemsOf(menu(0)), (std::vector<std::string>{"Open Project... 1 ^O", "-", "Window Mode >", "Language >", "-",
                                                          "E&xit\tAlt+F4 -1"}));
    EXPECT_EQ(&itemAt(menu(0), 5), &bar().getExitItem());
    EXPECT_EQ(subMenuOf("Window Mode"), (std::vector<std::string>{"Window 15", "Full screen (backdrop window) 16",
                                                                  "Full screen with resolution change 17"}));
    EXPECT_EQ(subMenuOf("Language"), (std::vector<std::string>{"Deutsch 20", "Fran\xE7" "ais 19", "Italiano 18"}));
    EXPECT_EQ(itemsOf(menu(1)), (std::vector<std::string>{"Play 0 ^G", "Stop 1 ^1 off", "-", "Animation Setup... 2 ^A",
                                                          "Advanced Features... 3"}));
    // Nothing to play yet.
    bar().sendUpdateEvents();
    EXPECT_EQ(itemsOf(menu(1))[0], "Play 0 ^G off");

    TemporaryFolder stories;
    writeStory(stories.file("story.TPD"), 640, 480, std::string(30, 'P'));
    CommonDialogAnswersWin32 answers;
    answers.openFile = [&](void* Record) {
        std::strcpy(static_cast<OPENFILENAMEA*>(Record)->lpstrFile, stories.file("story.TPD").c_str());
        return true;
    };
    setCommonDialogAnswersWin32(answers);
    pressKey(run, 'O', true);
    setCommonDialogAnswersWin32({});
    ASSERT_EQ(std::string(run.window().getTitle().getText()), "story");
    EXPECT_EQ(itemsOf(menu(1))[0], "Play 0 ^G");

    pressKey(run, 'G', true);
    EXPECT_EQ(run.window().getTape().getPlayState(), Tape::Playing);
    EXPECT_EQ(itemsOf(menu(1)), (std::vector<std::string>{"Play 0 ^G off", "Stop 1 ^1", "-",
                                                          "Animation Setup... 2 ^A off", "Advanced Features... 3"}));
    // While a story plays or is paused the File menu greys itself.
    typeKey(run.window(), 'p');
    bar().sendUpdateEvents();
    EXPECT_EQ(itemsOf(menu(1))[1], "Stop 1 ^1");
    EXPECT_EQ(itemsOf(menu(0))[0], "Open Project... 1 ^O off");
    pressKey(run, '1', true);
    EXPECT_EQ(run.window().getTape().getPlayState(), Tape::Stopped);
    EXPECT_EQ(itemsOf(menu(1))[0] + ", " + itemsOf(menu(0))[0], "Play 0 ^G, Open Project... 1 ^O");
}

TEST(Menus, AWindowModeIsCheckedAndStoredAtOnce)
{
    PlayerRun run("", false, PlayerRun::storing(LumoApplication::WindowedMode));
    KString title("Window Mode");
    KMenu& modes = menu(0).getSubMenuWithTitle(title);
    choose(run, modes.getItemWithID(16));
    EXPECT_EQ(run.app().getWindowMode(), LumoApplication::BackdropMode);
    EXPECT_TRUE(run.app().isFullScreenLayout());
    EXPECT_EQ(storedPreferences()->getLong(KString("EditingWindowModePlayer")), LumoApplication::BackdropMode);
    EXPECT_EQ(subMenuOf("Window Mode"), (std::vector<std::string>{"Window 15", "Full screen (backdrop window) 16 checked",
                                                                  "Full screen with resolution change 17"}));
    choose(run, modes.getItemWithID(15));
    EXPECT_FALSE(run.app().isFullScreenLayout());
    EXPECT_EQ(storedPreferences()->getLong(KString("EditingWindowModePlayer")), LumoApplication::WindowedMode);
    EXPECT_EQ(subMenuOf("Window Mode")[0], "Window 15 checked");
}

TEST(Menus, ANewLanguageIsStoredAndTheNextStartBuildsTheMenusInIt)
{
    {
        PlayerRun run("", false, PlayerRun::storing(LumoApplication::WindowedMode, "Deutsch"));
        run.keepPreferences = true;
        EXPECT_EQ(subMenuOf("Sprache")[0], "Deutsch 20 checked");
        {
            // The language in force: nothing to tell, nothing to store.
            ReportCatcher catcher;
            choose(run, germanLanguageItem("Deutsch"));
            EXPECT_TRUE(catcher.boxes().empty());
        }
        ReportCatcher catcher;
        choose(run, germanLanguageItem("Italiano"));
        ASSERT_EQ(catcher.boxes().size(), 1u);
        EXPECT_EQ(catcher.boxes()[0].caption, "Sprache neu");
        EXPECT_EQ(storedLanguage(), "Italiano");
        // This run keeps its texts and its check mark.
        EXPECT_EQ(std::string(menu(1).getTitle().getText()), "Animation");
        EXPECT_EQ(subMenuOf("Sprache")[0], "Deutsch 20 checked");
    }
    PlayerRun run("", false);
    EXPECT_EQ(std::string(menu(1).getTitle().getText()), "Animazione");
    EXPECT_EQ(itemsOf(menu(1))[0], "Azione 0 ^G");
    EXPECT_EQ(subMenuOf("Lingua")[2], "Italiano 18 checked");
    EXPECT_EQ(std::string(run.window().getTitle().getText()), "Fabulo");
}

} // namespace
