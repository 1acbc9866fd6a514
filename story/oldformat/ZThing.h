#pragma once
// The root of the objects of old-version documents: the small object model the older,
// big-endian program wrote its documents with. It is apart from the framework's KThing:
// its own heap flag and reference count, its own class records (ZClass) and its own
// record format, which has no block sizes and no sections, so that a record can only be
// read by the class that wrote it.
//
// Counting: an object starts with the count 1; every holder that assigns it adds one.
// An object that no holder assigned is freed by delete, one that holders assigned is
// freed when the last of them unassigns it.
#include "foundation/KTypes.h"

class ZClass;
class ZFile;

class ZThing {
public:
    ZThing();
    virtual ~ZThing() = default;
    // Members held by value are copied with their owner; the copy counts afresh.
    ZThing(const ZThing&);
    ZThing& operator=(const ZThing&) { return *this; }

    // The record of the object's class; ZThing's own for classes that store nothing.
    virtual ZClass& getClass() const;
    // ZThing's own level holds no record.
    virtual void readFromFile(ZFile& F);
    virtual void writeToFile(ZFile& F);

    static void* operator new(std::size_t Size);
    static void operator delete(void* P);

    // The object, counted once more; fatal for a null object or one not on the heap.
    static ZThing* assign(ZThing* Source);
    // Drops a holder's count and destroys the object when no holder is left. Returns
    // null, which the holder stores.
    static ZThing* unassign(ZThing* P);

    bool isOnHeap() const { return m_onHeap != 0; }
    long getReferenceCount() const { return m_referenceCount; }

    static ZClass* getClassRecord() { return s_class; }
    static void setClassRecord(ZClass* Record) { s_class = Record; }
    // Diagnostics: blocks handed out by operator new and not yet freed.
    static long getHeapBlockCount() { return s_heapBlocks; }

private:
    static ZClass* s_class;
    static void* s_lastNewBlock;
    static long s_heapBlocks;

    uint8 m_onHeap;
    long m_referenceCount;
};
