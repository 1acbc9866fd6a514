// The multimedia library's classes, the tools library's (the editors' controls) and the
// speech extras' own are registered in this test program after the framework's, as the
// libraries register them in the program.
#include "multimedia/MultimediaClasses.h"
#include "speechextras/KSpeechExtrasLibrary.h"
#include "tests/support/SuiteClasses.h"
#include "tools/KToolsLibrary.h"

K_REGISTER_SUITE_CLASSES(kksRegisterMultimediaClasses);
K_REGISTER_SUITE_CLASSES(KToolsLibrary::registerClasses);
K_REGISTER_SUITE_CLASSES(KSpeechExtrasLibrary::registerClasses);
