#include "player/LumoApplication.h"

#include "application/KApplicationEvent.h"
#include "application/KCursorManager.h"
#include "application/KMenuBar.h"
#include "application/KMenuEvent.h"
#include "application/KMenuItem.h"
#include "application/KMenuManager.h"
#include "application/KMouseEvent.h"
#include "application/KWindowManager.h"
#include "foundation/KFileSystem.h"
#include "foundation/KFileTypeHandler.h"
#include "foundation/KPreferences.h"
#include "foundation/KTimer.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KColor.h"
#include "graphics/KFont.h"
#include "multimedia/KMediaManager.h"
#include "multimedia/KMultiMediaLibrary.h"
#include "multimedia/KSpeechSupport.h"
#include "multimedia/MultimediaClasses.h"
#include "player/AdvancedPrefsDialog.h"
#include "player/AnimMenu.h"
#include "player/FileMenu.h"
#include "player/KeyListHelpDialog.h"
#include "player/LumoAboutDialog.h"
#include "player/LumoActions.h"
#include "player/LumoTextTable.h"
#include "player/LumoVersion.h"
#include "player/LumoWindow.h"
#include "player/SetupDialog.h"
#include "speechextras/KSpeechExtrasLibrary.h"
#include "story/LumoText.h"
#include "story/StoryClasses.h"
#include "story/oldformat/OldDocumentClasses.h"
#include "story/oldformat/OldFileTypes.h"
#include "tools/KToolsLibrary.h"
#include "tools/dialogs/KAboutDialog.h"

K_DEFINE_CLASS(LumoApplication, KApplication, 1)

namespace {
LumoApplicationPtr s_application;

const char* const kMailslotName = "Fabulo 3";
const char* const kDefaultLanguage = "Deutsch";
const char* const kPreferenceSet = "MainPreferences";
const char* const kDefaultDocumentName = "data";
const char* const kLocalizerDatabaseName = "LM_LOCALIZER_DATABASE";
const char* const kLocalizerDatabaseExtension = "KLF";
constexpr long kKeyboardHelpCommand = 1000;
constexpr long kWriteTextsCommand = 1001;
// The about box shows the splash picture.
constexpr short kAboutPicture = 257;
// The page of the window layout while the window shows no tape.
constexpr short kEmptyPageWidth = 640;
constexpr short kEmptyPageHeight = 480;
// The window layout keeps the window this far inside the right and bottom edges...
constexpr short kScreenEdgeMargin = 10;
// ...and no nearer than this to the left and top edges, unless it already was.
constexpr short kScreenEdgeClearance = 30;

KString pathText(const KPath& Path)
{
    KString text;
    Path.getPathText(text, kPlatformWindows, KPath::AsStored);
    return text;
}

// "Color Palettes\Nuvola Colors.LCP".
KString defaultPalettePath()
{
    KPath path;
    path.addDirectory(KString("Color Palettes"));
    path.setName(KString("Nuvola Colors"));
    path.setExtension(KString("LCP"));
    return pathText(path);
}

KGraphicSize screenSize()
{
    return KGraphicSize(static_cast<short>(knsGetScreenWidth()), static_cast<short>(knsGetScreenHeight()));
}

KGraphicRectangle screenRectangle()
{
    const KGraphicSize screen = screenSize();
    return KGraphicRectangle(0, 0, screen.getWidth(), screen.getHeight());
}

// A file named Name.Extension in the program's folder.
KFileReference besideProgram(const char* Name, const KString& Extension)
{
    KPath path(KFileSystem::getFileSystem().applicationDirectory.getPath());
    path.setName(KString(Name));
    path.setExtension(Extension);
    return KFileReference(path);
}

// The windowed layout's place for a page of Page size: centred on the window's present
// place, kept inside the screen's right and bottom edges and off its left and top edges.
KGraphicRectangle placeWindow(const KGraphicSize& Page, const KGraphicRectangle& Current, const KGraphicSize& Screen)
{
    KGraphicRectangle place(0, 0, Page.getWidth(), Page.getHeight());
    place.centerIn(Current);
    short h = place.getH();
    short v = place.getV();
    if (h + place.getWidth() > Screen.getWidth())
        h = static_cast<short>(Screen.getWidth() - place.getWidth() - kScreenEdgeMargin);
    if (v + place.getHeight() > Screen.getHeight())
        v = static_cast<short>(Screen.getHeight() - place.getHeight() - kScreenEdgeMargin);
    if (h < kScreenEdgeClearance)
        h = Current.getH();
    if (v < kScreenEdgeClearance)
        v = Current.getV();
    place.setOrigin(h, v);
    return place;
}

template <typename X>
void registerUnlessPresent(const char* Name)
{
    if (!kksIsClassRegistered(Name))
        X::registerClass();
}
} // namespace

