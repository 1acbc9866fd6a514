#include "multimedia/speech/SpeechObjectsWin32.h"

#include "multimedia/speech/Sapi4EngineWin32.h"

#include <objbase.h>

namespace {
KSpeechObjectFactory s_factory = nullptr;
} // namespace

long kssCreateSpeechObject(const GUID& Class, unsigned long Context, const GUID& Interface, void** Object)
{
    *Object = nullptr;
    if (s_factory)
        return s_factory(Class, Context, Interface, Object);
    return CoCreateInstance(Class, nullptr, Context, Interface, Object);
}

void kssSetSpeechObjectFactory(KSpeechObjectFactory Factory)
{
    if (Factory == s_factory)
        return;
    kssSapi4ForgetInstallation();
    s_factory = Factory;
}
