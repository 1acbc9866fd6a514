// The player's start-up: its class list, the splash held while the loop runs, the first
// start's preferences and projects folder, the preferences read back, the document types
// and the main window it shows.
#include "foundation/KFileTypeHandler.h"
#include "story/oldformat/OldFileTypes.h"
#include "tests/player/PlayerTestSupport.h"
#include "tests/support/SuiteClasses.h"

#include <gtest/gtest.h>

#include <tuple>

#include <windows.h>

namespace {

std::string text(const KString& S) { return S.getText(); }

bool folderExists(const std::string& Path)
{
    const DWORD attributes = GetFileAttributesA(Path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(PlayerStartUp, RegistersItsClassesAfterTheLibrariesEachAfterItsParent)
{
    using Row = std::tuple<std::string, std::string, long>;
    std::vector<Row> player;
    bool librariesFirst = false;
    // A program's registry starts empty: the application object fills it.
    KClass::unregisterAll();
    LumoApplication::createApplication();
    long position = 0;
    long libraries = 0;
    for (const KClass* record = KClass::getFirst(); record; record = record->getNext(), ++position) {
        const std::string name = record->getName();
        if (name == "KToolsLibrary" || name == "KMultiMediaLibrary" || name == "KSpeechExtrasLibrary")
            ++libraries;
        if (name == "LumoApplication")
            librariesFirst = libraries == 3;
        if (name == "LumoApplication" || !player.empty())
            player.emplace_back(name, record->getParent()->getName(), record->getVersion());
    }
    LumoApplication::releaseApplication();
    registerAllTestClasses();

    EXPECT_TRUE(librariesFirst);
    const std::vector<Row> expected = {
        {"LumoApplication", "KApplication", 1}, {"LumoWindow", "KWindow", 1}, {"FileMenu", "KMenu", 1},
        {"AnimMenu", "KMenu", 1}, {"ActorSequence", "KThing", 1}, {"Actor", "KSprite", 1}, {"Tape", "KBag", 1},
        {"TapeObject", "KThing", 1}, {"ActorAction", "TapeObject", 1}, {"ActorMotion", "TapeObject", 1},
        {"LumoSound", "TapeObject", 1}, {"LumoSpeech", "TapeObject", 1}, {"WaitObject", "TapeObject", 1},
        {"LumoPause", "TapeObject", 1}, {"TapeGraphicObject", "TapeObject", 1}, {"LumoMovie", "TapeGraphicObject", 1},
        {"LumoImage", "TapeGraphicObject", 1}, {"LumoText", "TapeGraphicObject", 1}, {"Stroke", "TapeGraphicObject", 1},
        {"WipeOut", "TapeGraphicObject", 1}, {"LumoSpriteSystem", "KLayer", 1}, {"LumoProject", "KThing", 1},
        {"SetupDialog", "KDialog", 1}, {"AdvancedPrefsDialog", "KDialog", 1}, {"ZAboutDialog", "KDialog", 2},
        {"LumoAboutDialog", "ZAboutDialog", 1}, {"KeyListHelpDialog", "KDialog", 1}};
    EXPECT_EQ(player, expected);
}

TEST(PlayerStartUp, TheFirstStartHoldsTheSplashWhileTheLoopRunsAndWritesTheDefaults)
{
    forgetPreferences();
    uint32 start = 0;
    PlayerRun run("", true, [&start](PlayerRun&) { start = DrivenClock::now(); });
    // The loop waited for the splash's time instead of spinning on the clock.
    EXPECT_FALSE(run.wait.timeOuts.empty());
    EXPECT_GE(DrivenClock::now() - start, LumoApplication::kMinimumSplashTime);
    EXPECT_LT(DrivenClock::now() - start, LumoApplication::kMinimumSplashTime + 50);
    EXPECT_FALSE(run.app().getApplicationFlags() & KApplication::SplashOpenFlag);
    EXPECT_TRUE(run.window().isVisible());

    // The defaults, written in the order of the table, and German texts.
    KPreferencesPtr written(new KPreferences);
    run.app().writePreferences(*written);
    std::vector<std::string> order;
    const KBag& names = written->getVariables().getNames();
    for (long i = 0; i < names.getCount(); ++i)
        order.push_back(text(static_cast<const KString&>(names[i])));
    EXPECT_EQ(order,
              (std::vector<std::string>{"ChildMode", "DefaultColorPalette", "LastUsedVoice", "ApplicationLanguage",
                                        "DocFolder", "SpeechSpeed", "CustomSpeechSpeed", "AllowDuplicatedActors",
                                        "EditingWindowModePlayer", "LimitActorSize", "AutoEdit", "HighlightElements",
                                        "NewDocW", "NewDocH"}));
    EXPECT_EQ(storedPreferenceNames().size(), 14u);
    KPreferencesPtr stored(new KPreferences);
    stored->load(KString("MainPreferences"));
    KString palette;
    stored->getString(palette, KString("DefaultColorPalette"));
    EXPECT_EQ(text(palette), "Color Palettes\\Nuvola Colors.LCP");
    EXPECT_EQ(stored->getShort(KString("SpeechSpeed")), -1);
    EXPECT_EQ(stored->getLong(KString("EditingWindowModePlayer")), 2);
    EXPECT_TRUE(stored->getBool(KString("LimitActorSize")));
    EXPECT_TRUE(stored->getBool(KString("HighlightElements")));
    EXPECT_EQ(stored->getLong(KString("NewDocW")), 800);
    EXPECT_EQ(text(run.app().getLanguage()), "Deutsch");
    EXPECT_EQ(text(run.window().getTitle()), "Fabulo");
    EXPECT_TRUE(folderExists(run.documentsFolder() + "\\Projekt Fabulo"));
    // Window mode 2 shows even the empty story full screen.
    EXPECT_TRUE(run.app().isFullScreenLayout());
}

TEST(PlayerStartUp, AStartThatTookLongerClosesTheSplashAtOnce)
{
    PlayerRun run("", true, [](PlayerRun&) {
                       // Every look at the clock finds a second gone.
                       knsSetTickSource([]() { return DrivenClock::now() += 1000; });
                   });
    EXPECT_TRUE(run.wait.timeOuts.empty());
    EXPECT_FALSE(run.app().getApplicationFlags() & KApplication::SplashOpenFlag);
}

TEST(PlayerStartUp, StoredPreferencesAreReadAndTheWindowShowsCentredInItsMode)
{
    PlayerRun run("", false, [](PlayerRun&) {
                       storePreferences([](KPreferences& P) {
                           P.setString(KString("ApplicationLanguage"), KString("Italiano"));
                           P.setString(KString("DocFolder"), KString("C:\\Elsewhere\\"));
                           P.setLong(KString("EditingWindowModePlayer"), 0);
                           P.setLong(KString("NewDocW"), 0);
                           P.setLong(KString("NewDocH"), 480);
                       });
                   });
    LumoApplication& app = run.app();
    EXPECT_EQ(app.getNewDocW(), 800);
    EXPECT_EQ(app.getNewDocH(), 480);
    // Missing values: the speed keeps its default, the others read as off.
    EXPECT_EQ(app.getSpeechSpeed(), -1);
    EXPECT_FALSE(app.getHighlightElements());
    EXPECT_FALSE(app.getLimitActorSize());
    // The stored folder gives way to the projects folder in the documents.
    KString folder;
    app.getDocumentFolder().getPath().getPathText(folder, kPlatformWindows, KPath::AsStored);
    EXPECT_EQ(text(folder), run.documentsFolder() + "\\Progetti Fabulo\\");

    LumoWindow& window = run.window();
    const short screenWidth = static_cast<short>(knsGetScreenWidth());
    const short screenHeight = static_cast<short>(knsGetScreenHeight());
    EXPECT_EQ(window.getBounds(), KGraphicRectangle((screenWidth - 800) / 2, (screenHeight - 600) / 2, 800, 600));
    EXPECT_EQ(text(window.getTitle()), "Fabulo");
    EXPECT_FALSE(app.isFullScreenLayout());
    ASSERT_TRUE(window.hasTape());
    EXPECT_EQ(window.getTape().getCount(), 0);
    EXPECT_EQ(window.getTape().getPageSize(), KGraphicSize(800, 480));
    EXPECT_EQ(window.getPlayState(), LumoWindow::NoStory);

    // The document types, described in the interface language.
    struct Type {
        KFileTypeID id;
        const char* extension;
        const char* creator;
        const char* type;
        const char* description;
    };
    for (const Type& t : {Type{app.getProjectFileType(), "TPD", "NRAX", "NRXT", "Documento Fabulo"},
                          Type{app.getOldProjectFileType(), "LMT", "LUMP", "LTAP", "Documento Fabulo - vecchia versione"},
                          Type{app.getPaletteFileType(), "LCP", "NRAX", "NRXP", "Palette Colori Fabulo"},
                          Type{app.getActorFileType(), "ACT", "NRAX", "NRXA", "Attore Fabulo"}}) {
        const KFileType& registered = KFileTypeHandler::getAssociation(t.id);
        KString description;
        registered.getDescription(description);
        KString extension(registered.getExtension());
        extension.toUpper();
        EXPECT_EQ(text(extension) + " " + text(registered.getCreator()) + " " + text(registered.getType())
                      + " " + text(description),
                  std::string(t.extension) + " " + t.creator + " " + t.type + " " + t.description);
    }
    // The kinds old documents name their media by.
    ASSERT_NE(OldFileTypes::findByType("MooV"), nullptr);
    EXPECT_EQ(OldFileTypes::findByType("MooV")->extension, "MOV");
    EXPECT_EQ(OldFileTypes::getCount(), 5);
}

} // namespace
