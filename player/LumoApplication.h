#pragma once
// The player's application object. It registers every class that files and the framework
// create by name, runs the start-up (libraries, texts, preferences, document types, media,
// menu bar, command line, the splash held for a moment) and the shut-down, and owns the
// application localiser, the current project, the document file types, the preference
// values and the window mode. It hosts the story engine, which finds it as the
// application and asks it for its texts, speech preferences, page size, alerts, project and
// actor file type.
#include "application/KApplication.h"
#include "application/KApplicationEvent.h"
#include "foundation/KDirectory.h"
#include "foundation/KFileType.h"
#include "foundation/KGraphicSize.h"
#include "foundation/KLocalizer.h"
#include "story/LumoProject.h"
#include "story/StoryHost.h"

class KFileReference;
class KPreferences;

class LumoApplication : public KApplication, public StoryHost {
    K_DECLARE_CLASS(LumoApplication)
public:
    // The splash stays up at least this long after start-up began.
    static constexpr uint32 kMinimumSplashTime = 2000;

    enum WindowMode : uint8 {
        // A window as large as the page, with the menu bar.
        WindowedMode = 0,
        // The window covers the screen at its present resolution; the page is centred.
        BackdropMode = 1,
        // The display takes the page's size, then the window covers it.
        ResolutionChangeMode = 2,
    };

    LumoApplication();
    ~LumoApplication() override;

    // The one application object, in a global pointer.
    static void createApplication();
    // Error 18 when there is none.
    static LumoApplication& getApplication();
    static bool hasApplication();
    static void releaseApplication();

    // The class tables: the player's own and the story engine's classes (each after its
    // parent, the libraries' first), and the classes old documents name.
    static void registerClasses();
    static void registerOldDocumentClasses();
    // The libraries' classes, then the player's: what the constructor registers unless
    // the registry holds them already (a test program registers all before it starts).
    static void registerAllClasses();

    // The text of Key in the application localiser; the key itself while there is no
    // application or localiser.
    static KString localize(const char* Key);
    // The voice speeches start with ("LastUsedVoice"); empty while there is no
    // application.
    static KString getCurrentVoice();

    // What the story engine asks. The texts come from the application localiser, the
    // speech preferences from "LastUsedVoice", "SpeechSpeed" and "CustomSpeechSpeed", and
    // the page size of new tapes from "NewDocW" and "NewDocH". Each alert shows once in
    // the application's life.
    KString getLocalizedText(const char* Key) const override;
    KString getSpeechVoice() const override { return m_lastUsedVoice; }
    KGraphicSize getNewDocumentSize() const override;
    void warnNoSpeech() override;
    void warnNoQuickTime() override;

    // The framework's hooks.
    bool handleEvent(KEvent& E) override;
    KEventReturn doAbout(KMenuEvent& E) override;
    KEventReturn doHelp(KMenuEvent& E) override { return handleCommand(E); }
    KEventReturn doMenuItem(KMenuEvent& E) override;
    KEventReturn doMenuOpening(KMenuEvent& E) override;
    KEventReturn mouseMove(KMouseEvent& E) override { return mouseMoved(E); }
    KEventReturn paint(KWindowEvent& E) override;
    KEventReturn doControlAction(KControlActionEvent& E) override;
    KEventReturn deactivate(KApplicationEvent& E) override;
    KEventReturn activate(KApplicationEvent& E) override;
    KEventReturn openDocument(KApplicationEvent& E) override { return openDocumentEvent(E); }
    KEventReturn quitRequest(KApplicationEvent& E) override { return quitRequested(E); }
    void doStart() override { initApplication(); }
    void doQuit() override { quitApplication(); }
    // Not handled: the framework tells the user and the process ends.
    bool handleFatalError(const char* Caption, const char* Text) override;

    // The hooks under the player's own names.
    // Help-menu commands by item ID: 1000 the keyboard help, 1001 writes the localiser's
    // database beside the program.
    KEventReturn handleCommand(KMenuEvent& E);
    // A mouse move that nothing else took: the pointer shows again while a story plays.
    KEventReturn mouseMoved(KMouseEvent& E);
    // Opens the document the event carries, and plays it at once when the command line
    // asked for that.
    KEventReturn openDocumentEvent(KApplicationEvent& E);
    // 2: the program may quit.
    KEventReturn quitRequested(KApplicationEvent& E);
    void initApplication();
    void quitApplication();

    virtual void setLocalizer(KLocalizer& L);
    virtual void resetLocalizer();
    virtual void setProject(LumoProject& P);
    virtual void resetProject();
    virtual void showAbout();

    // The application localiser (the framework's is KApplication::getLocalizer); error
    // 18 when none is set.
    KLocalizer& getLocalizer() const { return m_localizer.getObject(); }
    bool hasLocalizer() const { return m_localizer.hasObject(nullptr); }
    // Makes the localiser with the player's texts in four languages and installs it.
    void buildLocalizer();
    // The current project; error 18 when none is open.
    LumoProject& getProject() const override { return m_project.getObject(); }
    bool hasProject() const override { return m_project.hasObject(nullptr); }

