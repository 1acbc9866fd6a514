#include "application/KApplication.h"

#include "application/FrameworkClasses.h"
#include "application/FrameworkTexts.h"
#include "application/KApplicationEvent.h"
#include "application/KClipboardManager.h"
#include "application/KCursorManager.h"
#include "application/KDialogHandler.h"
#include "application/KKeyboardManager.h"
#include "application/KMenuManager.h"
#include "application/KTimerManager.h"
#include "application/KWindowManager.h"
#include "application/MailslotWin32.h"
#include "application/MessagePumpWin32.h"
#include "application/SplashWindowWin32.h"
#include "foundation/KFileSystem.h"
#include "foundation/KFileTypeHandler.h"
#include "foundation/KernelFunctions.h"
#include "foundation/OperatingSystemWin32.h"
#include "graphics/KPrintingManager.h"

namespace {
// The current application: a plain pointer for the framework to reach it, and the
// counted reference that keeps a heap application alive while it is current.
KApplication* s_current = nullptr;
KApplicationPtr s_currentReference;

bool s_splashRequested = false;

// Closer than this, the next timer is polled for instead of waited for, so that timers of
// a few milliseconds keep their rhythm.
constexpr int32 kShortestWait = 5;

// Appends a heap copy of Count bytes of Text from Start to the bag.
void appendPiece(KBag& Pieces, const KString& Text, long Start, long Count)
{
    KStringPtr piece = new KString(Text.getMid(Start, Count));
    if (piece.hasObject(nullptr))
        Pieces.add(*piece);
}
} // namespace

K_DEFINE_CLASS(KApplication, KThing, 1)

KApplication::KApplication()
{
    // The previous application goes first: its destructor empties the class registry.
    s_currentReference.reset();
    s_current = this;
    if (isOnHeap())
        s_currentReference.setObject(*this);
    m_flags.clearAll();
    m_mainWindow.reset();
    m_name = "KApplication";
    m_buildDate = "Nov 12 2007";
    // A program registers the framework's classes once, here; a registry that already
    // holds them (a test program registers them before anything else) keeps its records.
    if (!KClass::getFirst())
        kksRegisterFrameworkClasses();
    initFileTypes();
    KApplicationEvent::initQueue();
    m_commandLine = knsGetCommandLineString();
}

KApplication::~KApplication()
{
    m_state = Destroyed;
    KApplicationEvent::clearQueue();
    KFileTypeHandler::removeAllAssociations();
    KClass::unregisterAll();
    m_flags.clearAll();
    m_mainWindow.reset();
    if (s_current == this)
        s_current = nullptr;
}

KApplication* KApplication::getApplication() { return s_current; }

void KApplication::releaseApplication() { s_currentReference.reset(); }

bool KApplication::handleEvent(KEvent&) { return false; }

KEventReturn KApplication::doAbout(KMenuEvent&)
{
    knsMessageBox(m_name.getText(), m_buildDate.getText());
    return 0;
}

