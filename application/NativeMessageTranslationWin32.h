#pragma once
// The translation of native window messages into framework events, and the framework's
// native defaults for the messages that become native events.
#include "application/KEvent.h"

class KNativeEvent;

// A new event made of the message (the caller sends or posts it), or null. None while no
// application exists or once it has quit.
KEvent* dispatchNativeMessageWin32(const KNativeMessage& Message);
// 1 when the native default handled the message, else 0.
KEventReturn processNativeMessageWin32(KNativeEvent& Event);