LumoApplication::LumoApplication()
    : m_applicationLanguage(kDefaultLanguage)
    , m_defaultColorPalette(defaultPalettePath())
{
    setMailslotName(KString(kMailslotName));
    registerAllClasses();
}

LumoApplication::~LumoApplication()
{
    resetProject();
    resetLocalizer();
}

void LumoApplication::createApplication()
{
    LumoApplicationPtr application(new LumoApplication);
    s_application = application;
}

LumoApplication& LumoApplication::getApplication() { return s_application.getObject(); }
bool LumoApplication::hasApplication() { return s_application.hasObject(nullptr); }
void LumoApplication::releaseApplication()
{
    // The framework's own reference goes too, so that the object goes now.
    const bool current = KApplication::getApplication() == s_application.get();
    s_application.reset();
    if (current)
        KApplication::releaseApplication();
}

// Classes ---------------------------------------------------------------------------------

void LumoApplication::registerAllClasses()
{
    KToolsLibrary::registerClasses();
    KMultiMediaLibrary::registerClasses();
    KSpeechExtrasLibrary::registerClasses();
    registerClasses();
}

void LumoApplication::registerClasses()
{
    // Files name these classes, so the names are part of the document format.
    registerUnlessPresent<LumoApplication>("LumoApplication");
    registerUnlessPresent<LumoWindow>("LumoWindow");
    registerUnlessPresent<FileMenu>("FileMenu");
    registerUnlessPresent<AnimMenu>("AnimMenu");
    if (!kksIsClassRegistered("ActorSequence"))
        registerStoryClasses();
    registerUnlessPresent<SetupDialog>("SetupDialog");
    registerUnlessPresent<AdvancedPrefsDialog>("AdvancedPrefsDialog");
    registerUnlessPresent<ZAboutDialog>("ZAboutDialog");
    registerUnlessPresent<LumoAboutDialog>("LumoAboutDialog");
    registerUnlessPresent<KeyListHelpDialog>("KeyListHelpDialog");
}

void LumoApplication::registerOldDocumentClasses()
{
    ::registerOldDocumentClasses();
    OldFileTypes::registerTypes();
}

// Texts and the story engine's questions --------------------------------------------------------

KString LumoApplication::localize(const char* Key)
{
    return hasApplication() ? getApplication().getLocalizedText(Key) : KString(Key);
}

KString LumoApplication::getCurrentVoice() { return hasApplication() ? getApplication().getSpeechVoice() : KString(); }

KString LumoApplication::getLocalizedText(const char* Key) const
{
    const KString key(Key);
    return hasLocalizer() ? getLocalizer().getText(key) : key;
}

KGraphicSize LumoApplication::getNewDocumentSize() const
{
    return KGraphicSize(static_cast<short>(m_newDocW), static_cast<short>(m_newDocH));
}

void LumoApplication::warnNoSpeech() { alertOnce(m_speechAlertShown, "No Speech Synthesis is installed!"); }
void LumoApplication::warnNoQuickTime() { alertOnce(m_quickTimeAlertShown, "QuickTime is not installed!"); }

