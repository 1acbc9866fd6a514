#include "tests/player/PlayerTestSupport.h"

#include "application/KKeyEvent.h"
#include "application/KMenuItem.h"
#include "application/KMenuManager.h"
#include "foundation/DisplayModesWin32.h"
#include "foundation/KFileSystem.h"
#include "foundation/KPreferences.h"
#include "foundation/KernelFunctions.h"
#include "foundation/OperatingSystemWin32.h"
#include "graphics/KColor.h"
#include "player/LumoActions.h"
#include "story/LumoPause.h"
#include "story/LumoText.h"
#include "story/WaitObject.h"
#include "story/WipeOut.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/SuiteClasses.h"

#include <gtest/gtest.h>

#include <windows.h>

// Every class the program registers: the libraries' and the player's.
K_REGISTER_SUITE_CLASSES(LumoApplication::registerAllClasses);

namespace {
// The name the tests run the player under, which names its registry key.
const char* const kTestApplicationName = "Narrabo Player Tests";
const std::string kPreferencesKey = std::string("SOFTWARE\\") + kTestApplicationName;
const std::string kSetKey = kPreferencesKey + "\\MainPreferences";
} // namespace

void forgetPreferences()
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSetKey.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kPreferencesKey.c_str());
}

void storePreferences(const std::function<void(KPreferences&)>& Fill)
{
    KPreferencesPtr preferences(new KPreferences);
    Fill(*preferences);
    preferences->save(KString("MainPreferences"));
}

KPreferencesPtr storedPreferences()
{
    KPreferencesPtr stored(new KPreferences);
    stored->load(KString("MainPreferences"));
    return stored;
}

bool typeKey(LumoWindow& Window, uint16 Key, uint32 Modifiers)
{
    KKeyEventPtr key(new KKeyEvent);
    key->setKey(Key);
    key->setModifiers(Modifiers);
    return Window.handleKey(*key);
}

void pressKey(PlayerRun& Run, unsigned VirtualKey, bool Control, bool Shift)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = Control ? 0x80 : 0;
    keys[VK_SHIFT] = Shift ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageA(static_cast<HWND>(Run.window().getNativeWindow()), WM_KEYDOWN, VirtualKey, 0);
    // The character the key makes follows in a message of its own.
    Run.app().processIdleOnce();
    Run.app().processIdleOnce();
    keys[VK_CONTROL] = 0;
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

KMenuBar& bar() { return KMenuManager::getMenuManager().getMenuBar(); }
KMenu& menu(long Index) { return static_cast<KMenu&>(bar().getMenus()[Index]); }

std::vector<std::string> itemsOf(const KMenu& M)
{
    std::vector<std::string> items;
    for (long i = 0; i < M.getItemCount(); ++i) {
        const auto& item = static_cast<const KMenuItem&>(M.getItems()[i]);
        std::string line = item.getTitle().getText();
        if (item.getType() == kSeparatorItem) {
            line = "-";
        } else if (item.getType() == kSubMenuItem) {
            line += " >";
        } else {
            line += " " + std::to_string(item.getID());
            if (item.hasShortcut())
                line += std::string(" ^") + item.getShortcutKey();
            line += std::string(item.isEnabled() ? "" : " off") + (item.isChecked() ? " checked" : "");
        }
        items.push_back(line);
    }
    return items;
}

std::vector<std::string> subMenuOf(const char* Title)
{
    KString title(Title);
    return itemsOf(menu(0).getSubMenuWithTitle(title));
}

void choose(PlayerRun& Run, const KMenuItem& Item)
{
    PostMessageA(static_cast<HWND>(Run.window().getNativeWindow()), WM_COMMAND, MAKEWPARAM(Item.getNativeID(), 0), 0);
    Run.app().processIdleOnce();
}

namespace {
FakeDisplay* s_display = nullptr;

bool listFakeMode(unsigned long Index, DisplayModeWin32& Mode)
{
    if (Index >= s_display->modes.size())
        return false;
    const std::vector<long>& mode = s_display->modes[Index];
    Mode = {mode[0], mode[1], mode[2]};
    return true;
}

bool changeFakeMode(const DisplayModeWin32* Mode)
{
    s_display->changes.push_back(Mode ? std::to_string(Mode->width) + "x" + std::to_string(Mode->height) + "x"
                                            + std::to_string(Mode->depth)
                                      : "0x0x0");
    return !Mode || s_display->accepts;
}

const DisplaySystemWin32 s_fakeSystem = {&listFakeMode, &changeFakeMode};
} // namespace

FakeDisplay::FakeDisplay(std::vector<std::vector<long>> Modes, bool Accepts)
    : modes(std::move(Modes))
    , accepts(Accepts)
{
    s_display = this;
    setDisplaySystemWin32(&s_fakeSystem);
}

