#include "foundation/OperatingSystemWin32.h"

#include "foundation/ErrorTable.h"
#include "foundation/KBag.h"
#include "foundation/KString.h"
#include "foundation/KernelFunctions.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

namespace {
struct ProcessInfo {
    HINSTANCE instance = nullptr;
    HINSTANCE previousInstance = nullptr;
    const char* commandLine = "";
    int showCommand = 0;
    long iconResourceID = 0;
    long exitCode = 0;
};
ProcessInfo s_process;

std::string s_windowManagerClassName;
HMODULE s_richEdit = nullptr;
KWindowClassesProcedure s_registerWindowClasses = nullptr;
KWindowClassesProcedure s_unregisterWindowClasses = nullptr;


// Every class group of the common controls except the internet address control.
constexpr DWORD kCommonControlClasses = 0x6FF;
} // namespace

void knsSetProcessInfo(void* Instance, void* PreviousInstance, const char* CommandLine, int ShowCommand,
                       long IconResourceID)
{
    s_process.instance = static_cast<HINSTANCE>(Instance);
    s_process.previousInstance = static_cast<HINSTANCE>(PreviousInstance);
    s_process.commandLine = CommandLine ? CommandLine : "";
    s_process.showCommand = ShowCommand;
    s_process.iconResourceID = IconResourceID;
}

void* knsGetInstance()
{
    // Before the entry has stored it (in test programs) the module itself is the instance.
    return s_process.instance ? s_process.instance : GetModuleHandleA(nullptr);
}

void* knsGetPreviousInstance() { return s_process.previousInstance; }
const char* knsGetCommandLine() { return s_process.commandLine; }
KString knsGetCommandLineString() { return KString(s_process.commandLine); }
int knsGetShowCommand() { return s_process.showCommand; }
long knsGetIconResourceID() { return s_process.iconResourceID; }
void knsSetExitCode(long Code) { s_process.exitCode = Code; }
long knsGetExitCode() { return s_process.exitCode; }

void knsInitOS()
{
    knsSetNativeCursor(0);
    if (FAILED(CoInitialize(nullptr)))
        knsFatalError("knsInitOS", "CoInitialize error");
    if (FAILED(OleInitialize(nullptr)))
        knsFatalError("knsInitOS", "OleInitialize error");
    if (s_registerWindowClasses)
        s_registerWindowClasses();
    if (!knsInitCommonControls())
        knsFatalError("knsInitOS", "InitCommonControls error");
    knsAllocScratch();
}

void knsExitOS()
{
    knsFreeScratch();
    knsRestoreScreenSettings();
    knsFreeRichEdit();
    if (s_unregisterWindowClasses)
        s_unregisterWindowClasses();
    OleUninitialize();
    CoUninitialize();
}

void knsSetWindowClassProcedures(KWindowClassesProcedure Register, KWindowClassesProcedure Unregister)
{
    s_registerWindowClasses = Register;
    s_unregisterWindowClasses = Unregister;
}

bool knsInitCommonControls()
{
    // The rich edit controls are created at any time while the program runs, so their
    // library is loaded once here, before the common controls.
    if (!s_richEdit)
        s_richEdit = LoadLibraryA("RICHED20.DLL");
    if (!s_richEdit)
        return false;
    INITCOMMONCONTROLSEX controls{8, kCommonControlClasses};
    return InitCommonControlsEx(&controls) != FALSE;
}

void knsFreeRichEdit()
{
    if (s_richEdit) {
        FreeLibrary(s_richEdit);
        s_richEdit = nullptr;
    }
}

bool knsHasRichEdit() { return s_richEdit != nullptr; }

int knsDebugPrint(const char* Format, ...)
{
    char buffer[512];
    va_list arguments;
    va_start(arguments, Format);
    int length = std::vsnprintf(buffer, sizeof buffer, Format, arguments);
    va_end(arguments);
    if (length < 0)
        return 0;
    if (length >= static_cast<int>(sizeof buffer))
        length = sizeof buffer - 1;
    OutputDebugStringA(buffer);
    return length;
}

void knsSetWindowManagerClassName(const char* Name) { s_windowManagerClassName = Name ? Name : ""; }
const char* knsGetWindowManagerClassName() { return s_windowManagerClassName.c_str(); }