    // The menu bar: "File" with "Exit", "Animate", and the Help menu's About entry.
    void createMenuBar();
    // The menu bar off the main window and back; the main window's Shift+M while full
    // screen. Stopping a story leaves a bar hidden this way hidden.
    void hideMenuBar();
    void showMenuBar();
    bool isMenuBarHidden() const { return m_menuBarHidden; }
    // While a dialog is open the menus grey themselves and Shift+M does nothing.
    static bool isModalWindowOpen();

    // The preferences, in the registry set "MainPreferences".
    void loadPreferences();
    void savePreferences();
    // Sets the fourteen values into Set, in the order they are saved.
    void writePreferences(KPreferences& Set) const;
    void setSpeechSpeed(short Speed) { m_speechSpeed = Speed; }
    void setCustomSpeechSpeed(bool On) { m_customSpeechSpeed = On; }
    // Takes effect at the next start.
    void setLanguage(const KString& Language) { m_applicationLanguage = Language; }
    KString getLanguage() const { return m_applicationLanguage; }

    // Window modes. applyWindowMode compares the current project's page with the screen,
    // changes or restores the display mode and lays the main window out; setWindowMode
    // stores a mode and applies it.
    void applyWindowMode();
    void setWindowMode(uint8 Mode);
    void layoutMainWindow(bool FullScreen);
    bool isFullScreenLayout() const { return m_fullScreenLayout; }

    // Reads the command line: the document to open at once, and how to play and show it.
    // Gives the open-document event to post once the main window shows, or none.
    KApplicationEventPtr handleCommandLine();
    // "data.TPD" beside the program: played at once when the command line names nothing.
    static KFileReference getDefaultDocument();

    KFileTypeID getProjectFileType() const { return m_projectFileType; }
    KFileTypeID getOldProjectFileType() const { return m_oldProjectFileType; }
    KFileTypeID getPaletteFileType() const { return m_paletteFileType; }
    KFileTypeID getActorFileType() const override { return m_actorFileType; }
    void setActorFileType(KFileTypeID Type) { m_actorFileType = Type; }

    bool getChildMode() const { return m_childMode; }
    bool getAllowDuplicatedActors() const { return m_allowDuplicatedActors; }
    void setAllowDuplicatedActors(bool On) { m_allowDuplicatedActors = On; }
    bool getAutoEdit() const { return m_autoEdit; }
    bool getHighlightElements() const { return m_highlightElements; }
    const KString& getLastUsedVoice() const { return m_lastUsedVoice; }
    void setLastUsedVoice(const KString& Voice) { m_lastUsedVoice = Voice; }
    const KString& getDefaultColorPalette() const { return m_defaultColorPalette; }
    const KDirectory& getDocumentFolder() const { return m_docFolder; }
    short getSpeechSpeed() const override { return m_speechSpeed; }
    bool getCustomSpeechSpeed() const override { return m_customSpeechSpeed; }
    uint8 getWindowMode() const { return m_editingWindowModePlayer; }
    bool getLimitActorSize() const { return m_limitActorSize; }
    long getNewDocW() const { return m_newDocW; }
    long getNewDocH() const { return m_newDocH; }
    void setNewDocumentSize(long Width, long Height);
    bool getAutoPlay() const { return m_autoPlay; }
    bool getQuitAfterPlay() const { return m_quitAfterPlay; }

private:
    // Shows Text under the program's name unless Shown says it already did.
    void alertOnce(bool& Shown, const char* Text);
    // The documents folder with the localised "Narrabo Projects" in it, made when missing.
    void makeDocumentFolder();
    void registerDocumentTypes();
    // Runs the main loop until the splash has been up for its minimum time.
    void holdSplash(uint32 StartTime);
    // The display mode for the page, when one fits; mode 2.
    void changeDisplayModeFor(const KGraphicSize& Page);

    KLocalizerPtr m_localizer;
    LumoProjectPtr m_project;
    KFileTypeID m_projectFileType = kNoFileType;
    KFileTypeID m_oldProjectFileType = kNoFileType;
    KFileTypeID m_paletteFileType = kNoFileType;
    KFileTypeID m_actorFileType = kNoFileType;
    bool m_childMode = false;
    bool m_allowDuplicatedActors = false;
    bool m_autoEdit = false;
    bool m_highlightElements = true;
    KString m_applicationLanguage;
    KString m_lastUsedVoice;
    KString m_defaultColorPalette;
    KDirectory m_docFolder;
    short m_speechSpeed = kOwnSpeechSpeed;
    bool m_customSpeechSpeed = false;
    uint8 m_editingWindowModePlayer = ResolutionChangeMode;
    bool m_limitActorSize = true;
    long m_newDocW = kDefaultNewDocumentWidth;
    long m_newDocH = kDefaultNewDocumentHeight;
    bool m_fullScreenLayout = false;
    bool m_speechAlertShown = false;
    bool m_quickTimeAlertShown = false;
    bool m_autoPlay = false;
    bool m_quitAfterPlay = false;
    bool m_menuBarHidden = false;
};

K_POINTER_CLASS(LumoApplication, KApplicationPtr);
