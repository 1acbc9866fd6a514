// The media classes, which the multimedia library registers in the program, and the
// playback tests' main window.
#include "multimedia/MultimediaClasses.h"
#include "tests/story/PlaybackTestSupport.h"

K_DEFINE_CLASS(StageWindow, KWindow, 1)

namespace {
void registerPlaybackTestClasses()
{
    kksRegisterMultimediaClasses();
    StageWindow::registerClass();
}
} // namespace

K_REGISTER_SUITE_CLASSES(registerPlaybackTestClasses);
