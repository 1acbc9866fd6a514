#include "application/OperatingSystemWin32.h"

#include "foundation/ErrorTable.h"
#include "foundation/KBag.h"
#include "foundation/KernelFunctions.h"

#include <string>

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

namespace {
std::string s_windowManagerClassName;
HMODULE s_richEdit = nullptr;

bool s_screenKnown = false;
long s_screenWidth = 0;
long s_screenHeight = 0;
long s_screenDepth = 0;
bool s_displayChanged = false;
} // namespace

void knsInitOS()
{
    knsSetNativeCursor(4);
    if (FAILED(CoInitialize(nullptr)))
        knsFatalError("knsInitOS", "CoInitialize error");
    if (FAILED(OleInitialize(nullptr)))
        knsFatalError("knsInitOS", "OleInitialize error");
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    if (!InitCommonControlsEx(&controls))
        knsFatalError("knsInitOS", "InitCommonControls error");
    s_richEdit = LoadLibraryA("RICHED20.DLL");
    knsAllocScratch();
}

void knsExitOS()
{
    knsFreeScratch();
    knsRestoreScreenSettings();
    if (s_richEdit) {
        FreeLibrary(s_richEdit);
        s_richEdit = nullptr;
    }
    OleUninitialize();
    CoUninitialize();
}

void knsSetWindowManagerClassName(const char* Name) { s_windowManagerClassName = Name ? Name : ""; }
const char* knsGetWindowManagerClassName() { return s_windowManagerClassName.c_str(); }

void getScreenInfoWin32(long* Width, long* Height, long* Depth)
{
    if (!s_screenKnown) {
        s_screenWidth = GetSystemMetrics(SM_CXSCREEN);
        s_screenHeight = GetSystemMetrics(SM_CYSCREEN);
        HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        s_screenDepth = display ? GetDeviceCaps(display, BITSPIXEL) : 0;
        if (display)
            DeleteDC(display);
        s_screenKnown = true;
    }
    *Width = s_screenWidth;
    *Height = s_screenHeight;
    *Depth = s_screenDepth;
}

KBag enumDisplayModesWin32(short Width, short Height, short Depth)
{
    KBag modes;
    modes.setIsDirect(true);
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    for (DWORD index = 0; EnumDisplaySettingsA(nullptr, index, &mode); ++index) {
        const long width = static_cast<long>(mode.dmPelsWidth);
        const long height = static_cast<long>(mode.dmPelsHeight);
        const long depth = static_cast<long>(mode.dmBitsPerPel);
        if (width >= Width && height >= Height && depth >= Depth) {
            modes.addDirectData(width);
            modes.addDirectData(height);
            modes.addDirectData(depth);
        }
    }
    return modes;
}

bool changeDisplayModeWin32(short Width, short Height, short Depth)
{
    long width = 0, height = 0, depth = 0;
    getScreenInfoWin32(&width, &height, &depth);
    if (width == Width && height == Height && depth == Depth)
        return true;
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = Width;
    mode.dmPelsHeight = Height;
    mode.dmBitsPerPel = Depth;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    if (ChangeDisplaySettingsA(&mode, 0) != DISP_CHANGE_SUCCESSFUL) {
        knsPresentMessageBox("Error", "Couldn't change display mode", MB_OK);
        return false;
    }
    s_screenWidth = Width;
    s_screenHeight = Height;
    s_screenDepth = Depth;
    s_screenKnown = true;
    s_displayChanged = true;
    return true;
}

void restoreDisplayModeWin32()
{
    if (!s_displayChanged)
        return;
    ChangeDisplaySettingsA(nullptr, 0);
    s_displayChanged = false;
    s_screenKnown = false;
}