FakeDisplay::~FakeDisplay()
{
    knsRestoreScreenSettings();
    setDisplaySystemWin32(nullptr);
    s_display = nullptr;
}

std::function<void(PlayerRun&)> PlayerRun::storing(long WindowMode, const char* Language)
{
    return [WindowMode, Language](PlayerRun&) {
        storePreferences([&](KPreferences& P) {
            P.setLong(KString("EditingWindowModePlayer"), WindowMode);
            P.setString(KString("ApplicationLanguage"), KString(Language));
            P.setLong(KString("NewDocW"), 800);
            P.setLong(KString("NewDocH"), 600);
        });
    };
}

void writeStory(const std::string& Path, short Width, short Height, const std::string& Objects)
{
    LumoProjectPtr project(new LumoProject);
    for (char kind : Objects) {
        TapeObjectPtr object;
        if (kind == 'W') {
            auto* cut = new WipeOut;
            cut->setColor(KColor(kGray));
            object = cut;
        } else if (kind == 'C') {
            object = new WaitObject;
        } else if (kind == 'T') {
            auto* text = new LumoText;
            text->setReadAloud(0);
            object = text;
        } else {
            auto* pause = new LumoPause;
            pause->setDuration(100);
            object = pause;
        }
        project->getTape().add(*object);
    }
    project->getTape().setPageWidth(Width);
    project->getTape().setPageHeight(Height);
    ASSERT_TRUE(project->save(KFileReference(windowsPath(Path))));
}

PlayerRun::PlayerRun(const std::string& CommandLine, bool Splash, const Preparation& BeforeStart)
    : m_commandLine(CommandLine)
{
    wait.clock = &clock;
    CreateDirectoryA(file("Program").c_str(), nullptr);
    CreateDirectoryA(file("Documents").c_str(), nullptr);
    knsSetProcessInfo(knsGetInstance(), knsGetPreviousInstance(), m_commandLine.c_str(), knsGetShowCommand(),
                      knsGetIconResourceID());
    KApplication::setSplashRequested(Splash);
    LumoApplication::createApplication();
    app().setMailslotName(KString(kTestApplicationName));
    app().startUp(KString("LumoWindow"));
    KFileSystem& folders = KFileSystem::getFileSystem();
    folders.applicationDirectory = KDirectory(windowsPath(file("Program\\")));
    folders.documentsDirectory = KDirectory(windowsPath(file("Documents\\")));
    if (BeforeStart)
        BeforeStart(*this);
    app().doStart();
    app().closeSplash();
    app().setApplicationFlags(KApplication::RunningFlag);
}

PlayerRun::~PlayerRun()
{
    if (!m_shutDown)
        app().shutDown();
    LumoApplication::releaseApplication();
    if (!KClass::getFirst())
        registerAllTestClasses();
    KApplicationEvent::clearQueue();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    knsSetProcessInfo(knsGetInstance(), knsGetPreviousInstance(), "", knsGetShowCommand(), knsGetIconResourceID());
    KApplication::setSplashRequested(false);
    if (!keepPreferences)
        forgetPreferences();
}

void PlayerRun::run(long Milliseconds)
{
    for (long i = 0; i < Milliseconds; ++i) {
        clock.advance(1);
        app().processIdleOnce();
    }
}

bool PlayerRun::runUntilQuit(long Milliseconds)
{
    for (long i = 0; i < Milliseconds && app().isRunning(); ++i) {
        clock.advance(1);
        app().processIdleOnce();
    }
    if (app().isRunning())
        return false;
    shutDown();
    return true;
}

void PlayerRun::shutDown()
{
    app().shutDown();
    m_shutDown = true;
}

bool PlayerRun::open(const std::string& Path)
{
    return LumoActions::getInstance().openDocument(KFileReference(windowsPath(Path)));
}

PlayerRun* SharedPlayer::s_run = nullptr;

void SharedPlayer::SetUpTestSuite() { s_run = new PlayerRun("", false, PlayerRun::storing(LumoApplication::WindowedMode)); }

void SharedPlayer::TearDownTestSuite()
{
    delete s_run;
    s_run = nullptr;
}

void SharedPlayer::SetUp()
{
    if (run.app().getWindowMode() != LumoApplication::WindowedMode)
        run.app().setWindowMode(LumoApplication::WindowedMode);
}

TestSpeechEngine* SharedVoicedPlayer::s_speech = nullptr;

void SharedVoicedPlayer::SetUpTestSuite()
{
    s_speech = new TestSpeechEngine;
    s_speech->addVoice("Anna");
    s_speech->addVoice("Bruno");
    SharedPlayer::SetUpTestSuite();
}

void SharedVoicedPlayer::TearDownTestSuite()
{
    SharedPlayer::TearDownTestSuite();
    delete s_speech;
    s_speech = nullptr;
}

void SharedVoicedPlayer::SetUp()
{
    SharedPlayer::SetUp();
    speech.calls.clear();
}