KEventReturn KApplication::doHelp(KMenuEvent&) { return 0; }
KEventReturn KApplication::doMenuRequest(KMenuEvent&) { return 0; }
KEventReturn KApplication::doMenuItem(KMenuEvent&) { return 0; }
KEventReturn KApplication::doMenuOpening(KMenuEvent&) { return 0; }
KEventReturn KApplication::doCustomMenuItem(KMenuEvent&) { return 0; }
KEventReturn KApplication::mouseEnter(KMouseEvent&) { return 0; }
KEventReturn KApplication::mouseLeave(KMouseEvent&) { return 0; }
KEventReturn KApplication::mouseDown(KMouseEvent&) { return 0; }
KEventReturn KApplication::mouseMove(KMouseEvent&) { return 0; }
KEventReturn KApplication::mouseTick(KMouseEvent&) { return 0; }
KEventReturn KApplication::mouseUp(KMouseEvent&) { return 0; }
KEventReturn KApplication::keyTyped(KKeyEvent&) { return 0; }
KEventReturn KApplication::focusGained(KKeyEvent&) { return 0; }
KEventReturn KApplication::focusLost(KKeyEvent&) { return 0; }
KEventReturn KApplication::paint(KWindowEvent&) { return 0; }
KEventReturn KApplication::windowCloseRequest(KWindowEvent&) { return 2; }
KEventReturn KApplication::windowMoved(KWindowEvent&) { return 0; }
KEventReturn KApplication::windowResized(KWindowEvent&) { return 0; }
KEventReturn KApplication::windowActivated(KWindowEvent&) { return 0; }
KEventReturn KApplication::windowDeactivated(KWindowEvent&) { return 0; }
KEventReturn KApplication::doAction(KActionEvent&) { return 0; }
KEventReturn KApplication::doControlAction(KControlActionEvent&) { return 0; }
KEventReturn KApplication::deactivate(KApplicationEvent&) { return 0; }
KEventReturn KApplication::activate(KApplicationEvent&) { return 0; }
KEventReturn KApplication::openDocument(KApplicationEvent&) { return 0; }
KEventReturn KApplication::doApplicationRequest(KApplicationEvent&) { return 0; }
KEventReturn KApplication::quitRequest(KApplicationEvent&) { return 2; }
KEventReturn KApplication::clipboardChanged(KApplicationEvent&) { return 0; }
KEventReturn KApplication::receivedData(KApplicationEvent&) { return 0; }
void KApplication::doStart() {}
void KApplication::doQuit() {}
bool KApplication::handleFatalError(const char*, const char*) { return false; }

void KApplication::setMailslotName(const KString& Name)
{
    setMailslotNameWin32(Name);
    m_name = Name;
}

void KApplication::setSplashRequested(bool Requested) { s_splashRequested = Requested; }
bool KApplication::isSplashRequested() { return s_splashRequested; }

void KApplication::openSplash()
{
    if (!(m_flags.getFlags() & SplashOpenFlag) && kksOpenSplash())
        m_flags.set(SplashOpenFlag);
}

void KApplication::closeSplash()
{
    if (!(m_flags.getFlags() & SplashOpenFlag))
        return;
    kksCloseSplash();
    m_flags.clear(SplashOpenFlag);
}

void KApplication::setSplashText(const KString& Text)
{
    if (m_flags.getFlags() & SplashOpenFlag)
        kksSetSplashText(Text);
}

void KApplication::addIdleHandler(KThing& Handler)
{
    if (!m_idleHandlers.has(Handler))
        m_idleHandlers.add(Handler);
}

void KApplication::removeIdleHandler(KThing& Handler) { m_idleHandlers.remove(Handler); }

void KApplication::quit()
{
    KApplicationEventPtr request = new KApplicationEvent;
    if (!request.hasObject(nullptr))
        return;
    request->setType(KApplicationEvent::QuitRequest);
    KApplicationEvent::post(*request);
}

void KApplication::postQuitMessage() { kksPostQuitMessage(0); }

void KApplication::run(const KString& MainWindowClassName)
{
    startUp(MainWindowClassName);
    m_state = Starting;
    doStart();
    closeSplash();
    if (KCursorManager::exists())
        KCursorManager::get().setCursor(KCursorManager::ArrowCursor);
    m_flags.set(RunningFlag);
    m_state = Running;
    while (isRunning())
        processEvents();
    shutDown();
}

void KApplication::startUp(const KString& MainWindowClassName)
{
    parseCommandLine();
    initLocalizedStrings();
    if (KClass* managerClass = KClass::findClass(knsGetWindowManagerClassName()))
        createWindowManager(*managerClass);
    if (KClass* windowClass = KClass::findClass(MainWindowClassName.getText()))
        createMainWindow(*windowClass);
    if (s_splashRequested)
        openSplash();
    createSingletons();
    // Whatever the clipboard already holds is news to the application.
    if (KClipboardManager::exists()) {
        KClipboardManager& clipboard = KClipboardManager::getManager();
        clipboard.getObject();
        if (clipboard.holdsObject()) {
            KApplicationEventPtr changed = new KApplicationEvent;
            if (changed.hasObject(nullptr)) {
                changed->setType(KApplicationEvent::ClipboardChanged);
                KApplicationEvent::post(*changed);
            }
        }
    }
    m_flags.set(ActiveFlag);
}

