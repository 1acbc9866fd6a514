// The animation classes, which the multimedia library registers in the program, are
// registered in this test program after the framework's.
#include "multimedia/AnimationClasses.h"
#include "tests/support/SuiteClasses.h"

K_REGISTER_SUITE_CLASSES(kksRegisterAnimationClasses);
