#include "multimedia/MultimediaClasses.h"

#include "multimedia/KAbstractMedia.h"
#include "multimedia/KMediaFeedbackEvent.h"
#include "multimedia/KMediaManager.h"
#include "multimedia/KMovie.h"
#include "multimedia/KMovieSupport.h"
#include "multimedia/KSound.h"
#include "multimedia/KSoundHiliteMarker.h"
#include "multimedia/KSoundHiliteMedia.h"
#include "multimedia/soundengine/KSoundSupport.h"

void kksRegisterMultimediaClasses()
{
    KAbstractMedia::registerClass();
    KMediaFeedbackEvent::registerClass();
    KMediaManager::registerClass();
    KMovie::registerClass();
    KMovieSupport::registerClass();
    KSound::registerClass();
    KSoundSupport::registerClass();
}

void kksRegisterSoundHiliteClasses()
{
    KSoundHiliteMarker::registerClass();
    KSoundHiliteMedia::registerClass();
}
