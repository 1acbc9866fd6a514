#pragma once
// QuickTime for Windows, reached at run time: the library "QuickTime.qts" is looked for
// where an installation puts it, loaded by the first counted start and freed by the last
// end, and every QuickTime operation is one call of its dispatcher with a selector (the
// routine's group times 65536 plus its number) followed by the routine's arguments. The
// starts and ends of the whole process are counted and serialised by a named mutex, so
// that other users of QuickTime in the process share one loaded library.
#include "foundation/KTypes.h"

#include <string>

using QuickTimeDispatcherWin32 = long(__cdecl*)(unsigned long Selector, ...);

struct QuickTimeEntryPointsWin32 {
    QuickTimeDispatcherWin32 dispatcher;
    void* callComponent;
    void* callComponentFunctionWithStorage;
};

class QuickTimeLibraryWin32 {
public:
    // Results of the counted start, and of calls made while no library is loaded.
    static constexpr long kLibraryMissing = -2093;
    static constexpr long kEntryPointMissing = -2094;
    static constexpr long kLibraryNotLoaded = -2095;

    // Fills the entry points, the module and the library's file version and answers 0,
    // or one of the two start errors above. Unload undoes a successful load.
    using Loader = long (*)(QuickTimeEntryPointsWin32& Out, void*& Module, std::uint64_t& Version);
    using Unloader = void (*)(void* Module);

    // The process's library, loaded from the installation.
    static QuickTimeLibraryWin32& getLibrary();

    QuickTimeLibraryWin32(Loader Load, Unloader Unload);
    QuickTimeLibraryWin32(const QuickTimeLibraryWin32&) = delete;
    QuickTimeLibraryWin32& operator=(const QuickTimeLibraryWin32&) = delete;

    // One counted start: the first loads the library; 0 when it is loaded.
    long initialize();
    // Ends one counted start; the last frees the library.
    void terminate();
    long getStartCount() const { return m_startCount; }
    bool isLoaded() const { return m_entries.dispatcher != nullptr; }
    // The file version of the loaded library; 0 when it carries none.
    std::uint64_t getFileVersion() const { return m_fileVersion; }

    template <typename... Arguments>
    long call(unsigned long Selector, Arguments... Args) const
    {
        return m_entries.dispatcher ? m_entries.dispatcher(Selector, Args...) : kLibraryNotLoaded;
    }
    // The same for routines that answer a handle or a pointer.
    template <typename... Arguments>
    void* callForPointer(unsigned long Selector, Arguments... Args) const
    {
        return reinterpret_cast<void*>(static_cast<intptr_t>(call(Selector, Args...)));
    }

    // Where the installation put "QuickTime.qts": beside a copy already loaded, in the
    // folder the registry names, in the system folder, or in its "QuickTime" subfolder.
    static bool findLibraryFile(std::string& Path);
    // The file version from the library's version resource (0 when it has none).
    static std::uint64_t readFileVersion(const std::string& Path);

private:
    Loader m_load;
    Unloader m_unload;
    long m_startCount = 0;
    void* m_module = nullptr;
    std::uint64_t m_fileVersion = 0;
    QuickTimeEntryPointsWin32 m_entries = {};
};

constexpr unsigned long quickTimeSelector(unsigned long Group, unsigned long Routine)
{
    return Group * 65536 + Routine;
}
