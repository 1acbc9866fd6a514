// The media classes, which the multimedia library registers in the program, a record for
// speech media where the media layer has none yet, and the playback tests' main window.
#include "multimedia/MultimediaClasses.h"
#include "tests/story/PlaybackTestSupport.h"

#include <cstring>

K_DEFINE_CLASS(StageWindow, KWindow, 1)

namespace {
void registerPlaybackTestClasses()
{
    kksRegisterMultimediaClasses();
    StageWindow::registerClass();
    for (const KClass* record = KClass::getFirst(); record; record = record->getNext()) {
        if (std::strcmp(record->getName(), "KSpeech") == 0)
            return;
    }
    KClass::registerClass("KSpeech", KAbstractMedia::getClassRecord(), nullptr, 1);
}
} // namespace

K_REGISTER_SUITE_CLASSES(registerPlaybackTestClasses);