void LumoApplication::alertOnce(bool& Shown, const char* Text)
{
    if (Shown)
        return;
    Shown = true;
    knsMessageBox(getLocalizedText("Narrabo"), getLocalizedText(Text));
}

void LumoApplication::setLocalizer(KLocalizer& L) { m_localizer.setObject(L); }
void LumoApplication::resetLocalizer() { m_localizer.reset(); }
void LumoApplication::setProject(LumoProject& P) { m_project.setObject(P); }
void LumoApplication::resetProject() { m_project.reset(); }

void LumoApplication::setNewDocumentSize(long Width, long Height)
{
    m_newDocW = Width;
    m_newDocH = Height;
}

// Hooks -------------------------------------------------------------------------------------

bool LumoApplication::handleEvent(KEvent&) { return true; }
KEventReturn LumoApplication::doMenuItem(KMenuEvent&) { return 1; }
KEventReturn LumoApplication::doMenuOpening(KMenuEvent&) { return 1; }
KEventReturn LumoApplication::paint(KWindowEvent&) { return 1; }
KEventReturn LumoApplication::doControlAction(KControlActionEvent&) { return 0; }
KEventReturn LumoApplication::deactivate(KApplicationEvent&) { return 0; }
KEventReturn LumoApplication::activate(KApplicationEvent&) { return 0; }
bool LumoApplication::handleFatalError(const char*, const char*) { return false; }

KEventReturn LumoApplication::doAbout(KMenuEvent&)
{
    showAbout();
    return 1;
}

void LumoApplication::showAbout()
{
    KAboutDialogPtr about(new KAboutDialog);
    about->setDialogTitle(localize("About Narrabo"));
    about->setImageResourceID(kAboutPicture);
    const KString empty;
    for (int i = 0; i < 6; ++i)
        about->addTextLine(empty);
    about->addTextLine(localize("Narrabo") + " v" + kLumoVersion);
    about->addTextLine(KString("(") + kLumoBuildDate + " " + kLumoBuildTime + ")");
    for (int i = 0; i < 7; ++i)
        about->addTextLine(empty);
    about->addTextLine(localize("Many thanks to all teachers and therapists involved in the project"));
    about->addTextLine(empty);
    about->addTextLine(empty);
    // Shown without waiting; the window manager keeps it until its OK closes it.
    about->open(KWindow::OpenShown);
}

KEventReturn LumoApplication::handleCommand(KMenuEvent& E)
{
    const long command = E.hasMenuItem() ? E.getMenuItem().getID() : -1;
    if (command == kKeyboardHelpCommand) {
        // Open, it stays with the window manager.
        KeyListHelpDialogPtr help(new KeyListHelpDialog);
        help->openDialog();
    } else if (command == kWriteTextsCommand && hasLocalizer()) {
        getLocalizer().writeDatabase(besideProgram(kLocalizerDatabaseName, KString(kLocalizerDatabaseExtension)));
    }
    return 1;
}

KEventReturn LumoApplication::mouseMoved(KMouseEvent&)
{
    if (LumoWindow::hasMainWindow()) {
        LumoWindow& window = LumoWindow::getMainWindow();
        if (window.hasTape() && window.getTape().getPlayState() != Tape::Stopped) {
            if (KCursorManager::exists())
                KCursorManager::get().showCursor();
            window.restartCursorTimer();
        }
    }
    return 1;
}

