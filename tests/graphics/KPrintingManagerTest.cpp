// The printing manager record: the global made and released, its print-dialog record,
// and the printer context it deletes when it goes.
#include "graphics/KPrintingManager.h"
#include "graphics/NativeDeviceWin32.h"

#include <gtest/gtest.h>

#include <cstring>

#include <windows.h>

namespace {

TEST(KPrintingManager, TheGlobalHoldsAManagerFromInitToExit)
{
    EXPECT_EQ(KPrintingManager::getPrintingManager(), nullptr);
    KPrintingManager::initPrintingManager();
    KPrintingManager* manager = KPrintingManager::getPrintingManager();
    ASSERT_NE(manager, nullptr);
    EXPECT_FALSE(manager->hasPrinterDevice());
    const unsigned char expected[66] = {66};
    EXPECT_EQ(std::memcmp(manager->getPrintDialogRecord(), expected, sizeof expected), 0);
    KPrintingManager::initPrintingManager(); // a second start replaces the first manager
    KPrintingManager::exitPrintingManager();
    EXPECT_EQ(KPrintingManager::getPrintingManager(), nullptr);
}

TEST(KPrintingManager, DeletesThePrinterContextWhenItGoes)
{
    HDC context = CreateCompatibleDC(nullptr);
    KGraphicDevicePtr printer(new KGraphicDevice);
    KGraphicDevicePtr bare(new KGraphicDevice);
    printer->initBoundsFromNative(createAndInitNativeDeviceWin32(context));
    ASSERT_TRUE(printer->isBound());
    {
        KPrintingManager manager, other;
        manager.setPrinterDevice(*printer);
        other.setPrinterDevice(*bare); // a device without a context is let go alone
    }
    EXPECT_FALSE(printer->isBound());
    EXPECT_EQ(GetObjectType(context), 0u);
    EXPECT_FALSE(bare->isBound());
    EXPECT_EQ(bare->getReferenceCount(), 2);
}

} // namespace
