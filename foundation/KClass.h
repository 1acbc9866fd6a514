#pragma once
// The class registry: one record per class, kept in registration order, giving the
// class's name, parent, create procedure, block version and a 32-bit class ID made from
// its name. Readers of class blocks create objects by looking their ID up here.
#include "foundation/KThing.h"

#include <type_traits>

class KClass : public KThing {
public:
    using CreateProcedure = KThing* (*)();

    KClass();
    ~KClass() override;

    static KClass* registerClass(const char* Name, KClass* Parent, CreateProcedure Create, long Version);
    static KClass* findClass(const char* Name);
    static KClass* findClass(long ID);
    static bool isClassID(long ID);
    // The record of a stored class ID when a reader may make an object of it: a
    // registered class whose objects read themselves. Null, without a report, for any
    // other ID: a file names classes at will, and making an object of a class that has no
    // reader (or that is no stored object at all, a menu, a window) ends in reports that
    // cannot be recovered from.
    static KClass* findReadableClass(long ID);
    static void unregisterAll();
    // The first record (KThing's once the framework has started); null when empty.
    static KClass* getFirst() { return s_head; }
    static long getLiveRecordCount() { return s_liveRecords; }

    // The ID of a name: 1 times each byte taken as a signed 8-bit value, keeping the low
    // 32 bits after every step.
    static long computeClassID(const char* Name);

    KThing* createObject() const;
    bool readsItself() const { return m_readsItself; }
    void setReadsItself(bool On) { m_readsItself = On; }
    bool isEqual(const KClass& C) const;
    bool isSubClass(const KClass& C) const;
    bool isEqualOrSubClass(const KClass& C) const;

    void setName(const char* Name);
    void setCreateProcedure(CreateProcedure Create) { m_create = Create; }
    void setVersion(long Version) { m_version = Version; }
    void generateClassID();

    const char* getName() const { return m_name; }
    KClass* getParent() const { return m_parent; }
    KClass* getNext() const { return m_next; }
    long getVersion() const { return m_version; }
    long getClassID() const { return m_classID; }

private:
    static KClass* s_head;
    static long s_liveRecords;

    KClass* m_next = nullptr;
    KClass* m_parent = nullptr;
    char* m_name = nullptr;
    CreateProcedure m_create = nullptr;
    long m_version = 1;
    long m_classID = 0;
    bool m_readsItself = false;
};

// Whether X, or a class between it and KThing, has a reader of its own: KThing's reader
// only reports that there is none.
template <typename X>
constexpr bool kReadsItself()
{
    return !std::is_same<decltype(&X::readFromFile), void (KThing::*)(KFile&)>::value;
}

// The companions of every registered class X: its class record variable, the
// registration under its name, the create procedure, getClass and isRegistered.
#define K_DECLARE_CLASS(X)                                                  \
public:                                                                     \
    static KClass* initClass(const char* Name, KClass* Parent, long Version); \
    static KClass* registerClass();                                         \
    static KThing* createInstance();                                        \
    static KClass* getClassRecord() { return s_class; }                     \
    KClass& getClass() const override;                                      \
    bool isRegistered() const override { return s_class != nullptr; }       \
                                                                            \
private:                                                                    \
    static KClass* s_class;

// Defines the companions of X, registered as "X" under Parent with the given version.
#define K_DEFINE_CLASS_WITH_CREATE(X, Parent, Version, Create)              \
    KClass* X::s_class = nullptr;                                           \
    KClass* X::initClass(const char* Name, KClass* ParentRecord, long V)    \
    {                                                                       \
        s_class = KClass::registerClass(Name, ParentRecord, &X::createInstance, V); \
        if (s_class)                                                        \
            s_class->setReadsItself(kReadsItself<X>());                     \
        return s_class;                                                     \
    }                                                                       \
    KClass* X::registerClass() { return initClass(#X, Parent::getClassRecord(), Version); } \
    KThing* X::createInstance() { return Create; }                          \
    KClass& X::getClass() const                                             \
    {                                                                       \
        if (!s_class) {                                                     \
            kksReportError(18, "getClass()");                               \
            return kNullReference<KClass>();                                \
        }                                                                   \
        return *s_class;                                                    \
    }

#define K_DEFINE_CLASS(X, Parent, Version) K_DEFINE_CLASS_WITH_CREATE(X, Parent, Version, new X)

// For classes that only derived classes instantiate: the create procedure gives null.
#define K_DEFINE_ABSTRACT_CLASS(X, Parent, Version) K_DEFINE_CLASS_WITH_CREATE(X, Parent, Version, nullptr)

#include "foundation/ErrorTable.h"
