// The multimedia library's classes (an actor is a sprite), the story's classes and the
// player's application class are registered in this test program after the framework's,
// as the libraries and the player register them in the program.
#include "multimedia/MultimediaClasses.h"
#include "tests/story/StoryTestSupport.h"

K_REGISTER_SUITE_CLASSES(kksRegisterMultimediaClasses);
K_REGISTER_SUITE_CLASSES(registerStoryTestClasses);
