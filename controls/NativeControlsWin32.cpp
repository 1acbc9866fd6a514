#include "controls/NativeControlsWin32.h"

#include "application/KKeyboardManager.h"
#include "application/KMouseEvent.h"
#include "application/KNativeEvent.h"
#include "application/NativeMessageTranslationWin32.h"
#include "controls/KControl.h"
#include "controls/KDragObject.h"
#include "controls/NativeControlBindingWin32.h"
#include "foundation/OperatingSystemWin32.h"
#include "graphics/KGraphicObject.h"

#include <windows.h>

namespace {
HWND hwnd(void* W) { return static_cast<HWND>(W); }

bool paint(KControl& C, const KNativeMessage& M)
{
    NativeControlRecordWin32* record = C.getNativeRecord();
    if (!record)
        return false;
    PAINTSTRUCT paint{};
    // A control the framework alone paints draws into the paint itself.
    const bool ownPaint = record->frameworkDraws && !record->nativePaints;
    if (ownPaint)
        record->paintContext = BeginPaint(hwnd(M.window), &paint);
    if (record->nativePaints) {
        if (auto old = reinterpret_cast<WNDPROC>(getOldWndProcWin32(M.window)))
            CallWindowProcA(old, hwnd(M.window), M.message, M.wParam, M.lParam);
    }
    if (record->frameworkDraws)
        C.draw();
    if (C.hasNativeParent()) {
        KGraphicDevicePtr device;
        KGraphicRectangle area;
        if (C.acquireGraphicDevice(device, area)) {
            if (auto* drawer = dynamic_cast<KGraphicObject*>(&C.getNativeParent()))
                drawer->draw(*device, area);
            // A drag object framing the control draws its frame and handles over it.
            else if (auto* frame = dynamic_cast<KDragObject*>(&C.getNativeParent()))
                frame->draw(*device, area);
            C.releaseGraphicDevice(device);
        }
    }
    // The record may have gone while the control drew.
    if (ownPaint) {
        EndPaint(hwnd(M.window), &paint);
        if (NativeControlRecordWin32* still = C.getNativeRecord())
            still->paintContext = nullptr;
    }
    return true;
}

void takeFocus(KControl& C, KNativeEvent& Event)
{
    if (!C.acceptsFocus()) {
        Event.setResult(1);
        return;
    }
    if (!KKeyboardManager::exists())
        return;
    KKeyboardManager& keyboard = KKeyboardManager::getManager();
    if (keyboard.hasFocusElement() && &keyboard.getFocusElement() != &C)
        keyboard.setFocusElement(C);
}

bool sendKey(const KNativeMessage& M)
{
    KEventPtr key = dispatchNativeMessageWin32(M);
    return key.hasObject(nullptr) && KEvent::send(*key) != 0;
}

// A press that lands in this control's window over a sub-control with a native window of
// its own goes to that window; true when it went.
bool forwardToSubControl(KControl& C, const KNativeMessage& M, const KGraphicPoint& Local)
{
    const KGraphicRectangle global = C.getGlobalBounds();
    const KGraphicPoint inControl(static_cast<short>(Local.getH() - global.getH()),
                                  static_cast<short>(Local.getV() - global.getV()));
    KControlPtr found;
    if (!C.findControlAt(inControl, found) || !found->getNativeWindow())
        return false;
    const KGraphicRectangle target = found->getGlobalBounds();
    const auto x = static_cast<short>(Local.getH() - target.getH());
    const auto y = static_cast<short>(Local.getV() - target.getV());
    SendMessageA(hwnd(found->getNativeWindow()), M.message, M.wParam, MAKELPARAM(x, y));
    return true;
}

// The mouse message as a framework mouse event of the window, sent at once. True when the
// message went to a sub-control's window instead.
bool sendMouse(KControl& C, const KNativeMessage& M, long Kind, uint8 Button)
{
    KWindowPtr window;
    if (!C.findParentWindow(window)) {
        // Reported: a bound control always lies in a window.
        C.getParentWindow();
        return false;
    }
    POINT screen{static_cast<short>(LOWORD(M.lParam)), static_cast<short>(HIWORD(M.lParam))};
    ClientToScreen(hwnd(M.window), &screen);
    KGraphicPoint global(static_cast<short>(screen.x), static_cast<short>(screen.y));
    KGraphicPoint local(global);
    window->screenToLocal(local);
    if (Kind == KMouseEvent::Down && forwardToSubControl(C, M, local))
        return true;
    KMouseEventPtr mouse = new KMouseEvent;
    if (!mouse.hasObject(nullptr))
        return false;
    mouse->setType(Kind);
    mouse->setButton(Button);
    mouse->setWindow(*window);
    mouse->setLocalPosition(local);
    mouse->setGlobalPosition(global);
    mouse->setTime(static_cast<long>(M.time));
    uint32 modifiers = 0;
    if (M.wParam & MK_CONTROL)
        modifiers |= 0x2;
    if (M.wParam & MK_SHIFT)
        modifiers |= 0x1;
    mouse->setModifiers(modifiers);
    KEvent::send(*mouse);
    return false;
}

bool press(KControl& C, const KNativeMessage& M, uint8 Button)
{
    if (sendMouse(C, M, KMouseEvent::Down, Button))
        return true;
    if (C.hasNativeParent())
        return true;
    // The window procedures never see this press, so the translator learns it here.
    if (Button == KMouseEvent::LeftButton)
        setMouseButtonDownWin32(1, 0);
    else
        setMouseButtonDownWin32(0, 1);
    return false;
}

bool release(KControl& C, const KNativeMessage& M, uint8 Button)
{
    sendMouse(C, M, KMouseEvent::Up, Button);
    setMouseButtonDownWin32(0, 0);
    return C.hasNativeParent();
}
} // namespace

