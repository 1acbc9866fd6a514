#pragma once
// The one application object of a process. It registers the framework's classes, splits
// the command line, creates the window manager, the main window and the framework's
// managers, runs the main loop and shuts everything down in a fixed order. Events that no
// window or element handled end in its hooks, one per event kind; an application derives
// from it and overrides the hooks it needs.
#include "application/KEvent.h"
#include "application/KWindow.h"
#include "foundation/KBag.h"
#include "foundation/KClass.h"
#include "foundation/KLocalizer.h"
#include "foundation/KFlagSet.h"
#include "foundation/KString.h"

class KActionEvent;
class KApplicationEvent;
class KControlActionEvent;
class KKeyEvent;
class KMenuEvent;
class KMouseEvent;
class KWindowEvent;

class KApplication : public KThing {
    K_DECLARE_CLASS(KApplication)
public:
    enum State : uint8 {
        Constructed = 0,
        Starting = 1,
        Running = 2,
        Quitting = 3,
        Quit = 4,
        Destroyed = 5,
    };

    enum Flag : uint32 {
        RunningFlag = 0x1,
        ActiveFlag = 0x2,
        SplashOpenFlag = 0x4,
        // The controls layer shows the help text of the control under the mouse.
        ControlToolTipsFlag = 0x8,
        // The step must not block (processIdleOnce).
        NoWaitFlag = 0x10,
    };

    KApplication();
    ~KApplication() override;

    // The current application; null before one is made and after it is destroyed.
    static KApplication* getApplication();

    // Events that nothing else handled.
    bool handleEvent(KEvent& E) override;

    virtual void run(const KString& MainWindowClassName);

    // Menu events.
    virtual KEventReturn doAbout(KMenuEvent& E);
    virtual KEventReturn doHelp(KMenuEvent& E);
    virtual KEventReturn doMenuRequest(KMenuEvent& E);
    virtual KEventReturn doMenuItem(KMenuEvent& E);
    virtual KEventReturn doMenuOpening(KMenuEvent& E);
    virtual KEventReturn doCustomMenuItem(KMenuEvent& E);
    // Mouse events, kinds 0 to 5.
    virtual KEventReturn mouseEnter(KMouseEvent& E);
    virtual KEventReturn mouseLeave(KMouseEvent& E);
    virtual KEventReturn mouseDown(KMouseEvent& E);
    virtual KEventReturn mouseMove(KMouseEvent& E);
    virtual KEventReturn mouseTick(KMouseEvent& E);
    virtual KEventReturn mouseUp(KMouseEvent& E);
    // Key events, kinds 0 to 2.
    virtual KEventReturn keyTyped(KKeyEvent& E);
    virtual KEventReturn focusGained(KKeyEvent& E);
    virtual KEventReturn focusLost(KKeyEvent& E);
    // Window events.
    virtual KEventReturn paint(KWindowEvent& E);
    // No framework path asks it; answers 2, "may close".
    virtual KEventReturn windowCloseRequest(KWindowEvent& E);
    virtual KEventReturn windowMoved(KWindowEvent& E);
    virtual KEventReturn windowResized(KWindowEvent& E);
    virtual KEventReturn windowActivated(KWindowEvent& E);
    virtual KEventReturn windowDeactivated(KWindowEvent& E);
    // Action events of elements, and of controls.
    virtual KEventReturn doAction(KActionEvent& E);
    virtual KEventReturn doControlAction(KControlActionEvent& E);
    // Application events, kinds 0 to 6.
    virtual KEventReturn deactivate(KApplicationEvent& E);
    virtual KEventReturn activate(KApplicationEvent& E);
    // The event's object is the reference of the document to open.
    virtual KEventReturn openDocument(KApplicationEvent& E);
    virtual KEventReturn doApplicationRequest(KApplicationEvent& E);
    // Asked when the application is to quit; 2 means "may quit".
    virtual KEventReturn quitRequest(KApplicationEvent& E);
    virtual KEventReturn clipboardChanged(KApplicationEvent& E);
    // Text received through the mailslot or WM_APP messages, in "Received Data".
    virtual KEventReturn receivedData(KApplicationEvent& E);

    // After start-up, before the loop; and at shut-down.
    virtual void doStart();
    virtual void doQuit();

