#include "application/KApplication.h"

namespace {
KApplication* s_current = nullptr;
}

K_DEFINE_CLASS(KApplication, KThing, 1)

KApplication::KApplication()
{
    s_current = this;
}

KApplication::~KApplication()
{
    KClass::unregisterAll();
    if (s_current == this)
        s_current = nullptr;
}

KApplication* KApplication::getApplication() { return s_current; }

bool KApplication::handleFatalError(const char*, const char*) { return false; }
