#pragma once
// Classes that a library registers at start (the multimedia, tools and speech-extras
// libraries, the player) are registered in a test program after the framework's own, by
// the registration functions its test files name here:
//
//     K_REGISTER_SUITE_CLASSES(registerMultimediaClasses);
//
// Each function runs once, in the order the files are linked, before any test.
using SuiteClassRegistration = void (*)();

bool addSuiteClassRegistration(SuiteClassRegistration Registration);
void runSuiteClassRegistrations();
// The framework's classes, layer by layer, then the suites': what a test program
// registers at its start and again after an application object has emptied the registry.
void registerAllTestClasses();

// The framework's layers above the foundation that a test program is built with hook
// themselves in from tests/support/<layer>: each gives its level, what it installs in the
// layers below before the kernel starts (null for nothing) and the registration of its
// classes. Both run in layer order.
using SuiteLayerInstall = void (*)();
bool addSuiteLayer(int Level, SuiteLayerInstall Install, SuiteClassRegistration Register);
void installSuiteLayers();

#define K_SUITE_LAYER(Level, Install, Register) \
    static const bool suiteLayerAdded_ = addSuiteLayer(Level, Install, Register)

#define K_SUITE_CLASSES_CONCAT_(a, b) a##b
#define K_SUITE_CLASSES_NAME_(line) K_SUITE_CLASSES_CONCAT_(suiteClassesRegistered_, line)
#define K_REGISTER_SUITE_CLASSES(Function) \
    static const bool K_SUITE_CLASSES_NAME_(__LINE__) = addSuiteClassRegistration(&Function)
