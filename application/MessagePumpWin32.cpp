#include "application/MessagePumpWin32.h"

#include "application/InputWin32.h"
#include "application/KApplication.h"
#include "application/KApplicationEvent.h"
#include "application/KCursorManager.h"
#include "application/KMenuManager.h"
#include "application/KTimerManager.h"
#include "application/MacStyleMenuBarWin32.h"
#include "application/MailslotWin32.h"
#include "application/NativeMenusWin32.h"
#include "application/NativeMessageTranslationWin32.h"
#include "foundation/KString.h"
#include "foundation/KVariable.h"
#include "foundation/OperatingSystemWin32.h"

#include <cstring>

#include <windows.h>
#include <mmsystem.h>

namespace {
KNativeWait s_wait = nullptr;

// The wake-up, configured on its first use for the life of the process.
struct WakeTimer {
    bool firstUse = true;
    bool multimedia = false;
    UINT resolution = 1;
    // The pending one-shot multimedia event, and the thread timer used when there is no
    // main window to carry a window timer.
    volatile UINT pendingEvent = 0;
    UINT_PTR threadTimer = 0;
    // Where the multimedia timer's thread posts the wake-up.
    volatile HWND window = nullptr;
    DWORD thread = 0;
};
WakeTimer s_wake;

// Below this resolution the multimedia timer wakes the loop; at or above it, a window
// timer is as good.
constexpr UINT kMultimediaResolutionLimit = 5;
constexpr UINT_PTR kWakeTimerID = 1;

HWND mainNativeWindow()
{
    KApplication* application = KApplication::getApplication();
    if (!application || !application->hasMainWindow())
        return nullptr;
    return static_cast<HWND>(application->getMainWindow().getNativeWindow());
}

KNativeMessage recordOf(const MSG& M)
{
    KNativeMessage record;
    static_assert(sizeof record == sizeof M, "the record has the layout of MSG");
    std::memcpy(&record, &M, sizeof record);
    return record;
}

void CALLBACK kksWakeTimerProc(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR)
{
    // Runs on the multimedia timer's thread: it only wakes the GUI thread.
    s_wake.pendingEvent = 0;
    if (HWND window = s_wake.window)
        PostMessageA(window, WM_NULL, 0, 0);
    else
        PostThreadMessageA(s_wake.thread, WM_NULL, 0, 0);
}

void configureWakeTimer()
{
    s_wake.firstUse = false;
    s_wake.thread = GetCurrentThreadId();
    TIMECAPS capabilities{};
    if (timeGetDevCaps(&capabilities, sizeof capabilities) != TIMERR_NOERROR) {
        // Without a wake-up the loop must not wait while timers run.
        KApplication* application = KApplication::getApplication();
        if (application && KTimerManager::exists())
            application->addIdleHandler(KTimerManager::getManager());
        return;
    }
    s_wake.resolution = kksChooseWakeResolution(capabilities.wPeriodMin, capabilities.wPeriodMax);
    if (s_wake.resolution < kMultimediaResolutionLimit) {
        s_wake.multimedia = true;
        timeBeginPeriod(s_wake.resolution);
    }
}

void cancelWakeTimer()
{
    if (UINT pending = s_wake.pendingEvent) {
        timeKillEvent(pending);
        s_wake.pendingEvent = 0;
    }
    if (s_wake.threadTimer) {
        KillTimer(nullptr, s_wake.threadTimer);
        s_wake.threadTimer = 0;
    }
    if (HWND window = s_wake.window)
        KillTimer(window, kWakeTimerID);
}

bool waitForMessage(KNativeMessage& Out, uint32 TimeOut)
{
    kksSetWakeTimer(TimeOut);
    MSG message{};
    // -1 is a failed call that leaves the record undefined: no message was taken.
    if (GetMessageA(&message, nullptr, 0, 0) == -1)
        return false;
    Out = recordOf(message);
    return true;
}

void postReceivedData(const KString& Text)
{
    KApplicationEventPtr received = new KApplicationEvent;
    if (!received.hasObject(nullptr))
        return;
    received->setType(KApplicationEvent::ReceivedData);
    received->addVariable("Received Data", KVariable(Text));
    KApplicationEvent::post(*received);
}

// The window that shows the menu bar receives the commands of its shortcuts.
HWND acceleratorTarget()
{
    if (KMenuManager::exists() && !KMenuManager::getMenuManager().hasWindowMenuBars())
        return static_cast<HWND>(getMacStyleMenuBarWindowWin32());
    return mainNativeWindow();
}

void handleMessage(MSG& Message, bool& Running)
{
    buildAcceleratorTableWin32();
    bool translated = false;
    if (hasAcceleratorTableWin32())
        translated = TranslateAcceleratorA(acceleratorTarget(), static_cast<HACCEL>(getAcceleratorTableWin32()),
                                           &Message) != 0;
    if (!translated)
        TranslateMessage(&Message);
    if (Message.message == WM_APP) {
        if (KEvent* event = kksDispatchNativeMessage(recordOf(Message))) {
            KEventPtr made = event;
            KApplicationEvent::post(*made);
        }
    }
    if (!translated && Message.message != WM_NULL)
        DispatchMessageA(&Message);
    if (Message.message == WM_QUIT) {
        knsSetExitCode(static_cast<long>(Message.wParam));
        Running = false;
    }
}
} // namespace

