#include "multimedia/MediaContainerWin32.h"

#include <windows.h>

MediaContainer::Kind identifyMediaFileWin32(const wchar_t* Path)
{
    HANDLE file = CreateFileW(Path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return MediaContainer::Broken;
    const MediaContainer::Kind kind = MediaContainer::identify([file](uint64_t Offset, uint8* Into, size_t Size) -> size_t {
        LARGE_INTEGER position;
        position.QuadPart = static_cast<LONGLONG>(Offset);
        DWORD read = 0;
        if (!SetFilePointerEx(file, position, nullptr, FILE_BEGIN)
            || !ReadFile(file, Into, static_cast<DWORD>(Size), &read, nullptr))
            return 0;
        return read;
    });
    CloseHandle(file);
    return kind;
}
