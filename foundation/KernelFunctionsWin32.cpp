// The kernel functions that call the operating system.
#include "foundation/KernelFunctions.h"

#include "foundation/ApplicationLink.h"
#include "foundation/DisplayModesWin32.h"
#include "foundation/ErrorTable.h"
#include "foundation/KStringBag.h"
#include "foundation/OperatingSystemWin32.h"

#include <cstdlib>

#include <windows.h>
#include <mmsystem.h>

namespace {
KMessageBoxPresenter s_presenter = nullptr;
KTickSource s_tickSource = nullptr;
void* s_scratch = nullptr;

constexpr unsigned kBoxFlags = MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST;
} // namespace

void knsEnterKernel()
{
    knsInitOS();
    kksBuildErrorTable();
    if (!knsCanRun())
        kksReportError(94, "void knsEnterKernel()");
    knsSetWindowManagerClassName("KWindowManager");
}

void knsExitKernel()
{
    kksDisposeErrorTable();
    knsExitOS();
}

uint8 knsGetOSVersion()
{
    OSVERSIONINFOEXA extended{};
    extended.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    OSVERSIONINFOA* info = reinterpret_cast<OSVERSIONINFOA*>(&extended);
    if (!GetVersionExA(info)) {
        info->dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(info))
            return 21;
    }
    return knsClassifyOSVersion(info->dwPlatformId, info->dwMajorVersion, info->dwMinorVersion);
}

uint16 knsRandom(uint16 Min, uint16 Max)
{
    return knsScaleRandom(Min, Max, std::rand());
}

uint32 knsGetTicks()
{
    return s_tickSource ? s_tickSource() : timeGetTime();
}

void knsSetTickSource(KTickSource Source) { s_tickSource = Source; }

void* knsAllocGlobal(unsigned long Size, bool ZeroFill)
{
    return reinterpret_cast<void*>(GlobalAlloc(ZeroFill ? GPTR : GMEM_FIXED, Size));
}

void knsFreeGlobal(void* P)
{
    GlobalFree(reinterpret_cast<HGLOBAL>(P));
}

void knsAllocScratch()
{
    if (!s_scratch)
        s_scratch = knsAllocGlobal(1024, false);
}

void knsFreeScratch()
{
    if (s_scratch) {
        knsFreeGlobal(s_scratch);
        s_scratch = nullptr;
    }
}

void knsSetMessageBoxPresenter(KMessageBoxPresenter Presenter) { s_presenter = Presenter; }

int knsPresentMessageBox(const char* Caption, const char* Text, unsigned Flags, void* Owner)
{
    if (s_presenter)
        return s_presenter(Caption, Text, Flags);
    return MessageBoxA(static_cast<HWND>(Owner), Text, Caption, Flags);
}

void knsMessageBox(const char* Caption, const char* Text)
{
    knsPresentMessageBox(Caption, Text, MB_OK | MB_ICONASTERISK | kBoxFlags);
}

uint8 knsQuestionBox(const char* Caption, const char* Text)
{
    return knsPresentMessageBox(Caption, Text, MB_YESNO | MB_ICONQUESTION | kBoxFlags) == IDYES ? 2 : 3;
}

void knsNotYetImplemented(const char* What)
{
    knsMessageBox("Not Yet Implemented!", What);
}

void knsBeep() { MessageBeep(MB_ICONHAND); }

bool knsIsKeyDown(uint8 Code)
{
    int key = knsVirtualKeyOfKeyCode(Code);
    return key != 0 && (GetAsyncKeyState(key) & 0x8000) != 0;
}

bool knsIsShiftDown() { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }
bool knsIsControlDown() { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

bool knsIsMouseButtonDown()
{
    return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0 || (GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0;
}

void knsSetNativeCursor(uint8 Shape)
{
    static const LPCSTR cursors[] = {IDC_ARROW, IDC_WAIT, IDC_IBEAM, IDC_CROSS, IDC_APPSTARTING,
                                     IDC_HELP, IDC_NO, IDC_SIZENS, IDC_SIZEWE, IDC_SIZEALL};
    if (Shape < sizeof cursors / sizeof cursors[0])
        SetCursor(LoadCursorA(nullptr, cursors[Shape]));
}

unsigned long knsGetDoubleClickTime() { return GetDoubleClickTime(); }
long knsGetDoubleClickWidth() { return GetSystemMetrics(SM_CXDOUBLECLK); }
long knsGetDoubleClickHeight() { return GetSystemMetrics(SM_CYDOUBLECLK); }

long knsGetScreenWidth()
{
    long width = 0, height = 0, depth = 0;
    getScreenInfoWin32(&width, &height, &depth);
    return width;
}

long knsGetScreenHeight()
{
    long width = 0, height = 0, depth = 0;
    getScreenInfoWin32(&width, &height, &depth);
    return height;
}

long knsGetScreenDepth()
{
    long width = 0, height = 0, depth = 0;
    getScreenInfoWin32(&width, &height, &depth);
    return depth;
}

void knsRestoreScreenSettings() { restoreDisplayModeWin32(); }

bool knsChangeScreenSettings(short Width, short Height, short Depth)
{
    ApplicationLink* link = ApplicationLink::get();
    if (!link || !link->hasMainWindow()) {
        kksReportError(9, "knsChangeScreenSettings");
        return false;
    }
    if (knsGetScreenWidth() == Width && knsGetScreenHeight() == Height && knsGetScreenDepth() == Depth)
        return true;
    return changeDisplayModeWin32(Width, Height, Depth);
}

namespace {
int CALLBACK collectFontName(const LOGFONTA* Font, const TEXTMETRICA*, DWORD, LPARAM Names)
{
    KStringBag& names = *reinterpret_cast<KStringBag*>(Names);
    const KString name(Font->lfFaceName);
    if (!names.contains(name))
        names.add(name);
    return 1;
}
} // namespace

KStringBag knsGetFontNames()
{
    KStringBag names;
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (display) {
        LOGFONTA wanted{};
        wanted.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExA(display, &wanted, &collectFontName, reinterpret_cast<LPARAM>(&names), 0);
        DeleteDC(display);
    }
    names.sort();
    return names;
}

void knsDestroyNativeWindow(void* Handle)
{
    DestroyWindow(static_cast<HWND>(Handle));
}
