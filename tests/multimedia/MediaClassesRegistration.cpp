// The multimedia library's classes, and the media classes that the speech extras library
// registers in the program (speech with exceptions, sound-highlight media), which the
// media tests use, are registered in this test program after the framework's.
#include "multimedia/MultimediaClasses.h"
#include "tests/multimedia/ExtendedMediaClasses.h"
#include "tests/support/SuiteClasses.h"

K_REGISTER_SUITE_CLASSES(kksRegisterMultimediaClasses);
K_REGISTER_SUITE_CLASSES(registerExtendedMediaClasses);
