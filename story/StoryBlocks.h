#pragma once
// Helpers of the story's class blocks, whose readers walk all sections and cannot trust
// the classes of the objects a document holds.
#include "foundation/KBag.h"
#include "foundation/KClassReader.h"

// Opens the block of Record and hands each section's ID to Read, which reads the sections
// it knows and answers true for them; the others are stepped over. Answers whether the
// block was a sound one of Record's class (false for one of another class, stepped over).
template <typename Read>
bool kReadEachSection(KFile& F, KClass* Record, Read&& R)
{
    KClassReader reader;
    long version = 0;
    long sections = 0;
    reader.begin(F, Record, version, sections);
    for (long id = -1;;) {
        reader.nextSection(id);
        if (id == -1)
            break;
        if (!R(id))
            reader.skipSection();
    }
    const bool ofClass = reader.isOfClass();
    reader.end();
    return ofClass;
}

// A damaged document may hold other objects, empty slots or raw values where objects of
// class T belong: they cannot be used and go, each counted as a block the load passed
// over. Readers also name T to the bag before they read it (KArray::setReadableClasses),
// so that nothing else is made in the first place.
template <typename T>
void kDropElementsNotOf(KBag& Bag)
{
    if (Bag.isDirect()) {
        if (Bag.getCount() > 0)
            KClassReader::countMismatchedBlock();
        Bag.setSize(0);
        Bag.setIsDirect(false);
        return;
    }
    for (long i = Bag.getCount() - 1; i >= 0; --i) {
        if (Bag.hasObjectAt(i) && dynamic_cast<T*>(&Bag.getObjectAt(i)))
            continue;
        Bag.removeAt(i);
        KClassReader::countMismatchedBlock();
    }
}
