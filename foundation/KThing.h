#pragma once
// The root of every framework and application class: a flag word that says whether the
// object lives on the heap, a reference count, and the virtual operations that the rest
// of the system calls on any object.
#include "foundation/KTypes.h"

class KClass;
class KFile;
class KTimer;
class KEvent;
class KThingPtr;

class KThing {
public:
    enum Flag : uint32 {
        OnHeap = 1,
        // Set by users of the object; the event loop marks the timer manager busy while
        // it fires timers, so they are never fired re-entrantly.
        Busy = 2,
    };

    KThing();
    KThing(const KThing&);
    KThing& operator=(const KThing&) { return *this; }

    virtual ~KThing();
    virtual KThing& deepCopy() const;
    virtual bool isKThingRegistered() const;
    virtual KClass& getClass() const;
    virtual void readFromFile(KFile& F);
    virtual void writeToFile(KFile& F, long Ver);
    virtual void doTimer(KTimer& T);
    virtual bool handleEvent(KEvent& E);
    virtual void periodicTask();
    virtual bool isRegistered() const;

    // noexcept: a failed allocation gives null, and then no constructor runs.
    static void* operator new(std::size_t Size) noexcept;
    static void operator delete(void* P);

    void incReferenceCount();
    void decReferenceCount();
    long getReferenceCount() const { return m_referenceCount; }

    uint32 getFlags() const { return m_flags; }
    bool isOnHeap() const { return (m_flags & OnHeap) != 0; }
    bool isBusy() const { return (m_flags & Busy) != 0; }
    void setFlags(uint8 Mask) { m_flags |= Mask; }
    void clearFlags(uint8 Mask) { m_flags &= ~uint32(Mask); }

    bool operator==(const KThing& O) const { return this == &O; }
    bool operator!=(const KThing& O) const { return this != &O; }
    bool isPointedBy(const KThingPtr& P) const;
    bool isEqualOrSubClass(const KClass& Class) const;
    bool isEqualOrSubClass(const char* Name) const;

    static KThing* createInstance();
    static KClass* initClass(const char* Name, KClass* Parent, long Version);
    static KClass* getClassRecord() { return s_class; }

    // Diagnostics: blocks handed out by operator new and not yet freed, and objects
    // constructed and not yet destroyed (whatever their storage).
    static long getHeapBlockCount() { return s_heapBlocks; }
    static long getLiveObjectCount() { return s_liveObjects; }

private:
    static KClass* s_class;
    static long s_heapBlocks;
    static long s_liveObjects;

    uint32 m_flags;
    long m_referenceCount;
};

// A null reference, for the operations that give one back after reporting a fault
// (an empty pointer, an unregistered class); callers must not use it.
template <typename T>
T& kNullReference()
{
    return *static_cast<T*>(nullptr);
}

// True when a reference was made from a null pointer. The compiler may assume that
// references are never null, so the test goes through an opaque copy of the address.
inline bool kIsNullReference(const void* Address)
{
    asm("" : "+r"(Address));
    return Address == nullptr;
}
