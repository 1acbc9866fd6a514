// Menu messages turned into menu events: chosen commands, the Exit item, the Help menu and
// its About entry, pop-ups, opening menus; and custom menus, whose cells the platform asks
// to measure and to draw.
#include "application/KApplicationEvent.h"
#include "application/NativeMessageTranslationWin32.h"
#include "graphics/KImage.h"
#include "graphics/NativeDeviceWin32.h"
#include "tests/application/MenuTestSupport.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

namespace {

class MenuMessages : public ::testing::Test {
protected:
    MenuMessages()
    {
        bar->append(*file);
        bar->appendExitItem(*file, false);
        bar->appendAbout("About");
        KMenuManager::getMenuManager().setMenuBar(*bar);
    }

    // The event the translator makes of a message to no window in particular.
    KEventPtr translate(UINT Message, WPARAM WParam, LPARAM LParam = 0) const
    {
        const KNativeMessage record{nullptr, Message, static_cast<uint32>(WParam), static_cast<int32>(LParam), 0, 0, 0};
        return dispatchNativeMessageWin32(record);
    }

    // "<kind> <menu> <item>" of the menu event a command makes, or "none".
    std::string commandOf(const KMenuItem& Item, WORD Code = 0) const
    {
        KEventPtr event = translate(WM_COMMAND, MAKEWPARAM(Item.getNativeID(), Code));
        if (!event.hasObject(nullptr))
            return "none";
        auto& menuEvent = static_cast<KMenuEvent&>(*event);
        return std::to_string(menuEvent.getType()) + " " + (menuEvent.hasMenu() ? menuEvent.getMenu().getTitle().getText() : "-")
               + " " + (menuEvent.hasMenuItem() ? menuEvent.getMenuItem().getTitle().getText() : "-");
    }

    MenuScope scope;
    LoggingMenuBarPtr bar = new LoggingMenuBar;
    LoggingMenuPtr file = new LoggingMenu("File");
    KMenuItem& open = file->appendItem("Open", 'O', 1);
};

TEST_F(MenuMessages, ACommandOfAnEnabledItemInAnEnabledMenuIsChosen)
{
    EXPECT_EQ(commandOf(open), "1 File Open");
    EXPECT_EQ(commandOf(open, 1), "1 File Open");
    EXPECT_EQ(commandOf(open, 2), "none");
    EXPECT_EQ(translate(WM_COMMAND, MAKEWPARAM(open.getNativeID(), 0), 0x1234).get(), nullptr);
    EXPECT_EQ(translate(WM_COMMAND, 40000).get(), nullptr);
    // The Exit item posts the quit request instead.
    EXPECT_EQ(commandOf(bar->getExitItem()), "none");
    EXPECT_EQ(KApplicationEvent::getQueueCount(), 1);
    // While a pop-up is shown, only its items are chosen.
    LoggingMenuPtr popup = new LoggingMenu("Popup");
    KMenuItem& cut = popup->appendItem("Cut");
    KMenuManager::getMenuManager().setPopupMenu(*popup);
    EXPECT_EQ(commandOf(open), "none");
    EXPECT_EQ(commandOf(cut), "1 Popup Cut");
    KMenuManager::getMenuManager().resetPopupMenu();

    open.disable();
    EXPECT_EQ(commandOf(open), "none");
    file->disable();
    open.enable();
    EXPECT_EQ(commandOf(open), "none");
}

TEST_F(MenuMessages, TheLastItemOfTheHelpMenuIsTheAboutEntry)
{
    EXPECT_EQ(commandOf(bar->getHelpMenu()->getItemWithTitle("About")), "3 - -");
    bar->destroyAbout();
    createHelpMenuWin32(*bar);
    bar->getHelpMenu()->setTitle("Help");
    KMenuItem& manual = bar->getHelpMenu()->appendItem("Manual");
    bar->appendAbout("About");
    EXPECT_EQ(commandOf(manual), "4 Help Manual");
    EXPECT_EQ(commandOf(bar->getHelpMenu()->getItemWithTitle("About")), "3 - -");
}

TEST_F(MenuMessages, AMenuOfTheBarOpeningBringsItUpToDate)
{
    LoggingMenuPtr sub = new LoggingMenu("Sub");
    file->appendSubMenu(*sub);
    KEventPtr opening = translate(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub->getNativeMenu()));
    ASSERT_TRUE(opening.hasObject(nullptr));
    EXPECT_EQ(opening->getType(), KMenuEvent::Opening);
    EXPECT_EQ(&static_cast<KMenuEvent&>(*opening).getMenu(), sub.get());
    EXPECT_EQ(translate(WM_INITMENU, reinterpret_cast<WPARAM>(getNativeMenuWin32(*bar))).get(), nullptr);
    EXPECT_EQ(translate(WM_INITMENU, reinterpret_cast<WPARAM>(bar->getHelpMenu()->getNativeMenu())).get(), nullptr);
}

