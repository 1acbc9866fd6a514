// The animation classes (an actor is a sprite), the story's classes and the player's
// application class are registered in this test program after the framework's, as the
// libraries and the player register them in the program.
#include "multimedia/AnimationClasses.h"
#include "tests/story/StoryTestSupport.h"

K_REGISTER_SUITE_CLASSES(kksRegisterAnimationClasses);
K_REGISTER_SUITE_CLASSES(registerStoryTestClasses);