void KApplication::shutDown()
{
    m_state = Quitting;
    doQuit();
    m_state = Quit;
    if (KClipboardManager::exists())
        KClipboardManager::getManager().putObject();
    // The focus element hears once that it lost the focus, wherever it lies.
    if (KKeyboardManager::exists())
        KKeyboardManager::getManager().clearFocusElement();
    if (KWindowManager::exists())
        KWindowManager::get().closeAllWindowsButMain();
    knsRestoreScreenSettings();
    m_idleHandlers.clear();
    destroySingletons();
    closeMainWindow();
    destroyWindowManager();
    resetLocalizer();
}

void KApplication::processEvents()
{
    uint32 timeOut = 0;
    const bool mayBlock = getWaitTime(timeOut);
    step(mayBlock, timeOut);
}

void KApplication::processWaitingOnce(uint32 Longest)
{
    uint32 timeOut = 0;
    const bool mayBlock = getWaitTime(timeOut, false);
    if (mayBlock && Longest > 0 && (timeOut == 0 || timeOut > Longest))
        timeOut = Longest;
    step(mayBlock, timeOut);
}

void KApplication::step(bool MayBlock, uint32 TimeOut)
{
    bool running = true;
    kksGetNativeEvent(MayBlock, running, TimeOut);
    if (!running)
        m_flags.clear(RunningFlag);
    KApplicationEvent::flushQueue();

    // A timer or idle handler that runs a modal loop steps this loop again from inside
    // itself; its busy flag keeps it from being entered a second time.
    if (KTimerManager::exists()) {
        KTimerManagerPtr manager = KTimerManager::getManager();
        if (!manager->isBusy()) {
            manager->setFlags(Busy);
            manager->periodicTask();
            manager->clearFlags(Busy);
        }
    }
    runIdleHandlers();
}

void KApplication::runIdleHandlers()
{
    for (long i = 0; i < m_idleHandlers.getCount(); ++i) {
        KThing& handler = m_idleHandlers[i];
        if (handler.isBusy())
            continue;
        KThingPtr hold(handler);
        handler.setFlags(Busy);
        handler.periodicTask();
        handler.clearFlags(Busy);
    }
}

void KApplication::processIdleOnce()
{
    m_flags.set(NoWaitFlag);
    processEvents();
    m_flags.clear(NoWaitFlag);
}

bool KApplication::hasRunnableIdleHandler() const
{
    for (long i = 0; i < m_idleHandlers.getCount(); ++i) {
        if (!m_idleHandlers[i].isBusy())
            return true;
    }
    return false;
}

bool KApplication::getWaitTime(uint32& TimeOut) const { return getWaitTime(TimeOut, true); }

bool KApplication::getWaitTime(uint32& TimeOut, bool IdleHandlersKeepAwake) const
{
    TimeOut = 0;
    if ((IdleHandlersKeepAwake && hasRunnableIdleHandler()) || (m_flags.getFlags() & NoWaitFlag)
        || KApplicationEvent::getQueueCount() > 0)
        return false;
    // A handler busy below a modal loop is not run by the loop's steps, nor are the timers
    // while the manager is busy firing: neither is a reason to keep the loop awake.
    if (!KTimerManager::exists() || KTimerManager::getManager().getTimerCount() == 0
        || KTimerManager::getManager().isBusy())
        return true;
    const uint32 due = KTimerManager::getManager().getNextDueTime();
    const auto delay = static_cast<int32>(due - knsGetTicks());
    if (delay <= kShortestWait)
        return false;
    // A timer is due once more than its period has passed: the wait ends in the first
    // millisecond after start + period, not at it, or every tick would end in polling.
    TimeOut = static_cast<uint32>(delay) + 1;
    return true;
}

