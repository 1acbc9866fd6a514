#include "application/FrameworkClasses.h"

#include "application/KActionEvent.h"
#include "application/KApplication.h"
#include "application/KApplicationEvent.h"
#include "application/KControlActionEvent.h"
#include "application/KCustomMenu.h"
#include "application/KCustomMenuItem.h"
#include "application/KDialogHandler.h"
#include "application/KEvent.h"
#include "application/KInteractiveElement.h"
#include "application/KKeyEvent.h"
#include "application/KLayer.h"
#include "application/KMenu.h"
#include "application/KMenuBar.h"
#include "application/KMenuEvent.h"
#include "application/KMenuItem.h"
#include "application/KMenuManager.h"
#include "application/KMouseEvent.h"
#include "application/KNativeEvent.h"
#include "application/KPaletteWindow.h"
#include "application/KTimerManager.h"
#include "application/KWindow.h"
#include "application/KWindowEvent.h"
#include "application/KWindowManager.h"
#include "foundation/FoundationClasses.h"
#include "graphics/GraphicsClasses.h"

#include <vector>

namespace {
std::vector<KClassRegistration>& upperRegistrations()
{
    static std::vector<KClassRegistration> list;
    return list;
}
} // namespace

void kksAddFrameworkClassRegistration(KClassRegistration Registration)
{
    for (KClassRegistration known : upperRegistrations()) {
        if (known == Registration)
            return;
    }
    upperRegistrations().push_back(Registration);
}

void kksRegisterFrameworkClasses()
{
    kksRegisterFoundationClasses();
    kksRegisterGraphicsClasses();
    kksRegisterApplicationClasses();
    for (KClassRegistration registration : upperRegistrations())
        registration();
}

void kksRegisterApplicationClasses()
{
    KTimerManager::registerClass();
    KMenuItem::registerClass();
    KCustomMenuItem::registerClass();
    KMenu::registerClass();
    KCustomMenu::registerClass();
    KMenuBar::registerClass();
    KMenuManager::registerClass();
    KWindow::registerClass();
    KPaletteWindow::registerClass();
    KWindowManager::registerClass();
    KDialogHandler::registerClass();
    KInteractiveElement::registerClass();
    KLayer::registerClass();
    KEvent::registerClass();
    KActionEvent::registerClass();
    KControlActionEvent::registerClass();
    KApplicationEvent::registerClass();
    KKeyEvent::registerClass();
    KMenuEvent::registerClass();
    KMouseEvent::registerClass();
    KNativeEvent::registerClass();
    KWindowEvent::registerClass();
    kksRegisterPlaceholderClass("KEventHandler");
    KApplication::registerClass();
    kksRegisterPlaceholderClass("KErrorHandler");
}
