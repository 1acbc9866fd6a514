#include "application/WindowClassesWin32.h"

#include "application/KApplication.h"
#include "application/KWindowManager.h"
#include "application/MessagePumpWin32.h"
#include "application/SplashWindowWin32.h"
#include "foundation/ErrorTable.h"
#include "foundation/OperatingSystemWin32.h"

#include <windows.h>

namespace {
constexpr UINT kSaveBitsOwnDC = CS_SAVEBITS | CS_OWNDC;

// Sends the framework event made of the message; true when it was handled.
bool sendAsEvent(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    const KNativeMessage record =
        nativeMessageOfWin32(Window, Message, static_cast<uint32>(WParam), static_cast<int32>(LParam));
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
    const bool handled = KApplication::getApplication() && sendAsEvent(Window, Message, WParam, LParam);
    return answerOf(handled, Window, Message, WParam, LParam, false);
}

// Palette and overlay windows behave as plain windows; only their class styles differ.
LRESULT CALLBACK KPaletteProcWin32(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    return KWindowProcWin32(Window, Message, WParam, LParam);
}

LRESULT CALLBACK KDialogProcWin32(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    const bool handled = KApplication::getApplication() && sendAsEvent(Window, Message, WParam, LParam);
    return answerOf(handled, Window, Message, WParam, LParam, true);
}

LRESULT CALLBACK MacStyleMenuWindowProcWin32(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    bool handled = false;
    switch (Message) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_WINDOWPOSCHANGING:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_COMMAND:
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
    case WM_MENUCOMMAND:
        handled = sendAsEvent(Window, Message, WParam, LParam);
        break;
    case WM_EXITMENULOOP:
        // The menu loop of the menu-bar window hands activation back to the framework's
        // active window.
        if (KWindowManager::exists() && KWindowManager::get().hasActiveWindow()) {
            if (void* active = KWindowManager::get().getActiveWindow().getNativeWindow())
                SetActiveWindow(static_cast<HWND>(active));
        }
        break;
    default:
        break;
    }
    return answerOf(handled, Window, Message, WParam, LParam, false);
}

// No part of the system shows a drag object in a window of its own; such a window
// paints nothing and never erases.
LRESULT CALLBACK DragObjectWindowProcWin32(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    switch (Message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(Window, &paint);
        EndPaint(Window, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    default:
        return DefWindowProcA(Window, Message, WParam, LParam);
    }
}

struct ClassRow {
    const char* name;
    WNDPROC procedure;
    UINT style;
    bool icon;
    bool arrowCursor;
    int brush;
    int windowExtra;
};

ATOM registerClass(const ClassRow& Row)
{
    const auto instance = static_cast<HINSTANCE>(knsGetInstance());
    const long icon = knsGetIconResourceID();
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = Row.style;
    windowClass.lpfnWndProc = Row.procedure;
    windowClass.cbWndExtra = Row.windowExtra;
    windowClass.hInstance = instance;
    windowClass.hIcon = Row.icon && icon ? LoadIconA(instance, MAKEINTRESOURCEA(icon)) : nullptr;
    windowClass.hIconSm = windowClass.hIcon;
    // The framework's own windows have no class cursor: the cursor manager sets it.
    windowClass.hCursor = Row.arrowCursor ? LoadCursorA(nullptr, IDC_ARROW) : nullptr;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(Row.brush));
    windowClass.lpszClassName = Row.name;
    ATOM atom = RegisterClassExA(&windowClass);
    // Entering the kernel again in the same process finds its classes still there.
    if (!atom && GetLastError() == ERROR_CLASS_ALREADY_EXISTS)
        atom = static_cast<ATOM>(GetClassInfoExA(instance, Row.name, &windowClass));
    return atom;
}

unsigned short registerOrDie(const ClassRow& Row, const char* Context)
{
    const ATOM atom = registerClass(Row);
    if (!atom)
        knsFatalError(Context, "problem creating winClass");
    return atom;
}
} // namespace

KNativeMessage nativeMessageOfWin32(void* Window, uint32 Message, uint32 WParam, int32 LParam)
{
    const DWORD position = GetMessagePos();
    return {Window,
            Message,
            WParam,
            LParam,
            static_cast<uint32>(GetMessageTime()),
            static_cast<int16>(LOWORD(position)),
            static_cast<int16>(HIWORD(position))};
}

unsigned short registerSplashWindowClassWin32()
{
    return registerOrDie({"SplashWindowClass", &SplashWindowProcWin32, kSaveBitsOwnDC, true, true, WHITE_BRUSH, 0},
                         "registerSplashWindowClassWin32");
}

unsigned short registerKWindowClassesWin32()
{
    static const ClassRow rows[] = {
        {"KWindowClass", &KWindowProcWin32, CS_OWNDC, true, false, WHITE_BRUSH, 0},
        {"KPaletteClass", &KPaletteProcWin32, CS_OWNDC, true, false, WHITE_BRUSH, 0},
        {"KOverlayWindowClass", &KPaletteProcWin32, CS_SAVEBITS, true, false, WHITE_BRUSH, 0},
        {"KDialogClass", &KDialogProcWin32, kSaveBitsOwnDC, true, false, GRAY_BRUSH, DLGWINDOWEXTRA},
    };
    ATOM atom = 0;
    for (const ClassRow& row : rows) {
        atom = registerOrDie(row, "registerKWindowClassesWin32");
        if (!atom)
            return 0;
    }
    return atom;
}

unsigned short registerDragObjectWindowClassWin32()
{
    return registerOrDie(
        {"DragObjectWindowClass", &DragObjectWindowProcWin32, kSaveBitsOwnDC, false, true, WHITE_BRUSH, 0},
        "registerDragObjectWindowClassWin32");
}

unsigned short registerMacStyleMenuWindowClassWin32()
{
    return registerOrDie(
        {"MacStyleMenuWindowClass", &MacStyleMenuWindowProcWin32, kSaveBitsOwnDC, true, true, WHITE_BRUSH, 0},
        "registerMacStyleMenuWindowClassWin32");
}

void unregisterSplashWindowClassWin32() {}
void unregisterKWindowClassesWin32() {}
void unregisterDragObjectWindowClassWin32() {}
void unregisterMacStyleMenuWindowClassWin32() {}
