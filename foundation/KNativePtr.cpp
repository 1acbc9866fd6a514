#include "foundation/KNativePtr.h"

K_DEFINE_CLASS(KNativePtr, KThing, 1)

KNativePtr::KNativePtr(KThing* O)
{
    if (O)
        setNativePtr(O);
}

KNativePtr::~KNativePtr()
{
    reset();
}

KThing* KNativePtr::setNativePtr(KThing* O)
{
    m_object = O;
    return O;
}

KThing& KNativePtr::getNativePtr() const
{
    if (!m_object) {
        kksReportError(18, "KThing& KNativePtr::getNativePtr() const");
        return kNullReference<KThing>();
    }
    return *m_object;
}

bool KNativePtr::hasNativePtr(KThing** Out) const
{
    if (Out)
        *Out = m_object;
    return m_object != nullptr;
}
