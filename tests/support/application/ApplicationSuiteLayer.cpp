// Test programs of the application layer and above install it before the kernel starts,
// as the program entry does, and register its classes.
#include "application/ApplicationStart.h"
#include "application/FrameworkClasses.h"
#include "tests/support/SuiteClasses.h"

K_SUITE_LAYER(K_LEVEL_application, &kksInstallApplicationLayer, &kksRegisterApplicationClasses);
