// The multimedia library's classes, and the speech extras' classes that the media tests
// use (speech with exceptions, sound-highlight media), are registered in this test
// program after the framework's, as the libraries register them in the program.
#include "multimedia/MultimediaClasses.h"
#include "speechextras/KSpeechExtrasLibrary.h"
#include "tests/support/SuiteClasses.h"

K_REGISTER_SUITE_CLASSES(kksRegisterMultimediaClasses);
K_REGISTER_SUITE_CLASSES(KSpeechExtrasLibrary::registerClasses);
