// The media layer's classes, which the multimedia and speech extras libraries register in
// the program, are registered in this test program after the framework's.
#include "multimedia/MultimediaClasses.h"
#include "tests/support/SuiteClasses.h"

K_REGISTER_SUITE_CLASSES(kksRegisterMultimediaClasses);
K_REGISTER_SUITE_CLASSES(kksRegisterSpeechExceptionClasses);
K_REGISTER_SUITE_CLASSES(kksRegisterSoundHiliteClasses);
