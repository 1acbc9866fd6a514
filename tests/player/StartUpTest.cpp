// The player's start-up: its class list, the splash held while the loop runs, the first
// start's preferences and projects folder, a language chosen for the next start, stored
// preferences, the document types, the main window it shows and the texts it speaks.
#include "application/KMenuEvent.h"
#include "application/KMenuItem.h"
#include "foundation/KFileTypeHandler.h"
#include "graphics/KTextBlock.h"
#include "graphics/KTextLine.h"
#include "player/KeyListHelpDialog.h"
#include "player/LumoActions.h"
#include "story/oldformat/OldFileTypes.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/player/PlayerTestSupport.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/SuiteClasses.h"
#include "tests/tools/ToolsTestSupport.h"
#include "tools/dialogs/KAboutDialog.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

std::string text(const KString& S) { return S.getText(); }

TEST(PlayerStartUp, RegistersItsClassesAfterTheLibrariesEachAfterItsParent)
{
    // A program's registry starts empty: the application object fills it.
    KClass::unregisterAll();
    LumoApplication::createApplication();
    std::vector<std::string> rows;
    int libraries = 0;
    for (const KClass* record = KClass::getFirst(); record; record = record->getNext()) {
        const std::string name = record->getName();
        libraries += name == "KToolsLibrary" || name == "KMultiMediaLibrary" || name == "KSpeechExtrasLibrary";
        if (name == "LumoApplication")
            rows.push_back(std::to_string(libraries) + " libraries");
        if (!rows.empty())
            rows.push_back(name + " " + record->getParent()->getName() + " " + std::to_string(record->getVersion()));
    }
    LumoApplication::releaseApplication();
    registerAllTestClasses();
    EXPECT_EQ(rows, (std::vector<std::string>{
                        "3 libraries", "LumoApplication KApplication 1", "LumoWindow KWindow 1", "FileMenu KMenu 1",
                        "AnimMenu KMenu 1", "ActorSequence KThing 1", "Actor KSprite 1", "Tape KBag 1", "TapeObject KThing 1",
                        "ActorAction TapeObject 1", "ActorMotion TapeObject 1", "LumoSound TapeObject 1",
                        "LumoSpeech TapeObject 1", "WaitObject TapeObject 1", "LumoPause TapeObject 1",
                        "TapeGraphicObject TapeObject 1", "LumoMovie TapeGraphicObject 1", "LumoImage TapeGraphicObject 1",
                        "LumoText TapeGraphicObject 1", "Stroke TapeGraphicObject 1", "WipeOut TapeGraphicObject 1",
                        "LumoSpriteSystem KLayer 1", "LumoProject KThing 1", "SetupDialog KDialog 1",
                        "AdvancedPrefsDialog KDialog 1", "ZAboutDialog KDialog 2", "LumoAboutDialog ZAboutDialog 1",
                        "KeyListHelpDialog KDialog 1"}));
    // The dialogs are made by their class names too.
    ToolsScope scope;
    for (const char* name : {"SetupDialog", "AdvancedPrefsDialog", "ZAboutDialog", "LumoAboutDialog", "KeyListHelpDialog"}) {
        KThingPtr made(KClass::findClass(name)->createObject());
        EXPECT_STREQ(made->getClass().getName(), name);
    }
}

