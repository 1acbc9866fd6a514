// Test programs of the graphics and above register the graphics classes.
#include "graphics/GraphicsClasses.h"
#include "tests/support/SuiteClasses.h"

K_SUITE_LAYER(K_LEVEL_graphics, nullptr, &kksRegisterGraphicsClasses);
