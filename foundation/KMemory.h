#pragma once
// The one source of raw memory: every object made with KThing's operator new, every
// string buffer and every error record comes from the operating system's global heap
// through here.
#include "foundation/KTypes.h"

// Registered as "KMemory" too, for the class IDs of old files; it has no objects.
class KMemory {
public:
    static void* allocate(unsigned long Size, bool ZeroFill);
    static void dispose(void* P);
    // Source first, destination second; the areas must not overlap.
    static void copy(const void* Source, void* Destination, unsigned long Count);
    static void clear(void* P, unsigned long Count);
};
