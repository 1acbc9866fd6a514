#pragma once
// The framework's copy of a native window message: window, message, wParam, lParam, time
// and cursor position, laid out as the platform's MSG record so that one can be copied
// into the other whole.
#include "foundation/KTypes.h"

struct KNativeMessage {
    void* window;
    uint32 message;
    uint32 wParam;
    int32 lParam;
    uint32 time;
    int32 x;
    int32 y;
};

static_assert(sizeof(KNativeMessage) == 28, "the native message record is 28 bytes");
