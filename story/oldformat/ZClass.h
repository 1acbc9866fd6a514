#pragma once
// The class records of the old object model, in one list filled at start-up. A record's
// class ID is made from its stored name, and every record in an old document begins with
// the ID and the version of the class level that wrote it.
#include "story/oldformat/ZString.h"

class ZFile;

using ZCreateProc = ZThing* (*)();

class ZClass : public ZThing {
public:
    ZClass() = default;

    // A new record at the end of the list, with its class ID made from the name.
    static ZClass* registerClass(const char* Name, ZCreateProc Create, long Version);
    // The first record with the ID; fatal when none has it.
    static ZClass* findClass(long ClassID);
    static bool isClassIDRegistered(long ClassID);
    static ZClass* getFirst() { return s_first; }
    // The ID a name gives: 1 multiplied by each byte taken as a signed value, wrapping
    // at 32 bits.
    static long makeClassID(const char* Name);
    // The record a class keeps; fatal when the class was never registered.
    static ZClass& recordOf(ZClass* Record);

    // A new object of the class; fatal without a create procedure.
    ZThing* createObject() const;
    // Fatal when the record has an ID already or another record has the same one.
    void generateClassID();

    // The class ID, then the version, each as a big-endian long.
    void writeClassInfo(ZFile& F) const;
    // Reads a record's class ID and version and checks the ID against the expected class.
    // A record of another class marks the file damaged ("Wrong Class." for a registered
    // class, "Invalid Class." for an ID that no class has) and answers false, as does a
    // file that can no longer be read.
    static bool readClassInfo(const ZClass* Expected, ZFile& F);
    static bool readClassInfoAndVersion(const ZClass* Expected, ZFile& F, long& Version);

    void setName(const ZString& Name) { m_name = Name; }
    void setCreateProc(ZCreateProc Create) { m_create = Create; }
    void setVersion(long Version) { m_version = Version; }
    const ZString& getName() const { return m_name; }
    long getVersion() const { return m_version; }
    long getClassID() const { return m_classID; }
    ZClass* getNext() const { return m_next; }

private:
    static ZClass* s_first;

    ZClass* m_next = nullptr;
    ZString m_name;
    ZCreateProc m_create = nullptr;
    long m_version = 1;
    long m_classID = 0;
};

// The class record each Z class keeps and the operations that come with it. In the class
// body; Z_DEFINE_CLASS in the .cpp.
#define Z_DECLARE_CLASS(X)                                      \
public:                                                         \
    ZClass& getClass() const override;                          \
    static ZClass* getClassRecord() { return s_class; }         \
    static void setClassRecord(ZClass* Record) { s_class = Record; } \
    static ZThing* createInstance();                            \
                                                                \
private:                                                        \
    static ZClass* s_class;

#define Z_DEFINE_CLASS(X)                                             \
    ZClass* X::s_class = nullptr;                                     \
    ZClass& X::getClass() const { return ZClass::recordOf(s_class); } \
    ZThing* X::createInstance() { return new X; }
