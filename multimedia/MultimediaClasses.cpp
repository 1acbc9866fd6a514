#include "multimedia/MultimediaClasses.h"

#include "multimedia/KAbstractMedia.h"
#include "multimedia/KExtendedSpeech.h"
#include "multimedia/KMediaFeedbackEvent.h"
#include "multimedia/KMediaManager.h"
#include "multimedia/KMovie.h"
#include "multimedia/KMovieSupport.h"
#include "multimedia/KSound.h"
#include "multimedia/KSoundHiliteMarker.h"
#include "multimedia/KSoundHiliteMedia.h"
#include "multimedia/KSpeech.h"
#include "multimedia/KSpeechException.h"
#include "multimedia/KSpeechExceptionHandler.h"
#include "multimedia/KSpeechSupport.h"
#include "multimedia/recording/KEditSoundNameDialog.h"
#include "multimedia/recording/KLevelMeterControl.h"
#include "multimedia/recording/KMovieCreation.h"
#include "multimedia/recording/KSoundRecordDialog.h"
#include "multimedia/recording/KSoundRecorder.h"
#include "multimedia/soundengine/KSoundSupport.h"

void kksRegisterMultimediaClasses()
{
    KAbstractMedia::registerClass();
    KMediaFeedbackEvent::registerClass();
    KMediaManager::registerClass();
    KMovie::registerClass();
    KMovieCreation::registerClass();
    KMovieSupport::registerClass();
    KSound::registerClass();
    KSoundRecorder::registerClass();
    KSoundSupport::registerClass();
    KSpeech::registerClass();
    KSpeechSupport::registerClass();
    KLevelMeterControl::registerClass();
    KEditSoundNameDialog::registerClass();
    KSoundRecordDialog::registerClass();
}

void kksRegisterSpeechExceptionClasses()
{
    KExtendedSpeech::registerClass();
    KSpeechException::registerClass();
    KSpeechExceptionHandler::registerClass();
}

void kksRegisterSoundHiliteClasses()
{
    KSoundHiliteMarker::registerClass();
    KSoundHiliteMedia::registerClass();
}
