#include "application/ApplicationStart.h"

#include "application/KApplication.h"
#include "application/KCursorManager.h"
#include "application/KWindow.h"
#include "application/WindowClassesWin32.h"
#include "foundation/ApplicationLink.h"
#include "foundation/KThing.h"
#include "foundation/KernelFunctions.h"
#include "foundation/OperatingSystemWin32.h"

namespace {
// The foundation's view of the current application.
class CurrentApplicationLink final : public ApplicationLink {
public:
    bool getApplicationName(KString& Name) const override
    {
        const KApplication* application = KApplication::getApplication();
        if (!application)
            return false;
        Name = application->getName();
        return true;
    }

    bool hasMainWindow() const override
    {
        const KApplication* application = KApplication::getApplication();
        return application && application->hasMainWindow();
    }

    void* getMainNativeWindow() const override
    {
        return hasMainWindow() ? KApplication::getApplication()->getMainWindow().getNativeWindow() : nullptr;
    }

    bool beginWaitCursor() override
    {
        if (!KCursorManager::exists())
            return false;
        KCursorManager::get().pushCursor();
        KCursorManager::get().setCursor(KCursorManager::WaitCursor);
        return true;
    }

    void endWaitCursor() override
    {
        if (KCursorManager::exists())
            KCursorManager::get().popCursor();
    }

    bool handleFatalError(const char* Caption, const char* Text) override
    {
        KApplication* application = KApplication::getApplication();
        return application && application->handleFatalError(Caption, Text);
    }
};

CurrentApplicationLink s_link;

void registerWindowClasses()
{
    registerSplashWindowClassWin32();
    registerKWindowClassesWin32();
    registerDragObjectWindowClassWin32();
    registerMacStyleMenuWindowClassWin32();
}

void unregisterWindowClasses()
{
    unregisterSplashWindowClassWin32();
    unregisterKWindowClassesWin32();
    unregisterDragObjectWindowClassWin32();
    unregisterMacStyleMenuWindowClassWin32();
}
} // namespace

void kksInstallApplicationLayer()
{
    ApplicationLink::install(&s_link);
    knsSetWindowClassProcedures(&registerWindowClasses, &unregisterWindowClasses);
}

int kksRunProgram(KProgramMain Main)
{
    kksInstallApplicationLayer();
    knsEnterKernel();
    Main();
    knsExitKernel();
    knsDebugPrint("Total Objects On Heap= %d\n\n", static_cast<int>(KThing::getHeapBlockCount()));
    knsDebugPrint("Total Objects = %d\n", static_cast<int>(KThing::getLiveObjectCount()));
    knsDebugPrint("Total Objects On Heap= %d\n\n", static_cast<int>(KThing::getHeapBlockCount()));
    return static_cast<int>(knsGetExitCode());
}
