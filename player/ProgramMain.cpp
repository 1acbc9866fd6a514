// The player's main function: the application object runs with its splash window and
// the main window "LumoWindow" until the user, or the end of a story played from the
// command line, quits.
#include "player/ProgramMain.h"

#include "controls/ControlsStart.h"
#include "player/LumoApplication.h"
#include "story/TapeMediaFile.h"
#include "tools/dialogs/KFindMissingFileDialog.h"

void programMain()
{
    // The controls hook themselves into the application layer before the application
    // object registers the framework's classes.
    kksInstallControlsLayer();
    KApplication::setSplashRequested(true);
    // A story whose picture or sound has moved asks the user where it went.
    TapeMediaFile::setMissingFileQuestion(&KFindMissingFileDialog::askUser);
    LumoApplication::createApplication();
    LumoApplication::getApplication().run(KString("LumoWindow"));
    LumoApplication::releaseApplication();
    TapeMediaFile::setMissingFileQuestion(nullptr);
}