void KApplication::createWindowManager(KClass& WindowManagerClass)
{
    if (KWindowManager::exists())
        kksReportError(93, "void KApplication::createWindowManager(KClass& WindowManagerClass)");
    KWindowManager::create(WindowManagerClass);
}

void KApplication::createMainWindow(KClass& MainWindowClass)
{
    if (hasMainWindow()) {
        kksReportError(92, "void KApplication::createMainWindow(KClass& MainWindowClass)");
        closeMainWindow();
    }
    KThingPtr made = MainWindowClass.createObject();
    if (!made.hasObject(nullptr))
        return;
    if (!made->isEqualOrSubClass(*KWindow::getClassRecord())) {
        kksReportError(18, "void KApplication::createMainWindow(KClass& MainWindowClass)");
        return;
    }
    m_mainWindow = static_cast<KWindow&>(*made);
    m_mainWindow->attachMenuBar(true);
    m_mainWindow->open(KWindow::OpenHidden);
}

void KApplication::closeMainWindow()
{
    if (!hasMainWindow())
        return;
    KWindowPtr window = m_mainWindow;
    window->close();
    m_mainWindow.reset();
}

void KApplication::destroyWindowManager() { KWindowManager::release(); }

void KApplication::createSingletons()
{
    KTimerManager::initManager();
    KFileSystem::initFileSystem();
    KMenuManager::create();
    KPrintingManager::initPrintingManager();
    KClipboardManager::initManager();
    KCursorManager::initManager();
    KKeyboardManager::initManager();
    KDialogHandler::initDialogHandler();
}

void KApplication::destroySingletons()
{
    KDialogHandler::exitDialogHandler();
    KCursorManager::exitManager();
    KKeyboardManager::exitManager();
    KClipboardManager::exitManager();
    KPrintingManager::exitPrintingManager();
    KMenuManager::destroy();
    KFileSystem::exitFileSystem();
    KTimerManager::exitManager();
}

void KApplication::initFileTypes() { KFileTypeHandler::registerFrameworkTypes(); }

void KApplication::initLocalizedStrings()
{
    KLocalizerPtr localizer = new KLocalizer;
    for (long language = 0; language < FrameworkTexts::getLanguageCount(); ++language)
        localizer->addLanguage(FrameworkTexts::getLanguageName(language));
    for (long row = 0; row < FrameworkTexts::getKeyCount(); ++row) {
        for (long language = 0; language < FrameworkTexts::getLanguageCount(); ++language)
            localizer->setText(FrameworkTexts::getKey(row), language, FrameworkTexts::getText(row, language));
    }
    localizer->finish();
    setLocalizer(*localizer);
}

void KApplication::parseCommandLine()
{
    m_arguments.clear();
    m_switches.clear();
    const char* text = m_commandLine.getText();
    long at = 0;
    long end = m_commandLine.getLength();
    while (at < end && text[at] == ' ')
        ++at;
    while (end > at && text[end - 1] == ' ')
        --end;
    // The piece that runs from Start up to the next Stop byte, or to the end.
    auto pieceEnd = [&](long Start, char Stop) {
        long i = Start;
        while (i < end && text[i] != Stop)
            ++i;
        return i;
    };
    while (at < end) {
        long stop = 0;
        if (text[at] == '/') {
            stop = pieceEnd(at + 1, ' ');
            appendPiece(m_switches, m_commandLine, at + 1, stop - at - 1);
            at = stop;
        } else if (text[at] == '"') {
            stop = pieceEnd(at + 1, '"');
            appendPiece(m_arguments, m_commandLine, at + 1, stop - at - 1);
            at = stop < end ? stop + 1 : stop;
        } else {
            stop = pieceEnd(at, ' ');
            appendPiece(m_arguments, m_commandLine, at, stop - at);
            at = stop;
        }
        while (at < end && text[at] == ' ')
            ++at;
    }
}
