// The binding of controls to their native windows: every message reaches the control
// first, a consumed one never reaches the native class, notifications reach the control
// that sent them, frames are measured from the nearest native ancestor, and unbinding
// leaves the native class alone with the destruction.
#include "application/NativeMessageTranslationWin32.h"
#include "tests/controls/ControlTestSupport.h"

#include <gtest/gtest.h>

namespace {

// The messages the probes note, by name.
const char* nameOf(UINT Message)
{
    switch (Message) {
    case WM_SETFOCUS: return "focus";
    case WM_COMMAND: return "command";
    case WM_DESTROY: return "destroy";
    case WM_USER: return "user";
    default: return nullptr;
    }
}

// The native class of the probe: it notes what reaches it.
LRESULT CALLBACK probeClassProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    if (const char* name = nameOf(Message))
        note(std::string("native ") + name);
    return DefWindowProcA(Window, Message, WParam, LParam);
}

const char* probeClass()
{
    static const bool registered = [] {
        WNDCLASSA probe{};
        probe.lpfnWndProc = &probeClassProc;
        probe.hInstance = GetModuleHandleA(nullptr);
        probe.lpszClassName = "ProbeControlClass";
        return RegisterClassA(&probe) != 0;
    }();
    return registered ? "ProbeControlClass" : "STATIC";
}

// A control on the probe class that notes the messages it handles; it consumes them when
// told to. One without a window of its own makes none.
class ProbeControl : public KControl {
public:
    explicit ProbeControl(bool OwnWindow = true) : m_ownWindow(OwnWindow) {}
    void createNativeControl() override
    {
        if (m_ownWindow)
            makeNativeWindow(probeClass(), "", 0);
    }
    bool handleNativeEvent(KNativeEvent& Event) override
    {
        if (const char* name = nameOf(Event.getNativeMessage()->message))
            note(std::string("control ") + name);
        if (consume)
            Event.setResult(1);
        return KControl::handleNativeEvent(Event) || answer;
    }

    bool consume = false;
    bool answer = false;

private:
    bool m_ownWindow;
};
K_POINTER_CLASS(ProbeControl, KControlPtr);

class NativeControlBinding : public ::testing::Test {
protected:
    NativeControlBinding()
    {
        probe->setBounds(KGraphicRectangle(4, 6, 30, 20));
        scope.window->addElement(*probe);
        interactionLog().clear();
    }

    ControlScope scope;
    ProbeControlPtr probe = new ProbeControl;
};

TEST_F(NativeControlBinding, EveryMessageReachesTheControlFirstUnlessItConsumesIt)
{
    const HWND native = nativeOf(*probe);
    ASSERT_TRUE(native);
    EXPECT_EQ(getNativeHandleWin32(*probe), native);

    SendMessageA(native, WM_USER, 0, 0);
    probe->consume = true;
    SendMessageA(native, WM_USER, 0, 0);
    probe->consume = false;
    // A control that takes no focus keeps the native focus away.
    probe->clearStateFlags(KInteractiveElement::AcceptsFocusFlag);
    SendMessageA(native, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(interactionLog(), (Log{"control user", "native user", "control user", "control focus"}));
    // The destruction reaches only the native class.
    interactionLog().clear();
    scope.window->removeControl(*probe);
    EXPECT_EQ(interactionLog(), (Log{"native destroy"}));
    EXPECT_FALSE(IsWindow(native));
}

TEST_F(NativeControlBinding, NotificationsReachTheControlThatSentThem)
{
    ProbeControlPtr holder = new ProbeControl, sender = new ProbeControl;
    holder->setBounds(KGraphicRectangle(50, 50, 100, 100));
    holder->addControl(*sender);
    scope.window->addElement(*holder);
    interactionLog().clear();
    // Sent to the holder's window, answered by the sender's control.
    SendMessageA(nativeOf(*holder), WM_COMMAND, 0, reinterpret_cast<LPARAM>(nativeOf(*sender)));
    EXPECT_EQ(interactionLog(), (Log{"control command", "native command"}));
    EXPECT_EQ(findControlForNativeWindowWin32(nativeOf(*sender)), sender.get());
    EXPECT_EQ(findControlForNativeWindowWin32(scope.window->getNativeWindow()), nullptr);
    // A framework window's command from a control becomes a native event that the
    // control answers; one from a stranger becomes nothing.
    const KNativeMessage command{scope.window->getNativeWindow(), WM_COMMAND, 0,
                                 static_cast<int32>(reinterpret_cast<intptr_t>(nativeOf(*probe))), 0, 0, 0};
    KEventPtr event = dispatchNativeMessageWin32(command);
    ASSERT_TRUE(event.hasObject(nullptr));
    interactionLog().clear();
    probe->answer = true;
    EXPECT_EQ(KEvent::send(*event), 1);
    EXPECT_EQ(interactionLog(), (Log{"control command"}));
    const KNativeMessage stranger{scope.window->getNativeWindow(), WM_COMMAND, 0,
                                  static_cast<int32>(reinterpret_cast<intptr_t>(GetDesktopWindow())), 0, 0, 0};
    EXPECT_EQ(KEventPtr(dispatchNativeMessageWin32(stranger)).get(), nullptr);
}

TEST_F(NativeControlBinding, FramesAreMeasuredFromTheNearestNativeAncestor)
{
    ProbeControlPtr outer = new ProbeControl(false), middle = new ProbeControl(false), inner = new ProbeControl;
    outer->setBounds(KGraphicRectangle(100, 10, 200, 200));
    middle->setBounds(KGraphicRectangle(20, 30, 100, 100));
    inner->setBounds(KGraphicRectangle(1, 2, 10, 10));
    middle->addControl(*inner);
    outer->addControl(*middle);
    scope.window->addElement(*outer);
    short x = 0, y = 0, width = 0, height = 0;
    EXPECT_EQ(getNativeControlFrameWin32(*inner, x, y, width, height), scope.window->getNativeWindow());
    EXPECT_EQ(std::vector<short>({x, y, width, height}), std::vector<short>({121, 42, 10, 10}));
    // Moved, it stays measured from the same ancestor.
    inner->setPosition(KGraphicPoint(5, 5));
    POINT origin{0, 0};
    MapWindowPoints(nativeOf(*inner), static_cast<HWND>(scope.window->getNativeWindow()), &origin, 1);
    EXPECT_EQ(std::make_pair(origin.x, origin.y), std::make_pair(125L, 45L));
}

} // namespace
