#pragma once
// Shared by the player tests: the player started as the program starts it, on a driven
// clock whose waits the loop's blocking step answers at once, with its preferences in a
// registry set of its own and its projects and program folders in a temporary folder; and
// stories written with the project's own code.
#include "application/KApplicationEvent.h"
#include "foundation/KPreferences.h"
#include "player/LumoApplication.h"
#include "player/LumoWindow.h"
#include "tests/application/ApplicationTestSupport.h"
#include "tests/support/TemporaryFolder.h"

#include <functional>
#include <string>
#include <vector>

class PlayerRun;

// The name the tests run the player under, which names its registry key.
constexpr const char* kTestApplicationName = "Narrabo Player Tests";

// The tests' preference set goes, so that the next start is a first start.
void forgetPreferences();
// The names of the values the preference set holds, in the registry's order.
std::vector<std::string> storedPreferenceNames();
// Writes the preferences before the player reads them.
void storePreferences(const std::function<void(KPreferences&)>& Fill);

// A long value of the preference set as the registry holds it; -1 when there is none.
long storedLong(const char* Name);

// A story on a page of Width × Height, saved at Path. Its objects, one a letter: P a
// pause of 100 ms, W a cut to a grey page (a stop point), T a text that is not read, C a
// wait for a click or a key.
void writeStory(const std::string& Path, short Width, short Height, const std::string& Objects = "PP");

// A key typed on the main window, as the framework delivers it.
bool typeKey(LumoWindow& Window, uint16 Key, uint32 Modifiers = 0);
// A key pressed on the keyboard: its message goes through the main loop, with Control
// and Shift held as asked.
void pressKey(PlayerRun& Run, unsigned VirtualKey, bool Control = false, bool Shift = false);

// The display as the tests say it is: the modes it lists (width, height, depth) and
// whether it takes a change. It notes every change asked of it, "0x0x0" for the way back
// to the registry mode.
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
    // Stores the window mode and the language before the start reads them.
    static std::function<void(PlayerRun&)> storing(long WindowMode, const char* Language = "English");

    // BeforeStart runs once the framework stands, before the player's start-up reads
    // anything.
    using Preparation = std::function<void(PlayerRun&)>;
    explicit PlayerRun(const std::string& CommandLine = "", bool Splash = false, const Preparation& BeforeStart = {});
    ~PlayerRun();
    PlayerRun(const PlayerRun&) = delete;
    PlayerRun& operator=(const PlayerRun&) = delete;

    LumoApplication& app() const { return LumoApplication::getApplication(); }
    LumoWindow& window() const { return LumoWindow::getMainWindow(); }
    // The main loop for Milliseconds on the driven clock, one millisecond a step.
    void run(long Milliseconds);
    // Steps the loop until the application stops running, at most Milliseconds.
    bool runUntilQuit(long Milliseconds);
    // The program folder ("data.TPD" lies there) and the documents folder.
    std::string programFile(const std::string& Name) const { return m_program + "\\" + Name; }
    std::string documentsFolder() const { return m_documents; }
    std::string file(const std::string& Name) const { return folder.file(Name); }
    // Opens the story through the actions, as "Open Project" does.
    bool open(const std::string& Path);

    TemporaryFolder folder;
    DrivenClock clock;
    RecordedWait wait;
    // Left for the next run, which then is not a first start.
    bool keepPreferences = false;

private:
    std::string m_commandLine;
    std::string m_program;
    std::string m_documents;
};