KEventReturn LumoApplication::openDocumentEvent(KApplicationEvent& E)
{
    const auto* carried = E.hasObject() ? dynamic_cast<const KDiskObjectReference*>(&E.getObject()) : nullptr;
    if (!carried || !LumoActions::exists())
        return 1;
    const KFileReference document(*carried);
    if (LumoWindow::hasMainWindow()) {
        LumoWindow& window = LumoWindow::getMainWindow();
        if (window.hasTape() && window.getTape().getPlayState() != Tape::Stopped)
            window.getTape().stop();
    }
    LumoActions& actions = LumoActions::getInstance();
    const bool opened = actions.openDocument(document);
    if (!m_autoPlay)
        return 1;
    if (opened)
        actions.play(false, false, m_quitAfterPlay);
    // A story that was to play and quit, but was refused or holds nothing to play, ends
    // the program as its end would have; nobody is there to close the empty window.
    const uint8 state = LumoWindow::hasMainWindow() ? LumoWindow::getMainWindow().getPlayState() : uint8(LumoWindow::NoStory);
    if (m_quitAfterPlay && state != LumoWindow::Playing && state != LumoWindow::Paused)
        quit();
    return 1;
}

KEventReturn LumoApplication::quitRequested(KApplicationEvent&)
{
    return LumoActions::exists() ? LumoActions::getInstance().getMode() : 2;
}

// Start-up and shut-down --------------------------------------------------------------------

void LumoApplication::initApplication()
{
    const uint32 start = knsGetTicks();
    registerOldDocumentClasses();
    KToolsLibrary::openToolsLibrary();
    KMultiMediaLibrary::create();
    KSpeechExtrasLibrary::create();
    buildLocalizer();
    loadPreferences();

    getLocalizer().setLanguage(m_applicationLanguage);
    setSplashText(KString("Fabulo v") + kLumoVersion + " " + localize("Loading..."));
    if (KApplication::hasLocalizer())
        KApplication::getLocalizer().setLanguage(m_applicationLanguage);
    KToolsLibrary::getToolsLibrary().getLocalizer().setLanguage(m_applicationLanguage);
    KMultiMediaLibrary::initFileTypeNames(m_applicationLanguage);
    KSpeechExtrasLibrary::getLibrary().setLanguage(m_applicationLanguage);

    makeDocumentFolder();
    registerDocumentTypes();
    KMediaManager::initMediaSupport(KMediaManager::SpeechSupport | KMediaManager::MovieSupport
                                    | KMediaManager::SoundSupport);
    if (KSpeechSupport::hasSpeechSupport())
        m_lastUsedVoice = KSpeechSupport::getSpeechSupport().getDefaultVoice();
    createMenuBar();
    LumoText::setDefaultFont(KFont(KString("Arial"), 24.0, kPlatformWindows));
    LumoText::setDefaultTextColor(KColor(kBlack));
    LumoText::setDefaultBackgroundColor(KColor(kWhite));
    LumoText::setDefaultAlignment(0);
    LumoActions::create();
    KApplicationEventPtr open = handleCommandLine();

    TapePtr tape(new Tape);
    if (LumoWindow::hasMainWindow()) {
        LumoWindow::getMainWindow().setTape(*tape);
        if (m_editingWindowModePlayer != WindowedMode || tape->getPageSize().getHeight() == knsGetScreenHeight())
            layoutMainWindow(true);
    }
    holdSplash(start);
    closeSplash();
    if (LumoWindow::hasMainWindow()) {
        LumoWindow& window = LumoWindow::getMainWindow();
        window.show(true);
        window.buildContents();
        tape->setSpriteSystem(window.getSpriteSystem());
    }
    if (KCursorManager::exists())
        KCursorManager::get().setCursor(KCursorManager::ArrowCursor);
    // The document opens once the window shows.
    if (open.hasObject(nullptr))
        KApplicationEvent::post(*open);
}

void LumoApplication::holdSplash(uint32 StartTime)
{
    // The main loop runs meanwhile, so the splash paints and the program stays
    // responsive; a timer wakes the loop when the time is up.
    KTimerPtr wake(new KTimer);
    wake->setRepeating(false);
    for (uint32 elapsed = knsGetTicks() - StartTime; elapsed < kMinimumSplashTime;
         elapsed = knsGetTicks() - StartTime) {
        if (!wake->isRunning()) {
            wake->setPeriod(static_cast<long>(kMinimumSplashTime - elapsed));
            wake->start();
        }
        processEvents();
    }
    wake->stop();
}

