#include "tests/robustness/ScratchFiles.h"

#include "foundation/KClass.h"
#include "foundation/KPath.h"
#include "foundation/KernelFunctions.h"
#include "story/oldformat/ZClass.h"
#include "tests/robustness/InputReader.h"

#include <filesystem>
#include <stdexcept>

#include <windows.h>

std::string scratchFolder(const std::string& Name)
{
    char base[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, base);
    if (length == 0 || length >= MAX_PATH)
        throw std::runtime_error("no temporary folder");
    const std::string folder = std::string(base) + Name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string scratchFolderOfChild() { return scratchFolder("robustness-" + std::to_string(GetCurrentProcessId())); }

std::string scratchFolderOfChild(unsigned long ProcessId)
{
    char base[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, base);
    return length == 0 || length >= MAX_PATH ? "" : std::string(base) + "robustness-" + std::to_string(ProcessId);
}

void removeScratchFolder(const std::string& Folder)
{
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::u8path(Folder), ignored);
}

KFileReference fileReferenceOf(const std::string& WindowsPath)
{
    KPath path;
    path.setPathText(KString(WindowsPath.c_str()), kPlatformWindows);
    return KFileReference(path);
}

void keepSeed(const std::string& SeedFolder, const std::string& Name, const std::function<bool(const KFileReference&)>& Write)
{
    const std::string made = scratchFolder("robustness-seeds-" + std::to_string(GetCurrentProcessId())) + "\\" + Name;
    if (!Write(fileReferenceOf(made)))
        throw std::runtime_error("the program could not write the seed " + Name);
    writeFileBytes(SeedFolder + "/" + Name, readFileBytes(made));
    DeleteFileA(made.c_str());
    RemoveDirectoryA(made.substr(0, made.rfind('\\')).c_str());
}

DamageProfile classBlockProfile()
{
    DamageProfile profile;
    profile.bigEndian = true;
    profile.chunks = DamageProfile::ClassBlocks;
    profile.classIds = registeredClassIds();
    return profile;
}

std::vector<uint32_t> registeredClassIds()
{
    std::vector<uint32_t> ids;
    for (const KClass* record = KClass::getFirst(); record; record = record->getNext())
        ids.push_back(static_cast<uint32_t>(record->getClassID()));
    // Old documents name their classes in the old registry.
    for (const ZClass* record = ZClass::getFirst(); record; record = record->getNext())
        ids.push_back(static_cast<uint32_t>(record->getClassID()));
    return ids;
}
