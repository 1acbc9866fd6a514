#pragma once
// What the foundation asks of the running application, which stands layers above it: the
// name under which its preferences are kept, its main window (the owner of the shell's and
// the display's boxes), the wait cursor of long reads and writes, and the first word on a
// fatal error. The application layer installs its link at start-up. Until it does (and in
// a program built on the lower layers alone), and while no application object exists,
// the foundation goes on as a program without an application.
class KString;

class ApplicationLink {
public:
    // The installed link; null when none is.
    static ApplicationLink* get();
    // Null removes the link.
    static void install(ApplicationLink* Link);

    // The name of the running application, or Default when none runs.
    static KString applicationName(const char* Default);
    // The native window of the running application's main window; null when there is none.
    static void* mainNativeWindow();

    // False when no application runs.
    virtual bool getApplicationName(KString& Name) const = 0;
    virtual bool hasMainWindow() const = 0;
    // Null when there is no main window, or it has no native window yet.
    virtual void* getMainNativeWindow() const = 0;
    // Shows the wait cursor over the one shown, when the application shows cursors; answers
    // whether it did. Every wait that was shown is ended.
    virtual bool beginWaitCursor() = 0;
    virtual void endWaitCursor() = 0;
    // Tells the running application of a fatal error; true when it told the user itself.
    virtual bool handleFatalError(const char* Caption, const char* Text) = 0;

protected:
    ApplicationLink() = default;
    ~ApplicationLink() = default;
};
