#pragma once
// Registers the classes of the media layer with the class registry, each after its
// parent, in the order the multimedia library has always used.
void kksRegisterMultimediaClasses();
// The speech with pronunciation exceptions and the exceptions, which the speech extras
// library registers before the recorded-reading classes.
void kksRegisterSpeechExceptionClasses();
// The recorded-reading classes, which the speech extras library registers.
void kksRegisterSoundHiliteClasses();
