#include "application/NativeMessageTranslationWin32.h"

#include "application/ClipboardWin32.h"
#include "application/ControlsLink.h"
#include "application/KApplication.h"
#include "application/KApplicationEvent.h"
#include "application/KClipboardManager.h"
#include "application/KKeyEvent.h"
#include "application/KKeyboardManager.h"
#include "application/KMouseEvent.h"
#include "application/KNativeEvent.h"
#include "application/KWindowEvent.h"
#include "application/KWindowManager.h"
#include "application/MacStyleMenuBarWin32.h"
#include "application/MenuMessagesWin32.h"
#include "application/NativeWindowWin32.h"
#include "foundation/KDiskObjectReference.h"
#include "foundation/KPath.h"
#include "foundation/KString.h"
#include "foundation/KVariable.h"
#include "foundation/KernelFunctions.h"

#include <windows.h>
#include <shellapi.h>

namespace {
bool isControlWindow(void* Window)
{
    const ControlsLink* link = ControlsLink::get();
    return link && link->isControlWindow(Window);
}

KEventReturn processControlNotification(KNativeEvent& Event)
{
    ControlsLink* link = ControlsLink::get();
    return link ? link->processNotification(Event) : 0;
}

// The translator's state. Only one mouse button is tracked as down at a time.
uint8 s_leftButtonDown = 0;
uint8 s_rightButtonDown = 0;
// Repeated notifications of the same activity state make one event.
uint8 s_applicationActive = 1;
KDeviceChangeCallback s_deviceChangeCallback = nullptr;
KNativeHook s_nativeHook = nullptr;

// The text of "Received Data", one WM_APP character at a time.
KString& pendingReceivedText()
{
    static KString text;
    return text;
}

constexpr long kWindows = 2;

// A window object stored in the native window's user data that the window manager holds.
KWindow* findKnownWindow(void* Native)
{
    KWindow* window = findWindowOfNativeWin32(Native);
    if (!window || !KWindowManager::exists() || !KWindowManager::get().getWindows().has(*window))
        return nullptr;
    return window;
}

KWindow* findOpenWindow(void* Native)
{
    KWindow* window = findKnownWindow(Native);
    return window && window->isOpen() ? window : nullptr;
}

KEvent* makeWindowEvent(KWindow& Window, long Type, const KNativeMessage& Message)
{
    auto* event = new KWindowEvent;
    event->setType(Type);
    event->setWindow(Window);
    event->setNativeMessage(&Message);
    return event;
}

KEvent* makeNativeEvent(const KNativeMessage& Message)
{
    auto* event = new KNativeEvent;
    event->setNativeMessage(&Message);
    return event;
}

KEvent* makeApplicationEvent(long Type, const KNativeMessage* Message)
{
    auto* event = new KApplicationEvent;
    event->setType(Type);
    event->setNativeMessage(Message);
    return event;
}

// The lock keys count while they are held, not by their toggle state.
uint32 heldModifiers()
{
    uint32 modifiers = 0;
    if (GetAsyncKeyState(VK_SHIFT) & 0x8000)
        modifiers |= KKeyEvent::Shift;
    if (GetAsyncKeyState(VK_CONTROL) & 0x8000)
        modifiers |= KKeyEvent::Control;
    if (GetAsyncKeyState(VK_CAPITAL) & 0x8000)
        modifiers |= KKeyEvent::CapsLock;
    if (GetAsyncKeyState(VK_NUMLOCK) & 0x8000)
        modifiers |= KKeyEvent::NumLock;
    return modifiers;
}

KEvent* makeKeyEvent(uint16 Key, const KNativeMessage& Message, uint32 Modifiers = 0)
{
    auto* event = new KKeyEvent;
    event->setType(KKeyEvent::KeyTyped);
    event->setKey(Key);
    event->setModifiers(heldModifiers() | Modifiers);
    if (KKeyboardManager::exists() && KKeyboardManager::getManager().hasFocusElement())
        event->setElement(KKeyboardManager::getManager().getFocusElement());
    event->setNativeMessage(&Message);
    return event;
}

KMouseEvent* makeMouseEvent(KWindow& Window, long Type, uint8 Button, uint8 Held, const KNativeMessage& Message)
{
    auto* event = new KMouseEvent;
    event->setType(Type);
    event->setWindow(Window);
    const KGraphicPoint local(static_cast<short>(LOWORD(Message.lParam)), static_cast<short>(HIWORD(Message.lParam)));
    KGraphicPoint global(local);
    Window.localToScreen(global);
    event->setLocalPosition(local);
    event->setGlobalPosition(global);
    event->setButton(Button);
    event->setButtonHeld(Held);
    uint32 modifiers = 0;
    if (Message.wParam & MK_SHIFT)
        modifiers |= KKeyEvent::Shift;
    if (Message.wParam & MK_CONTROL)
        modifiers |= KKeyEvent::Control;
    event->setModifiers(modifiers);
    event->setNativeMessage(&Message);
    return event;
}

// A button released outside the window never sends its button-up message here; the
// release reaches the framework before the next press or move instead.
void synthesizeMouseUpWin32(const KNativeMessage& Message)
{
    uint8 released = 0;
    if (s_leftButtonDown && !(Message.wParam & MK_LBUTTON))
        released = KMouseEvent::LeftButton;
    if (s_rightButtonDown && !(Message.wParam & MK_RBUTTON))
        released = KMouseEvent::RightButton;
    KWindow* window = released ? findKnownWindow(Message.window) : nullptr;
    if (!window)
        return;
    KMouseEventPtr release = makeMouseEvent(*window, KMouseEvent::Up, released, 0, Message);
    KEvent::send(*release);
    s_leftButtonDown = 0;
    s_rightButtonDown = 0;
}

KEvent* translateMouseMove(const KNativeMessage& Message)
{
    synthesizeMouseUpWin32(Message);
    KWindow* window = findOpenWindow(Message.window);
    if (!window)
        return nullptr;
    uint8 button = KMouseEvent::NoButton;
    uint8 held = 0;
    if (s_leftButtonDown && (Message.wParam & MK_LBUTTON)) {
        button = KMouseEvent::LeftButton;
        held = 1;
    }
    if (s_rightButtonDown && (Message.wParam & MK_RBUTTON)) {
        button = KMouseEvent::RightButton;
        held = 1;
    }
    return makeMouseEvent(*window, KMouseEvent::Move, button, held, Message);
}

KEvent* translateButtonDown(const KNativeMessage& Message, uint8 Button)
{
    const uint8 otherDown = Button == KMouseEvent::LeftButton ? s_rightButtonDown : s_leftButtonDown;
    if (otherDown)
        return nullptr;
    synthesizeMouseUpWin32(Message);
    if (Button == KMouseEvent::LeftButton)
        s_leftButtonDown = 1;
    else
        s_rightButtonDown = 1;
    KWindow* window = findOpenWindow(Message.window);
    return window ? makeMouseEvent(*window, KMouseEvent::Down, Button, 1, Message) : nullptr;
}

KEvent* translateButtonUp(const KNativeMessage& Message, uint8 Button)
{
    uint8& down = Button == KMouseEvent::LeftButton ? s_leftButtonDown : s_rightButtonDown;
    if (!down)
        return nullptr;
    down = 0;
    KWindow* window = findOpenWindow(Message.window);
    return window ? makeMouseEvent(*window, KMouseEvent::Up, Button, 0, Message) : nullptr;
}

KEvent* translateActivation(const KNativeMessage& Message)
{
    KWindow* window = findKnownWindow(Message.window);
    if (!window)
        return nullptr;
    const bool activating = LOWORD(Message.wParam) != WA_INACTIVE;
    KWindowManager& manager = KWindowManager::get();
    const bool isActive = manager.hasActiveWindow() && &manager.getActiveWindow() == window;
    if (isActive)
        return activating ? nullptr : makeWindowEvent(*window, KWindowEvent::Deactivated, Message);
    return activating ? makeWindowEvent(*window, KWindowEvent::Activated, Message) : nullptr;
}

KEvent* translateApplicationActivation(const KNativeMessage& Message)
{
    if (Message.wParam != 0 && s_applicationActive == 0) {
        s_applicationActive = 1;
        return makeApplicationEvent(KApplicationEvent::Activate, nullptr);
    }
    if (Message.wParam == 0 && s_applicationActive == 1) {
        s_applicationActive = 0;
        return makeApplicationEvent(KApplicationEvent::Deactivate, nullptr);
    }
    return nullptr;
}

KEvent* translateDrop(const KNativeMessage& Message)
{
    const auto drop = reinterpret_cast<HDROP>(static_cast<uintptr_t>(Message.wParam));
    char name[MAX_PATH] = {};
    // Only the first file of a drop is ever opened.
    const UINT length = DragQueryFileA(drop, 0, name, sizeof name);
    KEvent* event = nullptr;
    if (length > 0 && length < sizeof name) {
        KPath path;
        path.setPathText(KString(name), kWindows);
        KDiskObjectReferencePtr reference = new KDiskObjectReference;
        reference->setPath(path);
        auto* open = static_cast<KApplicationEvent*>(makeApplicationEvent(KApplicationEvent::OpenDocument, &Message));
        open->setObject(*reference);
        event = open;
    }
    DragFinish(drop);
    return event;
}

KEvent* translateReceivedCharacter(const KNativeMessage& Message)
{
    KString& pending = pendingReceivedText();
    const char character = static_cast<char>(Message.wParam & 0xFF);
    if (character != 0) {
        pending += character;
        return nullptr;
    }
    if (pending.getLength() == 0)
        return nullptr;
    KEvent* event = makeApplicationEvent(KApplicationEvent::ReceivedData, &Message);
    event->setVariable(KString("Received Data"), KVariable(pending));
    pending.clear();
    return event;
}

// The clipboard manager hears of every change and passes the news on along the viewer
// chain.
KEvent* translateClipboardChange(const KNativeMessage& Message)
{
    if (!KClipboardManager::exists())
        return nullptr;
    KEvent* event = makeApplicationEvent(KApplicationEvent::ClipboardChanged, &Message);
    passClipboardMessageWin32(KClipboardManager::getManager().getNextViewer(), Message.message, Message.wParam,
                              Message.lParam);
    return event;
}

void followViewerChain(const KNativeMessage& Message)
{
    if (!KClipboardManager::exists())
        return;
    KClipboardManager& clipboard = KClipboardManager::getManager();
    void* next = clipboard.getNextViewer();
    if (reinterpret_cast<void*>(static_cast<uintptr_t>(Message.wParam)) == next)
        clipboard.setNextViewer(reinterpret_cast<void*>(static_cast<intptr_t>(Message.lParam)));
    else
        passClipboardMessageWin32(next, Message.message, Message.wParam, Message.lParam);
}

KEvent* translate(const KNativeMessage& Message)
{
    switch (Message.message) {
    case WM_MOVE:
        if (KWindow* window = findOpenWindow(Message.window))
            return makeWindowEvent(*window, KWindowEvent::Moved, Message);
        return nullptr;
    case WM_SIZE:
        if (KWindow* window = findOpenWindow(Message.window))
            return makeWindowEvent(*window, KWindowEvent::Resized, Message);
        return nullptr;
    case WM_ACTIVATE:
        return translateActivation(Message);
    case WM_PAINT:
        if (KWindow* window = findOpenWindow(Message.window))
            return makeWindowEvent(*window, KWindowEvent::Paint, Message);
        return nullptr;
    case WM_CLOSE:
        if (KWindow* window = findOpenWindow(Message.window))
            return makeWindowEvent(*window, KWindowEvent::Close, Message);
        return nullptr;
    case WM_ACTIVATEAPP:
        return translateApplicationActivation(Message);
    case WM_DRAWITEM:
        if (reinterpret_cast<const DRAWITEMSTRUCT*>(Message.lParam)->CtlType == ODT_MENU)
            return makeNativeEvent(Message);
        return nullptr;
    case WM_MEASUREITEM:
        if (reinterpret_cast<const MEASUREITEMSTRUCT*>(Message.lParam)->CtlType == ODT_MENU)
            return makeNativeEvent(Message);
        return nullptr;
    case WM_ERASEBKGND:
    case WM_WINDOWPOSCHANGING:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_SIZING:
    case WM_MOVING:
        return makeNativeEvent(Message);
    case WM_KEYDOWN: {
        // Character keys come through WM_CHAR, each press once.
        if (Message.wParam == VK_SNAPSHOT)
            return nullptr;
        // Control with "." makes no character, so the key itself comes as "." with Control.
        if (Message.wParam == VK_OEM_PERIOD && (GetKeyState(VK_CONTROL) & 0x8000))
            return makeKeyEvent('.', Message, KKeyEvent::Control);
        const uint16 key = translateVirtualKeyWin32(Message.wParam);
        return key ? makeKeyEvent(key, Message) : nullptr;
    }
    case WM_CHAR: {
        const auto character = static_cast<uint8>(Message.wParam & 0xFF);
        return character >= 0x20 ? makeKeyEvent(character, Message) : nullptr;
    }
    case WM_SYSKEYDOWN:
        return Message.wParam == VK_F4 ? makeNativeEvent(Message) : nullptr;
    case WM_COMMAND:
    case WM_MENUCOMMAND:
        // A control's notification is answered by its control, through the native event;
        // a command nobody can answer gives nothing.
        if (Message.lParam != 0)
            return isControlWindow(reinterpret_cast<void*>(Message.lParam)) ? makeNativeEvent(Message) : nullptr;
        return translateMenuCommandWin32(Message);
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
        return translateMenuOpeningWin32(Message);
    case WM_TIMER: {
        // The loop's wake-up on the main window: end the wait.
        KApplication* application = KApplication::getApplication();
        if (application->hasMainWindow()) {
            if (void* main = application->getMainWindow().getNativeWindow())
                PostMessageA(static_cast<HWND>(main), WM_NULL, 0, 0);
        }
        return nullptr;
    }
    case WM_MOUSEMOVE:
        return translateMouseMove(Message);
    case WM_LBUTTONDOWN:
        return translateButtonDown(Message, KMouseEvent::LeftButton);
    case WM_LBUTTONUP:
        return translateButtonUp(Message, KMouseEvent::LeftButton);
    case WM_RBUTTONDOWN:
        return translateButtonDown(Message, KMouseEvent::RightButton);
    case WM_RBUTTONUP:
        return translateButtonUp(Message, KMouseEvent::RightButton);
    case WM_DEVICECHANGE:
        if ((Message.wParam == 0x7 || Message.wParam == 0x8000 || Message.wParam == 0x8004) && s_deviceChangeCallback)
            s_deviceChangeCallback();
        return nullptr;
    case WM_DROPFILES:
        return translateDrop(Message);
    case WM_DRAWCLIPBOARD:
        return translateClipboardChange(Message);
    case WM_CHANGECBCHAIN:
        followViewerChain(Message);
        return nullptr;
    case WM_USER + 0x63:
        callNativeHookWin32(Message.wParam, Message.lParam);
        return nullptr;
    case WM_APP:
        return translateReceivedCharacter(Message);
    default:
        return nullptr;
    }
}

// The nearest window up the native parent chain that is a known window, or null.
KWindow* findKnownAncestor(void* Native)
{
    for (HWND window = static_cast<HWND>(Native); window; window = GetParent(window)) {
        if (KWindow* known = findKnownWindow(window))
            return known;
    }
    return nullptr;
}

KEventReturn eraseBackground(const KNativeMessage& Message)
{
    KWindow* window = findKnownWindow(Message.window);
    if (!window)
        return 0;
    if (window->getStateFlags() & KWindow::ErasesBackgroundFlag) {
        RECT area{0, 0, window->getBounds().getWidth(), window->getBounds().getHeight()};
        HBRUSH background = CreateSolidBrush(window->getBackColor().getNativeColor());
        FillRect(reinterpret_cast<HDC>(static_cast<uintptr_t>(Message.wParam)), &area, background);
        DeleteObject(background);
    } else {
        KApplication* application = KApplication::getApplication();
        if (!application || !application->isActive())
            InvalidateRect(static_cast<HWND>(Message.window), nullptr, FALSE);
    }
    return 1;
}

// Framework windows keep the order of the window manager's list, below the separate
// menu-bar window (while it is shown) and the native common dialog.
void keepStacking(const KNativeMessage& Message)
{
    auto* position = reinterpret_cast<WINDOWPOS*>(Message.lParam);
    if (s_applicationActive != 1 || (position->flags & SWP_NOZORDER))
        return;
    const auto commonDialog = static_cast<HWND>(KEvent::getCommonDialogWindow());
    const auto menuBar = static_cast<HWND>(isMacStyleMenuBarShownWin32() ? getMacStyleMenuBarWindowWin32() : nullptr);
    const auto window = static_cast<HWND>(Message.window);
    KWindow* known = findKnownWindow(window);
    KWindowPtr above;
    const bool hasAbove = known && KWindowManager::get().findWindowAbove(*known, above);
    if (knsGetOSVersion() < 15) {
        if (!known)
            return;
        if (hasAbove)
            position->hwndInsertAfter = static_cast<HWND>(above->getNativeWindow());
        else if (!commonDialog)
            position->hwndInsertAfter = menuBar ? menuBar : HWND_TOP;
        return;
    }
    if (commonDialog && window == commonDialog) {
        position->hwndInsertAfter = HWND_TOP;
        return;
    }
    if (menuBar && window == menuBar) {
        position->hwndInsertAfter = commonDialog ? commonDialog : HWND_TOP;
        return;
    }
    if (!known)
        return;
    if (hasAbove)
        position->hwndInsertAfter = static_cast<HWND>(above->getNativeWindow());
    else if (menuBar)
        position->hwndInsertAfter = menuBar;
    else
        position->hwndInsertAfter = commonDialog ? commonDialog : HWND_TOP;
}

KEventReturn refuseUnless(const KNativeMessage& Message, uint32 AllowedFlag)
{
    KWindow* window = findKnownWindow(Message.window);
    if (!window)
        return 0;
    return (window->getStateFlags() & AllowedFlag) ? 0 : 1;
}
} // namespace

