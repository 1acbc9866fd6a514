// The menu bar: the "File" and "Animate" menus with their items, IDs and shortcuts, the
// shortcuts pressed on the keyboard, the items enabled by the story's play state, and the
// window-mode command, which stores its preference at once (the start-up tests choose a
// language).
#include "application/CommonDialogsWin32.h"
#include "application/KMenu.h"
#include "application/KMenuBar.h"
#include "application/KMenuItem.h"
#include "application/KMenuManager.h"
#include "player/AdvancedPrefsDialog.h"
#include "player/LumoActions.h"
#include "tests/player/PlayerTestSupport.h"
#include "tests/tools/ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

#include <windows.h>

namespace {

class Menus : public SharedPlayer {};

// The shared player was started with "English" stored, a language that names no item of
// the language menu: it checks none, silently.
TEST_F(Menus, FileAndAnimateOpenPlayAndStopByShortcutsAsThePlayStateAllows)
{
    ASSERT_EQ(bar().getMenus().getCount(), 2);
    EXPECT_EQ(std::string(menu(0).getTitle().getText()) + ", " + menu(1).getTitle().getText() + ", "
                  + bar().getAboutTitle().getText(),
              "File, Animate, About Narrabo Player...");
    EXPECT_EQ(itemsOf(menu(0)), (std::vector<std::string>{"Open Project... 1 ^O", "-", "Window Mode >", "Language >", "-",
                                                          "E&xit\tAlt+F4 -1"}));
    EXPECT_EQ(&static_cast<KMenuItem&>(menu(0).getItems()[5]), &bar().getExitItem());
    EXPECT_EQ(subMenuOf("Language"), (std::vector<std::string>{"Deutsch 20", "Fran\xE7" "ais 19", "Italiano 18"}));
    // Nothing to play yet.
    bar().sendUpdateEvents();
    EXPECT_EQ(itemsOf(menu(1)), (std::vector<std::string>{"Play 0 ^G off", "Stop 1 ^1 off", "-",
                                                          "Animation Setup... 2 ^A", "Advanced Features... 3"}));

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

TEST_F(Menus, AWindowModeIsCheckedAndStoredAtOnce)
{
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

// Without a voice, as under Wine, the advanced features say so and stay usable.
TEST_F(Menus, WithoutAVoiceTheAdvancedFeaturesSaySoAndStayUsable)
{
    AdvancedPrefsDialogPtr dialog = new OpenedHidden<AdvancedPrefsDialog>;
    ModalScript script({
        [&](KDialog&) {
            EXPECT_EQ(dialog->getVoiceList().getItemCount(), 1);
            EXPECT_EQ(textOf(dialog->getVoiceList().getSelectedItem()), "Fred");
            ASSERT_TRUE(dialog->hasNoVoiceNotice());
            EXPECT_EQ(textOf(dialog->getNoVoiceNotice().getText()), "No Speech Synthesis is installed!");
            click(dialog->getTryButton());
        },
        // The silent trial is over once the media manager has seen it.
        [&](KDialog& D) {
            run.app().processIdleOnce();
            EXPECT_FALSE(dialog->isSpeaking());
            click(D.getOKButton());
        }});
    EXPECT_EQ(dialog->run(), 1);
}

} // namespace
