#include "foundation/DiskWin32.h"

#include "foundation/KString.h"

#include <cstring>

#include <windows.h>
#include <tlhelp32.h>

namespace {
HANDLE nativeHandle(void* Handle)
{
    return static_cast<HANDLE>(Handle);
}

void* handleOrNull(HANDLE Handle)
{
    return Handle == INVALID_HANDLE_VALUE ? nullptr : Handle;
}

void appendSeparator(KString& Text)
{
    if (Text.getLength() > 0 && Text.getCharAt(Text.getLength() - 1) != '\\')
        Text.append('\\');
}
} // namespace

void* createFileWin32(const char* Path)
{
    return handleOrNull(CreateFileA(Path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

void* openFileWin32(const char* Path, bool ReadOnly)
{
    const DWORD access = ReadOnly ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    return handleOrNull(CreateFileA(Path, access, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool closeFileWin32(void* Handle)
{
    return CloseHandle(nativeHandle(Handle)) != 0;
}

long readFileWin32(void* Handle, void* Buffer, long Size)
{
    DWORD done = 0;
    if (!ReadFile(nativeHandle(Handle), Buffer, static_cast<DWORD>(Size), &done, nullptr))
        return -1;
    return static_cast<long>(done);
}

long writeFileWin32(void* Handle, const void* Buffer, long Size)
{
    DWORD done = 0;
    if (!WriteFile(nativeHandle(Handle), Buffer, static_cast<DWORD>(Size), &done, nullptr))
        return -1;
    return static_cast<long>(done);
}

bool setFilePositionWin32(void* Handle, long Position)
{
    SetLastError(NO_ERROR);
    const DWORD result = SetFilePointer(nativeHandle(Handle), Position, nullptr, FILE_BEGIN);
    return !(result == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

long getFilePositionWin32(void* Handle)
{
    SetLastError(NO_ERROR);
    const DWORD result = SetFilePointer(nativeHandle(Handle), 0, nullptr, FILE_CURRENT);
    if (result == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return -1;
    return static_cast<long>(result);
}

long getFileSizeWin32(void* Handle)
{
    const DWORD size = GetFileSize(nativeHandle(Handle), nullptr);
    if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return -1;
    return static_cast<long>(size);
}

int16 lastDiskErrorWin32()
{
    return static_cast<int16>(GetLastError());
}

bool findEntryWin32(const char* Path)
{
    // One attribute query answers what a directory search would, at a fraction of its
    // cost (a story asks it of every picture and sound it opens), and takes no wildcards.
    if (GetFileAttributesA(Path) != INVALID_FILE_ATTRIBUTES)
        return true;
    // An entry that the system holds open for itself refuses its attributes, but it is
    // there: a search sees it.
    if (GetLastError() != ERROR_SHARING_VIOLATION || std::strpbrk(Path, "?*"))
        return false;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

bool isLogicalDriveWin32(char Letter)
{
    char drives[129] = {};
    GetLogicalDriveStringsA(128, drives);
    // Each drive is "X:\" and a NUL.
    for (int i = 0; i + 3 < 128 && drives[i]; i += 4) {
        if (drives[i] == Letter)
            return true;
    }
    return false;
}

bool deleteFileWin32(const char* Path)
{
    return DeleteFileA(Path) != 0;
}

bool moveFileWin32(const char* From, const char* To)
{
    return MoveFileA(From, To) != 0;
}

bool copyFileWin32(const char* From, const char* To)
{
    return CopyFileA(From, To, FALSE) != 0;
}

const KString& getProgramFolderWin32()
{
    static KString folder;
    static bool known = false;
    if (known)
        return folder;
    known = true;

    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
        MODULEENTRY32 module{};
        module.dwSize = sizeof module;
        if (Module32First(snapshot, &module)) {
            KString path(module.szExePath);
            const long separator = path.find("\\", path.getLength() - 1, true);
            folder = path.getLeft(separator + 1);
        }
        CloseHandle(snapshot);
    }
    if (folder.getLength() == 0) {
        char current[MAX_PATH + 1] = {};
        GetCurrentDirectoryA(sizeof current, current);
        folder = current;
        appendSeparator(folder);
    }
    return folder;
}
