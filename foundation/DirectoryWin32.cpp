#include "foundation/DirectoryWin32.h"

#include <cstring>

#include <windows.h>

bool listDirectoryWin32(const char* Pattern, std::vector<DirectoryEntryWin32>& Entries)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0)
            continue;
        Entries.push_back({found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
}

bool createDirectoryWin32(const char* Path)
{
    return CreateDirectoryA(Path, nullptr) != 0;
}

bool removeDirectoryWin32(const char* Path)
{
    return RemoveDirectoryA(Path) != 0;
}
