#include "foundation/KSerialPort.h"

#include "foundation/DiskWin32.h"
#include "foundation/SerialPortWin32.h"

K_DEFINE_CLASS(KSerialPort, KThing, 1)

namespace {
const unsigned long kSpeeds[KSerialPort::kSpeedCount] = {300,   600,   1200,  2400,   4800,   9600,  14400,
                                                         19200, 38400, 57600, 115200, 128000, 256000};
} // namespace

KSerialPort::KSerialPort() = default;

// The port is opened unshared, so a handle left behind would lock it for the rest of the
// run.
KSerialPort::~KSerialPort() { close(); }

KBagPtr KSerialPort::getPortNames()
{
    KBagPtr names(new KBag);
    if (!names.hasObject(nullptr))
        return names;
    char name[] = "COM1:";
    for (char digit = '1'; digit <= '9'; ++digit) {
        name[3] = digit;
        KStringPtr entry(new KString(name));
        if (entry.hasObject(nullptr))
            names->add(*entry);
    }
    return names;
}

unsigned long KSerialPort::getSpeed(uint8 Index)
{
    return Index < kSpeedCount ? kSpeeds[Index] : 0;
}

SerialLineSettings KSerialPort::getLineSettings() const
{
    SerialLineSettings settings;
    settings.bitsPerSecond = getSpeed(m_speedIndex);
    if (m_dataBitsIndex <= 3)
        settings.dataBits = static_cast<uint8>(5 + m_dataBitsIndex);
    if (m_parityIndex <= 2)
        settings.parity = static_cast<int8>(m_parityIndex);
    if (m_stopBitsIndex <= 2)
        settings.stopBits = static_cast<int8>(m_stopBitsIndex);
    settings.flowControl = m_flowControl;
    return settings;
}

void KSerialPort::open(const KString& PortName)
{
    if (m_open)
        return;
    void* handle = openFileWin32(PortName.getText(), false);
    if (!handle)
        return;
    if (!configureSerialPortWin32(handle, getLineSettings())) {
        closeFileWin32(handle);
        return;
    }
    m_handle = handle;
    m_open = true;
    // Without its time-outs the port still works; reads may then wait.
    setSerialTimeoutsWin32(m_handle);
}

void KSerialPort::close()
{
    if (!m_open)
        return;
    closeFileWin32(m_handle);
    m_handle = nullptr;
    m_open = false;
}

bool KSerialPort::isOpen() const { return m_open; }

bool KSerialPort::getBytesAvailable(long& Count)
{
    Count = 0;
    if (!m_open || !getSerialBytesWaitingWin32(m_handle, Count))
        return false;
    return Count > 0;
}

long KSerialPort::read(void* Buffer, long Size)
{
    if (!m_open || !Buffer || Size <= 0)
        return 0;
    const long done = readFileWin32(m_handle, Buffer, Size);
    return done < 0 ? 0 : done;
}

long KSerialPort::write(const void* Buffer, long Size)
{
    if (!m_open || !Buffer || Size <= 0)
        return 0;
    const long done = writeFileWin32(m_handle, Buffer, Size);
    return done < 0 ? 0 : done;
}
