#include "application/NativeMenusWin32.h"

#include "application/KApplication.h"
#include "application/KMenu.h"
#include "application/KMenuBar.h"
#include "application/KMenuItem.h"
#include "application/KMenuManager.h"
#include "application/KWindowManager.h"
#include "application/MacStyleMenuBarWin32.h"
#include "foundation/ErrorTable.h"
#include "graphics/KColor.h"
#include "graphics/KGraphicDevice.h"
#include "graphics/NativeDeviceWin32.h"

#include <map>
#include <vector>

#include <windows.h>

namespace {
constexpr long kFirstID = 1;
constexpr long kLastID = 65535;
// With Control, the key taken as a virtual key.
constexpr BYTE kAcceleratorFlags = FVIRTKEY | FCONTROL;

struct NativeMenuState {
    // Every native command ID in use and its item; an item in the table stays alive.
    std::map<long, KMenuItemPtr> items;
    long lastID = 0;
    HACCEL accelerators = nullptr;
    bool dirty = false;
};

// Never destroyed: items still in the table at exit must not be torn down after the
// class registry and the heap counters are gone.
NativeMenuState& state()
{
    static auto* s = new NativeMenuState;
    return *s;
}

struct NativeMenuBarRecord {
    HMENU menuBar;
    KMenuPtr helpMenu;
};

NativeMenuBarRecord* recordOf(const KMenuBar& MB) { return static_cast<NativeMenuBarRecord*>(MB.getNativeRecord()); }

HMENU menu(void* M) { return static_cast<HMENU>(M); }

// The first free ID from First up to the last one, or 0.
long firstFreeFrom(long First)
{
    const auto& items = state().items;
    long candidate = First;
    for (auto it = items.lower_bound(First); it != items.end() && it->first == candidate; ++it)
        ++candidate;
    return candidate <= kLastID ? candidate : 0;
}

// Shortcuts of the enabled command items of M and of every menu below it, whatever the
// state of those menus, in menu order.
void collectShortcuts(const KMenu& M, std::vector<ACCEL>& Out)
{
    for (long i = 0; i < M.getItemCount(); ++i) {
        const auto& item = static_cast<const KMenuItem&>(M.getItems()[i]);
        if (item.getType() == kCommandItem && item.hasShortcut() && item.isEnabled()) {
            const auto key = static_cast<WORD>(static_cast<short>(item.getShortcutKey()));
            Out.push_back({kAcceleratorFlags, key, static_cast<WORD>(item.getNativeID() & 0xFFFF)});
        } else if (item.getType() == kSubMenuItem && item.hasSubMenu()) {
            collectShortcuts(item.getSubMenu(), Out);
        }
    }
}

bool acceleratorsMayWork()
{
    if (!KMenuManager::exists())
        return false;
    const KMenuManager& manager = KMenuManager::getMenuManager();
    const uint32 needed = KMenuManager::ShownFlag | KMenuManager::InstalledEnabledFlag;
    return manager.hasMenuBar() && (manager.getManagerFlags() & needed) == needed && KWindowManager::exists()
           && KWindowManager::get().getDialogCount() <= 0;
}

long popupTrackerOfThePlatform(void* Menu, short ScreenH, short ScreenV, void* Owner)
{
    return TrackPopupMenuEx(menu(Menu), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, ScreenH,
                            ScreenV, static_cast<HWND>(Owner), nullptr);
}

KPopupMenuTracker s_popupTracker = nullptr;

void setEntryText(HMENU Menu, long Position, const char* Text)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE;
    info.fType = MFT_STRING;
    info.dwTypeData = const_cast<char*>(Text);
    SetMenuItemInfoA(Menu, static_cast<UINT>(Position), TRUE, &info);
}
} // namespace

long assignUniqueIDWin32(KMenuItem& MenuItem)
{
    NativeMenuState& s = state();
    long id = firstFreeFrom(s.lastID < kFirstID ? kFirstID : s.lastID);
    if (id == 0)
        id = firstFreeFrom(kFirstID);
    if (id == 0) {
        kksReportError(81, "void assignUniqueIDWin32(KMenuItem& MenuItem)");
        return -1;
    }
    s.items.emplace(id, KMenuItemPtr(MenuItem));
    s.lastID = id;
    return id;
}

void releaseNativeIDWin32(long ID)
{
    NativeMenuState& s = state();
    s.items.erase(ID);
    if (ID == s.lastID)
        s.lastID = 0;
}

