#include "application/NativeMessageTranslationWin32.h"

#include "application/KApplication.h"
#include "application/KNativeEvent.h"
#include "application/KWindowEvent.h"
#include "application/KWindowManager.h"
#include "application/NativeWindowWin32.h"

#include <windows.h>

namespace {
// The window object of a native window that the window manager knows and that is open.
KWindow* findOpenWindow(void* Native)
{
    KWindow* window = findWindowOfNativeWin32(Native);
    if (!window || !KWindowManager::exists() || !KWindowManager::get().getWindows().has(*window))
        return nullptr;
    return window->isOpen() ? window : nullptr;
}

KEvent* makeWindowEvent(KWindow& Window, long Type, const KNativeMessage& Message)
{
    auto* event = new KWindowEvent;
    if (!event)
        return nullptr;
    event->setType(Type);
    event->setWindow(Window);
    event->setNativeMessage(&Message);
    return event;
}
} // namespace

KEvent* dispatchNativeMessageWin32(const KNativeMessage& Message)
{
    KApplication* application = KApplication::getApplication();
    if (!application || application->getState() >= KApplication::Quit)
        return nullptr;
    KEvent* event = nullptr;
    switch (Message.message) {
    case WM_CLOSE:
        if (KWindow* window = findOpenWindow(Message.window))
            event = makeWindowEvent(*window, KWindowEvent::Close, Message);
        break;
    case WM_TIMER:
        // The loop's wake-up on the main window: end the wait.
        if (application->hasMainWindow()) {
            if (void* main = application->getMainWindow().getNativeWindow())
                PostMessageA(static_cast<HWND>(main), WM_NULL, 0, 0);
        }
        break;
    default:
        break;
    }
    if (event)
        event->setTime(static_cast<long>(Message.time));
    return event;
}

KEventReturn processNativeMessageWin32(KNativeEvent&) { return 0; }
