#include "story/oldformat/OldFontsWin32.h"

#include "story/oldformat/ZLogFont.h"

#include <windows.h>

static_assert(sizeof(LOGFONTA) == ZNativeRecord::kSize, "a stored font record is a LOGFONTA");

long getDisplayPixelsPerInchWin32()
{
    static long pixelsPerInch = 0;
    if (pixelsPerInch == 0) {
        HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        pixelsPerInch = display ? GetDeviceCaps(display, LOGPIXELSY) : 0;
        if (display)
            DeleteDC(display);
        if (pixelsPerInch <= 0)
            pixelsPerInch = 96;
    }
    return pixelsPerInch;
}

bool getDefaultGuiFontWin32(ZLogFont& Out)
{
    LOGFONTA font{};
    HGDIOBJ stock = GetStockObject(DEFAULT_GUI_FONT);
    if (!stock || GetObjectA(stock, sizeof font, &font) != sizeof font)
        return false;
    Out.setBytes(reinterpret_cast<const unsigned char*>(&font));
    return true;
}
