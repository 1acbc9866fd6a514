// The printing manager record: the global made and released, its print-dialog record,
// and the printer context it deletes when it goes.
#include "application/NativeDeviceWin32.h"
#include "foundation/KPrintingManager.h"

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
    EXPECT_FALSE(manager->getFlag());
    EXPECT_EQ(manager->getFirstRectangle().getWidth(), 0);
    EXPECT_EQ(manager->getSecondRectangle().getHeight(), 0);

    ASSERT_NE(manager->getPrintDialogRecord(), nullptr);
    unsigned char expected[66] = {66};
    EXPECT_EQ(std::memcmp(manager->getPrintDialogRecord(), expected, sizeof expected), 0);

    // A second start replaces the first manager.
    KPrintingManager::initPrintingManager();
    EXPECT_NE(KPrintingManager::getPrintingManager(), nullptr);
    KPrintingManager::exitPrintingManager();
    EXPECT_EQ(KPrintingManager::getPrintingManager(), nullptr);
}

TEST(KPrintingManager, DeletesThePrinterContextWhenItGoes)
{
    HDC context = CreateCompatibleDC(nullptr);
    ASSERT_NE(context, nullptr);
    KGraphicDevicePtr printer(new KGraphicDevice);
    printer->initBoundsFromNative(createAndInitNativeDeviceWin32(context));
    ASSERT_TRUE(printer->isBound());
    {
        KPrintingManager manager;
        manager.setPrinterDevice(*printer);
    }
    EXPECT_FALSE(printer->isBound());
    EXPECT_EQ(GetObjectType(context), 0u);
}

TEST(KPrintingManager, APrinterDeviceWithoutAContextIsLetGoAlone)
{
    KGraphicDevicePtr printer(new KGraphicDevice);
    {
        KPrintingManager manager;
        manager.setPrinterDevice(*printer);
    }
    EXPECT_FALSE(printer->isBound());
    EXPECT_EQ(printer->getReferenceCount(), 2);
}

} // namespace
