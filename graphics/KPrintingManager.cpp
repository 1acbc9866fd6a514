#include "graphics/KPrintingManager.h"

#include "foundation/KMemory.h"
#include "graphics/PrinterDeviceWin32.h"

#include <cstring>

K_DEFINE_CLASS(KPrintingManager, KThing, 1)

namespace {
KPrintingManagerPtr s_manager;
} // namespace

KPrintingManager::KPrintingManager()
    : m_printDialogRecord(KMemory::allocate(kPrintDialogRecordSize, true))
{
    if (m_printDialogRecord) {
        const uint32 size = kPrintDialogRecordSize;
        std::memcpy(m_printDialogRecord, &size, sizeof(size));
    }
}

KPrintingManager::~KPrintingManager()
{
    if (KGraphicDevice* device = m_printerDevice.get())
        releasePrinterDeviceWin32(*device);
    m_printerDevice.reset();
    if (m_printDialogRecord)
        KMemory::dispose(m_printDialogRecord);
}

void KPrintingManager::initPrintingManager() { s_manager = new KPrintingManager; }

void KPrintingManager::exitPrintingManager() { s_manager.reset(); }

KPrintingManager* KPrintingManager::getPrintingManager() { return s_manager.get(); }