    // The fatal-error hook: true when the application has told the user itself, so that
    // no message box is shown. The process ends either way.
    virtual bool handleFatalError(const char* Caption, const char* Text);

    // Names the mailslot that other processes write to and makes it the application's
    // name.
    void setMailslotName(const KString& Name);
    const KString& getName() const { return m_name; }
    const KString& getBuildDate() const { return m_buildDate; }

    uint8 getState() const { return m_state; }
    // The application's own flags (not the object flags of KThing).
    uint32 getApplicationFlags() const { return m_flags.getFlags(); }
    bool isRunning() const { return (m_flags.getFlags() & RunningFlag) != 0; }
    bool isActive() const { return (m_flags.getFlags() & ActiveFlag) != 0; }
    void setApplicationFlags(uint32 Mask) { m_flags.set(Mask); }
    void clearApplicationFlags(uint32 Mask) { m_flags.clear(Mask); }

    // The splash window, opened during start-up when the program's main function asked
    // for it and closed once the start hook has run.
    static void setSplashRequested(bool Requested);
    static bool isSplashRequested();
    void openSplash();
    void closeSplash();
    void setSplashText(const KString& Text);

    void addIdleHandler(KThing& Handler);
    void removeIdleHandler(KThing& Handler);
    long getIdleHandlerCount() const { return m_idleHandlers.getCount(); }

    // Posts a quit request; with the default hook the loop then ends.
    void quit();
    void postQuitMessage();

    void startUp(const KString& MainWindowClassName);
    void shutDown();
    // One step of the main loop.
    void processEvents();
    // One step that never blocks, for callers that poll.
    void processIdleOnce();
    // One step that waits, even while idle handlers are registered, for a message, the
    // next timer or at most Longest ms (0: no limit); queued events keep it from waiting.
    // For a loop that polls something no message announces (a sound's end): it neither
    // spins a core nor misses the end by more than Longest.
    void processWaitingOnce(uint32 Longest);
    // Whether the step may block and, when it may, for how long (0: until a message).
    // Idle handlers and timers that cannot run in this step (busy below a modal loop) do
    // not keep it from blocking.
    bool getWaitTime(uint32& TimeOut) const;

    void createWindowManager(KClass& WindowManagerClass);
    void createMainWindow(KClass& MainWindowClass);
    void closeMainWindow();
    void destroyWindowManager();
    KWindow& getMainWindow() const { return m_mainWindow.getObject(); }
    bool hasMainWindow() const { return m_mainWindow.hasObject(nullptr); }

    void createSingletons();
    void destroySingletons();

    // The framework's built-in file types (text, bitmaps, images...).
    void initFileTypes();

    // The framework's texts: a localizer of the framework's keys in four languages.
    void initLocalizedStrings();
    void setLocalizer(KLocalizer& Localizer) { m_localizer.setObject(Localizer); }
    void resetLocalizer() { m_localizer.reset(); }
    bool hasLocalizer() const { return m_localizer.hasObject(nullptr); }
    KLocalizer& getLocalizer() const { return m_localizer.getObject(); }

    void parseCommandLine();
    const KString& getCommandLine() const { return m_commandLine; }
    const KBag& getArguments() const { return m_arguments; }
    const KBag& getSwitches() const { return m_switches; }

    // Drops the global's reference to the current application, which goes when nothing
    // else holds it. The program's main function calls it when run has returned.
    static void releaseApplication();

private:
    // One step of the loop: at most one native message, waiting for one when MayBlock
    // (TimeOut 0: until one comes), then the queued events, the timers and the idle
    // handlers.
    void step(bool MayBlock, uint32 TimeOut);
    bool getWaitTime(uint32& TimeOut, bool IdleHandlersKeepAwake) const;
    void runIdleHandlers();
    bool hasRunnableIdleHandler() const;

    KLocalizerPtr m_localizer;
    uint8 m_state = Constructed;
    KFlagSet m_flags;
    KBag m_idleHandlers;
    KString m_name;
    KString m_buildDate;
    KWindowPtr m_mainWindow;
    KString m_commandLine;
    KBag m_arguments;
    KBag m_switches;
};

K_POINTER_CLASS(KApplication, KThingPtr);
