// The process entry of the program, which owns it: test programs and tools built on the
// same libraries have entries of their own. It stores what the process was started with
// and runs the player's main function between entering and leaving the framework's kernel.
#include "application/ApplicationStart.h"
#include "foundation/OperatingSystemWin32.h"
#include "player/ProgramMain.h"

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
