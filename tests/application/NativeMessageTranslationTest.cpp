// The translation of native messages into framework events, driven by messages to real
// framework windows: key codes and modifiers, mouse buttons with their synthetic
// releases, dropped files, WM_APP texts, Alt+F4, activation and the sizing gate.
#include "application/KApplicationEvent.h"
#include "application/KKeyEvent.h"
#include "application/KNativeEvent.h"
#include "application/NativeMessageTranslationWin32.h"
#include "foundation/KDiskObjectReference.h"
#include "foundation/KVariable.h"
#include "tests/application/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <shlobj.h>

namespace {

struct Heard {
    std::vector<long> applicationEvents;
    std::vector<std::string> documents;
    std::vector<std::string> receivedTexts;
};

Heard& heard()
{
    static Heard h;
    return h;
}

class ListeningApplication : public KApplication {
public:
    KEventReturn activate(KApplicationEvent&) override { return note(KApplicationEvent::Activate); }
    KEventReturn deactivate(KApplicationEvent&) override { return note(KApplicationEvent::Deactivate); }
    KEventReturn openDocument(KApplicationEvent& E) override
    {
        auto& reference = static_cast<KDiskObjectReference&>(E.getObject());
        KString path;
        reference.getPath().getPathText(path, 2, 0);
        heard().documents.push_back(path.getText());
        return note(KApplicationEvent::OpenDocument);
    }
    KEventReturn receivedData(KApplicationEvent& E) override
    {
        heard().receivedTexts.push_back(E.getNamedVariable(KString("Received Data")).getString().getText());
        return note(KApplicationEvent::ReceivedData);
    }

private:
    KEventReturn note(long Kind)
    {
        heard().applicationEvents.push_back(Kind);
        return 1;
    }
};

class Translation : public ::testing::Test {
protected:
    void SetUp() override
    {
        setMouseButtonDownWin32(0, 0);
        window = new RecordingWindow;
        window->open(KWindow::OpenHidden);
        native = static_cast<HWND>(window->getNativeWindow());
        // Opening activates the window and perhaps the application.
        heard() = Heard();
        seenByWindows().clear();
    }

    // What the window procedure hands to the translator for this message.
    KEventPtr translate(UINT Message, WPARAM WParam, LPARAM LParam = 0) const
    {
        const KNativeMessage record{native, Message, static_cast<uint32>(WParam), static_cast<int32>(LParam), 0, 0, 0};
        return dispatchNativeMessageWin32(record);
    }

    // The key of the key event a message makes, or -1 when it makes none.
    long keyOf(UINT Message, WPARAM WParam) const
    {
        KEventPtr event = translate(Message, WParam);
        if (!event.hasObject(nullptr))
            return -1;
        EXPECT_TRUE(event->isEqualOrSubClass(*KKeyEvent::getClassRecord()));
        return static_cast<KKeyEvent&>(*event).getKey();
    }

    // "<button> <held>" of the window's mouse events from First to Last, excluded.
    std::string buttons(size_t First, size_t Last) const
    {
        std::string text;
        for (size_t i = First; i < Last && i < window->mouseEvents.size(); ++i)
            text += (i > First ? ", " : "") + std::to_string(window->mouseEvents[i]->getButton()) + " "
                    + std::to_string(window->mouseEvents[i]->getButtonHeld());
        return text;
    }

