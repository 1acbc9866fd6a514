// The test speech engine, built into this program for the trial of the spoken form.
// Its fakes derive from classes of its own unnamed namespace, which the compiler only
// questions because the file is included here rather than compiled on its own.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wsubobject-linkage"
#include "tests/multimedia/SpeechTestEngine.cpp"
#pragma GCC diagnostic pop