KEvent* dispatchNativeMessageWin32(const KNativeMessage& Message)
{
    KApplication* application = KApplication::getApplication();
    if (!application || application->getState() >= KApplication::Quit)
        return nullptr;
    KEvent* event = translate(Message);
    if (event)
        event->setTime(static_cast<long>(Message.time));
    return event;
}

KEventReturn processNativeMessageWin32(KNativeEvent& Event)
{
    const KNativeMessage* message = Event.getNativeMessage();
    if (!message || !findKnownAncestor(message->window))
        return 0;
    switch (message->message) {
    case WM_ERASEBKGND:
        return eraseBackground(*message);
    case WM_WINDOWPOSCHANGING:
        keepStacking(*message);
        return 0;
    case WM_SYSKEYDOWN:
        if (message->wParam != VK_F4)
            return 0;
        if (KApplication* application = KApplication::getApplication())
            application->quit();
        return 1;
    case WM_SIZING:
        return refuseUnless(*message, KWindow::ResizableFlag);
    case WM_MOVING:
        return refuseUnless(*message, KWindow::MovableFlag);
    case WM_MEASUREITEM:
        return measureMenuItemWin32(*message);
    case WM_DRAWITEM:
        return drawMenuItemWin32(*message);
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return processControlNotification(Event);
    default:
        return 0;
    }
}

