#include "application/FrameworkClasses.h"

#include "application/KApplication.h"
#include "foundation/KClass.h"
#include "foundation/KNativePtr.h"
#include "foundation/KString.h"

namespace {
// "KMemory", "KFileTypeHandler", "KEventHandler" and "KErrorHandler" have no objects of
// their own: they are entries under KThing that create plain KThings.
void registerPlaceholder(const char* Name)
{
    KClass::registerClass(Name, KThing::getClassRecord(), &KThing::createInstance, 1);
}
} // namespace

void kksRegisterFrameworkClasses()
{
    KThing::initClass("KThing", nullptr, 1);
    registerPlaceholder("KMemory");
    KComparable::registerClass();
    KString::registerClass();
    KNativePtr::registerClass();
    KApplication::registerClass();
    registerPlaceholder("KErrorHandler");
}
