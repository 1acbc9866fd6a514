#pragma once
// Shared by the player tests: the player started as the program starts it, on a driven
// clock whose waits the loop answers at once, with its preferences in a registry set of
// its own and its folders in a temporary folder; stories written by the project's code.
#include "application/KMenu.h"
#include "application/KMenuBar.h"
#include "application/KWindowManager.h"
#include "foundation/KPreferences.h"
#include "player/LumoApplication.h"
#include "player/LumoWindow.h"
#include "tests/application/ApplicationTestSupport.h"
#include "tests/multimedia/SpeechTestEngine.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class PlayerRun;

// The tests' preference set goes, so that the next start is a first start.
void forgetPreferences();
void storePreferences(const std::function<void(KPreferences&)>& Fill);
// The set as the registry holds it, while an application names it.
KPreferencesPtr storedPreferences();

// A story on a page of Width × Height at Path. Its objects, a letter each: P a pause of
// 100 ms, W a cut to a grey page (a stop point), T a text not read aloud, C a wait.
void writeStory(const std::string& Path, short Width, short Height, const std::string& Objects = "PP");

// A key typed on the main window, as the framework delivers it.
bool typeKey(LumoWindow& Window, uint16 Key, uint32 Modifiers = 0);
// A key pressed on the keyboard, through the main loop, with Control and Shift as asked.
void pressKey(PlayerRun& Run, unsigned VirtualKey, bool Control = false, bool Shift = false);

// The menu bar, and its menu at Index.
KMenuBar& bar();
KMenu& menu(long Index);
// Each item as "title ID ^shortcut", then "off" for a disabled item and "checked" for a
// checked one; "-" for a separator and "title >" for a submenu.
std::vector<std::string> itemsOf(const KMenu& M);
// The items of the submenu of the first menu with the title.
std::vector<std::string> subMenuOf(const char* Title);
// Chooses the item as a click on it does: its command reaches the main window's queue,
// and the main loop hands it on.
void choose(PlayerRun& Run, const KMenuItem& Item);

// The open window of the class, or null.
template <typename Dialog>
Dialog* openDialog()
{
    const KBag& windows = KWindowManager::get().getWindows();
    for (long i = 0; i < windows.getCount(); ++i) {
        if (auto* dialog = dynamic_cast<Dialog*>(&windows[i]))
            return dialog;
    }
    return nullptr;
}

// The display as a test says it is: its modes (width, height, depth) and whether it
// takes a change. It notes each change asked of it, "0x0x0" for the registry mode.
class FakeDisplay {
public:
    explicit FakeDisplay(std::vector<std::vector<long>> Modes, bool Accepts = true);
    ~FakeDisplay();
    FakeDisplay(const FakeDisplay&) = delete;
    FakeDisplay& operator=(const FakeDisplay&) = delete;

    std::vector<std::vector<long>> modes;
    bool accepts;
    std::vector<std::string> changes;
};

class PlayerRun {
public:
    using Preparation = std::function<void(PlayerRun&)>;
    // Stores the window mode and the language for the start to read.
    static Preparation storing(long WindowMode, const char* Language = "English");

    // BeforeStart runs once the framework stands, before the player's start-up.
    explicit PlayerRun(const std::string& CommandLine = "", bool Splash = false, const Preparation& BeforeStart = {});
    ~PlayerRun();
    PlayerRun(const PlayerRun&) = delete;
    PlayerRun& operator=(const PlayerRun&) = delete;

    LumoApplication& app() const { return LumoApplication::getApplication(); }
    LumoWindow& window() const { return LumoWindow::getMainWindow(); }
    // The main loop on the driven clock, a millisecond a step.
    void run(long Milliseconds);
    // Until the program quits, at most Milliseconds; it then shuts down as the program does.
    bool runUntilQuit(long Milliseconds);
    void shutDown();
    std::string programFile(const std::string& Name) const { return folder.file("Program\\" + Name); }
    std::string file(const std::string& Name) const { return folder.file(Name); }
    // As "Open Project" opens a story.
    bool open(const std::string& Path);

    TemporaryFolder folder;
    DrivenClock clock;
    RecordedWait wait;
    // Kept for the next run, which then is not a first start.
    bool keepPreferences = false;

private:
    std::string m_commandLine;
    bool m_shutDown = false;
};

// The tests of a suite share one start of the player in the window mode, in English: a
// start and its close take seconds under Wine. Each test finds it in the window mode.
class SharedPlayer : public testing::Test {
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

protected:
    void SetUp() override;
    PlayerRun& run = *s_run;

private:
    static PlayerRun* s_run;
};

// A shared player over the test speech engine with two voices, listed as the player starts.
class SharedVoicedPlayer : public SharedPlayer {
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

protected:
    void SetUp() override;
    TestSpeechEngine& speech = *s_speech;

private:
    static TestSpeechEngine* s_speech;
};