void LumoApplication::quitApplication()
{
    savePreferences();
    // A story still playing stops before the media it plays go.
    if (LumoWindow::hasMainWindow() && LumoWindow::getMainWindow().hasTape())
        LumoWindow::getMainWindow().getTape().stop();
    LumoActions::destroy();
    KMultiMediaLibrary::release();
    KToolsLibrary::closeToolsLibrary();
    KSpeechExtrasLibrary::release();
    knsRestoreScreenSettings();
    if (LumoWindow::hasMainWindow())
        LumoWindow::getMainWindow().close();
}

void LumoApplication::buildLocalizer()
{
    KLocalizerPtr localizer(new KLocalizer);
    setLocalizer(*localizer);
    localizer->setAutoAddKeys(true);
    LumoTextTable::fill(*localizer);
}

void LumoApplication::makeDocumentFolder()
{
    KPath path(KFileSystem::getFileSystem().documentsDirectory.getPath());
    path.addDirectory(localize("Narrabo Projects"));
    m_docFolder = KDirectory(path);
    if (!m_docFolder.exists())
        m_docFolder.create();
}

void LumoApplication::registerDocumentTypes()
{
    const KString creator("NRAX");
    m_projectFileType = KFileTypeHandler::makeAssociation(KString("TPD"), creator, KString("NRXT"),
                                                          localize("Narrabo Document"));
    m_oldProjectFileType = KFileTypeHandler::makeAssociation(KString("LMT"), KString("LUMP"), KString("LTAP"),
                                                             localize("Narrabo Document - Old Version"));
    m_paletteFileType = KFileTypeHandler::makeAssociation(KString("LCP"), creator, KString("NRXP"),
                                                          localize("Narrabo Color Palette"));
    m_actorFileType = KFileTypeHandler::makeAssociation(KString("ACT"), creator, KString("NRXA"),
                                                        localize("Narrabo Actor"));
}

// The menu bar ------------------------------------------------------------------------------

void LumoApplication::createMenuBar()
{
    KMenuBarPtr bar(new KMenuBar);
    KMenuPtr file(new FileMenu);
    bar->append(*file);
    bar->appendExitItem(*file, true);
    KMenuPtr animate(new AnimMenu);
    bar->append(*animate);
    // The keyboard help sits in the Help menu, above the About entry.
    bar->makeHelpMenu().appendItem(localize("Help") + "...", kKeyboardHelpCommand);
    bar->appendAbout(localize("About Narrabo Player") + "...");
    KMenuManager::getMenuManager().setMenuBar(*bar);
}

bool LumoApplication::isModalWindowOpen()
{
    return KWindowManager::exists() && KWindowManager::get().getDialogCount() > 0;
}

void LumoApplication::hideMenuBar()
{
    m_menuBarHidden = true;
    if (KMenuManager::exists())
        KMenuManager::getMenuManager().hideMenuBar();
}

void LumoApplication::showMenuBar()
{
    m_menuBarHidden = false;
    if (KMenuManager::exists())
        KMenuManager::getMenuManager().showMenuBar(true);
}

// Preferences --------------------------------------------------------------------------------

void LumoApplication::savePreferences()
{
    KPreferencesPtr preferences(new KPreferences);
    writePreferences(*preferences);
    preferences->save(KString(kPreferenceSet));
}

void LumoApplication::writePreferences(KPreferences& Set) const
{
    Set.setBool(KString("ChildMode"), m_childMode);
    Set.setString(KString("DefaultColorPalette"), m_defaultColorPalette);
    Set.setString(KString("LastUsedVoice"), m_lastUsedVoice);
    Set.setString(KString("ApplicationLanguage"), m_applicationLanguage);
    Set.setString(KString("DocFolder"), pathText(m_docFolder.getPath()));
    Set.setShort(KString("SpeechSpeed"), m_speechSpeed);
    Set.setBool(KString("CustomSpeechSpeed"), m_customSpeechSpeed);
    Set.setBool(KString("AllowDuplicatedActors"), m_allowDuplicatedActors);
    Set.setLong(KString("EditingWindowModePlayer"), m_editingWindowModePlayer);
    Set.setBool(KString("LimitActorSize"), m_limitActorSize);
    Set.setBool(KString("AutoEdit"), m_autoEdit);
    Set.setBool(KString("HighlightElements"), m_highlightElements);
    Set.setLong(KString("NewDocW"), m_newDocW);
    Set.setLong(KString("NewDocH"), m_newDocH);
}

