// Directories: listing with its three filters, creation, recursive removal and copy,
// renaming, and paths too long for the system, all inside a temporary folder.
#include "foundation/KDirectory.h"
#include "foundation/KFileReference.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include <windows.h>

namespace {

std::string text(const KString& S)
{
    return std::string(S.getText(), S.getLength());
}

bool isFile(const std::string& Path)
{
    const DWORD attributes = GetFileAttributesA(Path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isDirectory(const std::string& Path)
{
    const DWORD attributes = GetFileAttributesA(Path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class Directories : public testing::Test {
protected:
    void SetUp() override { m_heapBlocks = KThing::getHeapBlockCount(); }
    void TearDown() override { EXPECT_EQ(KThing::getHeapBlockCount(), m_heapBlocks) << "leaked objects"; }

    KDirectory directory(const std::string& Name) const
    {
        return KDirectory(windowsPath(folder.file(Name) + "\\"));
    }
    void makeDirectory(const std::string& Name) const { CreateDirectoryA(folder.file(Name).c_str(), nullptr); }

    // The leaf names of a listing, each with "/" after a directory's, sorted.
    static std::set<std::string> leaves(const KBag& Listing)
    {
        std::set<std::string> names;
        for (long i = 0; i < Listing.getCount(); ++i) {
            const auto& entry = static_cast<const KDiskObjectReference&>(Listing.getObjectAt(i));
            KString leaf;
            entry.getPath().getLeafName(leaf);
            names.insert(text(leaf) + (entry.getKind() == KPath::DirectoryKind ? "/" : ""));
        }
        return names;
    }

    TemporaryFolder folder;
    long m_heapBlocks = 0;
};

TEST_F(Directories, ListingGivesFileReferencesAndDirectoriesByFilter)
{
    writeBytes(folder.file("a.txt"), {1});
    writeBytes(folder.file("hidden.bin"), {2});
    SetFileAttributesA(folder.file("hidden.bin").c_str(), FILE_ATTRIBUTE_HIDDEN);
    makeDirectory("sub");
    makeDirectory("old.files");
    const KDirectory root = directory("");

    KBagPtr both = root.getFiles(KDirectory::FilesAndSubdirectories);
    EXPECT_EQ(leaves(*both), (std::set<std::string>{"a.txt", "hidden.bin", "sub/", "old.files/"}));
    for (long i = 0; i < both->getCount(); ++i) {
        const auto& entry = static_cast<const KDiskObjectReference&>(both->getObjectAt(i));
        KString leaf;
        entry.getPath().getLeafName(leaf);
        if (text(leaf) == "a.txt") {
            EXPECT_STREQ(entry.getClass().getName(), "KFileReference");
            EXPECT_EQ(entry.getKind(), KPath::FileKind);
            EXPECT_EQ(text(entry.getPath().getName()), "a");
            EXPECT_EQ(text(entry.getPath().getExtension()), "txt");
            EXPECT_EQ(text(entry.getNativePath()), folder.file("a.txt"));
        } else if (text(leaf) == "old.files") {
            EXPECT_STREQ(entry.getClass().getName(), "KDirectory");
            EXPECT_EQ(entry.getKind(), KPath::DirectoryKind);
            EXPECT_TRUE(entry.getPath().getName().isEmpty());
            EXPECT_TRUE(entry.getPath().getExtension().isEmpty());
            EXPECT_EQ(text(entry.getNativePath()), folder.file("old.files") + "\\");
        }
    }
    EXPECT_EQ(leaves(*root.getFiles(KDirectory::Subdirectories)), (std::set<std::string>{"sub/", "old.files/"}));
    EXPECT_EQ(leaves(*root.getFiles(KDirectory::Files)), (std::set<std::string>{"a.txt", "hidden.bin"}));
}

TEST_F(Directories, WhatCannotBeListedGivesAnEmptyListing)
{
    EXPECT_EQ(directory("missing").getFiles(KDirectory::FilesAndSubdirectories)->getCount(), 0);
    EXPECT_EQ(KDirectory().getFiles(KDirectory::FilesAndSubdirectories)->getCount(), 0);

    // A path longer than the system's limit is refused like a missing directory, and the
    // program goes on.
    std::string deep = folder.path();
    while (deep.size() <= 300)
        deep += "\\abcdefghijklmnopqrstuvwxyz";
    KDirectory tooLong(windowsPath(deep + "\\"));
    EXPECT_EQ(tooLong.getFiles(KDirectory::FilesAndSubdirectories)->getCount(), 0);
    tooLong.removeAll();
    EXPECT_TRUE(isDirectory(folder.path()));
}

TEST_F(Directories, CreateMakesTheLastLevelOnly)
{
    KDirectory made = directory("new");
    made.create();
    EXPECT_TRUE(isDirectory(folder.file("new")));
    EXPECT_TRUE(made.exists());
    writeBytes(folder.file("new\\keep.txt"), {7});
    made.create();
    EXPECT_TRUE(isFile(folder.file("new\\keep.txt")));

    directory("absent\\child").create();
    EXPECT_FALSE(isDirectory(folder.file("absent")));
}

TEST_F(Directories, RemoveGoesDepthFirstAndRemoveAllKeepsTheDirectory)
{
    makeDirectory("tree");
    makeDirectory("tree\\a");
    makeDirectory("tree\\a\\b");
    writeBytes(folder.file("tree\\top.txt"), {1});
    writeBytes(folder.file("tree\\a\\mid.txt"), {2});
    writeBytes(folder.file("tree\\a\\b\\low.txt"), {3});
    makeDirectory("other");
    writeBytes(folder.file("other\\x.txt"), {4});

    KDirectory tree = directory("tree");
    tree.removeAll();
    EXPECT_TRUE(isDirectory(folder.file("tree")));
    EXPECT_EQ(tree.getFiles(KDirectory::FilesAndSubdirectories)->getCount(), 0);

    makeDirectory("tree\\a");
    writeBytes(folder.file("tree\\a\\mid.txt"), {2});
    tree.remove();
    EXPECT_FALSE(isDirectory(folder.file("tree")));
    EXPECT_TRUE(isFile(folder.file("other\\x.txt")));
}

TEST_F(Directories, RenameMovesTheLastDirectory)
{
    makeDirectory("Old");
    writeBytes(folder.file("Old\\x.txt"), {5});
    KDirectory old = directory("Old");
    old.rename(KString("New"));
    EXPECT_TRUE(isFile(folder.file("New\\x.txt")));
    EXPECT_FALSE(isDirectory(folder.file("Old")));
    EXPECT_EQ(text(old.getNativePath()), folder.file("New") + "\\");

    // A taken name leaves everything as it was.
    makeDirectory("Taken");
    old.rename(KString("Taken"));
    EXPECT_TRUE(isFile(folder.file("New\\x.txt")));
    EXPECT_EQ(text(old.getNativePath()), folder.file("New") + "\\");

    ReportCatcher catcher;
    KPath volume;
    volume.setVolume(KString("C"));
    KDirectory root(volume);
    root.rename(KString("D"));
    EXPECT_EQ(catcher.codes(), std::vector<int>{47});
    EXPECT_TRUE(catcher.caught(47, "void KDirectory::rename(const KString& S)"));
}

TEST_F(Directories, CopyPutsTheContentsIntoTheTarget)
{
    makeDirectory("source");
    makeDirectory("source\\sub");
    writeBytes(folder.file("source\\x.txt"), {1, 2});
    writeBytes(folder.file("source\\sub\\y.txt"), {3});
    makeDirectory("target");
    writeBytes(folder.file("target\\x.txt"), {9, 9, 9});

    directory("source").copy(directory("target"));
    EXPECT_EQ(readBytes(folder.file("target\\x.txt")), (Bytes{1, 2}));
    EXPECT_EQ(readBytes(folder.file("target\\sub\\y.txt")), Bytes{3});
    EXPECT_FALSE(isDirectory(folder.file("target\\source")));

    directory("source").copy(directory("nowhere"));
    EXPECT_FALSE(isDirectory(folder.file("nowhere")));
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
    // Constructors make a directory whatever the path names.
    EXPECT_EQ(KDirectory(windowsPath("C:\\")).getKind(), KPath::DirectoryKind);
    KDirectory assigned;
    assigned = root;
    EXPECT_EQ(assigned.getKind(), KPath::DirectoryKind);

    ReportCatcher catcher;
    named.copyAndRename(root, KString("x"));
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].caption, "Not Yet Implemented!");
    EXPECT_EQ(catcher.boxes()[0].text, "void KDirectory::copyAndRename(const KDirectory& D, const KString& S)");
}

} // namespace