KMenuItem* findMenuItemByNativeIDWin32(long ID)
{
    const auto& items = state().items;
    const auto found = items.find(ID);
    return found == items.end() ? nullptr : found->second.get();
}

long getLastNativeIDWin32() { return state().lastID; }

void invalidateAcceleratorsWin32() { state().dirty = true; }
bool areAcceleratorsDirtyWin32() { return state().dirty; }

void buildAcceleratorTableWin32()
{
    NativeMenuState& s = state();
    if (!s.dirty)
        return;
    s.dirty = false;
    if (s.accelerators) {
        DestroyAcceleratorTable(s.accelerators);
        s.accelerators = nullptr;
    }
    if (!acceleratorsMayWork())
        return;
    const KBag& menus = KMenuManager::getMenuManager().getMenuBar().getMenus();
    std::vector<ACCEL> entries;
    for (long i = 0; i < menus.getCount(); ++i) {
        const auto& topLevel = static_cast<const KMenu&>(menus[i]);
        if (topLevel.isEnabled())
            collectShortcuts(topLevel, entries);
    }
    if (!entries.empty())
        s.accelerators = CreateAcceleratorTableA(entries.data(), static_cast<int>(entries.size()));
}

void* getAcceleratorTableWin32() { return state().accelerators; }
bool hasAcceleratorTableWin32() { return state().accelerators != nullptr; }

void* createNativeMenuBarWin32()
{
    auto* record = new NativeMenuBarRecord;
    record->menuBar = CreateMenu();
    return record;
}

void destroyNativeMenuBarWin32(void* NMB)
{
    auto* record = static_cast<NativeMenuBarRecord*>(NMB);
    if (!record) {
        kksReportError(82, "void destroyNativeMenuBarWin32(void* NMB)");
        return;
    }
    // Destroying a menu bar destroys the menus it shows, which their KMenus still own:
    // the entries are taken out first.
    while (GetMenuItemCount(record->menuBar) > 0)
        RemoveMenu(record->menuBar, 0, MF_BYPOSITION);
    DestroyMenu(record->menuBar);
    if (record->helpMenu.hasObject(nullptr))
        record->helpMenu->resetParentMenuBar();
    record->helpMenu.reset();
    delete record;
}

void* getNativeMenuWin32(const KMenuBar& MB)
{
    NativeMenuBarRecord* record = recordOf(MB);
    return record ? record->menuBar : nullptr;
}

void createHelpMenuWin32(KMenuBar& MB)
{
    if (NativeMenuBarRecord* record = recordOf(MB))
        record->helpMenu = new KMenu;
}

KMenu* getHelpMenuWin32(const KMenuBar& MB)
{
    NativeMenuBarRecord* record = recordOf(MB);
    return record ? record->helpMenu.get() : nullptr;
}

void releaseHelpMenuWin32(KMenuBar& MB)
{
    NativeMenuBarRecord* record = recordOf(MB);
    if (!record || !record->helpMenu.hasObject(nullptr))
        return;
    record->helpMenu->resetParentMenuBar();
    record->helpMenu.reset();
}

void redrawItemMenuWin32(const KMenuItem& MI)
{
    if (KApplication::getApplication() && MI.hasParentMenu())
        redrawMenuWin32(MI.getParentMenu());
}

void redrawMenuWin32(const KMenu& M)
{
    if (!KApplication::getApplication())
        return;
    if (M.hasParentMenuBar())
        redrawMenuBarWin32(M.getParentMenuBar());
    else if (M.hasParentMenuItem())
        redrawItemMenuWin32(M.getParentMenuItem());
}

void redrawMenuBarWin32(const KMenuBar& MB)
{
    if (!KApplication::getApplication() || !KMenuManager::exists() || !KWindowManager::exists())
        return;
    const KMenuManager& manager = KMenuManager::getMenuManager();
    if (!manager.hasMenuBar() || &manager.getMenuBar() != &MB)
        return;
    if (!manager.hasWindowMenuBars()) {
        if (HWND window = static_cast<HWND>(getMacStyleMenuBarWindowWin32()))
            DrawMenuBar(window);
        return;
    }
    const KBag& windows = KWindowManager::get().getWindows();
    for (long i = 0; i < windows.getCount(); ++i) {
        const auto& window = static_cast<const KWindow&>(windows[i]);
        if ((window.getStateFlags() & KWindow::CarriesMenuBarFlag) && window.getNativeWindow())
            DrawMenuBar(static_cast<HWND>(window.getNativeWindow()));
    }
}

