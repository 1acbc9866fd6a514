#pragma once
// The media classes that the speech extras library registers in the program: the speech
// with pronunciation exceptions and the sound-highlight media, in the library's order.
// Test programs below the speech extras register them with this.
#include "foundation/KClass.h"
#include "multimedia/KExtendedSpeech.h"
#include "multimedia/KSoundHiliteMarker.h"
#include "multimedia/KSoundHiliteMedia.h"
#include "multimedia/KSpeechException.h"
#include "multimedia/KSpeechExceptionHandler.h"
#include "multimedia/MultimediaClasses.h"

inline void registerExtendedMediaClasses()
{
    if (kksIsClassRegistered("KSoundHiliteMedia"))
        return;
    KExtendedSpeech::registerClass();
    KSpeechException::registerClass();
    KSpeechExceptionHandler::registerClass();
    KSoundHiliteMarker::registerClass();
    KSoundHiliteMedia::registerClass();
}
