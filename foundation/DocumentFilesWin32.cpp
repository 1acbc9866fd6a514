#include "foundation/DocumentFilesWin32.h"

#include "foundation/KString.h"

#include <windows.h>

bool makeTemporaryFileWin32(const char* Folder, KString& Out)
{
    char name[MAX_PATH] = {};
    if (GetTempFileNameA(Folder, "kdc", 0, name) == 0)
        return false;
    Out = name;
    return true;
}

bool replaceFileWin32(const char* From, const char* To)
{
    return MoveFileExA(From, To, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
