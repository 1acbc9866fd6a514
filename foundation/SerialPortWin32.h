#pragma once
// The operating-system calls behind the serial port that are particular to
// communication devices; opening, reading, writing and closing the port's handle are the
// file calls of DiskWin32.h.
#include "foundation/SerialLineSettings.h"

struct _DCB;

// Writes the setting into a control block read from the port: the line values, then
// every handshake and line control switched off, then the flow control asked for.
void applySerialLineSettingsWin32(_DCB& Block, const SerialLineSettings& Settings);

// Reads the port's control block, applies the setting, writes it back and empties the
// port's transmit and receive buffers; false when any of that fails.
bool configureSerialPortWin32(void* Handle, const SerialLineSettings& Settings);
// Reads return at once with what has arrived; writes may take 10 ms per byte plus 10 ms.
bool setSerialTimeoutsWin32(void* Handle);
// The bytes waiting in the input queue; clears a pending error condition of the port.
// False when the system cannot tell.
bool getSerialBytesWaitingWin32(void* Handle, long& Count);
