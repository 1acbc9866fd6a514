// The process entry. It is linked into the program only (the program's link asks for
// WinMain by name); test programs have their own main.
#include "application/ApplicationStart.h"
#include "foundation/OperatingSystemWin32.h"

#include <windows.h>

namespace {
// The application icon of every window class.
constexpr long kIconResourceID = 256;
} // namespace

int WINAPI WinMain(HINSTANCE Instance, HINSTANCE PreviousInstance, LPSTR CommandLine, int ShowCommand)
{
    knsSetProcessInfo(Instance, PreviousInstance, CommandLine, ShowCommand, kIconResourceID);
    return kksRunProgram(&programMain);
}
