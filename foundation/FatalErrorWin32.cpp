// The fatal path of the error table.
#include "foundation/ErrorTable.h"

#include "foundation/ApplicationLink.h"
#include "foundation/KernelFunctions.h"

#include <windows.h>

namespace {
bool s_fatalInProgress = false;
}

void knsFatalError(const char* Caption, const char* Text)
{
    bool toldByApplication = false;
    // A fatal error raised while another is being told (from the hook, or from the message
    // box's own message handling) goes straight to the box.
    if (!s_fatalInProgress) {
        knsFreeScratch();
        s_fatalInProgress = true;
        if (ApplicationLink* link = ApplicationLink::get())
            toldByApplication = link->handleFatalError(Caption, Text);
    }
    if (!toldByApplication)
        knsPresentMessageBox(Caption, Text, MB_OK | MB_ICONHAND | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST);
    knsRestoreScreenSettings();
    // A fatal end is a failure: callers and scripts must not read it as success.
    ExitProcess(kFatalExitCode);
}
