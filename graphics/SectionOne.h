#pragma once
// The graphics classes keep everything in section 1 of their blocks. A block whose first
// section is another one is stepped over whole: the reader's end step only skips sections
// that were never handed out, so a handed-out section of another ID is skipped here.
#include "foundation/KClassReader.h"

// Opens the block of Class and its first section; true when that section is section 1.
inline bool beginSectionOne(KClassReader& Reader, KFile& F, KClass* Class)
{
    long version = 0, sections = 0, id = -1;
    Reader.begin(F, Class, version, sections);
    if (sections <= 0)
        return false;
    Reader.nextSection(id);
    if (id == 1)
        return true;
    if (id != -1)
        Reader.skipSection();
    return false;
}