TEST(PlayerStartUp, TheFirstStartHoldsTheSplashWhileTheLoopRunsAndWritesTheDefaults)
{
    forgetPreferences();
    uint32 start = 0;
    PlayerRun run("", true, [&start](PlayerRun&) { start = DrivenClock::now(); });
    // The loop waited for the splash's time (a spin on the driven clock never ends).
    EXPECT_FALSE(run.wait.timeOuts.empty());
    EXPECT_GE(DrivenClock::now() - start, LumoApplication::kMinimumSplashTime);
    EXPECT_LT(DrivenClock::now() - start, LumoApplication::kMinimumSplashTime + 50);
    EXPECT_FALSE(run.app().getApplicationFlags() & KApplication::SplashOpenFlag);
    EXPECT_TRUE(run.window().isVisible());

    // The defaults, set in the order they are saved.
    KPreferencesPtr written(new KPreferences);
    run.app().writePreferences(*written);
    std::string order;
    for (long i = 0; i < written->getVariables().getNames().getCount(); ++i)
        order += text(static_cast<const KString&>(written->getVariables().getNames()[i])) + " ";
    EXPECT_EQ(order, "ChildMode DefaultColorPalette LastUsedVoice ApplicationLanguage DocFolder SpeechSpeed "
                     "CustomSpeechSpeed AllowDuplicatedActors EditingWindowModePlayer LimitActorSize AutoEdit "
                     "HighlightElements NewDocW NewDocH ");
    KPreferencesPtr stored = storedPreferences();
    KString palette, language;
    stored->getString(palette, KString("DefaultColorPalette"));
    stored->getString(language, KString("ApplicationLanguage"));
    EXPECT_EQ(text(palette), "Color Palettes\\Nuvola Colors.LCP");
    EXPECT_EQ(text(language), "Deutsch");
    EXPECT_EQ(stored->getShort(KString("SpeechSpeed")), -1);
    EXPECT_EQ(stored->getLong(KString("EditingWindowModePlayer")), 2);
    EXPECT_TRUE(stored->getBool(KString("LimitActorSize")) && stored->getBool(KString("HighlightElements")));
    EXPECT_EQ(stored->getLong(KString("NewDocW")) * 1000 + stored->getLong(KString("NewDocH")), 800600);
    EXPECT_EQ(text(run.window().getTitle()), "Fabulo");
    const DWORD projects = GetFileAttributesA(run.file("Documents\\Projekt Fabulo").c_str());
    EXPECT_TRUE(projects != INVALID_FILE_ATTRIBUTES && (projects & FILE_ATTRIBUTE_DIRECTORY));
    // Window mode 2 shows even the empty story full screen.
    EXPECT_TRUE(run.app().isFullScreenLayout());

    // The language in force: nothing to tell, nothing to store. Another is stored for the
    // next start, which builds the menus in it; this run keeps its texts and check mark.
    EXPECT_EQ(subMenuOf("Sprache")[0], "Deutsch 20 checked");
    KString languagesTitle("Sprache");
    KMenu& languages = menu(0).getSubMenuWithTitle(languagesTitle);
    {
        ReportCatcher catcher;
        choose(run, languages.getItemWithTitle(KString("Deutsch")));
        EXPECT_TRUE(catcher.boxes().empty());
    }
    ReportCatcher catcher;
    choose(run, languages.getItemWithTitle(KString("Italiano")));
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].caption, "Sprache neu");
    storedPreferences()->getString(language, KString("ApplicationLanguage"));
    EXPECT_EQ(text(language), "Italiano");
    EXPECT_EQ(std::string(menu(1).getTitle().getText()), "Animation");
    EXPECT_EQ(subMenuOf("Sprache")[0], "Deutsch 20 checked");
}