void kksSetNativeWait(KNativeWait Wait) { s_wait = Wait; }

void kksGetNativeEvent(bool MayBlock, bool& Running, uint32 TimeOut)
{
    MSG message{};
    bool taken = false;
    if (MayBlock) {
        KNativeMessage record{};
        taken = s_wait ? s_wait(record, TimeOut) : waitForMessage(record, TimeOut);
        if (taken)
            std::memcpy(&message, &record, sizeof message);
    } else {
        taken = PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE;
    }
    if (taken)
        handleMessage(message, Running);

    // Enter and leave follow the cursor wherever it went during the step.
    short h = 0, v = 0;
    if (KCursorManager::exists() && getCursorScreenPositionWin32(h, v))
        KCursorManager::get().trackMouse(KGraphicPoint(h, v));

    // One mailslot message per step.
    if (hasMailslotMessageWin32()) {
        const KString text = readMailslotMessageWin32();
        if (!text.isEmpty())
            postReceivedData(text);
    }
}

KEvent* kksDispatchNativeMessage(const KNativeMessage& Message) { return dispatchNativeMessageWin32(Message); }

uint32 kksChooseWakeResolution(uint32 MinPeriod, uint32 MaxPeriod)
{
    uint32 resolution = MinPeriod > 1 ? MinPeriod : 1;
    if (resolution > MaxPeriod)
        resolution = MaxPeriod;
    return resolution;
}

bool kksSetWakeTimer(uint32 TimeOut)
{
    if (s_wake.firstUse)
        configureWakeTimer();
    s_wake.window = mainNativeWindow();
    // Nothing to wake for: the wait lasts until a message comes.
    if (TimeOut == 0) {
        cancelWakeTimer();
        return false;
    }
    if (s_wake.multimedia) {
        cancelWakeTimer();
        return kksStartWakeTimer(TimeOut);
    }
    if (HWND window = s_wake.window)
        return SetTimer(window, kWakeTimerID, TimeOut, nullptr) != 0;
    s_wake.threadTimer = SetTimer(nullptr, s_wake.threadTimer, TimeOut, nullptr);
    return s_wake.threadTimer != 0;
}

bool kksStartWakeTimer(uint32 TimeOut)
{
    s_wake.pendingEvent = timeSetEvent(TimeOut, s_wake.resolution, &kksWakeTimerProc, 0, TIME_ONESHOT);
    return s_wake.pendingEvent != 0;
}

void kksPostQuitMessage(int Code) { PostQuitMessage(Code); }
