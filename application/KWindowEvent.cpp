#include "application/KWindowEvent.h"

#include "application/KApplication.h"
#include "application/KApplicationEvent.h"
#include "application/KKeyboardManager.h"
#include "application/KWindowManager.h"
#include "application/WindowEventStepsWin32.h"

K_DEFINE_CLASS(KWindowEvent, KEvent, 1)

KWindowEvent::KWindowEvent() = default;
KWindowEvent::~KWindowEvent() = default;

void KWindowEvent::setWindow(KWindow& W) { m_window.setObject(W); }
void KWindowEvent::resetWindow() { m_window.reset(); }

KEventReturn KWindowEvent::handle()
{
    // Behind a common dialog nothing reacts, but windows still paint: a paint left
    // unanswered is asked for again at once, and the loop would spin on it.
    if (isCommonDialogOpen() && getType() != Paint && getType() != Validate)
        return 1;
    if (!hasWindow())
        return 0;
    KWindowPtr window = m_window;
    KApplication* application = KApplication::getApplication();
    KEventReturn answer = 0;
    switch (getType()) {
    case Paint:
        answer = kksPaintWindowEvent(*this);
        if (!answer && application)
            answer = application->paint(*this);
        return answer;
    case Validate:
        answer = kksValidateWindowEvent(*this);
        if (!answer && application)
            answer = application->paint(*this);
        return answer;
    case Moved:
        answer = kksMoveWindowEvent(*this);
        if (!answer && application)
            answer = application->windowMoved(*this);
        return answer;
    case Resized:
        answer = kksResizeWindowEvent(*this);
        if (!answer && application)
            answer = application->windowResized(*this);
        return answer;
    case Close:
        return close(*window);
    case Activated:
        return activated(*window);
    case Deactivated:
        return deactivated(*window);
    default:
        return 0;
    }
}

KEventReturn KWindowEvent::close(KWindow& Window)
{
    const KEventReturn answer = kksCloseWindowEvent(*this);
    if (answer != 2)
        return answer;
    KApplication* application = KApplication::getApplication();
    if (application && application->hasMainWindow() && &application->getMainWindow() == &Window) {
        // Closing the main window is the application's quit request.
        KApplicationEventPtr request = new KApplicationEvent;
        if (request.hasObject(nullptr)) {
            request->setType(KApplicationEvent::QuitRequest);
            if (application->quitRequest(*request) == 2) {
                Window.hide();
                application->postQuitMessage();
            }
        }
    } else {
        Window.close();
    }
    return answer;
}

KEventReturn KWindowEvent::activated(KWindow& Window)
{
    KApplication* application = KApplication::getApplication();
    KEventReturn answer = Window.activated(*this) ? 1 : 0;
    if (!answer && application)
        answer = application->windowActivated(*this);
    if (KWindowManager::exists()) {
        KWindowManager& manager = KWindowManager::get();
        manager.setActiveWindow(Window);
        manager.bringToFront(Window);
    }
    if (KKeyboardManager::exists())
        Window.restoreFocus();
    return answer;
}

KEventReturn KWindowEvent::deactivated(KWindow& Window)
{
    if (KKeyboardManager::exists() && Window.ownsKeyboardFocus())
        KKeyboardManager::getManager().clearFocusElement();
    if (KWindowManager::exists()) {
        KWindowManager& manager = KWindowManager::get();
        if (manager.hasActiveWindow() && &manager.getActiveWindow() == &Window)
            manager.resetActiveWindow();
    }
    KApplication* application = KApplication::getApplication();
    KEventReturn answer = Window.deactivated(*this) ? 1 : 0;
    if (!answer && application)
        answer = application->windowDeactivated(*this);
    return answer;
}