TEST(PlayerStartUp, ALaterStartReadsThePreferencesInItsLanguageAndWaitsForAStory)
{
    PlayerRun run("", true, [](PlayerRun&) {
        // A start that took longer than the splash's time closes the splash at once: every
        // look at the clock finds a second gone.
        knsSetTickSource([]() { return DrivenClock::now() += 1000; });
        storePreferences([](KPreferences& P) {
            P.setString(KString("ApplicationLanguage"), KString("Italiano"));
            P.setString(KString("DocFolder"), KString("C:\\Elsewhere\\"));
            P.setLong(KString("EditingWindowModePlayer"), 0);
            P.setLong(KString("NewDocW"), 0);
            P.setLong(KString("NewDocH"), 480);
        });
    });
    knsSetTickSource([]() { return DrivenClock::now(); });
    EXPECT_TRUE(run.wait.timeOuts.empty());
    EXPECT_FALSE(run.app().getApplicationFlags() & KApplication::SplashOpenFlag);
    LumoApplication& app = run.app();
    // A missing speed keeps its default, other missing values read as off.
    EXPECT_EQ(app.getSpeechSpeed(), -1);
    EXPECT_FALSE(app.getHighlightElements() || app.getLimitActorSize());
    // The stored folder gives way to the projects folder in the documents.
    KString folder;
    app.getDocumentFolder().getPath().getPathText(folder, kPlatformWindows, KPath::AsStored);
    EXPECT_EQ(text(folder), run.file("Documents\\Progetti Fabulo\\"));

    LumoWindow& window = run.window();
    const short width = short(knsGetScreenWidth()), height = short(knsGetScreenHeight());
    EXPECT_EQ(window.getBounds(), KGraphicRectangle((width - 800) / 2, (height - 600) / 2, 800, 600));
    EXPECT_FALSE(app.isFullScreenLayout());
    // An empty story of the new-document size: a width of 0 is 800.
    EXPECT_EQ(window.getTape().getCount(), 0);
    EXPECT_EQ(window.getTape().getPageSize(), KGraphicSize(800, 480));
    // No story on the command line and none beside the program: nothing plays, but the
    // wish to quit after a play is kept.
    run.run(50);
    EXPECT_EQ(window.getPlayState(), LumoWindow::NoStory);
    EXPECT_FALSE(app.getAutoPlay() || app.getQuitAfterPlay());
    bar().sendUpdateEvents();
    EXPECT_EQ(itemsOf(menu(1))[0], "Azione 0 ^G off");
    LumoActions::getInstance().play(false, false, true);
    EXPECT_TRUE(LumoActions::getInstance().getQuitOnStop());
    EXPECT_EQ(window.getPlayState(), LumoWindow::NoStory);
    EXPECT_EQ(std::string(menu(1).getTitle().getText()), "Animazione");
    EXPECT_EQ(subMenuOf("Lingua")[2], "Italiano 18 checked");

    // The document types, described in the interface language.
    std::vector<std::string> types;
    for (KFileTypeID id : {app.getProjectFileType(), app.getOldProjectFileType(), app.getPaletteFileType(),
                           app.getActorFileType()}) {
        const KFileType& type = KFileTypeHandler::getAssociation(id);
        KString extension(type.getExtension()), description;
        extension.toUpper();
        type.getDescription(description);
        types.push_back(text(extension) + " " + text(type.getCreator()) + " " + text(type.getType()) + " " + text(description));
    }
    EXPECT_EQ(types, (std::vector<std::string>{"TPD NRAX NRXT Documento Fabulo",
                                               "LMT LUMP LTAP Documento Fabulo - vecchia versione",
                                               "LCP NRAX NRXP Palette Colori Fabulo", "ACT NRAX NRXA Attore Fabulo"}));
    // Help command 1001 writes the texts beside the program.
    KMenuItemPtr item(new KMenuItem);
    item->setID(1001);
    KMenuEventPtr command(new KMenuEvent);
    command->setMenuItem(*item);
    app.handleCommand(*command);
    const Bytes database = readBytes(run.programFile("LM_LOCALIZER_DATABASE.KLF"));
    EXPECT_EQ(std::string(database.begin(), database.begin() + std::min<size_t>(4, database.size())), "K!LF");
    // The kinds old documents name their media by.
    ASSERT_NE(OldFileTypes::findByType("MooV"), nullptr);
    EXPECT_EQ(OldFileTypes::findByType("MooV")->extension + " " + std::to_string(OldFileTypes::getCount()), "MOV 5");

    // The about box speaks the interface's language; the keyboard help's picture follows
    // the language set.
    app.showAbout();
    KAboutDialogPtr about = openDialog<KAboutDialog>();
    ASSERT_TRUE(about.hasObject(nullptr));
    EXPECT_EQ(textOf(about->getTitle()), "Informazioni su Fabulo");
    EXPECT_EQ(textOf(about->getTextDisplay().getTextBlock().getLineAt(6).getText()), "Fabulo v3.1.3");
    about->close();
    const std::pair<const char*, short> pictures[] = {
        {"Fran\xE7" "ais", KeyListHelpDialog::kFrenchPicture}, {"Deutsch", KeyListHelpDialog::kGermanPicture},
        {"Italiano", KeyListHelpDialog::kItalianPicture}, {"English", KeyListHelpDialog::kEnglishPicture},
        {"Espa\xF1ol", KeyListHelpDialog::kEnglishPicture}};
    for (const auto& [language, picture] : pictures) {
        app.setLanguage(KString(language, kPlatformWindows));
        KeyListHelpDialogPtr keys = new KeyListHelpDialog;
        EXPECT_EQ(keys->getPictureResource(), picture) << language;
        // The program holds the picture.
        EXPECT_EQ(keys->getPicture().getImage().getSize(), KGraphicSize(500, 292)) << language;
    }
}

} // namespace
