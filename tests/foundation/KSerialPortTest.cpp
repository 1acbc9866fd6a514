// The serial port without a device: its names and speeds, the line setting its indexes
// make and how it lands in the port's control block, and the paths where opening fails.
#include "foundation/KSerialPort.h"
#include "foundation/SerialPortWin32.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include <windows.h>

namespace {

TEST(KSerialPort, OffersComOneToNine)
{
    KBagPtr names = KSerialPort::getPortNames();
    std::vector<std::string> texts;
    for (long i = 0; i < names->getCount(); ++i)
        texts.push_back(static_cast<KString&>(names->getObjectAt(i)).getText());
    EXPECT_EQ(texts, (std::vector<std::string>{"COM1:", "COM2:", "COM3:", "COM4:", "COM5:", "COM6:", "COM7:",
                                               "COM8:", "COM9:"}));
}

TEST(KSerialPort, SpeedTable)
{
    const unsigned long speeds[] = {300,   600,   1200,  2400,   4800,   9600,  14400,
                                    19200, 38400, 57600, 115200, 128000, 256000};
    for (uint8 i = 0; i < 13; ++i)
        EXPECT_EQ(KSerialPort::getSpeed(i), speeds[i]) << int(i);
    EXPECT_EQ(KSerialPort::getSpeed(13), 0u);
    EXPECT_EQ(KSerialPort::getSpeed(255), 0u);
}

TEST(KSerialPort, IndexesBecomeTheLineValuesOfTheControlBlock)
{
    KSerialPort port;
    SerialLineSettings settings = port.getLineSettings();
    EXPECT_EQ(settings.bitsPerSecond, 9600u);
    EXPECT_EQ(settings.dataBits, 8);
    EXPECT_EQ(settings.parity, SerialLineSettings::NoParity);
    EXPECT_EQ(settings.stopBits, SerialLineSettings::OneStopBit);
    EXPECT_EQ(settings.flowControl, SerialLineSettings::NoFlowControl);

    port.setSpeedIndex(10);
    port.setDataBitsIndex(0);
    port.setParityIndex(1);
    port.setStopBitsIndex(1);
    DCB block = {};
    applySerialLineSettingsWin32(block, port.getLineSettings());
    EXPECT_EQ(block.BaudRate, 115200u);
    EXPECT_EQ(block.ByteSize, 5);
    EXPECT_EQ(block.Parity, EVENPARITY);
    EXPECT_EQ(block.StopBits, ONE5STOPBITS);
    port.setParityIndex(2);
    port.setStopBitsIndex(2);
    applySerialLineSettingsWin32(block, port.getLineSettings());
    EXPECT_EQ(block.Parity, ODDPARITY);
    EXPECT_EQ(block.StopBits, TWOSTOPBITS);

    // Indexes outside their tables keep what the device had.
    port.setSpeedIndex(13);
    port.setDataBitsIndex(4);
    port.setParityIndex(3);
    port.setStopBitsIndex(3);
    block.BaudRate = 4800;
    block.ByteSize = 7;
    block.Parity = MARKPARITY;
    applySerialLineSettingsWin32(block, port.getLineSettings());
    EXPECT_EQ(block.BaudRate, 4800u);
    EXPECT_EQ(block.ByteSize, 7);
    EXPECT_EQ(block.Parity, MARKPARITY);
    EXPECT_EQ(block.StopBits, TWOSTOPBITS);
}

// A block as a port might hand it over: every handshake on, special characters set.
DCB busyBlock()
{
    DCB block = {};
    block.fBinary = TRUE;
    block.fParity = TRUE;
    block.fOutxCtsFlow = TRUE;
    block.fOutxDsrFlow = TRUE;
    block.fDtrControl = DTR_CONTROL_HANDSHAKE;
    block.fDsrSensitivity = TRUE;
    block.fTXContinueOnXoff = TRUE;
    block.fOutX = TRUE;
    block.fInX = TRUE;
    block.fErrorChar = TRUE;
    block.fNull = TRUE;
    block.fRtsControl = RTS_CONTROL_HANDSHAKE;
    block.fAbortOnError = TRUE;
    block.XonChar = 0x11;
    block.XoffChar = 0x13;
    block.ErrorChar = '?';
    block.EofChar = 0x1A;
    block.EvtChar = '\n';
    return block;
}

TEST(KSerialPort, FlowControlStartsFromEveryHandshakeOff)
{
    struct Expected {
        uint8 mode;
        bool xonXoff;
        DWORD rts;
        bool cts;
    };
    const Expected modes[] = {{0, false, RTS_CONTROL_DISABLE, false},
                              {1, true, RTS_CONTROL_DISABLE, false},
                              {2, false, RTS_CONTROL_ENABLE, false},
                              {3, false, RTS_CONTROL_DISABLE, true},
                              {4, false, RTS_CONTROL_ENABLE, true}};
    for (const Expected& e : modes) {
        SerialLineSettings settings;
        settings.flowControl = e.mode;
        DCB block = busyBlock();
        applySerialLineSettingsWin32(block, settings);
        EXPECT_EQ(bool(block.fOutX), e.xonXoff) << int(e.mode);
        EXPECT_EQ(bool(block.fInX), e.xonXoff) << int(e.mode);
        EXPECT_EQ(block.fRtsControl, e.rts) << int(e.mode);
        EXPECT_EQ(bool(block.fOutxCtsFlow), e.cts) << int(e.mode);
        EXPECT_FALSE(block.fOutxDsrFlow);
        EXPECT_EQ(block.fDtrControl, DWORD(DTR_CONTROL_DISABLE));
        EXPECT_FALSE(block.fDsrSensitivity);
        EXPECT_FALSE(block.fTXContinueOnXoff);
        EXPECT_FALSE(block.fErrorChar);
        EXPECT_FALSE(block.fNull);
        EXPECT_FALSE(block.fAbortOnError);
        EXPECT_EQ(block.ErrorChar, 0);
        EXPECT_EQ(block.EofChar, 0);
        EXPECT_EQ(block.EvtChar, 0);
        // The port's own choices stay.
        EXPECT_TRUE(block.fBinary);
        EXPECT_TRUE(block.fParity);
        EXPECT_EQ(block.XonChar, 0x11);
        EXPECT_EQ(block.XoffChar, 0x13);
    }
}

TEST(KSerialPort, APortThatCannotBeOpenedStaysClosedAndMovesNothing)
{
    KSerialPort port;
    port.open("\\\\.\\KSerialPortTestNoSuchDevice");
    EXPECT_FALSE(port.isOpen());
    char buffer[16] = {};
    EXPECT_EQ(port.read(buffer, sizeof buffer), 0);
    EXPECT_EQ(port.write("abc", 3), 0);
    long count = -1;
    EXPECT_FALSE(port.getBytesAvailable(count));
    EXPECT_EQ(count, 0);
    port.close();
    EXPECT_FALSE(port.isOpen());
}

TEST(KSerialPort, AFileThatIsNotAPortIsRefusedAndLetGo)
{
    TemporaryFolder folder;
    const std::string path = folder.file("not a port");
    std::ofstream(path) << "data";
    KSerialPort port;
    port.open(path.c_str());
    EXPECT_FALSE(port.isOpen());
    // The port is opened unshared: a handle left behind would keep the file from going.
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}

} // namespace
