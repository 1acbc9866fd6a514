// The file system's standard folders, the current directory, the one process-wide
// object and the numbers for temporary file names.
#include "foundation/KFileSystem.h"
#include "foundation/KernelFunctions.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/support/ReportCatcher.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

std::string folderText(const KDirectory& D)
{
    return text(D.getNativePath());
}

uint32 s_ticks = 0;
uint32 drivenTicks() { return s_ticks; }

TEST(FileSystem, FoldersAreReadOnceWithOneTrailingSeparator)
{
    // No application and no main window exist here: the shell is asked without an owner
    // window, and nothing is reported.
    KFileSystem system;

    char temporary[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temporary);
    EXPECT_EQ(folderText(system.temporaryDirectory), temporary);

    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string programFolder(program);
    programFolder.erase(programFolder.rfind('\\') + 1);
    EXPECT_EQ(folderText(system.applicationDirectory), programFolder);

    for (const KDirectory* folder : {&system.commonApplicationDataDirectory, &system.applicationDataDirectory,
                                     &system.documentsDirectory, &system.picturesDirectory,
                                     &system.musicDirectory, &system.videosDirectory, &system.desktopDirectory}) {
        const std::string path = folderText(*folder);
        ASSERT_GE(path.size(), 4u);
        EXPECT_EQ(path.back(), '\\');
        EXPECT_NE(path[path.size() - 2], '\\');
        EXPECT_TRUE(folder->exists()) << path;
    }

    // The current directory is read only on request; a drive root's separator is not doubled.
    EXPECT_TRUE(system.currentDirectory.getPath().isEmpty());
    char previous[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(sizeof previous, previous);
    EXPECT_EQ(&system.updateCurrentDirectory(), &system.currentDirectory);
    EXPECT_EQ(folderText(system.currentDirectory), std::string(previous) + "\\");

    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    system.updateCurrentDirectory();
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(folderText(system.currentDirectory), "C:\\");
    EXPECT_EQ(system.currentDirectory.getKind(), KPath::VolumeKind);
}

TEST(FileSystem, TheOneObjectIsMadeReplacedAndReleased)
{
    {
        ReportCatcher catcher;
        EXPECT_TRUE(kIsNullReference(&KFileSystem::getFileSystem()));
        EXPECT_TRUE(catcher.caught(18, "KThing& KThingPtr::getObject() const"));
    }
    const long heapBlocks = KThing::getHeapBlockCount();
    KFileSystem::initFileSystem();
    EXPECT_FALSE(KFileSystem::getFileSystem().temporaryDirectory.getPath().isEmpty());
    KFileSystem::initFileSystem();
    KFileSystem::exitFileSystem();
    EXPECT_EQ(KThing::getHeapBlockCount(), heapBlocks);
}

TEST(FileSystem, UniqueNumbersAreTheTickCountModulo100000)
{
    knsSetTickSource(&drivenTicks);
    const KFileSystem system;
    KString number;
    const std::pair<uint32, const char*> cases[] = {
        {123456, "23456"}, {100000, "0"}, {200000, "0"}, {99999, "99999"},
        // Tick counts past 2^31 are negative as signed values and lose their sign.
        {0xFFFFFFFFu, "1"}, {0x80000000u, "83648"},
    };
    for (const auto& [ticks, expected] : cases) {
        s_ticks = ticks;
        EXPECT_EQ(text(system.makeUniqueNumber(number)), expected) << ticks;
    }
    knsSetTickSource(nullptr);
}

} // namespace
