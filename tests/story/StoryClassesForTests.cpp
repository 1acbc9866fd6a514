// The multimedia library's classes (an actor is a sprite) and the story's classes are
// registered in this test program after the framework's, as the libraries and the player
// register them in the program.
#include "multimedia/MultimediaClasses.h"
#include "story/StoryClasses.h"
#include "tests/support/SuiteClasses.h"

K_REGISTER_SUITE_CLASSES(kksRegisterMultimediaClasses);
K_REGISTER_SUITE_CLASSES(registerStoryClasses);