void* createNativePopupMenuWin32() { return CreatePopupMenu(); }
void* createNativeMenuBarHandleWin32() { return CreateMenu(); }

void destroyNativeMenuWin32(void* Menu)
{
    if (Menu)
        DestroyMenu(menu(Menu));
}

void appendNativeCommandWin32(void* Menu, long ID, const char* Text)
{
    AppendMenuA(menu(Menu), MF_STRING, static_cast<UINT_PTR>(ID), Text);
}

void appendNativeSeparatorWin32(void* Menu) { AppendMenuA(menu(Menu), MF_SEPARATOR, 0, nullptr); }

void appendNativeSubMenuWin32(void* Menu, void* SubMenu, const char* Text)
{
    AppendMenuA(menu(Menu), MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(SubMenu), Text);
}

void appendNativeOwnerDrawnWin32(void* Menu, long ID, const void* Item, bool NewColumn)
{
    AppendMenuA(menu(Menu), MF_OWNERDRAW | (NewColumn ? MF_MENUBARBREAK : 0), static_cast<UINT_PTR>(ID),
                static_cast<const char*>(Item));
}

void setNativeEntryTextWin32(void* Menu, long Position, const char* Text) { setEntryText(menu(Menu), Position, Text); }

void setNativeEntryCheckedWin32(void* Menu, long Position, bool Checked, bool Enabled)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    info.fState = (Checked ? MFS_CHECKED : MFS_UNCHECKED) | (Enabled ? MFS_ENABLED : MFS_GRAYED);
    SetMenuItemInfoA(menu(Menu), static_cast<UINT>(Position), TRUE, &info);
}

void enableNativeEntryWin32(void* Menu, long Position, bool Enable)
{
    EnableMenuItem(menu(Menu), static_cast<UINT>(Position), MF_BYPOSITION | (Enable ? MF_ENABLED : MF_GRAYED));
}

void removeNativeEntryWin32(void* Menu, long Position)
{
    RemoveMenu(menu(Menu), static_cast<UINT>(Position), MF_BYPOSITION);
}

void removeNativeSubMenuEntryWin32(void* Menu, void* SubMenu)
{
    RemoveMenu(menu(Menu), static_cast<UINT>(reinterpret_cast<UINT_PTR>(SubMenu)), MF_BYCOMMAND);
}

long getNativeEntryCountWin32(void* Menu) { return GetMenuItemCount(menu(Menu)); }

void setWindowMenuWin32(void* Window, void* Menu, bool Redraw)
{
    const auto window = static_cast<HWND>(Window);
    SetMenu(window, menu(Menu));
    if (Redraw) {
        DrawMenuBar(window);
        UpdateWindow(window);
    }
}

void drawWindowMenuBarWin32(void* Window) { DrawMenuBar(static_cast<HWND>(Window)); }

void setPopupMenuTrackerWin32(KPopupMenuTracker Tracker) { s_popupTracker = Tracker; }

long trackPopupMenuWin32(void* Menu, short ScreenH, short ScreenV, void* Owner)
{
    return (s_popupTracker ? s_popupTracker : &popupTrackerOfThePlatform)(Menu, ScreenH, ScreenV, Owner);
}

long getMenuCheckMarkWidthWin32() { return GetSystemMetrics(SM_CXMENUCHECK); }

KGraphicDevice* createMenuItemDeviceWin32(const void* DrawRequest, KGraphicRectangle& ItemRect)
{
    const auto* request = static_cast<const DRAWITEMSTRUCT*>(DrawRequest);
    if (!request || !request->hDC)
        return nullptr;
    NativeDeviceWin32* record = createAndInitNativeDeviceWin32(request->hDC);
    if (!record)
        return nullptr;
    auto* device = new KGraphicDevice(KGraphicDevice::kKindForeign);
    if (!device) {
        releaseNativeDeviceWin32(record);
        return nullptr;
    }
    device->initBoundsFromNative(record);
    device->setBackColor(KColor(kSystemMenu));
    ItemRect.fromNativeRect(request->rcItem);
    device->setBounds(ItemRect);
    return device;
}

bool isSelectingDrawRequestWin32(const void* DrawRequest)
{
    const auto* request = static_cast<const DRAWITEMSTRUCT*>(DrawRequest);
    return request && request->itemAction == ODA_SELECT && (request->itemState & ODS_SELECTED);
}