void* createNativeChildWin32(const char* ClassName, const char* Text, unsigned long OwnStyle, bool Visible,
                             void* Parent, short X, short Y, short Width, short Height)
{
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (Visible ? WS_VISIBLE : 0) | OwnStyle;
    return CreateWindowExA(0, ClassName, Text, style, X, Y, Width, Height, hwnd(Parent), nullptr,
                           static_cast<HINSTANCE>(knsGetInstance()), nullptr);
}

void showNativeChildWin32(void* Window, bool Show) { ShowWindow(hwnd(Window), Show ? SW_SHOW : SW_HIDE); }

void moveNativeChildWin32(void* Window, short X, short Y, short Width, short Height)
{
    MoveWindow(hwnd(Window), X, Y, Width, Height, TRUE);
}

void setNativeChildTextWin32(void* Window, const char* Text)
{
    SendMessageA(hwnd(Window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Text));
}

void setNativeCheckMarkWin32(void* Window, bool Checked)
{
    SendMessageA(hwnd(Window), BM_SETCHECK, Checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void updateNativeChildWin32(void* Window) { UpdateWindow(hwnd(Window)); }

bool isCommandWin32(const KNativeMessage& M) { return M.message == WM_COMMAND; }
bool isButtonClickWin32(const KNativeMessage& M) { return M.message == WM_COMMAND && HIWORD(M.wParam) == BN_CLICKED; }
bool isSpaceTypedWin32(const KNativeMessage& M) { return M.message == WM_CHAR && M.wParam == ' '; }
bool isEraseBackgroundWin32(const KNativeMessage& M) { return M.message == WM_ERASEBKGND; }

void eraseWithButtonFaceWin32(const KNativeMessage& M, short Width, short Height)
{
    RECT area{0, 0, Width, Height};
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    FillRect(reinterpret_cast<HDC>(static_cast<uintptr_t>(M.wParam)), &area, face);
    DeleteObject(face);
}

bool handleControlNativeMessageWin32(KControl& C, KNativeEvent& Event)
{
    const KNativeMessage* message = Event.getNativeMessage();
    if (!message)
        return false;
    const KNativeMessage& M = *message;
    switch (M.message) {
    case WM_SETFOCUS:
        takeFocus(C, Event);
        return Event.getResult() == 1;
    case WM_PAINT:
        return paint(C, M);
    case WM_ERASEBKGND:
        if (C.getStateFlags() & KControl::EraseBackgroundFlag)
            eraseWithButtonFaceWin32(M, C.getWidth(), C.getHeight());
        return true;
    case WM_SETCURSOR:
        return C.hasNativeParent();
    case WM_KEYDOWN:
    case WM_CHAR:
        return sendKey(M);
    case WM_MOUSEMOVE:
        sendMouse(C, M, KMouseEvent::Move, KMouseEvent::NoButton);
        return C.hasNativeParent();
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return press(C, M, KMouseEvent::LeftButton);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        return press(C, M, KMouseEvent::RightButton);
    case WM_LBUTTONUP:
        return release(C, M, KMouseEvent::LeftButton);
    case WM_RBUTTONUP:
        return release(C, M, KMouseEvent::RightButton);
    default:
        return false;
    }
}
