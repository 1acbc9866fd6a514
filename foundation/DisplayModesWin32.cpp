#include "foundation/DisplayModesWin32.h"

#include "foundation/ApplicationLink.h"
#include "foundation/KBag.h"
#include "foundation/KernelFunctions.h"

#include <windows.h>

namespace {

bool s_screenKnown = false;
long s_screenWidth = 0;
long s_screenHeight = 0;
long s_screenDepth = 0;
bool s_displayChanged = false;

bool listSystemMode(unsigned long Index, DisplayModeWin32& Mode)
{
    DEVMODEA record{};
    record.dmSize = sizeof record;
    if (!EnumDisplaySettingsA(nullptr, Index, &record))
        return false;
    Mode = {static_cast<long>(record.dmPelsWidth), static_cast<long>(record.dmPelsHeight),
            static_cast<long>(record.dmBitsPerPel)};
    return true;
}

bool changeSystemMode(const DisplayModeWin32* Mode)
{
    if (!Mode)
        return ChangeDisplaySettingsA(nullptr, 0) == DISP_CHANGE_SUCCESSFUL;
    DEVMODEA record{};
    record.dmSize = sizeof record;
    record.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    record.dmBitsPerPel = Mode->depth;
    record.dmPelsWidth = Mode->width;
    record.dmPelsHeight = Mode->height;
    return ChangeDisplaySettingsA(&record, 0) == DISP_CHANGE_SUCCESSFUL;
}

const DisplaySystemWin32 s_systemDisplay = {&listSystemMode, &changeSystemMode};
const DisplaySystemWin32* s_display = &s_systemDisplay;

bool listed(const KBag& Modes, long Width, long Height, long Depth)
{
    for (long i = 0; i + 2 < Modes.getCount(); i += 3) {
        if (Modes.getDirectDataAt(i) == Width && Modes.getDirectDataAt(i + 1) == Height
            && Modes.getDirectDataAt(i + 2) == Depth)
            return true;
    }
    return false;
}

} // namespace

void setDisplaySystemWin32(const DisplaySystemWin32* System)
{
    s_display = System ? System : &s_systemDisplay;
}

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
    DisplayModeWin32 mode{};
    for (unsigned long index = 0; s_display->listMode(index, mode); ++index) {
        // The minimums compare as the 16-bit values they are stored in.
        const short width = static_cast<short>(mode.width);
        const short height = static_cast<short>(mode.height);
        const short depth = static_cast<short>(mode.depth);
        if (width < Width || height < Height || depth < Depth)
            continue;
        // The refresh rate plays no part: a mode offered at several rates is listed once.
        if (listed(modes, mode.width, mode.height, mode.depth))
            continue;
        modes.addDirectData(mode.width);
        modes.addDirectData(mode.height);
        modes.addDirectData(mode.depth);
    }
    return modes;
}

bool changeDisplayModeWin32(short Width, short Height, short Depth)
{
    long width = 0, height = 0, depth = 0;
    getScreenInfoWin32(&width, &height, &depth);
    if (width == Width && height == Height && depth == Depth)
        return true;
    const DisplayModeWin32 mode = {Width, Height, Depth};
    if (!s_display->changeMode(&mode)) {
        knsPresentMessageBox("Error", "Couldn't change display mode", MB_TOPMOST | MB_TASKMODAL,
                             ApplicationLink::mainNativeWindow());
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
    s_display->changeMode(nullptr);
    // Read again on next use.
    s_screenWidth = s_screenHeight = s_screenDepth = 0;
    s_screenKnown = false;
    s_displayChanged = false;
}
