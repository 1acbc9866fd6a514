#pragma once
// The operating-system calls behind directories. Paths are Windows path texts; failures
// answer false (or an empty listing) and are not reported.
#include <string>
#include <vector>

struct DirectoryEntryWin32 {
    std::string name;
    bool isDirectory;
};

// The entries that match a search pattern such as "C:\Data\*.*", in the order the system
// lists them, "." and ".." left out; hidden and system entries are listed too. False when
// the search could not start.
bool listDirectoryWin32(const char* Pattern, std::vector<DirectoryEntryWin32>& Entries);
// Creates the last level only; missing parents are not made.
bool createDirectoryWin32(const char* Path);
// Removes an empty directory.
bool removeDirectoryWin32(const char* Path);
