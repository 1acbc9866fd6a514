#pragma once
// The settings of a serial port: port, speed, parity, stop bits and flow control, each a
// pop-up list. The caller puts variables under "PortName" (a string), "BaudRate",
// "Parity", "StopBits" and "SerialFlow" (longs holding the serial port's setting codes)
// among the named elements and opens the dialog; a list whose variable is missing is
// disabled. After an OK the same variables hold the chosen settings; Cancel changes none.
#include "controls/KDialog.h"
#include "controls/KPopUpListControl.h"

class KVariable;

class KSerialPortDialog : public KDialog {
    K_DECLARE_CLASS(KSerialPortDialog)
public:
    KSerialPortDialog();
    ~KSerialPortDialog() override;

    // Builds the lists afresh, in place of those of an earlier opening.
    void open(uint8 Mode) override;
    bool handleControlAction(KControlActionEvent& E) override;

    virtual void setPortList(KPopUpListControl& List);
    virtual void resetPortList();
    virtual void setSpeedList(KPopUpListControl& List);
    virtual void resetSpeedList();
    virtual void setParityList(KPopUpListControl& List);
    virtual void resetParityList();
    virtual void setStopBitsList(KPopUpListControl& List);
    virtual void resetStopBitsList();
    virtual void setFlowList(KPopUpListControl& List);
    virtual void resetFlowList();

    // Error 18 before the dialog was opened.
    KPopUpListControl& getPortList() const { return m_portList.getObject(); }
    KPopUpListControl& getSpeedList() const { return m_speedList.getObject(); }
    KPopUpListControl& getParityList() const { return m_parityList.getObject(); }
    KPopUpListControl& getStopBitsList() const { return m_stopBitsList.getObject(); }
    KPopUpListControl& getFlowList() const { return m_flowList.getObject(); }

private:
    struct Setting;
    static const Setting kSettings[];
    void removeLists();
    KVariable* findSetting(const char* Key) const;

    KPopUpListControlPtr m_portList;
    KPopUpListControlPtr m_speedList;
    KPopUpListControlPtr m_parityList;
    KPopUpListControlPtr m_stopBitsList;
    KPopUpListControlPtr m_flowList;
};

K_POINTER_CLASS(KSerialPortDialog, KDialogPtr);
