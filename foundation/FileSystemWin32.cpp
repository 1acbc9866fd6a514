#include "foundation/FileSystemWin32.h"

#include "foundation/KString.h"

#include <windows.h>
#include <shlobj.h>

bool getSpecialFolderWin32(int Csidl, void* Owner, KString& Out)
{
    char buffer[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(static_cast<HWND>(Owner), buffer, Csidl, TRUE))
        return false;
    Out = buffer;
    return true;
}

bool getTemporaryFolderWin32(KString& Out)
{
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH, buffer);
    if (length == 0 || length > MAX_PATH)
        return false;
    Out = buffer;
    return true;
}

bool getCurrentFolderWin32(KString& Out)
{
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer)
        return false;
    Out = buffer;
    return true;
}
