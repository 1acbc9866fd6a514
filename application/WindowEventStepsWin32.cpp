#include "application/WindowEventStepsWin32.h"

#include "application/KWindowEvent.h"

#include <windows.h>

KEventReturn kksPaintWindowEvent(KWindowEvent& E)
{
    KWindow& window = E.getWindow();
    const auto native = static_cast<HWND>(window.getNativeWindow());
    if (!native)
        return window.draw(E) ? 1 : 0;
    PAINTSTRUCT paint;
    BeginPaint(native, &paint);
    const KEventReturn answer = window.draw(E) ? 1 : 0;
    EndPaint(native, &paint);
    return answer;
}

KEventReturn kksValidateWindowEvent(KWindowEvent& E)
{
    KWindow& window = E.getWindow();
    const KEventReturn answer = window.draw(E) ? 1 : 0;
    if (void* native = window.getNativeWindow())
        ValidateRect(static_cast<HWND>(native), nullptr);
    return answer;
}

KEventReturn kksMoveWindowEvent(KWindowEvent& E) { return E.getWindow().moved(E) ? 1 : 0; }
KEventReturn kksResizeWindowEvent(KWindowEvent& E) { return E.getWindow().resized(E) ? 1 : 0; }
KEventReturn kksCloseWindowEvent(KWindowEvent& E) { return E.getWindow().closeRequest(E); }
