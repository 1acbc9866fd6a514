// Disk-object references: existence, file operations, copies, and the operations that
// only show the "Not Yet Implemented!" box.
#include "foundation/KDirectory.h"
#include "foundation/KFileReference.h"
#include "foundation/KVolume.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

class References : public testing::Test {
protected:
    // A reference to a directory of the temporary folder, kind 1.
    KDiskObjectReference directory(const std::string& Name)
    {
        return KDiskObjectReference(windowsPath(folder.file(Name) + "\\"));
    }
    KFileReference file(const std::string& Name) { return KFileReference(windowsPath(folder.file(Name))); }

    TemporaryFolder folder;
};

TEST_F(References, ExistenceKindsAndCopies)
{
    writeBytes(folder.file("a.txt"), {1});
    EXPECT_TRUE(file("a.txt").exists());
    EXPECT_FALSE(file("b.txt").exists());
    // A trailing separator is dropped before the look-up; a file reference without name
    // and extension does not exist, whatever its folder.
    EXPECT_TRUE(directory("").exists());
    EXPECT_EQ(directory("").getKind(), KPath::DirectoryKind);
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
    EXPECT_TRUE(holder.getPath().getName().isEmpty());
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
    EXPECT_EQ(assigned.getFileTypeHandle(), 0x545854);
    EXPECT_TRUE(assigned == typed);
}

TEST_F(References, RemoveAndRename)
{
    writeBytes(folder.file("a.txt"), {1});
    KFileReference a = file("a.txt");
    a.rename(KString("b"));
    EXPECT_EQ(text(a.getPath().getName()), "b");
    EXPECT_EQ(readBytes(folder.file("b.txt")), Bytes{1});
    EXPECT_FALSE(file("a.txt").exists());

    // The extension stays: the new name carries any dot of its own.
    a.rename(KString("b.doc"));
    EXPECT_TRUE(file("b.doc.txt").exists());
    EXPECT_EQ(text(a.getPath().getName()), "b.doc");

    // A failed rename changes nothing.
    writeBytes(folder.file("taken.txt"), {2});
    a.rename(KString("taken"));
    EXPECT_EQ(text(a.getPath().getName()), "b.doc");
    EXPECT_EQ(readBytes(folder.file("taken.txt")), Bytes{2});

    a.remove();
    a.remove(); // removing what is not there is silent
    EXPECT_FALSE(a.exists());

    ReportCatcher catcher;
    KFileReference().remove();
    EXPECT_EQ(catcher.codes(), std::vector<int>{47});
    EXPECT_TRUE(catcher.caught(47, "void  KFile::remove()"));
}

TEST_F(References, CopyIntoDirectories)
{
    writeBytes(folder.file("x.txt"), {7, 8});
    ASSERT_TRUE(CreateDirectoryA(folder.file("target").c_str(), nullptr));
    writeBytes(folder.file("target\\x.txt"), {1});

    KFileReference x = file("x.txt");
    x.copy(directory("target"));
    EXPECT_EQ(readBytes(folder.file("target\\x.txt")), (Bytes{7, 8}));

    // The target directory's text may lack its final separator.
    x.copy(KDiskObjectReference(windowsPath(folder.file("target"))));
    EXPECT_EQ(readBytes(folder.file("target\\x.txt")), (Bytes{7, 8}));

    x.copyAndRename(directory("target"), KString("y.dat"));
    x.copyAndRename(windowsPath(folder.file("target\\z.bin")));
    EXPECT_EQ(readBytes(folder.file("target\\y.dat")), (Bytes{7, 8}));
    EXPECT_EQ(readBytes(folder.file("target\\z.bin")), (Bytes{7, 8}));

    // Nothing happens, and nothing is reported, when either side is missing.
    x.copy(directory("missing"));
    EXPECT_FALSE(KDiskObjectReference(windowsPath(folder.file("missing"))).exists());
    file("absent.txt").copy(directory("target"));
    EXPECT_FALSE(file("target\\absent.txt").exists());
}

TEST_F(References, UnsupportedOperationsShowABoxAndDoNothing)
{
    writeBytes(folder.file("keep.txt"), {1});
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
    EXPECT_EQ(volume.getKind(), KPath::VolumeKind);
    volume.setPath(windowsPath("C:\\Windows\\x.txt"));
    EXPECT_EQ(text(volume.getNativePath()), "C:\\");
    EXPECT_TRUE(volume.exists());
    volume.rename(KString("D"));
    volume.copy(directory(""));

    ASSERT_EQ(catcher.boxes().size(), 9u);
    for (const CaughtMessageBox& box : catcher.boxes())
        EXPECT_EQ(box.caption, "Not Yet Implemented!");
    EXPECT_EQ(catcher.boxes()[0].text, "void KDiskObjectReference::remove()");
    EXPECT_EQ(catcher.boxes()[5].text, "void KFileReference::changeExtension(const KString&)");
    EXPECT_EQ(catcher.boxes()[6].text, "bool KVolume::doesExist() const");
    EXPECT_TRUE(catcher.reports().empty());
    EXPECT_EQ(readBytes(folder.file("keep.txt")), Bytes{1});
    EXPECT_EQ(text(reference.getPath().getExtension()), "txt");
}

} // namespace
