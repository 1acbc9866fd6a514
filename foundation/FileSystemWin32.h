#pragma once
// The operating-system calls behind the file system's standard folders. Each gives the
// folder's Windows path text as the system answers it (with or without a trailing
// separator) and false when the system cannot supply it.
class KString;

// SHGetSpecialFolderPathA with its create flag set, so that a missing folder is made.
// Owner is the window that owns any user interface the shell shows, or null for none.
bool getSpecialFolderWin32(int Csidl, void* Owner, KString& Out);
bool getTemporaryFolderWin32(KString& Out);
bool getCurrentFolderWin32(KString& Out);

// The CSIDL values of the standard folders.
constexpr int kCsidlPersonal = 0x05;
constexpr int kCsidlMyMusic = 0x0d;
constexpr int kCsidlMyVideo = 0x0e;
constexpr int kCsidlDesktopDirectory = 0x10;
constexpr int kCsidlAppData = 0x1a;
constexpr int kCsidlCommonAppData = 0x23;
constexpr int kCsidlMyPictures = 0x27;