void LumoApplication::loadPreferences()
{
    KPreferencesPtr preferences(new KPreferences);
    const KString set(kPreferenceSet);
    if (!preferences->exists(set)) {
        // The first start writes the defaults.
        savePreferences();
        return;
    }
    preferences->load(set);
    m_childMode = preferences->getBool(KString("ChildMode"));
    preferences->getString(m_defaultColorPalette, KString("DefaultColorPalette"));
    preferences->getString(m_lastUsedVoice, KString("LastUsedVoice"));
    preferences->getString(m_applicationLanguage, KString("ApplicationLanguage"));
    KString folder;
    preferences->getString(folder, KString("DocFolder"));
    const KString speed("SpeechSpeed");
    if (preferences->hasVariable(speed))
        m_speechSpeed = preferences->getShort(speed);
    m_allowDuplicatedActors = preferences->getBool(KString("AllowDuplicatedActors"));
    m_customSpeechSpeed = preferences->getBool(KString("CustomSpeechSpeed"));
    if (!folder.isEmpty()) {
        KPath path;
        path.setPathText(folder, kPlatformWindows);
        m_docFolder.setPath(path);
    }
    m_editingWindowModePlayer = static_cast<uint8>(preferences->getLong(KString("EditingWindowModePlayer")));
    m_limitActorSize = preferences->getBool(KString("LimitActorSize"));
    m_autoEdit = preferences->getBool(KString("AutoEdit"));
    m_highlightElements = preferences->getBool(KString("HighlightElements"));
    m_newDocW = preferences->getLong(KString("NewDocW"));
    m_newDocH = preferences->getLong(KString("NewDocH"));
    if (m_newDocW == 0)
        m_newDocW = kDefaultNewDocumentWidth;
    if (m_newDocH == 0)
        m_newDocH = kDefaultNewDocumentHeight;
}

// Window modes ------------------------------------------------------------------------------

void LumoApplication::setWindowMode(uint8 Mode)
{
    m_editingWindowModePlayer = Mode;
    applyWindowMode();
    if (hasMainWindow())
        getMainWindow().invalidate();
}

void LumoApplication::applyWindowMode()
{
    const bool hasPage = hasProject() && getProject().hasTape();
    const KGraphicSize page = hasPage ? getProject().getTape().getPageSize() : KGraphicSize();
    switch (m_editingWindowModePlayer) {
    case BackdropMode:
        knsRestoreScreenSettings();
        layoutMainWindow(true);
        break;
    case ResolutionChangeMode:
        if (hasPage)
            changeDisplayModeFor(page);
        layoutMainWindow(true);
        break;
    default: {
        knsRestoreScreenSettings();
        const KGraphicSize screen = screenSize();
        layoutMainWindow(hasPage && (page.getWidth() >= screen.getWidth() || page.getHeight() >= screen.getHeight()));
        break;
    }
    }
}

void LumoApplication::changeDisplayModeFor(const KGraphicSize& Page)
{
    if (Page == screenSize())
        return;
    short depth = static_cast<short>(knsGetScreenDepth());
    KGraphicSize mode = knsChooseDisplayMode(Page.getWidth(), Page.getHeight(), depth);
    if (mode.getWidth() == 0 || mode.getHeight() == 0) {
        depth = 16;
        mode = knsChooseDisplayMode(Page.getWidth(), Page.getHeight(), depth);
    }
    // No display mode holds the page: the display stays as it is, and the page is shown
    // full screen at the present resolution.
    if (mode.getWidth() == 0 || mode.getHeight() == 0)
        return;
    knsChangeScreenSettings(mode.getWidth(), mode.getHeight(), depth);
}

