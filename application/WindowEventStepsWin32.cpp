#include "application/WindowEventStepsWin32.h"

#include "application/KWindowEvent.h"
#include "graphics/KColor.h"
#include "graphics/NativeDeviceWin32.h"

#include <windows.h>

namespace {
// The window draws itself first; then its layers, bottom first, until one answers that
// the drawing is done.
KEventReturn drawWindowAndLayers(KWindowEvent& E)
{
    KWindow& window = E.getWindow();
    KEventReturn answer = window.draw(E) ? 1 : 0;
    const KBag& layers = window.getLayers();
    for (long i = 0; answer == 0 && i < layers.getCount(); ++i)
        answer = static_cast<KLayer&>(layers[i]).drawLayer(E) ? 1 : 0;
    return answer;
}
} // namespace

KEventReturn kksPaintWindowEvent(KWindowEvent& E)
{
    KWindowPtr window = E.getWindow();
    const auto native = static_cast<HWND>(window->getNativeWindow());
    if (!native || !window->isBound())
        return drawWindowAndLayers(E);
    PAINTSTRUCT paint;
    HDC paintDC = BeginPaint(native, &paint);
    HDC ownDC = getHDCWin32(*window);
    // Everything drawn during the paint goes through the paint's own context, which
    // clips to the area the platform asked for.
    if (paintDC)
        setHDCWin32(*window, paintDC);
    if (paint.fErase && paintDC) {
        HBRUSH background = CreateSolidBrush(window->getBackColor().getNativeColor());
        FillRect(paintDC, &paint.rcPaint, background);
        DeleteObject(background);
    }
    const KEventReturn answer = drawWindowAndLayers(E);
    if (window->isBound())
        setHDCWin32(*window, ownDC);
    EndPaint(native, &paint);
    return answer;
}

KEventReturn kksValidateWindowEvent(KWindowEvent& E)
{
    KWindowPtr window = E.getWindow();
    const KEventReturn answer = drawWindowAndLayers(E);
    if (void* native = window->getNativeWindow())
        ValidateRect(static_cast<HWND>(native), nullptr);
    return answer;
}

KEventReturn kksMoveWindowEvent(KWindowEvent& E)
{
    KWindow& window = E.getWindow();
    if (void* native = window.getNativeWindow()) {
        RECT client{};
        GetClientRect(static_cast<HWND>(native), &client);
        POINT origin{0, 0};
        ClientToScreen(static_cast<HWND>(native), &origin);
        window.setBounds(KGraphicRectangle(static_cast<short>(origin.x), static_cast<short>(origin.y),
                                           static_cast<short>(client.right), static_cast<short>(client.bottom)));
    }
    return window.moved(E) ? 1 : 0;
}

KEventReturn kksResizeWindowEvent(KWindowEvent& E)
{
    KWindow& window = E.getWindow();
    if (void* native = window.getNativeWindow()) {
        RECT client{};
        GetClientRect(static_cast<HWND>(native), &client);
        const KGraphicRectangle& bounds = window.getBounds();
        window.setBounds(KGraphicRectangle(bounds.getH(), bounds.getV(), static_cast<short>(client.right),
                                           static_cast<short>(client.bottom)));
    }
    return window.resized(E) ? 1 : 0;
}

KEventReturn kksCloseWindowEvent(KWindowEvent& E) { return E.getWindow().closeRequest(E); }
