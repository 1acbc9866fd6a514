// The serial port without a device: names, speeds, the line settings its indexes make in
// the port's control block, and the paths where opening fails.
#include "foundation/KSerialPort.h"
#include "foundation/SerialPortWin32.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include <windows.h>

namespace {

TEST(KSerialPort, NamesAndSpeeds)
{
    KBagPtr names = KSerialPort::getPortNames();
    std::string joined;
    for (long i = 0; i < names->getCount(); ++i)
        joined += static_cast<KString&>(names->getObjectAt(i)).getText();
    EXPECT_EQ(joined, "COM1:COM2:COM3:COM4:COM5:COM6:COM7:COM8:COM9:");

    const unsigned long speeds[] = {300,   600,   1200,  2400,   4800,   9600,   14400,
                                    19200, 38400, 57600, 115200, 128000, 256000, 0};
    for (uint8 i = 0; i < 14; ++i)
        EXPECT_EQ(KSerialPort::getSpeed(i), speeds[i]) << int(i);
    EXPECT_EQ(KSerialPort::getSpeed(255), 0u);
}

TEST(KSerialPort, IndexesBecomeTheLineValuesOfTheControlBlock)
{
    // Speed, data bits, parity and stop bits as the block holds them.
    auto line = [](const DCB& B) {
        return std::vector<unsigned long>{B.BaudRate, B.ByteSize, B.Parity, B.StopBits};
    };
    KSerialPort port;
    DCB block = {};
    applySerialLineSettingsWin32(block, port.getLineSettings());
    EXPECT_EQ(line(block), (std::vector<unsigned long>{9600, 8, NOPARITY, ONESTOPBIT}));
    port.setSpeedIndex(10);
    port.setDataBitsIndex(0);
    port.setParityIndex(2);
    port.setStopBitsIndex(1);
    applySerialLineSettingsWin32(block, port.getLineSettings());
    EXPECT_EQ(line(block), (std::vector<unsigned long>{115200, 5, ODDPARITY, ONE5STOPBITS}));
    // Indexes outside their tables keep what the device had.
    port.setSpeedIndex(13);
    port.setDataBitsIndex(4);
    port.setParityIndex(3);
    port.setStopBitsIndex(3);
    block.Parity = MARKPARITY;
    applySerialLineSettingsWin32(block, port.getLineSettings());
    EXPECT_EQ(line(block), (std::vector<unsigned long>{115200, 5, MARKPARITY, ONE5STOPBITS}));
}

TEST(KSerialPort, FlowControlStartsFromEveryHandshakeOff)
{
    // XON/XOFF, RTS and CTS by mode 0 to 4.
    const std::tuple<bool, DWORD, bool> modes[] = {{false, RTS_CONTROL_DISABLE, false},
                                                   {true, RTS_CONTROL_DISABLE, false},
                                                   {false, RTS_CONTROL_ENABLE, false},
                                                   {false, RTS_CONTROL_DISABLE, true},
                                                   {false, RTS_CONTROL_ENABLE, true}};
    for (uint8 mode = 0; mode < 5; ++mode) {
        SerialLineSettings settings;
        settings.flowControl = mode;
        DCB block = {};
        block.fParity = block.fOutxDsrFlow = block.fOutX = block.fInX = block.fNull = TRUE;
        block.fDtrControl = DTR_CONTROL_HANDSHAKE;
        block.fRtsControl = RTS_CONTROL_HANDSHAKE;
        block.XonChar = 0x11;
        block.EofChar = 0x1A;
        applySerialLineSettingsWin32(block, settings);
        const auto [xonXoff, rts, cts] = modes[mode];
        EXPECT_EQ(bool(block.fOutX) + bool(block.fInX), 2 * xonXoff) << int(mode);
        EXPECT_EQ(block.fRtsControl, rts) << int(mode);
        EXPECT_EQ(bool(block.fOutxCtsFlow), cts) << int(mode);
        EXPECT_FALSE(block.fOutxDsrFlow || block.fNull);
        EXPECT_EQ(block.fDtrControl, DWORD(DTR_CONTROL_DISABLE));
        EXPECT_EQ(block.EofChar, 0);
        // The port's own choices stay.
        EXPECT_TRUE(block.fParity);
        EXPECT_EQ(block.XonChar, 0x11);
    }
}

TEST(KSerialPort, WhatCannotBeOpenedStaysClosedMovesNothingAndIsLetGo)
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

    // A file that is not a port: refused, and the unshared handle does not linger.
    TemporaryFolder folder;
    const std::string path = folder.file("not a port");
    std::ofstream(path) << "data";
    port.open(path.c_str());
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}

} // namespace
