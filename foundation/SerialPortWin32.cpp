#include "foundation/SerialPortWin32.h"

#include <windows.h>

void applySerialLineSettingsWin32(DCB& Block, const SerialLineSettings& Settings)
{
    if (Settings.bitsPerSecond != 0)
        Block.BaudRate = Settings.bitsPerSecond;
    if (Settings.dataBits != 0)
        Block.ByteSize = Settings.dataBits;
    switch (Settings.parity) {
    case SerialLineSettings::NoParity: Block.Parity = NOPARITY; break;
    case SerialLineSettings::EvenParity: Block.Parity = EVENPARITY; break;
    case SerialLineSettings::OddParity: Block.Parity = ODDPARITY; break;
    default: break;
    }
    switch (Settings.stopBits) {
    case SerialLineSettings::OneStopBit: Block.StopBits = ONESTOPBIT; break;
    case SerialLineSettings::OneAndHalfStopBits: Block.StopBits = ONE5STOPBITS; break;
    case SerialLineSettings::TwoStopBits: Block.StopBits = TWOSTOPBITS; break;
    default: break;
    }

    // The binary-mode and parity-check flags and the XON and XOFF characters stay the
    // port's own.
    Block.fOutxCtsFlow = FALSE;
    Block.fOutxDsrFlow = FALSE;
    Block.fDtrControl = DTR_CONTROL_DISABLE;
    Block.fDsrSensitivity = FALSE;
    Block.fTXContinueOnXoff = FALSE;
    Block.fOutX = FALSE;
    Block.fInX = FALSE;
    Block.fErrorChar = FALSE;
    Block.fNull = FALSE;
    Block.fRtsControl = RTS_CONTROL_DISABLE;
    Block.fAbortOnError = FALSE;
    Block.ErrorChar = 0;
    Block.EofChar = 0;
    Block.EvtChar = 0;

    switch (Settings.flowControl) {
    case SerialLineSettings::XonXoff:
        Block.fOutX = TRUE;
        Block.fInX = TRUE;
        break;
    case SerialLineSettings::RtsOn:
        Block.fRtsControl = RTS_CONTROL_ENABLE;
        break;
    case SerialLineSettings::CtsOutput:
        Block.fOutxCtsFlow = TRUE;
        break;
    case SerialLineSettings::RtsOnCtsOutput:
        Block.fRtsControl = RTS_CONTROL_ENABLE;
        Block.fOutxCtsFlow = TRUE;
        break;
    default:
        break;
    }
}

bool configureSerialPortWin32(void* Handle, const SerialLineSettings& Settings)
{
    DCB block = {};
    block.DCBlength = sizeof(block);
    // Writing back a block that could not be read would send garbage to the device.
    if (!GetCommState(Handle, &block))
        return false;
    applySerialLineSettingsWin32(block, Settings);
    if (!SetCommState(Handle, &block))
        return false;
    return PurgeComm(Handle, PURGE_TXCLEAR | PURGE_RXCLEAR) != 0;
}

bool setSerialTimeoutsWin32(void* Handle)
{
    COMMTIMEOUTS timeouts = {};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    timeouts.WriteTotalTimeoutMultiplier = 10;
    timeouts.WriteTotalTimeoutConstant = 10;
    return SetCommTimeouts(Handle, &timeouts) != 0;
}

bool getSerialBytesWaitingWin32(void* Handle, long& Count)
{
    Count = 0;
    DWORD errors = 0;
    COMSTAT status = {};
    if (!ClearCommError(Handle, &errors, &status))
        return false;
    Count = static_cast<long>(status.cbInQue);
    return true;
}
