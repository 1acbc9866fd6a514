#include "controls/NativeControlBindingWin32.h"

#include "application/KNativeEvent.h"
#include "application/KWindowManager.h"
#include "application/NativeWindowWin32.h"
#include "application/WindowClassesWin32.h"
#include "controls/KControl.h"
#include "controls/KControlsLayer.h"
#include "graphics/NativeDeviceWin32.h"

#include <windows.h>

namespace {
const char* const kControlProperty = "KControlPtr";
const char* const kOldProcedureProperty = "OldWndProc";

KControl* controlOf(HWND Window)
{
    return Window ? static_cast<KControl*>(GetPropA(Window, kControlProperty)) : nullptr;
}

// The native window that sent a notification to its parent, or null for other messages.
HWND notifyingWindow(UINT Message, LPARAM LParam)
{
    switch (Message) {
    case WM_NOTIFY:
        return LParam ? reinterpret_cast<const NMHDR*>(LParam)->hwndFrom : nullptr;
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return reinterpret_cast<HWND>(LParam);
    default:
        return nullptr;
    }
}

// A notification goes to the control that sent it; every other message to the window's.
HWND askedWindow(HWND Window, UINT Message, LPARAM LParam)
{
    if (Message == WM_NOTIFY || Message == WM_HSCROLL || Message == WM_VSCROLL || (Message == WM_COMMAND && LParam))
        return notifyingWindow(Message, LParam);
    return Window;
}

KWindow* findKnownWindow(HWND Window)
{
    KWindow* window = findWindowOfNativeWin32(Window);
    if (!window || !KWindowManager::exists() || !KWindowManager::get().getWindows().has(*window))
        return nullptr;
    return window;
}

// Depth first, each control before its sub-controls.
KControl* searchControls(const KBag& Controls, void* Native)
{
    for (long i = 0; i < Controls.getCount(); ++i) {
        auto* control = dynamic_cast<KControl*>(&Controls[i]);
        if (!control)
            continue;
        if (control->getNativeWindow() == Native)
            return control;
        if (KControl* inner = searchControls(control->getControls(), Native))
            return inner;
    }
    return nullptr;
}

LRESULT CALLBACK NativeControlProcWin32(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    // Read first: handling the message may unbind the window.
    auto old = reinterpret_cast<WNDPROC>(GetPropA(Window, kOldProcedureProperty));
    KNativeEventPtr event;
    if (KControl* control = controlOf(askedWindow(Window, Message, LParam))) {
        event = new KNativeEvent;
        const KNativeMessage record =
            nativeMessageOfWin32(Window, Message, static_cast<uint32>(WParam), static_cast<int32>(LParam));
        event->setNativeMessage(&record);
        KControlPtr hold(control->isOnHeap() ? control : nullptr);
        control->handleNativeEvent(*event);
    }
    // Consumed: the native class never sees it. Nor does it see a message whose handling
    // closed the window the control was in (Return on a dialog's focused button).
    if ((event.hasObject(nullptr) && event->getResult() == 1) || !IsWindow(Window))
        return 0;
    return old ? CallWindowProcA(old, Window, Message, WParam, LParam) : 0;
}
} // namespace

NativeControlRecordWin32* subclassNativeControlWin32(void* Window, KControl& Control)
{
    const auto window = static_cast<HWND>(Window);
    auto* record = new NativeControlRecordWin32;
    record->window = Window;
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SetPropA(window, kControlProperty, &Control);
    const LONG_PTR old = SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NativeControlProcWin32));
    SetPropA(window, kOldProcedureProperty, reinterpret_cast<HANDLE>(old));
    record->device = new KGraphicDevice;
    return record;
}

void unsubclassNativeControlWin32(NativeControlRecordWin32* Record)
{
    if (!Record)
        return;
    if (const auto window = static_cast<HWND>(Record->window)) {
        if (HANDLE old = GetPropA(window, kOldProcedureProperty))
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemovePropA(window, kOldProcedureProperty);
        RemovePropA(window, kControlProperty);
    }
    Record->device.reset();
    if (Record->window)
        DestroyWindow(static_cast<HWND>(Record->window));
    delete Record;
}

void* getNativeHandleWin32(const KControl& C) { return C.getNativeWindow(); }

void* getOldWndProcWin32(void* Window) { return GetPropA(static_cast<HWND>(Window), kOldProcedureProperty); }

KGraphicDevice* beginNativeControlDrawingWin32(KControl& C)
{
    NativeControlRecordWin32* record = C.getNativeRecord();
    if (!record || !record->window || !record->device.hasObject(nullptr))
        return nullptr;
    KGraphicDevice& device = *record->device;
    if (!device.isBound()) {
        HDC context = record->paintContext ? static_cast<HDC>(record->paintContext)
                                           : GetWindowDC(static_cast<HWND>(record->window));
        // Binding builds the device's pens and brushes from its colours.
        device.initBoundsFromNative(createAndInitNativeDeviceWin32(context));
    }
    return &device;
}

void endNativeControlDrawingWin32(KControl& C)
{
    NativeControlRecordWin32* record = C.getNativeRecord();
    if (!record || !record->window || !record->device.hasObject(nullptr) || !record->device->isBound())
        return;
    HDC context = getHDCWin32(*record->device);
    record->device->releaseNative();
    if (!record->paintContext)
        ReleaseDC(static_cast<HWND>(record->window), context);
}

void invalidateNativeControlWin32(KControl& C)
{
    if (void* window = C.getNativeWindow())
        InvalidateRect(static_cast<HWND>(window), nullptr, TRUE);
    else
        C.draw();
}

void invalidateNativeControlTreeWin32(KControl& C)
{
    const KBag& controls = C.getControls();
    for (long i = 0; i < controls.getCount(); ++i) {
        auto& sub = static_cast<KControl&>(controls[i]);
        invalidateNativeControlWin32(sub);
        invalidateNativeControlTreeWin32(sub);
    }
}

void* getNativeControlFrameWin32(const KControl& C, short& X, short& Y, short& Width, short& Height)
{
    const KGraphicRectangle bounds = C.getBounds();
    X = bounds.getH();
    Y = bounds.getV();
    Width = bounds.getWidth();
    Height = bounds.getHeight();
    for (const KControl* parent = &C; parent->hasParentControl();) {
        parent = &parent->getParentControl();
        if (void* native = parent->getNativeWindow())
            return native;
        X = static_cast<short>(X + parent->getBounds().getH());
        Y = static_cast<short>(Y + parent->getBounds().getV());
    }
    KWindowPtr window;
    return C.findParentWindow(window) ? window->getNativeWindow() : nullptr;
}

KControl* findControlForNativeWindowWin32(void* Window)
{
    const auto native = static_cast<HWND>(Window);
    if (!native)
        return nullptr;
    if (KControl* own = controlOf(native))
        return own;
    for (HWND climb = native; climb; climb = GetParent(climb)) {
        if (KWindow* window = findKnownWindow(climb))
            return searchControls(window->getControlsLayer().getControls(), Window);
    }
    return nullptr;
}

KControl* findNotifyingControlWin32(const KNativeMessage& Message)
{
    return findControlForNativeWindowWin32(notifyingWindow(Message.message, Message.lParam));
}

KEventReturn processControlNotificationWin32(KNativeEvent& Event)
{
    const KNativeMessage* message = Event.getNativeMessage();
    KControl* control = message ? findNotifyingControlWin32(*message) : nullptr;
    if (!control)
        return 0;
    KControlPtr hold(control->isOnHeap() ? control : nullptr);
    return control->handleNativeEvent(Event) ? 1 : 0;
}
