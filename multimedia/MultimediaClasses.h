#pragma once
// The multimedia library's classes, registered with the class registry in the library's
// one order: animation and sprites, the media, the recording controls and dialogs, and
// the library object last. Nothing happens when the registry already holds them, so the
// program (and a test program, after each emptying of the registry) may call it freely.
void kksRegisterMultimediaClasses();

// Whether the registry holds a class of that name. A library reads this rather than a
// flag of its own: an application that goes empties the registry, and a flag would then
// keep the next one from registering again.
bool kksIsClassRegistered(const char* Name);