// A cell that paints itself in its colour, darker when selected.
class PaintedCell : public KCustomMenuItem {
public:
    bool doCustomMenuItem(KMenuEvent&) override
    {
        KGraphicDevicePtr device;
        KGraphicRectangle cell;
        if (!createGraphicDevice(device, cell))
            return false;
        drawn = cell;
        device->paintRect(cell, isSelected() ? KColor(0, 0, 0) : KColor(0xFFFF, 0, 0));
        disposeGraphicDevice(device);
        return true;
    }
    KGraphicRectangle drawn;
};
K_POINTER_CLASS(PaintedCell, KCustomMenuItemPtr);

class CustomMenus : public ::testing::Test {
protected:
    MenuScope scope;
    KCustomMenuPtr menu = new KCustomMenu;
};

TEST_F(CustomMenus, CellsFillColumnsOfTheRowsAndEachFullColumnStartsANewOne)
{
    KCustomMenuItemPtr early = new KCustomMenuItem;
    menu->appendCustomItem(*early);
    EXPECT_EQ(std::make_pair(menu->getItemCount(), early->getNativeID()), std::make_pair(0L, 0L));

    menu->setItemSizeAndGrid(KGraphicSize(20, 16), 2, 3);
    ASSERT_EQ(menu->getItemCount(), 6);
    for (long i = 0; i < 6; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoA(static_cast<HMENU>(menu->getNativeMenu()), static_cast<UINT>(i), TRUE, &info);
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << i;
        EXPECT_EQ((info.fType & MFT_MENUBARBREAK) != 0, i == 3) << i;
        short column = 0, row = 0;
        static_cast<KCustomMenuItem&>(menu->getItems()[i]).getPosition(column, row);
        EXPECT_EQ(std::make_pair(long(column), long(row)), std::make_pair(i / 3, 2 - i % 3)) << i;
    }
    short column = 0, row = 0;
    early->getPosition(column, row);
    EXPECT_EQ(std::make_pair(column, row), std::make_pair(short(-1), short(-1)));

    KCustomMenuPtr big = new KCustomMenu;
    big->fillGrid(3, 5);
    EXPECT_EQ(big->getItemCount(), 15);
}

TEST_F(CustomMenus, ThePlatformMeasuresAndDrawsCellsThroughTheirHooks)
{
    menu->setGrid(1, 2);
    menu->setItemSize(KGraphicSize(40, 16));
    PaintedCell* cells[2] = {new PaintedCell, new PaintedCell};
    for (PaintedCell* cell : cells)
        menu->appendCustomItem(*cell);
    KGraphicDevicePtr none = new KGraphicDevice;
    KGraphicRectangle unused;
    EXPECT_FALSE(cells[0]->createGraphicDevice(none, unused) || none.hasObject(nullptr));
    // Measuring: the cell's width less the check-mark area the platform adds.
    KWindowPtr window = new KWindow;
    window->open(KWindow::OpenHidden);
    HWND native = static_cast<HWND>(window->getNativeWindow());
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, static_cast<UINT>(cells[1]->getNativeID()), 0, 0,
                              reinterpret_cast<ULONG_PTR>(cells[1])};
    EXPECT_EQ(SendMessageA(native, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), 1);
    EXPECT_EQ(long(measure.itemWidth), 40 - GetSystemMetrics(SM_CXMENUCHECK));
    EXPECT_EQ(measure.itemHeight, 16u);
    menu->setItemSize(KGraphicSize(4, 4));
    SendMessageA(native, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(measure.itemWidth, 0u);
    // Item data that is not the cell of that ID is not trusted.
    measure.itemData = 0x1234;
    EXPECT_EQ(SendMessageA(native, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), 0);
    // Drawing: selected only on a selection change to the selected state.
    KImagePtr image = new KImage;
    image->create(64, 64);
    KGraphicDevice& pixels = image->getGraphicDevice();
    auto draw = [&](PaintedCell* Cell, UINT Action, UINT State) {
        DRAWITEMSTRUCT request{ODT_MENU, 0, static_cast<UINT>(Cell->getNativeID()), Action, State, nullptr,
                               getHDCWin32(pixels), {8, 8, 48, 24}, reinterpret_cast<ULONG_PTR>(Cell)};
        SendMessageA(native, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&request));
        return pixels.getPixel(20, 12).getNativeColor();
    };
    EXPECT_EQ(draw(cells[0], ODA_SELECT, ODS_SELECTED), RGB(0, 0, 0));
    EXPECT_EQ(draw(cells[0], ODA_DRAWENTIRE, ODS_SELECTED), RGB(255, 0, 0));
    EXPECT_EQ(draw(cells[1], ODA_SELECT, 0), RGB(255, 0, 0));
    EXPECT_EQ(cells[1]->drawn, KGraphicRectangle(8, 8, 40, 16));
    EXPECT_FALSE(cells[0]->hasDrawInfo());
    window->close();
}

} // namespace
