#include "foundation/KThingPtr.h"

#include "foundation/ErrorTable.h"

KThingPtr::KThingPtr(KThing& O)
{
    setObject(O);
}

KThingPtr::KThingPtr(const KThingPtr& P)
    : KThing()
{
    setObjectOrNull(P.m_object);
}

KThingPtr& KThingPtr::operator=(const KThingPtr& P)
{
    setObjectOrNull(P.m_object);
    return *this;
}

KThingPtr::~KThingPtr()
{
    reset();
}

void KThingPtr::setObject(KThing& O)
{
    setObjectOrNull(&O);
}

void KThingPtr::setObjectOrNull(KThing* O)
{
    if (m_object == O)
        return;
    // The old object is released before the new one is counted.
    reset();
    if (!O || kIsNullReference(O))
        return;
    m_object = O;
    O->incReferenceCount();
}

KThing& KThingPtr::getObject() const
{
    if (!m_object) {
        kksReportError(18, "KThing& KThingPtr::getObject() const");
        return kNullReference<KThing>();
    }
    return *m_object;
}

bool KThingPtr::hasObject(KThing** Out) const
{
    if (Out)
        *Out = m_object;
    return m_object != nullptr;
}

void KThingPtr::reset()
{
    if (!m_object)
        return;
    KThing* object = m_object;
    m_object = nullptr;
    object->decReferenceCount();
}