uint16 translateVirtualKeyWin32(uint32 VirtualKey)
{
    if (VirtualKey >= VK_F1 && VirtualKey <= VK_F15)
        return static_cast<uint16>(0x100 + (VirtualKey - VK_F1));
    switch (VirtualKey) {
    case VK_UP:
        return 0x10F;
    case VK_DOWN:
        return 0x110;
    case VK_LEFT:
        return 0x111;
    case VK_RIGHT:
        return 0x112;
    case VK_HOME:
        return 0x113;
    case VK_END:
        return 0x114;
    case VK_PRIOR:
        return 0x115;
    case VK_NEXT:
        return 0x116;
    case VK_HELP:
        return 0x117;
    case VK_DELETE:
        return 0x118;
    case VK_BACK:
        return 0x119;
    case VK_TAB:
        return 0x11A;
    case VK_RETURN:
        return 0x11B;
    case VK_ESCAPE:
        return 0x11C;
    default:
        return 0;
    }
}

void setMouseButtonDownWin32(uint8 Left, uint8 Right)
{
    s_leftButtonDown = Left;
    s_rightButtonDown = Right;
}

void getMouseButtonDownWin32(uint8& Left, uint8& Right)
{
    Left = s_leftButtonDown;
    Right = s_rightButtonDown;
}

void setDeviceChangeCallbackWin32(KDeviceChangeCallback Callback) { s_deviceChangeCallback = Callback; }
void setNativeHookWin32(KNativeHook Hook) { s_nativeHook = Hook; }

void callNativeHookWin32(uint32 WParam, int32 LParam)
{
    if (s_nativeHook)
        s_nativeHook(WParam, LParam);
}
