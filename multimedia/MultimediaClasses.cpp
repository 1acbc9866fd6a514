#include "multimedia/MultimediaClasses.h"

#include "multimedia/KAbstractMedia.h"
#include "multimedia/KAnimationController.h"
#include "multimedia/KAnimationObject.h"
#include "multimedia/KAnimationPoint.h"
#include "multimedia/KAnimationSystem.h"
#include "multimedia/KAnimationVector.h"
#include "multimedia/KBresenham.h"
#include "multimedia/KMediaFeedbackEvent.h"
#include "multimedia/KMediaManager.h"
#include "multimedia/KMovie.h"
#include "multimedia/KMovieSupport.h"
#include "multimedia/KMultiMediaLibrary.h"
#include "multimedia/KSound.h"
#include "multimedia/KSpeech.h"
#include "multimedia/KSpeechSupport.h"
#include "multimedia/KSprite.h"
#include "multimedia/KSpriteLayer.h"
#include "multimedia/KSpriteSystem.h"
#include "multimedia/recording/KEditSoundNameDialog.h"
#include "multimedia/recording/KLevelMeterControl.h"
#include "multimedia/recording/KMovieCreation.h"
#include "multimedia/recording/KSoundRecordDialog.h"
#include "multimedia/recording/KSoundRecorder.h"
#include "multimedia/soundengine/KSoundSupport.h"

#include <cstring>

bool kksIsClassRegistered(const char* Name)
{
    for (const KClass* record = KClass::getFirst(); record; record = record->getNext()) {
        if (record->getName() && std::strcmp(record->getName(), Name) == 0)
            return true;
    }
    return false;
}

void kksRegisterMultimediaClasses()
{
    // The library object's class comes last, so its record says the whole list is there.
    if (kksIsClassRegistered("KMultiMediaLibrary"))
        return;
    KAnimationController::registerClass();
    KAnimationObject::registerClass();
    KAnimationPoint::registerClass();
    KAnimationSystem::registerClass();
    KAnimationVector::registerClass();
    KBresenham::registerClass();
    KSprite::registerClass();
    KSpriteLayer::registerClass();
    KSpriteSystem::registerClass();
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
    KMultiMediaLibrary::registerClass();
}
