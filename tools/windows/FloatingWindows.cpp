#include "tools/windows/FloatingWindows.h"

#include "application/KMenuManager.h"
#include "application/KWindow.h"
#include "foundation/KernelFunctions.h"

bool isOpenedTwice(const KWindow& W)
{
    if (!W.getNativeWindow())
        return false;
    knsFatalError("KWindow::open()", "Already Open.");
    return true;
}

void* carriedMenuBar(const KWindow& W)
{
    if (!(W.getStateFlags() & KWindow::CarriesMenuBarFlag) || !KMenuManager::exists())
        return nullptr;
    return KMenuManager::getMenuManager().getNativeMenuForWindows();
}
