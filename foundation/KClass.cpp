#include "foundation/KClass.h"

#include "foundation/KMemory.h"
#include "foundation/KernelFunctions.h"

#include <cstdio>
#include <cstring>

KClass* KClass::s_head = nullptr;
long KClass::s_liveRecords = 0;

KClass::KClass()
{
    ++s_liveRecords;
}

KClass::~KClass()
{
    if (m_name)
        KMemory::dispose(m_name);
    --s_liveRecords;
}

long KClass::computeClassID(const char* Name)
{
    uint32 product = 1;
    if (!Name)
        return 1;
    for (const char* c = Name; *c; ++c)
        product *= static_cast<uint32>(static_cast<int32>(static_cast<int8>(*c)));
    return static_cast<long>(product);
}

KClass* KClass::registerClass(const char* Name, KClass* Parent, CreateProcedure Create, long Version)
{
    KClass* record = new KClass;
    if (!record)
        return nullptr;
    // The registry holds one reference; records live until the registry lets them go.
    record->incReferenceCount();
    record->setName(Name);
    record->setCreateProcedure(Create);
    record->setVersion(Version);
    if (!s_head) {
        s_head = record;
        record->generateClassID();
    } else {
        KClass* last = s_head;
        while (last->m_next)
            last = last->m_next;
        last->m_next = record;
        record->generateClassID();
        if (!Parent)
            kksReportError(28, "KClass::registerClass");
    }
    record->m_parent = Parent;
    return record;
}

KClass* KClass::findClass(const char* Name)
{
    for (KClass* record = s_head; record; record = record->m_next) {
        if (Name && record->m_name && std::strcmp(record->m_name, Name) == 0)
            return record;
    }
    // The context names the class, cut to fit the report's 256-byte buffer.
    char context[256];
    std::snprintf(context, sizeof context, "KClass::findClass(%.236s)", Name ? Name : "");
    kksReportError(28, context);
    return nullptr;
}

KClass* KClass::findClass(long ID)
{
    for (KClass* record = s_head; record; record = record->m_next) {
        if (record->m_classID == ID)
            return record;
    }
    kksReportError(28, "KClass::findClass(long ID)");
    return nullptr;
}

bool KClass::isClassID(long ID)
{
    for (KClass* record = s_head; record; record = record->m_next) {
        if (record->m_classID == ID)
            return true;
    }
    return false;
}

void KClass::unregisterAll()
{
    KClass* record = s_head;
    s_head = nullptr;
    while (record) {
        KClass* next = record->m_next;
        record->m_next = nullptr;
        record->decReferenceCount();
        record = next;
    }
}

KClass* KClass::findReadableClass(long ID)
{
    for (KClass* record = s_head; record; record = record->m_next) {
        if (record->m_classID == ID)
            return record->m_readsItself ? record : nullptr;
    }
    return nullptr;
}

KThing* KClass::createObject() const
{
    if (!m_create) {
        kksReportError(30, "KClass::createObject()");
        return nullptr;
    }
    return m_create();
}

bool KClass::isEqual(const KClass& C) const
{
    if (kIsNullReference(&C) || m_classID == 0) {
        kksReportError(28, "bool KClass::isEqual(const KClass& C) const");
        if (kIsNullReference(&C))
            return false;
    }
    return m_classID == C.m_classID;
}

bool KClass::isSubClass(const KClass& C) const
{
    if (kIsNullReference(&C)) {
        kksReportError(28, "bool KClass::isSubClass(const KClass& C) const");
        return false;
    }
    for (const KClass* ancestor = m_parent; ancestor; ancestor = ancestor->m_parent) {
        if (ancestor->m_classID == C.m_classID)
            return true;
    }
    return false;
}

bool KClass::isEqualOrSubClass(const KClass& C) const
{
    return isEqual(C) || isSubClass(C);
}

void KClass::setName(const char* Name)
{
    if (m_name) {
        KMemory::dispose(m_name);
        m_name = nullptr;
    }
    if (!Name)
        return;
    unsigned long length = std::strlen(Name);
    m_name = static_cast<char*>(KMemory::allocate(length + 1, false));
    if (m_name)
        KMemory::copy(Name, m_name, length + 1);
}

void KClass::generateClassID()
{
    if (m_classID != 0) {
        kksReportError(27, "KClass::generateClassID");
        return;
    }
    long id = computeClassID(m_name);
    for (KClass* record = s_head; record; record = record->m_next) {
        if (record->m_classID == id) {
            kksReportError(29, "KClass::generateClassID");
            break;
        }
    }
    m_classID = id;
}
