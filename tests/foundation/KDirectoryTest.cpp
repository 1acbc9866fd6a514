// Directories: listing with its three filters, creation, recursive removal and copy,
// renaming, and paths too long for the system, all inside a temporary folder.
#include "foundation/KDirectory.h"
#include "foundation/KFileReference.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <set>

#include <windows.h>

namespace {

class Directories : public LeakChecked {
protected:
    KDirectory directory(const std::string& Name) const { return KDirectory(windowsPath(folder.file(Name) + "\\")); }

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

    // "file", "directory\" or "-" for what stands at a name of the folder.
    std::string at(const std::string& Name) const
    {
        const DWORD attributes = GetFileAttributesA(folder.file(Name).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return "-";
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? "directory" : "file";
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

TEST_F(Directories, ListingGivesFileReferencesAndDirectoriesByFilter)
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

TEST_F(Directories, CreateMakesTheLastLevelOnlyAndRemoveGoesDepthFirst)
{
    KDirectory made = directory("new");
    made.create();
    EXPECT_TRUE(made.exists());
    make({"new\\keep.txt"});
    made.create();
    EXPECT_EQ(at("new\\keep.txt"), "file");
    directory("absent\\child").create();
    EXPECT_EQ(at("absent"), "-");

    make({"tree\\", "tree\\a\\", "tree\\a\\b\\", "tree\\top.txt", "tree\\a\\mid.txt", "tree\\a\\b\\low.txt", "other\\",
          "other\\x.txt"});
    // removeAll keeps the directory itself.
    KDirectory tree = directory("tree");
    tree.removeAll();
    EXPECT_EQ(at("tree"), "directory");
    EXPECT_EQ(tree.getFiles(KDirectory::FilesAndSubdirectories)->getCount(), 0);
    make({"tree\\a\\", "tree\\a\\mid.txt"});
    tree.remove();
    EXPECT_EQ(at("tree"), "-");
    EXPECT_EQ(at("other\\x.txt"), "file");
}

TEST_F(Directories, RenameMovesTheLastDirectory)
{
    make({"Old\\", "Old\\x.txt", "Taken\\"});
    KDirectory old = directory("Old");
    old.rename(KString("New"));
    EXPECT_EQ(at("New\\x.txt") + at("Old"), "file-");
    EXPECT_EQ(text(old.getNativePath()), folder.file("New") + "\\");
    // A taken name leaves everything as it was.
    old.rename(KString("Taken"));
    EXPECT_EQ(at("New\\x.txt"), "file");
    EXPECT_EQ(text(old.getNativePath()), folder.file("New") + "\\");

    ReportCatcher catcher;
    KPath volume;
    volume.setVolume(KString("C"));
    KDirectory(volume).rename(KString("D"));
    EXPECT_EQ(catcher.codes(), std::vector<int>{47});
    EXPECT_TRUE(catcher.caught(47, "void KDirectory::rename(const KString& S)"));
}

TEST_F(Directories, CopyPutsTheContentsIntoTheTarget)
{
    make({"source\\", "source\\sub\\", "source\\x.txt", "source\\sub\\y.txt", "target\\", "target\\x.txt"});
    directory("source").copy(directory("target"));
    EXPECT_EQ(readBytes(folder.file("target\\x.txt")), readBytes(folder.file("source\\x.txt")));
    EXPECT_EQ(readBytes(folder.file("target\\sub\\y.txt")), readBytes(folder.file("source\\sub\\y.txt")));
    EXPECT_EQ(at("target\\source"), "-");
    directory("source").copy(directory("nowhere"));
    EXPECT_EQ(at("nowhere"), "-");
}

TEST_F(Directories, PathsAndKinds)
{
    KDirectory named;
    named.setPath(windowsPath("C:\\Data\\file.txt"));
    EXPECT_EQ(text(named.getNativePath()), "C:\\Data\\");
    EXPECT_EQ(named.getKind(), KPath::DirectoryKind);
    KDirectory root;
    root.setPath(windowsPath("C:\\"));
    EXPECT_EQ(root.getKind(), KPath::VolumeKind);
    // Constructors and assignment make a directory whatever the path names.
    EXPECT_EQ(KDirectory(windowsPath("C:\\")).getKind(), KPath::DirectoryKind);
    KDirectory assigned;
    assigned = root;
    EXPECT_EQ(assigned.getKind(), KPath::DirectoryKind);

    ReportCatcher catcher;
    named.copyAndRename(root, KString("x"));
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].text, "void KDirectory::copyAndRename(const KDirectory& D, const KString& S)");
}

} // namespace
