#include "application/FrameworkClasses.h"

#include "application/KApplication.h"
#include "foundation/KClass.h"
#include "foundation/KDate.h"
#include "foundation/KFlagSet.h"
#include "foundation/KNativePtr.h"
#include "foundation/KSet.h"
#include "foundation/KString.h"
#include "foundation/KTime.h"

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
    KFlagSet::registerClass();
    KSet::registerClass();
    registerPlaceholder("KMemory");
    KComparable::registerClass();
    KString::registerClass();
    KNativePtr::registerClass();
    KDate::registerClass();
    KTime::registerClass();
    KApplication::registerClass();
    registerPlaceholder("KErrorHandler");
}
