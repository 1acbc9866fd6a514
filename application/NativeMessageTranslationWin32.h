#pragma once
// The translation of native window messages into framework events, and the framework's
// native defaults for the messages that become native events. The translator keeps the
// mouse-button state, the application's activity and the text of "Received Data" as it
// arrives one WM_APP character at a time.
#include "application/KEvent.h"

class KNativeEvent;

using KDeviceChangeCallback = void (*)();
using KNativeHook = void (*)(uint32 WParam, int32 LParam);

// A new event made of the message (the caller sends or posts it), or null. None while no
// application exists or once it has quit.
KEvent* dispatchNativeMessageWin32(const KNativeMessage& Message);
// 1 when the native default handled the message, else 0.
KEventReturn processNativeMessageWin32(KNativeEvent& Event);
// The framework's key code of a virtual key: 256 on for the special keys, 0 for the rest.
uint16 translateVirtualKeyWin32(uint32 VirtualKey);
// Native controls report their presses and releases here, where the window procedures
// never see them.
void setMouseButtonDownWin32(uint8 Left, uint8 Right);
void getMouseButtonDownWin32(uint8& Left, uint8& Right);
// Called when devices arrive or leave, and on message WM_USER + 0x63; none by default.
void setDeviceChangeCallbackWin32(KDeviceChangeCallback Callback);
void setNativeHookWin32(KNativeHook Hook);
void callNativeHookWin32(uint32 WParam, int32 LParam);
