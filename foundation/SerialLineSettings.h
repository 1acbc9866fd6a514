#pragma once
// A serial line setting in the framework's terms, as the port hands it to the native
// layer. A field left at its "keep" value leaves what the port already had.
#include "foundation/KTypes.h"

struct SerialLineSettings {
    enum Parity : int8 { KeepParity = -1, NoParity = 0, EvenParity = 1, OddParity = 2 };
    enum StopBits : int8 { KeepStopBits = -1, OneStopBit = 0, OneAndHalfStopBits = 1, TwoStopBits = 2 };
    enum FlowControl : uint8 {
        NoFlowControl = 0,
        XonXoff = 1,
        RtsOn = 2,
        CtsOutput = 3,
        RtsOnCtsOutput = 4,
    };

    unsigned long bitsPerSecond = 0; // 0: keep
    uint8 dataBits = 0;              // 0: keep
    int8 parity = KeepParity;
    int8 stopBits = KeepStopBits;
    uint8 flowControl = NoFlowControl;
};
