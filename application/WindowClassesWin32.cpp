#include "application/WindowClassesWin32.h"

#include "application/KApplication.h"
#include "application/MessagePumpWin32.h"
#include "application/OperatingSystemWin32.h"
#include "foundation/ErrorTable.h"

#include <windows.h>

namespace {
// Sends the framework event made of the message; true when it was handled.
bool sendAsEvent(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    if (!KApplication::getApplication())
        return false;
    const DWORD position = GetMessagePos();
    const KNativeMessage record{Window,
                                Message,
                                static_cast<uint32>(WParam),
                                static_cast<int32>(LParam),
                                static_cast<uint32>(GetMessageTime()),
                                static_cast<int16>(LOWORD(position)),
                                static_cast<int16>(HIWORD(position))};
    KEvent* event = kksDispatchNativeMessage(record);
    return event && KEvent::send(*event) != 0;
}

LRESULT answerOf(bool Handled, HWND Window, UINT Message, WPARAM WParam, LPARAM LParam, bool Dialog)
{
    // A native window is destroyed only by its window object, after the framework's own
    // close handling.
    if (Message == WM_CLOSE)
        return 0;
    if (Handled)
        return Message == WM_MEASUREITEM ? 1 : 0;
    return Dialog ? DefDlgProcA(Window, Message, WParam, LParam) : DefWindowProcA(Window, Message, WParam, LParam);
}

LRESULT CALLBACK KWindowProcWin32(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    const bool handled = sendAsEvent(Window, Message, WParam, LParam);
    return answerOf(handled, Window, Message, WParam, LParam, false);
}

LRESULT CALLBACK KPaletteProcWin32(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    const bool handled = sendAsEvent(Window, Message, WParam, LParam);
    return answerOf(handled, Window, Message, WParam, LParam, false);
}

LRESULT CALLBACK KDialogProcWin32(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    const bool handled = sendAsEvent(Window, Message, WParam, LParam);
    return answerOf(handled, Window, Message, WParam, LParam, true);
}

ATOM registerClass(const char* Name, WNDPROC Procedure, UINT Style, int Brush, int WindowExtra)
{
    const auto instance = static_cast<HINSTANCE>(knsGetInstance());
    const long icon = knsGetIconResourceID();
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = Style;
    windowClass.lpfnWndProc = Procedure;
    windowClass.cbWndExtra = WindowExtra;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon ? LoadIconA(instance, MAKEINTRESOURCEA(icon)) : nullptr;
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(Brush));
    windowClass.lpszClassName = Name;
    ATOM atom = RegisterClassExA(&windowClass);
    // Entering the kernel again in the same process finds its classes still there.
    if (!atom && GetLastError() == ERROR_CLASS_ALREADY_EXISTS)
        atom = static_cast<ATOM>(GetClassInfoExA(instance, Name, &windowClass));
    return atom;
}
} // namespace

unsigned short registerKWindowClassesWin32()
{
    struct Row {
        const char* name;
        WNDPROC procedure;
        UINT style;
        int brush;
        int windowExtra;
    };
    static const Row rows[] = {
        {"KWindowClass", &KWindowProcWin32, CS_OWNDC, WHITE_BRUSH, 0},
        {"KPaletteClass", &KPaletteProcWin32, CS_OWNDC, WHITE_BRUSH, 0},
        {"KOverlayWindowClass", &KPaletteProcWin32, CS_SAVEBITS, WHITE_BRUSH, 0},
        {"KDialogClass", &KDialogProcWin32, CS_SAVEBITS | CS_OWNDC, GRAY_BRUSH, DLGWINDOWEXTRA},
    };
    ATOM atom = 0;
    for (const Row& row : rows) {
        atom = registerClass(row.name, row.procedure, row.style, row.brush, row.windowExtra);
        if (!atom) {
            knsFatalError("registerKWindowClassesWin32", "problem creating winClass");
            return 0;
        }
    }
    return atom;
}

void unregisterKWindowClassesWin32() {}
