// The speech with pronunciation exceptions and the recorded readings, which the speech
// extras library registers in the program, registered in this test program after the
// media classes (this program runs its files' registrations in the reverse order of the
// files' names); and the test speech engine, whose fakes this program builds as well.
#include "tests/multimedia/ExtendedMediaClasses.h"
#include "tests/support/SuiteClasses.h"

K_REGISTER_SUITE_CLASSES(registerExtendedMediaClasses);

// Its fakes derive from classes of its own unnamed namespace, which the compiler only
// questions because the file is included here rather than compiled on its own.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wsubobject-linkage"
#include "tests/multimedia/SpeechTestEngine.cpp"
#pragma GCC diagnostic pop
