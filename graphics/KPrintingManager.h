#pragma once
// The one process-wide holder of what printing needs: the system's print-dialog record,
// two rectangles and the printer's drawing device. The application makes it at start-up
// (initPrintingManager) and lets it go at the end (exitPrintingManager); it has no
// printing operations of its own.
#include "foundation/KGraphicRectangle.h"
#include "graphics/KGraphicDevice.h"

class KPrintingManager : public KThing {
    K_DECLARE_CLASS(KPrintingManager)
public:
    // The size of the platform's print-dialog record, which is also its first field.
    static constexpr unsigned long kPrintDialogRecordSize = 66;

    KPrintingManager();
    ~KPrintingManager() override;
    KPrintingManager(const KPrintingManager&) = delete;
    KPrintingManager& operator=(const KPrintingManager&) = delete;

    static void initPrintingManager();
    static void exitPrintingManager();
    // The manager made by initPrintingManager; null before and after.
    static KPrintingManager* getPrintingManager();

    // Zero-filled but for its size; null when the memory could not be had.
    void* getPrintDialogRecord() const { return m_printDialogRecord; }
    bool getFlag() const { return m_flag; }
    const KGraphicRectangle& getFirstRectangle() const { return m_firstRectangle; }
    const KGraphicRectangle& getSecondRectangle() const { return m_secondRectangle; }
    // The printer's device; its context is deleted with the manager.
    void setPrinterDevice(KGraphicDevice& Device) { m_printerDevice.setObject(Device); }
    bool hasPrinterDevice() const { return m_printerDevice.hasObject(nullptr); }

private:
    void* m_printDialogRecord = nullptr;
    bool m_flag = false;
    KGraphicRectangle m_firstRectangle;
    KGraphicRectangle m_secondRectangle;
    KGraphicDevicePtr m_printerDevice;
};

K_POINTER_CLASS(KPrintingManager, KThingPtr);
