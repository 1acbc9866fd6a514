#include "tools/dialogs/KSerialPortDialog.h"

#include "application/KControlActionEvent.h"
#include "controls/KControlsLayer.h"
#include "controls/KPushButtonControl.h"
#include "foundation/KSerialPort.h"
#include "foundation/KVariable.h"

#include <vector>

namespace {
constexpr short kLeft = 16;
constexpr short kWidth = 250;
constexpr short kHeight = 20;
} // namespace

// One list: its field, its items (none for the port list: the serial port names them),
// its named variable and its place.
struct KSerialPortDialog::Setting {
    KPopUpListControlPtr KSerialPortDialog::*list;
    void (KSerialPortDialog::*set)(KPopUpListControl&);
    std::vector<const char*> items;
    const char* key;
    short top;
};

const KSerialPortDialog::Setting KSerialPortDialog::kSettings[] = {
    {&KSerialPortDialog::m_portList, &KSerialPortDialog::setPortList, {}, "PortName", 16},
    {&KSerialPortDialog::m_speedList, &KSerialPortDialog::setSpeedList,
     {"300", "600", "1200", "2400", "4800", "9600", "14400", "19200", "38400"}, "BaudRate", 40},
    {&KSerialPortDialog::m_parityList, &KSerialPortDialog::setParityList, {"None", "Even", "Odd"}, "Parity", 64},
    {&KSerialPortDialog::m_stopBitsList, &KSerialPortDialog::setStopBitsList,
     {"1 Stop Bit", "1.5 Stop Bits", "2 Stop Bits"}, "StopBits", 88},
    {&KSerialPortDialog::m_flowList, &KSerialPortDialog::setFlowList,
     {"No Flow Control", "XOn XOff", "RTS", "CTS", "RTS CTS"}, "SerialFlow", 112},
};

K_DEFINE_CLASS(KSerialPortDialog, KDialog, 1)

KSerialPortDialog::KSerialPortDialog() = default;
KSerialPortDialog::~KSerialPortDialog() = default;

void KSerialPortDialog::setPortList(KPopUpListControl& List) { m_portList = List; }
void KSerialPortDialog::resetPortList() { m_portList.reset(); }
void KSerialPortDialog::setSpeedList(KPopUpListControl& List) { m_speedList = List; }
void KSerialPortDialog::resetSpeedList() { m_speedList.reset(); }
void KSerialPortDialog::setParityList(KPopUpListControl& List) { m_parityList = List; }
void KSerialPortDialog::resetParityList() { m_parityList.reset(); }
void KSerialPortDialog::setStopBitsList(KPopUpListControl& List) { m_stopBitsList = List; }
void KSerialPortDialog::resetStopBitsList() { m_stopBitsList.reset(); }
void KSerialPortDialog::setFlowList(KPopUpListControl& List) { m_flowList = List; }
void KSerialPortDialog::resetFlowList() { m_flowList.reset(); }

void KSerialPortDialog::removeLists()
{
    for (const Setting& setting : kSettings) {
        KPopUpListControlPtr& list = this->*setting.list;
        if (list.hasObject(nullptr) && hasControl(*list))
            removeControl(*list);
    }
}

KVariable* KSerialPortDialog::findSetting(const char* Key) const
{
    // Anything but a variable under a key counts as no setting.
    return hasNamedObject(Key) ? dynamic_cast<KVariable*>(&getNamedObject(Key)) : nullptr;
}

void KSerialPortDialog::open(uint8 Mode)
{
    setTitle("Serial Port");
    setBounds(KGraphicRectangle(0, 0, 282, 200));
    center();
    removeLists();
    for (const Setting& setting : kSettings) {
        KPopUpListControlPtr list = new KPopUpListControl;
        if (!list.hasObject(nullptr))
            return;
        (this->*setting.set)(*list);
        list->setBounds(KGraphicRectangle(kLeft, setting.top, kWidth, kHeight));
        if (setting.items.empty()) {
            KBagPtr names = KSerialPort::getPortNames();
            if (names.hasObject(nullptr))
                list->appendItems(*names);
        }
        for (const char* item : setting.items) {
            KString text(item);
            list->appendItem(text);
        }
        addElement(*list);
    }
    for (const Setting& setting : kSettings) {
        KPopUpListControl& list = *(this->*setting.list);
        const KVariable* value = findSetting(setting.key);
        if (!value)
            list.disable();
        else if (setting.items.empty())
            list.selectItemText(value->getString());
        else
            list.setValue(value->getLong() + 1);
    }
    KDialog::open(Mode);
}

bool KSerialPortDialog::handleControlAction(KControlActionEvent& E)
{
    if (!E.hasSource() || !dynamic_cast<KPushButtonControl*>(&E.getSource()))
        return false;
    if (!hasOKButton() || &E.getSource() != &getOKButton())
        return false;
    for (const Setting& setting : kSettings) {
        KVariable* value = findSetting(setting.key);
        if (!value || !(this->*setting.list).hasObject(nullptr))
            continue;
        const KPopUpListControl& list = *(this->*setting.list);
        if (setting.items.empty())
            value->setString(list.getSelectedItem());
        else
            value->setLong(list.getValue() - 1);
    }
    return false;
}
