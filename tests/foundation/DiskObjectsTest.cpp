// Disk objects inside a temporary folder: references to files, directories and volumes,
// their existence, copies, renames and removal, directory listings, paths too long for the
// system, the operations that only show the "Not Yet Implemented!" box, and the file
// system's standard folders.
#include "foundation/KDirectory.h"
#include "foundation/KFileReference.h"
#include "foundation/KFileSystem.h"
#include "foundation/KVolume.h"
#include "foundation/KernelFunctions.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <set>

#include <windows.h>

namespace {

class DiskObjects : public LeakChecked {
protected:
    KDirectory directory(const std::string& Name) const { return KDirectory(windowsPath(folder.file(Name) + "\\")); }
    KFileReference file(const std::string& Name) const { return KFileReference(windowsPath(folder.file(Name))); }

    // Makes directories (names ending in a separator) and files holding their own names.
    void make(std::initializer_list<std::string> Entries) const
    {
        for (const std::string& entry : Entries) {
            if (entry.back() == '\\')
                CreateDirectoryA(folder.file(entry).c_str(), nullptr);
            else
                writeBytes(folder.file(entry), Bytes(entry.begin(), entry.end()));
        }
    }

    // "file", "directory" or "-" for what stands at a name of the folder.
    std::string at(const std::string& Name) const
    {
        const DWORD attributes = GetFileAttributesA(folder.file(Name).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return "-";
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? "directory" : "file";
    }

    // Whether the file holds what make wrote for Name.
    bool holds(const std::string& File, const std::string& Name) const
    {
        return readBytes(folder.file(File)) == Bytes(Name.begin(), Name.end());
    }

    // The leaf names of a listing, each with "/" after a directory's, sorted.
    static std::set<std::string> leaves(const KBagPtr& Listing)
    {
        std::set<std::string> names;
        for (long i = 0; i < Listing->getCount(); ++i) {
            const auto& entry = static_cast<const KDiskObjectReference&>(Listing->getObjectAt(i));
            KString leaf;
            entry.getPath().getLeafName(leaf);
            names.insert(text(leaf) + (entry.getKind() == KPath::DirectoryKind ? "/" : ""));
        }
        return names;
    }

    TemporaryFolder folder;
};

TEST_F(DiskObjects, ExistenceKindsAndCopiesOfReferences)
{
    make({"a.txt"});
    EXPECT_TRUE(file("a.txt").exists());
    EXPECT_FALSE(file("b.txt").exists());
    // "?" and "*" are no wildcards here: a name that holds them (an old Macintosh one, say)
    // names no file, whichever files they would match.
    EXPECT_FALSE(file("?.txt").exists());
    EXPECT_FALSE(file("*").exists());
    // A trailing separator is dropped before the look-up; a file reference without name
    // and extension does not exist, whatever its folder.
    EXPECT_TRUE(KDiskObjectReference(windowsPath(folder.path() + "\\")).exists());
    EXPECT_FALSE(KFileReference(windowsPath(folder.path() + "\\")).exists());
    EXPECT_FALSE(KDiskObjectReference().exists());
    // Drives are matched by their exact letter.
    KPath volume;
    volume.setVolume(KString("C"));
    EXPECT_EQ(KDiskObjectReference(volume).getKind(), KPath::VolumeKind);
    EXPECT_TRUE(KDiskObjectReference(volume).exists());
    volume.setVolume(KString("c"));
    EXPECT_FALSE(KDiskObjectReference(volume).exists());

    // A file knows the directory that holds it.
    KDirectory holder = file("a.txt").getDirectory();
    EXPECT_TRUE(holder.exists());
    EXPECT_EQ(text(holder.getNativePath()), folder.path() + "\\");

    // Two references to one path with different kinds differ; copies keep the type.
    KFileReference made(directory("x"));
    EXPECT_EQ(made.getKind(), KPath::FileKind);
    EXPECT_TRUE(made != directory("x"));
    EXPECT_TRUE(made.getPath() == directory("x").getPath());
    KFileReference typed(windowsPath("C:\\x\\y.txt"));
    typed.setFileTypeHandle(0x545854);
    KFileReference assigned;
    assigned = KFileReference(typed);
    EXPECT_TRUE(assigned == typed && assigned.getFileTypeHandle() == 0x545854);

    // A directory made by a constructor or assignment is a directory whatever its path
    // names; one whose path is set to a drive's root is a volume.
    KDirectory named;
    named.setPath(windowsPath("C:\\Data\\file.txt"));
    EXPECT_EQ(text(named.getNativePath()), "C:\\Data\\");
    KDirectory root;
    root.setPath(windowsPath("C:\\"));
    EXPECT_EQ(root.getKind(), KPath::VolumeKind);
    EXPECT_EQ(KDirectory(windowsPath("C:\\")).getKind(), KPath::DirectoryKind);
    named = root;
    EXPECT_EQ(named.getKind(), KPath::DirectoryKind);
}

TEST_F(DiskObjects, FilesAreRenamedRemovedAndCopiedIntoDirectories)
{
    make({"a.txt", "taken.txt", "x.txt", "target\\", "target\\x.txt"});
    KFileReference a = file("a.txt");
    a.rename(KString("b"));
    EXPECT_EQ(at("a.txt") + at("b.txt"), "-file");
    // The extension stays: the new name carries any dot of its own.
    a.rename(KString("b.doc"));
    EXPECT_EQ(at("b.doc.txt"), "file");
    // A failed rename changes nothing.
    a.rename(KString("taken"));
    EXPECT_EQ(text(a.getPath().getName()), "b.doc");
    EXPECT_TRUE(holds("taken.txt", "taken.txt"));
    a.remove();
    a.remove(); // removing what is not there is silent
    EXPECT_FALSE(a.exists());

    KFileReference x = file("x.txt");
    x.copy(directory("target"));
    EXPECT_TRUE(holds("target\\x.txt", "x.txt"));
    // The target directory's text may lack its final separator.
    make({"target\\x.txt"});
    x.copy(KDiskObjectReference(windowsPath(folder.file("target"))));
    EXPECT_TRUE(holds("target\\x.txt", "x.txt"));
    x.copyAndRename(directory("target"), KString("y.dat"));
    x.copyAndRename(windowsPath(folder.file("target\\z.bin")));
    EXPECT_TRUE(holds("target\\y.dat", "x.txt") && holds("target\\z.bin", "x.txt"));
    // Nothing happens, and nothing is reported, when either side is missing.
    x.copy(directory("missing"));
    file("absent.txt").copy(directory("target"));
    EXPECT_EQ(at("missing") + at("target\\absent.txt"), "--");

    ReportCatcher catcher;
    KFileReference().remove();
    EXPECT_EQ(catcher.codes(), std::vector<int>{47});
    EXPECT_TRUE(catcher.caught(47, "void  KFile::remove()"));
}

TEST_F(DiskObjects, UnsupportedOperationsShowABoxAndDoNothing)
{
    make({"keep.txt"});
    ReportCatcher catcher;
    KDiskObjectReference base(windowsPath(folder.file("keep.txt")));
    base.remove();
    base.rename(KString("other"));
    base.copy(directory(""));
    base.copyAndRename(directory(""), KString("n"));
    base.copyAndRename(windowsPath("C:\\n.txt"));
    KFileReference reference = file("keep.txt");
    reference.changeExtension(KString("doc"));
    KVolume volume;
    volume.setPath(windowsPath("C:\\Windows\\x.txt"));
    EXPECT_EQ(volume.getKind(), KPath::VolumeKind);
    EXPECT_EQ(text(volume.getNativePath()), "C:\\");
    EXPECT_TRUE(volume.exists());
    volume.rename(KString("D"));
    volume.copy(directory(""));
    directory("").copyAndRename(directory(""), KString("x"));

    ASSERT_EQ(catcher.boxes().size(), 10u);
    for (const CaughtMessageBox& box : catcher.boxes())
        EXPECT_EQ(box.caption, "Not Yet Implemented!");
    EXPECT_EQ(catcher.boxes()[5].text, "void KFileReference::changeExtension(const KString&)");
    EXPECT_TRUE(catcher.reports().empty());
    EXPECT_TRUE(holds("keep.txt", "keep.txt"));
    EXPECT_EQ(text(reference.getPath().getExtension()), "txt");
}

TEST_F(DiskObjects, ListingGivesFileReferencesAndDirectoriesByFilter)
{
    make({"a.txt", "hidden.bin", "sub\\", "old.files\\"});
    SetFileAttributesA(folder.file("hidden.bin").c_str(), FILE_ATTRIBUTE_HIDDEN);
    const KDirectory root = directory("");
    KBagPtr both = root.getFiles(KDirectory::FilesAndSubdirectories);
    EXPECT_EQ(leaves(both), (std::set<std::string>{"a.txt", "hidden.bin", "sub/", "old.files/"}));
    EXPECT_EQ(leaves(root.getFiles(KDirectory::Subdirectories)), (std::set<std::string>{"sub/", "old.files/"}));
    EXPECT_EQ(leaves(root.getFiles(KDirectory::Files)), (std::set<std::string>{"a.txt", "hidden.bin"}));
    // Each entry as a file reference or a directory, "a.txt" by name and extension.
    std::set<std::string> entries;
    for (long i = 0; i < both->getCount(); ++i) {
        const auto& entry = static_cast<const KDiskObjectReference&>(both->getObjectAt(i));
        entries.insert(std::string(entry.getClass().getName()) + " " + text(entry.getPath().getName()) + "."
                       + text(entry.getPath().getExtension()) + " " + text(entry.getNativePath()));
    }
    EXPECT_EQ(entries.count("KFileReference a.txt " + folder.file("a.txt")), 1u);
    EXPECT_EQ(entries.count("KDirectory . " + folder.file("old.files") + "\\"), 1u);

    // What cannot be listed gives an empty listing; a path longer than the system's limit
    // is refused like a missing directory, and the program goes on.
    EXPECT_EQ(directory("missing").getFiles(KDirectory::FilesAndSubdirectories)->getCount(), 0);
    EXPECT_EQ(KDirectory().getFiles(KDirectory::FilesAndSubdirectories)->getCount(), 0);
    std::string deep = folder.path();
    while (deep.size() <= 300)
        deep += "\\abcdefghijklmnopqrstuvwxyz";
    KDirectory tooLong(windowsPath(deep + "\\"));
    EXPECT_EQ(tooLong.getFiles(KDirectory::FilesAndSubdirectories)->getCount(), 0);
    tooLong.removeAll();
    EXPECT_EQ(at(""), "directory");
}

TEST_F(DiskObjects, DirectoriesAreMadeRemovedRenamedAndCopied)
{
    // Only the last level is made.
    KDirectory made = directory("new");
    made.create();
    make({"new\\keep.txt"});
    made.create();
    EXPECT_EQ(at("new\\keep.txt"), "file");
    directory("absent\\child").create();
    EXPECT_EQ(at("absent"), "-");

    // Removal goes depth first; removeAll keeps the directory itself.
    make({"tree\\", "tree\\a\\", "tree\\a\\b\\", "tree\\top.txt", "tree\\a\\mid.txt", "tree\\a\\b\\low.txt", "other\\",
          "other\\x.txt"});
    KDirectory tree = directory("tree");
    tree.removeAll();
    EXPECT_EQ(at("tree"), "directory");
    EXPECT_EQ(tree.getFiles(KDirectory::FilesAndSubdirectories)->getCount(), 0);
    make({"tree\\a\\", "tree\\a\\mid.txt"});
    tree.remove();
    EXPECT_EQ(at("tree") + at("other\\x.txt"), "-file");

    // Renaming moves the last directory; a taken name leaves everything as it was.
    make({"Old\\", "Old\\x.txt", "Taken\\"});
    KDirectory old = directory("Old");
    old.rename(KString("Moved"));
    old.rename(KString("Taken"));
    EXPECT_EQ(at("Moved\\x.txt") + at("Old"), "file-");
    EXPECT_EQ(text(old.getNativePath()), folder.file("Moved") + "\\");

    // A copy puts the contents into the target.
    make({"source\\", "source\\sub\\", "source\\x.txt", "source\\sub\\y.txt", "target\\", "target\\x.txt"});
    directory("source").copy(directory("target"));
    EXPECT_TRUE(holds("target\\x.txt", "source\\x.txt") && holds("target\\sub\\y.txt", "source\\sub\\y.txt"));
    EXPECT_EQ(at("target\\source"), "-");
    directory("source").copy(directory("nowhere"));
    EXPECT_EQ(at("nowhere"), "-");

    ReportCatcher catcher;
    KPath volume;
    volume.setVolume(KString("C"));
    KDirectory(volume).rename(KString("D"));
    EXPECT_EQ(catcher.codes(), std::vector<int>{47});
    EXPECT_TRUE(catcher.caught(47, "void KDirectory::rename(const KString& S)"));
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
    EXPECT_EQ(text(system.temporaryDirectory.getNativePath()), temporary);
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string programFolder(program);
    programFolder.erase(programFolder.rfind('\\') + 1);
    EXPECT_EQ(text(system.applicationDirectory.getNativePath()), programFolder);
    for (const KDirectory* folder : {&system.commonApplicationDataDirectory, &system.applicationDataDirectory,
                                     &system.documentsDirectory, &system.picturesDirectory,
                                     &system.musicDirectory, &system.videosDirectory, &system.desktopDirectory}) {
        const std::string path = text(folder->getNativePath());
        ASSERT_GE(path.size(), 4u);
        EXPECT_EQ(path.back(), '\\');
        EXPECT_NE(path[path.size() - 2], '\\');
        EXPECT_TRUE(folder->exists()) << path;
    }

    // The current directory is read only on request; a drive root's separator is not doubled.
    EXPECT_TRUE(system.currentDirectory.getPath().isEmpty());
    char previous[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(sizeof previous, previous);
    EXPECT_EQ(text(system.updateCurrentDirectory().getNativePath()), std::string(previous) + "\\");
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    system.updateCurrentDirectory();
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(text(system.currentDirectory.getNativePath()), "C:\\");
    EXPECT_EQ(system.currentDirectory.getKind(), KPath::VolumeKind);
}

TEST(FileSystem, TheOneObjectAndTheNumbersForTemporaryNames)
{
    {
        ReportCatcher catcher;
        EXPECT_TRUE(kIsNullReference(&KFileSystem::getFileSystem()));
        EXPECT_TRUE(catcher.caught(18, "KThing& KThingPtr::getObject() const"));
    }
    const long heapBlocks = KThing::getHeapBlockCount();
    KFileSystem::initFileSystem();
    EXPECT_FALSE(KFileSystem::getFileSystem().temporaryDirectory.getPath().isEmpty());
    KFileSystem::initFileSystem(); // replaces the first
    KFileSystem::exitFileSystem();
    EXPECT_EQ(KThing::getHeapBlockCount(), heapBlocks);

    // The tick count modulo 100000; counts past 2^31 are negative and lose their sign.
    knsSetTickSource(&drivenTicks);
    const KFileSystem system;
    KString number;
    const std::pair<uint32, const char*> cases[] = {{123456, "23456"}, {100000, "0"},   {99999, "99999"},
                                                    {0xFFFFFFFFu, "1"}, {0x80000000u, "83648"}};
    for (const auto& [ticks, expected] : cases) {
        s_ticks = ticks;
        EXPECT_EQ(text(system.makeUniqueNumber(number)), expected) << ticks;
    }
    knsSetTickSource(nullptr);
}

} // namespace