    WindowScope<ListeningApplication> scope;
    RecordingWindowPtr window;
    HWND native = nullptr;
};

TEST_F(Translation, SpecialKeysHaveTheFrameworkCodesAndCharactersComeOnlyAsCharacters)
{
    for (UINT key = VK_F1; key <= VK_F15; ++key)
        EXPECT_EQ(keyOf(WM_KEYDOWN, key), static_cast<long>(256 + key - VK_F1));
    const std::pair<UINT, long> table[] = {{VK_UP, 271},     {VK_DOWN, 272},   {VK_LEFT, 273},   {VK_RIGHT, 274},
                                           {VK_HOME, 275},   {VK_END, 276},    {VK_PRIOR, 277},  {VK_NEXT, 278},
                                           {VK_HELP, 279},   {VK_DELETE, 280}, {VK_BACK, 281},   {VK_TAB, 282},
                                           {VK_RETURN, 283}, {VK_ESCAPE, 284}};
    for (const auto& row : table)
        EXPECT_EQ(keyOf(WM_KEYDOWN, row.first), row.second) << row.first;
    // Letters, W among them, and Print Screen give no key press of their own: one press
    // of W is one key event, its character.
    for (WPARAM key : {WPARAM('A'), WPARAM('W'), WPARAM(VK_SNAPSHOT)})
        EXPECT_EQ(keyOf(WM_KEYDOWN, key), -1) << key;
    for (WPARAM character : {0x77, 0x41, 0xE9, 0x20})
        EXPECT_EQ(keyOf(WM_CHAR, character), long(character)) << character;
    for (WPARAM control : {0x08, 0x09, 0x0D, 0x1B, 0x1F})
        EXPECT_EQ(keyOf(WM_CHAR, control), -1) << control;
}

TEST_F(Translation, KeyEventsCarryTheModifierKeysHeldNow)
{
    holdKey(VK_SHIFT, true);
    holdKey(VK_CONTROL, true);
    KEventPtr both = translate(WM_KEYDOWN, VK_F1);
    holdKey(VK_CONTROL, false);
    KEventPtr shift = translate(WM_CHAR, 'x');
    holdKey(VK_SHIFT, false);
    KEventPtr none = translate(WM_KEYDOWN, VK_F2);
    EXPECT_EQ(static_cast<KKeyEvent&>(*both).getModifiers(), 0x3u);
    EXPECT_EQ(static_cast<KKeyEvent&>(*shift).getModifiers(), 0x1u);
    EXPECT_EQ(static_cast<KKeyEvent&>(*none).getModifiers() & 0x3u, 0u);
    EXPECT_EQ(both->getNativeMessage()->window, native);
}

TEST_F(Translation, AButtonReleasedElsewhereIsReleasedBeforeTheNextMoveOrPress)
{
    SendMessageA(native, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(10, 20));
    // The button came up outside the window: the next move no longer holds it.
    SendMessageA(native, WM_MOUSEMOVE, 0, MAKELPARAM(12, 22));
    EXPECT_EQ(seenByWindows(), (std::vector<std::string>{"window down", "window up", "window move"}));
    ASSERT_EQ(window->mouseEvents.size(), 3u);
    const KMouseEvent& down = *window->mouseEvents[0];
    EXPECT_EQ(down.getModifiers(), 0x1u);
    EXPECT_EQ(down.getLocalPosition(), KGraphicPoint(10, 20));
    EXPECT_EQ(down.getGlobalPosition(),
              KGraphicPoint(window->getBounds().getH() + 10, window->getBounds().getV() + 20));
    // Button and held button of the press, the release and the move.
    EXPECT_EQ(buttons(0, 3), "1 1, 1 0, 0 0");
    // A move with the button still held carries it.
    seenByWindows().clear();
    SendMessageA(native, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 1));
    SendMessageA(native, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(2, 2));
    // While the right button is down a left press is ignored, release check included.
    SendMessageA(native, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(native, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(seenByWindows(), (std::vector<std::string>{"window down", "window move", "window up", "window move"}));
    EXPECT_EQ(buttons(3, 7), "2 1, 2 1, 2 0, 0 0");
}

TEST_F(Translation, OnlyOneButtonIsTrackedAtATime)
{
    SendMessageA(native, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(native, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageA(native, WM_RBUTTONUP, MK_LBUTTON, MAKELPARAM(5, 5));
    uint8 left = 0, right = 0;
    getMouseButtonDownWin32(left, right);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(right, 0);
    SendMessageA(native, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(seenByWindows(), (std::vector<std::string>{"window down", "window up"}));
}

TEST_F(Translation, ADropOfThreeFilesOpensTheFirst)
{
    const char names[] = "C:\\stories\\first.tpd\0C:\\stories\\second.tpd\0C:\\third.tpd\0";
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + sizeof names);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names, sizeof names);
    GlobalUnlock(memory);

    SendMessageA(native, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(heard().applicationEvents, (std::vector<long>{KApplicationEvent::OpenDocument}));
    EXPECT_EQ(heard().documents, (std::vector<std::string>{"C:\\stories\\first.tpd"}));
}

TEST_F(Translation, WmAppCharactersBecomeOneReceivedText)
{
    const DWORD thread = GetCurrentThreadId();
    for (WPARAM character : {WPARAM('a'), WPARAM('b'), WPARAM(0), WPARAM(0)})
        PostThreadMessageA(thread, WM_APP, character, 0);
    RecordedWait wait;
    for (int step = 0; step < 4; ++step)
        scope->processIdleOnce();
    // The second 0 finds nothing pending and makes nothing.
    EXPECT_EQ(heard().receivedTexts, (std::vector<std::string>{"ab"}));
    EXPECT_EQ(heard().applicationEvents, (std::vector<long>{KApplicationEvent::ReceivedData}));
}

TEST_F(Translation, AltF4AsksTheApplicationToQuitAndLeavesTheWindowOpen)
{
    EXPECT_EQ(SendMessageA(native, WM_SYSKEYDOWN, VK_F4, 0x20000000), 0);
    EXPECT_TRUE(IsWindow(native));
    EXPECT_TRUE(window->isOpen());
    ASSERT_EQ(KApplicationEvent::getQueueCount(), 1);
    // Other system keys go on to the platform.
    KEventPtr other = translate(WM_SYSKEYDOWN, VK_F5);
    EXPECT_FALSE(other.hasObject(nullptr));
}

TEST_F(Translation, RepeatedActivityNoticesMakeOneApplicationEvent)
{
    SendMessageA(native, WM_ACTIVATEAPP, TRUE, 0);
    heard() = Heard();
    SendMessageA(native, WM_ACTIVATEAPP, FALSE, 0);
    SendMessageA(native, WM_ACTIVATEAPP, FALSE, 0);
    SendMessageA(native, WM_ACTIVATEAPP, TRUE, 0);
    SendMessageA(native, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(heard().applicationEvents,
              (std::vector<long>{KApplicationEvent::Deactivate, KApplicationEvent::Activate}));
}

TEST_F(Translation, SizingAndMovingAreRefusedToWindowsThatMayNot)
{
    RECT frame{0, 0, 100, 100};
    auto gate = [&](UINT Message) {
        KEventPtr event = translate(Message, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&frame));
        return KEvent::send(*event);
    };
    EXPECT_EQ(gate(WM_SIZING), 0);
    EXPECT_EQ(gate(WM_MOVING), 0);
    window->setResizable(false);
    EXPECT_EQ(gate(WM_SIZING), 1);
    EXPECT_EQ(gate(WM_MOVING), 0);
}

TEST_F(Translation, NothingIsMadeOnceTheApplicationHasQuitOrForWindowsNobodyKnows)
{
    HWND stranger = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const KNativeMessage paint{stranger, WM_PAINT, 0, 0, 0, 0, 0};
    EXPECT_EQ(dispatchNativeMessageWin32(paint), nullptr);
    DestroyWindow(stranger);
    KEventPtr close = translate(WM_CLOSE, 0);
    EXPECT_TRUE(close.hasObject(nullptr));
    window->close();
    close = translate(WM_CLOSE, 0);
    EXPECT_FALSE(close.hasObject(nullptr));
}

} // namespace
