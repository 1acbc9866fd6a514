#include "multimedia/movie/QuickTimeLibraryWin32.h"

#include <cstdio>
#include <vector>

#include <windows.h>

namespace {
constexpr const char* kLibraryName = "QuickTime.qts";
constexpr const char* kInstallationKey = "Software\\Apple Computer, Inc.\\QuickTime";

// Held while a start or an end is counted. The name carries the process ID: the count
// is the process's, and so is the library it guards.
class StartEndLock {
public:
    StartEndLock()
    {
        char name[64];
        std::snprintf(name, sizeof name, "QTMLInitTermMutex%lx", GetCurrentProcessId());
        m_mutex = CreateMutexA(nullptr, FALSE, name);
        if (m_mutex)
            WaitForSingleObject(m_mutex, INFINITE);
    }
    ~StartEndLock()
    {
        if (m_mutex) {
            ReleaseMutex(m_mutex);
            CloseHandle(m_mutex);
        }
    }
    StartEndLock(const StartEndLock&) = delete;
    StartEndLock& operator=(const StartEndLock&) = delete;

private:
    HANDLE m_mutex;
};

bool fileExists(const std::string& Path)
{
    const DWORD attributes = GetFileAttributesA(Path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string inFolder(std::string Folder, const char* Name)
{
    if (!Folder.empty() && Folder.back() != '\\' && Folder.back() != '/')
        Folder += '\\';
    return Folder + Name;
}

// The first of the named values of the installation's key that holds a folder.
std::string installationFolder(std::initializer_list<const char*> ValueNames)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallationKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    std::string folder;
    for (const char* name : ValueNames) {
        char value[MAX_PATH] = {};
        DWORD size = sizeof value - 1;
        DWORD type = 0;
        if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS
            && (type == REG_SZ || type == REG_EXPAND_SZ) && value[0]) {
            folder = value;
            break;
        }
    }
    RegCloseKey(key);
    return folder;
}

std::string systemFolder()
{
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string();
}

long loadInstalledLibrary(QuickTimeEntryPointsWin32& Out, void*& Module, std::uint64_t& Version)
{
    std::string path;
    if (!QuickTimeLibraryWin32::findLibraryFile(path))
        return QuickTimeLibraryWin32::kLibraryMissing;
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module)
        return QuickTimeLibraryWin32::kLibraryMissing;
    QuickTimeEntryPointsWin32 entries;
    entries.dispatcher = reinterpret_cast<QuickTimeDispatcherWin32>(
        reinterpret_cast<void*>(GetProcAddress(module, "theQuickTimeDispatcher")));
    entries.callComponent = reinterpret_cast<void*>(GetProcAddress(module, "_CallComponent"));
    entries.callComponentFunctionWithStorage =
        reinterpret_cast<void*>(GetProcAddress(module, "_CallComponentFunctionWithStorage"));
    if (!entries.dispatcher || !entries.callComponent || !entries.callComponentFunctionWithStorage) {
        FreeLibrary(module);
        return QuickTimeLibraryWin32::kEntryPointMissing;
    }
    Out = entries;
    Module = module;
    Version = QuickTimeLibraryWin32::readFileVersion(path);
    return 0;
}

void unloadInstalledLibrary(void* Module) { FreeLibrary(static_cast<HMODULE>(Module)); }
} // namespace

QuickTimeLibraryWin32& QuickTimeLibraryWin32::getLibrary()
{
    // Never destroyed: the counted start of the movie engine lasts until the process ends.
    static auto* library = new QuickTimeLibraryWin32(&loadInstalledLibrary, &unloadInstalledLibrary);
    return *library;
}

QuickTimeLibraryWin32::QuickTimeLibraryWin32(Loader Load, Unloader Unload)
    : m_load(Load)
    , m_unload(Unload)
{
}

long QuickTimeLibraryWin32::initialize()
{
    StartEndLock lock;
    if (m_startCount == 0) {
        QuickTimeEntryPointsWin32 entries = {};
        void* module = nullptr;
        std::uint64_t version = 0;
        const long result = m_load(entries, module, version);
        if (result != 0)
            return result;
        m_entries = entries;
        m_module = module;
        m_fileVersion = version;
    }
    ++m_startCount;
    return 0;
}

void QuickTimeLibraryWin32::terminate()
{
    StartEndLock lock;
    if (m_startCount == 0 || --m_startCount > 0)
        return;
    m_entries = {};
    m_fileVersion = 0;
    m_unload(m_module);
    m_module = nullptr;
}

bool QuickTimeLibraryWin32::findLibraryFile(std::string& Path)
{
    if (HMODULE loaded = GetModuleHandleA(kLibraryName)) {
        char file[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameA(loaded, file, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            Path.assign(file, length);
            return true;
        }
    }
    const std::string system = systemFolder();
    const std::string extension = installationFolder({"QTExtDir"});
    std::vector<std::string> candidates;
    const std::string registered = installationFolder({"QTSysDir", "QuickTime.qts folder"});
    if (!registered.empty())
        candidates.push_back(inFolder(registered, kLibraryName));
    if (!system.empty())
        candidates.push_back(inFolder(system, kLibraryName));
    if (!extension.empty())
        candidates.push_back(inFolder(extension, kLibraryName));
    else if (!system.empty())
        candidates.push_back(inFolder(inFolder(system, "QuickTime"), kLibraryName));
    for (const std::string& candidate : candidates) {
        if (fileExists(candidate)) {
            Path = candidate;
            return true;
        }
    }
    return false;
}

std::uint64_t QuickTimeLibraryWin32::readFileVersion(const std::string& Path)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(Path.c_str(), &handle);
    if (size == 0)
        return 0;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(Path.c_str(), 0, size, block.data()))
        return 0;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info
        || length < sizeof(VS_FIXEDFILEINFO))
        return 0;
    return (static_cast<std::uint64_t>(info->dwFileVersionMS) << 32) | info->dwFileVersionLS;
}
