// The program's main function until the player's own exists: the framework's application
// with its splash window and a plain main window, shown once start-up is done; closing it
// ends the program.
#include "application/ApplicationStart.h"
#include "application/KApplication.h"
#include "controls/ControlsStart.h"
#include "foundation/OperatingSystemWin32.h"

namespace {
class StandInApplication : public KApplication {
public:
    void doStart() override
    {
        setSplashText(KString("Loading..."));
        closeSplash();
        if (hasMainWindow())
            getMainWindow().show(true);
    }
};
} // namespace

void programMain()
{
    kksInstallControlsLayer();
    KApplication::setSplashRequested(true);
    new StandInApplication;
    if (KApplication* application = KApplication::getApplication())
        application->run("KWindow");
    KApplication::releaseApplication();
}
