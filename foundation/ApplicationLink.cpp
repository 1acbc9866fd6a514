#include "foundation/ApplicationLink.h"

#include "foundation/KString.h"

namespace {
ApplicationLink* s_link = nullptr;
} // namespace

ApplicationLink* ApplicationLink::get() { return s_link; }

void ApplicationLink::install(ApplicationLink* Link) { s_link = Link; }

KString ApplicationLink::applicationName(const char* Default)
{
    KString name;
    if (s_link && s_link->getApplicationName(name))
        return name;
    return KString(Default);
}

void* ApplicationLink::mainNativeWindow() { return s_link ? s_link->getMainNativeWindow() : nullptr; }