void LumoApplication::layoutMainWindow(bool FullScreen)
{
    if (!LumoWindow::hasMainWindow())
        return;
    LumoWindow& window = LumoWindow::getMainWindow();
    KMenuManager* menus = KMenuManager::exists() ? &KMenuManager::getMenuManager() : nullptr;
    KSpriteSystem* compositor = window.hasSpriteSystem() ? &window.getSpriteSystem().getSpriteSystem() : nullptr;
    const KGraphicRectangle screen = screenRectangle();

    if (FullScreen) {
        if (!m_fullScreenLayout)
            window.rememberBounds();
        if (menus)
            menus->attachMenuBar(false);
        window.resize(screen);
        KGraphicRectangle page(screen);
        if (window.hasTape())
            page.setSize(window.getTape().getPageSize());
        if (compositor) {
            if (compositor->getBounds() != page)
                compositor->setBounds(page);
            page.centerIn(screen);
            compositor->setTargetRect(page);
            window.redrawTape(true);
        }
        m_fullScreenLayout = true;
        return;
    }

    const bool leavingFullScreen = m_fullScreenLayout;
    if (menus) {
        menus->attachMenuBar(true);
        menus->showMenuBar(true);
    }
    KGraphicRectangle page(0, 0, kEmptyPageWidth, kEmptyPageHeight);
    if (window.hasTape())
        page.setSize(window.getTape().getPageSize());
    if (compositor) {
        if (compositor->getBounds() != page)
            compositor->setBounds(page);
        compositor->setTargetRect(page);
        window.redrawTape(true);
    }
    if (leavingFullScreen) {
        // Back to the very frame the window had before it went full screen.
        if (page.getSize() == window.getWindowedBounds().getSize()) {
            window.resize(window.getWindowedBounds());
        } else {
            page.centerIn(screen);
            window.resize(page);
        }
    } else {
        window.resize(placeWindow(page.getSize(), window.getBounds(), screen.getSize()));
    }
    m_fullScreenLayout = false;
}

// The command line ---------------------------------------------------------------------------

KFileReference LumoApplication::getDefaultDocument()
{
    KString extension("TPD");
    if (hasApplication())
        KFileTypeHandler::getExtension(extension, getApplication().m_projectFileType);
    return besideProgram(kDefaultDocumentName, extension);
}

KApplicationEventPtr LumoApplication::handleCommandLine()
{
    KApplicationEventPtr open;
    KFileReferencePtr document;
    const KBag& arguments = getArguments();
    if (arguments.getCount() == 0) {
        document = new KFileReference(getDefaultDocument());
    } else {
        KPath path;
        path.setPathText(static_cast<const KString&>(arguments[0]), kPlatformWindows);
        document = new KFileReference(path);
    }
    // Switches count only for a document that is there.
    if (!document->exists())
        return open;
    m_autoPlay = true;
    m_quitAfterPlay = true;
    open = new KApplicationEvent;
    open->setType(KApplicationEvent::OpenDocument);
    open->setObject(*document);
    if (arguments.getCount() == 0)
        return open;
    const KBag& switches = getSwitches();
    for (long i = 0; i < switches.getCount(); ++i) {
        KString name(static_cast<const KString&>(switches[i]));
        name.toUpper();
        if (name == "P")
            open->setType(KApplicationEvent::ApplicationRequest);
        else if (name == "S")
            m_autoPlay = true;
        else if (name == "B")
            m_editingWindowModePlayer = BackdropMode;
        else if (name == "F")
            m_editingWindowModePlayer = ResolutionChangeMode;
        else if (name == "W")
            m_editingWindowModePlayer = WindowedMode;
        else if (name == "Q")
            m_quitAfterPlay = true;
    }
    return open;
}
