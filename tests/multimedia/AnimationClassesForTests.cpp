// The multimedia suite registers the animation classes before each test that finds them
// missing.
#include "multimedia/AnimationClasses.h"
#include "tests/multimedia/RegisteredForEachTest.h"

namespace {
const bool s_registered = registerBeforeEachTest("KSprite", &kksRegisterAnimationClasses);
} // namespace
