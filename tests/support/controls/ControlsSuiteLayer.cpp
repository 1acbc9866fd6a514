// Test programs of the controls and above install them, as the program does at its
// start, and register their classes.
#include "controls/ControlsClasses.h"
#include "controls/ControlsStart.h"
#include "tests/support/SuiteClasses.h"

K_SUITE_LAYER(K_LEVEL_controls, &kksInstallControlsLayer, &kksRegisterControlsClasses);
