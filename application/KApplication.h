#pragma once
// The one application object of a process.
#include "foundation/KClass.h"

class KApplication : public KThing {
    K_DECLARE_CLASS(KApplication)
public:
    KApplication();
    ~KApplication() override;

    // The current application; null before it is made and after it is destroyed.
    static KApplication* getApplication();

    // The fatal-error hook: true when the application has told the user itself, so that
    // no message box is shown. The process ends either way.
    virtual bool handleFatalError(const char* Caption, const char* Text);
};
