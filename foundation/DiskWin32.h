#pragma once
// The operating-system calls behind files and disk-object references. Paths are Windows
// path texts; a handle is the native file handle, null when there is none. Failures
// answer false (or null, or −1) and leave the system's error number for
// lastDiskErrorWin32, which file objects map onto the framework's codes.
#include "foundation/KTypes.h"

class KString;

// Creates (or truncates) a file for reading and writing, unshared.
void* createFileWin32(const char* Path);
// Opens an existing file unshared, for reading and writing or for reading only.
void* openFileWin32(const char* Path, bool ReadOnly);
bool closeFileWin32(void* Handle);
// The bytes moved; −1 when the call itself failed.
long readFileWin32(void* Handle, void* Buffer, long Size);
long writeFileWin32(void* Handle, const void* Buffer, long Size);
bool setFilePositionWin32(void* Handle, long Position);
long getFilePositionWin32(void* Handle);
long getFileSizeWin32(void* Handle);
int16 lastDiskErrorWin32();

// Whether the system finds an entry (a file or a folder) of that path. "?" and "*" are
// part of the name, not wildcards.
bool findEntryWin32(const char* Path);
// Whether a drive letter is among the logical drives, matched exactly (so "c" is not "C").
bool isLogicalDriveWin32(char Letter);
bool deleteFileWin32(const char* Path);
bool moveFileWin32(const char* From, const char* To);
// Replaces an existing target.
bool copyFileWin32(const char* From, const char* To);

// The folder of the program file, as a Windows path text ending with "\"; the current
// directory when the program's module cannot be found. Asked once.
const KString& getProgramFolderWin32();
