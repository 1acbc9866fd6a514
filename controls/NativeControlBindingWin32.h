#pragma once
// The binding of a control to its native child window. Subclassing the window puts the
// control's own procedure in front of the native class's, so that every message reaches
// the control first as a native event; the window carries the control in its property
// "KControlPtr" and the procedure it had before in "OldWndProc". The lookups and helpers
// here are what the controls and the message translation need of that binding.
#include "application/KEvent.h"
#include "graphics/KGraphicDevice.h"

class KControl;
class KNativeEvent;

// One per control that has a native window, made when the window is subclassed and freed
// when it is destroyed.
struct NativeControlRecordWin32 {
    void* window = nullptr;
    // The context of the paint in progress while the control handles WM_PAINT; null
    // otherwise, and every drawing then fetches the window's context and gives it back.
    void* paintContext = nullptr;
    KGraphicDevicePtr device;
    // The native class paints the window itself.
    uint8 nativePaints = 1;
    // The control's draw paints it.
    uint8 frameworkDraws = 0;
    // The mouse is captured while the controls layer tracks a press on the control.
    uint8 captureMouse = 0;
};

NativeControlRecordWin32* subclassNativeControlWin32(void* Window, KControl& Control);
// Puts the old procedure back before the window goes, so that its destruction messages
// reach only the native class; then frees the record.
void unsubclassNativeControlWin32(NativeControlRecordWin32* Record);
void* getNativeHandleWin32(const KControl& C);
void* getOldWndProcWin32(void* Window);

// A device drawing into the control's window (into the paint in progress, if any), or
// null when the control has no native window. Every begin is followed by an end.
KGraphicDevice* beginNativeControlDrawingWin32(KControl& C);
void endNativeControlDrawingWin32(KControl& C);
// A control without a native window draws at once.
void invalidateNativeControlWin32(KControl& C);
void invalidateNativeControlTreeWin32(KControl& C);

// The native window in which C's native window is made, with C's frame relative to it:
// the nearest container that has a native window, else C's window; null when neither has.
void* getNativeControlFrameWin32(const KControl& C, short& X, short& Y, short& Width, short& Height);
// The control of a native window: its own, or one found among the controls of the
// framework window it lies in.
KControl* findControlForNativeWindowWin32(void* Window);

// Notifications a native control sends its parent (WM_COMMAND, WM_NOTIFY, WM_HSCROLL,
// WM_VSCROLL): the control that sent one, or null.
KControl* findNotifyingControlWin32(const KNativeMessage& Message);
// The native default for such a notification: the control that sent it handles it; 1
// when it did.
KEventReturn processControlNotificationWin32(KNativeEvent& Event);
