#pragma once
// Whether the media that story objects play can play at all on this machine: speech
// needs a speech engine that opened, movies a movie engine that started. Without the
// global support there is neither.
#include "multimedia/KMovieSupport.h"
#include "multimedia/KSpeechSupport.h"

inline bool kStoryHasSpeechEngine()
{
    return KSpeechSupport::hasSpeechSupport() && KSpeechSupport::getSpeechSupport().getActiveEngineMask() != 0;
}

inline bool kStoryHasMovieEngine()
{
    return KMovieSupport::hasMovieSupport() && KMovieSupport::getMovieSupport().getAvailableEngines() != 0;
}
