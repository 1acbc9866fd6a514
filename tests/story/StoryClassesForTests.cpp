// The story suite registers the animation and story classes before each test that finds
// them missing.
#include "tests/story/StoryTestSupport.h"

namespace {
const bool s_registered = registerBeforeEachTest("Tape", &registerStoryTestClasses);
} // namespace
