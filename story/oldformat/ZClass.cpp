#include "story/oldformat/ZClass.h"

#include "foundation/ErrorTable.h"
#include "story/oldformat/ZFile.h"

ZClass* ZClass::s_first = nullptr;

ZClass* ZClass::registerClass(const char* Name, ZCreateProc Create, long Version)
{
    ZClass* record = new ZClass;
    record->setName(ZString(Name));
    record->setCreateProc(Create);
    record->setVersion(Version);
    if (!s_first) {
        s_first = record;
    } else {
        ZClass* last = s_first;
        while (last->m_next)
            last = last->m_next;
        last->m_next = record;
    }
    record->generateClassID();
    return record;
}

long ZClass::makeClassID(const char* Name)
{
    uint32 id = 1;
    for (const char* c = Name; *c; ++c)
        id *= static_cast<uint32>(static_cast<int32>(static_cast<int8>(*c)));
    return static_cast<long>(id);
}

void ZClass::generateClassID()
{
    if (m_classID != 0)
        knsFatalError("ZClass::generateClassID", "Class Already Registered!");
    const long id = makeClassID(m_name.getText());
    if (isClassIDRegistered(id))
        knsFatalError("ZClass::generateClassID", "Class ID Collision!");
    m_classID = id;
}

ZClass* ZClass::findClass(long ClassID)
{
    for (ZClass* record = s_first; record; record = record->m_next) {
        if (record->m_classID == ClassID)
            return record;
    }
    knsFatalError("ZClass::findClass", "Class Was Not Registered.");
}

bool ZClass::isClassIDRegistered(long ClassID)
{
    for (const ZClass* record = s_first; record; record = record->m_next) {
        if (record->m_classID == ClassID)
            return true;
    }
    return false;
}

ZClass& ZClass::recordOf(ZClass* Record)
{
    if (!Record)
        knsFatalError("ZClass::findClass", "Class Was Not Registered.");
    return *Record;
}

ZThing* ZClass::createObject() const
{
    if (!m_create)
        knsFatalError("ZClass::createObject", "CreateProc==NULL!");
    return m_create();
}

void ZClass::writeClassInfo(ZFile& F) const
{
    F.writeLong(m_classID);
    F.writeLong(m_version);
}

bool ZClass::readClassInfo(const ZClass* Expected, ZFile& F)
{
    long version = 0;
    return readClassInfoAndVersion(Expected, F, version);
}

bool ZClass::readClassInfoAndVersion(const ZClass* Expected, ZFile& F, long& Version)
{
    const long expectedID = recordOf(const_cast<ZClass*>(Expected)).m_classID;
    long classID = 0;
    F.readLong(classID);
    F.readLong(Version);
    if (F.hasFailed())
        return false;
    if (classID != expectedID) {
        F.markDamaged("ZClass::readClassInfo", isClassIDRegistered(classID) ? "Wrong Class." : "Invalid Class.");
        return false;
    }
    return true;
}
