#pragma once
// One serial communication port: opened by name with a line setting (speed, data bits,
// parity, stop bits, flow control), it moves raw bytes without ever waiting for input.
// Nothing is reported: a port that cannot be opened or set up stays closed, and
// transfers on a closed port move nothing. The owner sets the setting before open; a
// port still open when the object goes is closed then, so the device is not held locked
// until the process ends.
#include "foundation/KBag.h"
#include "foundation/KString.h"
#include "foundation/SerialLineSettings.h"

class KSerialPort : public KThing {
    K_DECLARE_CLASS(KSerialPort)
public:
    static constexpr long kSpeedCount = 13;

    KSerialPort();
    ~KSerialPort() override;
    KSerialPort(const KSerialPort&) = delete;
    KSerialPort& operator=(const KSerialPort&) = delete;

    // "COM1:" to "COM9:", the ports the settings dialog offers.
    static KBagPtr getPortNames();
    // Bits per second of a speed index; 0 outside the table.
    static unsigned long getSpeed(uint8 Index);

    // Nothing when already open, whatever the name.
    virtual void open(const KString& PortName);
    virtual void close();
    virtual bool isOpen() const;
    // True when received bytes are waiting; Count gets their number.
    virtual bool getBytesAvailable(long& Count);
    // What has arrived, up to Size bytes; 0 when closed or when the read fails.
    virtual long read(void* Buffer, long Size);
    virtual long write(const void* Buffer, long Size);

    // Indexes: speed into the speed table (5: 9600), data bits 0-3 for 5-8, parity
    // 0 none, 1 even, 2 odd, stop bits 0 one, 1 one and a half, 2 two, flow control 0-4.
    // An index outside its table keeps what the device had. Read at the next open.
    void setSpeedIndex(uint8 Index) { m_speedIndex = Index; }
    uint8 getSpeedIndex() const { return m_speedIndex; }
    void setDataBitsIndex(uint8 Index) { m_dataBitsIndex = Index; }
    uint8 getDataBitsIndex() const { return m_dataBitsIndex; }
    void setParityIndex(uint8 Index) { m_parityIndex = Index; }
    uint8 getParityIndex() const { return m_parityIndex; }
    void setStopBitsIndex(uint8 Index) { m_stopBitsIndex = Index; }
    uint8 getStopBitsIndex() const { return m_stopBitsIndex; }
    void setFlowControl(uint8 Mode) { m_flowControl = Mode; }
    uint8 getFlowControl() const { return m_flowControl; }

    // The line setting the next open applies: the indexes turned into values, with
    // "keep" for an index outside its table.
    SerialLineSettings getLineSettings() const;

    // Kept for the owner; open takes its name as an argument.
    void setPortName(const KString& Name) { m_portName = Name; }
    const KString& getPortName() const { return m_portName; }
    // Three values kept for the owner; the port itself never reads them.
    void setSettingA(long Value) { m_settingA = Value; }
    long getSettingA() const { return m_settingA; }
    void setSettingB(long Value) { m_settingB = Value; }
    long getSettingB() const { return m_settingB; }
    void setSettingC(uint8 Value) { m_settingC = Value; }
    uint8 getSettingC() const { return m_settingC; }

private:
    void* m_handle = nullptr;
    KString m_portName;
    uint8 m_speedIndex = 5;
    uint8 m_dataBitsIndex = 3;
    uint8 m_parityIndex = 0;
    uint8 m_stopBitsIndex = 0;
    uint8 m_flowControl = 0;
    bool m_open = false;
    long m_settingA = 10000;
    long m_settingB = 0;
    uint8 m_settingC = 13;
};

K_POINTER_CLASS(KSerialPort, KThingPtr);
