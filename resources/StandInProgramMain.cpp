// The program's main function until the player's own exists: the framework's application
// with a plain main window, shown once start-up is done; closing it ends the program.
#include "application/KApplication.h"
#include "application/OperatingSystemWin32.h"

namespace {
class StandInApplication : public KApplication {
public:
    void doStart() override
    {
        if (hasMainWindow())
            getMainWindow().show(true);
    }
};
} // namespace

void programMain()
{
    new StandInApplication;
    if (KApplication* application = KApplication::getApplication())
        application->run("KWindow");
    KApplication::releaseApplication();
}
