// Disk-object references: existence, file operations, copies, the operations that only
// show the "Not Yet Implemented!" box, and file type IDs.
#include "foundation/KDirectory.h"
#include "foundation/KFileReference.h"
#include "foundation/KVolume.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

std::string text(const KString& S)
{
    return std::string(S.getText(), S.getLength());
}

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

TEST_F(References, ExistenceOfFilesDirectoriesAndDrives)
{
    writeBytes(folder.file("a.txt"), {1});
    EXPECT_TRUE(file("a.txt").exists());
    EXPECT_FALSE(file("b.txt").exists());

    // A trailing separator is dropped before the look-up.
    EXPECT_TRUE(KDiskObjectReference(windowsPath(folder.path() + "\\")).exists());
    EXPECT_EQ(KDiskObjectReference(windowsPath(folder.path() + "\\")).getKind(), KPath::DirectoryKind);
    // A file reference without name and extension does not exist, whatever its folder.
    EXPECT_FALSE(KFileReference(windowsPath(folder.path() + "\\")).exists());
    EXPECT_FALSE(KDiskObjectReference().exists());

    // Drives are matched by their exact letter.
    KPath volume;
    volume.setVolume(KString("C"));
    KDiskObjectReference drive(volume);
    EXPECT_EQ(drive.getKind(), KPath::VolumeKind);
    EXPECT_TRUE(drive.exists());
    volume.setVolume(KString("c"));
    EXPECT_FALSE(KDiskObjectReference(volume).exists());
}

TEST_F(References, AFileKnowsTheDirectoryThatHoldsIt)
{
    writeBytes(folder.file("inside.txt"), {1});
    KDirectory holder = file("inside.txt").getDirectory();
    EXPECT_TRUE(holder.exists());
    EXPECT_TRUE(holder.getPath().getName().isEmpty());
    EXPECT_TRUE(holder.getPath().getExtension().isEmpty());
    EXPECT_EQ(text(holder.getNativePath()), folder.path() + "\\");
}

TEST_F(References, CopiesTakeKindDatesAndPathButNotTimes)
{
    KDiskObjectReference source(windowsPath("C:\\x\\y.txt"));
    KDiskObjectReference copy(source);
    EXPECT_TRUE(copy == source);
    EXPECT_EQ(copy.getKind(), KPath::FileKind);

    // Two references to one path with different kinds differ.
    KDiskObjectReference asDirectory(windowsPath("C:\\x\\"));
    EXPECT_EQ(asDirectory.getKind(), KPath::DirectoryKind);
    KFileReference made(asDirectory);
    EXPECT_EQ(made.getKind(), KPath::FileKind);
    EXPECT_TRUE(made != asDirectory);
    EXPECT_TRUE(made.getPath() == asDirectory.getPath());

    KFileReference typed(windowsPath("C:\\x\\y.txt"));
    typed.setFileTypeHandle(0x545854);
    KFileReference typedCopy(typed);
    EXPECT_EQ(typedCopy.getFileTypeHandle(), 0x545854);
    KFileReference assigned;
    assigned = typed;
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
    EXPECT_FALSE(a.exists());
    // Removing what is not there is silent.
    a.remove();

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
    EXPECT_EQ(readBytes(folder.file("target\\y.dat")), (Bytes{7, 8}));

    x.copyAndRename(windowsPath(folder.file("target\\z.bin")));
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

    const std::vector<std::string> expected = {
        "void KDiskObjectReference::remove()",
        "void KDiskObjectReference::rename(const KString& NewName)",
        "void KDiskObjectReference::copy(const KDirectory& D)",
        "void KDiskObjectReference::copyAndRename(const KDirectory& D, const KString& NewName)",
        "void KDiskObjectReference::copyAndRename(const KDirectory& D, const KString& NewName)",
        "void KFileReference::changeExtension(const KString&)",
        "bool KVolume::doesExist() const",
        "void KVolume::rename(const KString& S)",
        "void KVolume::copy(const KDirectory& D)",
    };
    ASSERT_EQ(catcher.boxes().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(catcher.boxes()[i].caption, "Not Yet Implemented!");
        EXPECT_EQ(catcher.boxes()[i].text, expected[i]);
    }
    EXPECT_TRUE(catcher.reports().empty());
    EXPECT_EQ(readBytes(folder.file("keep.txt")), Bytes{1});
    EXPECT_EQ(text(reference.getPath().getExtension()), "txt");
}

TEST(FileTypes, IDsPackTheUpperCasedExtension)
{
    EXPECT_EQ(KFileTypeHandler::makeTypeID(KString("tpd")), 0x00545044);
    EXPECT_EQ(KFileTypeHandler::makeTypeID(KString("TPD")), 0x00545044);
    EXPECT_EQ(KFileTypeHandler::makeTypeID(KString("Tpd")), 0x00545044);
    EXPECT_EQ(KFileTypeHandler::makeTypeID(KString()), 0);
    EXPECT_EQ(KFileTypeHandler::makeTypeID(KString("jpeg")), 0x4A504547);
    // Only the last four characters of a longer one count.
    EXPECT_EQ(KFileTypeHandler::makeTypeID(KString("xjpeg")), 0x4A504547);
    // Bytes of 0x80 and above enter sign-extended; only a to z are upper-cased.
    EXPECT_EQ(KFileTypeHandler::makeTypeID(KString("\xE9")), -23);
    EXPECT_EQ(KFileTypeHandler::makeTypeID(KString("a\xE9")), 0x41 * 256 - 23);

    // No file type is registered yet, so references carry no type.
    KFileReference reference(windowsPath("C:\\notes.txt"));
    EXPECT_EQ(reference.getFileTypeHandle(), kNoFileType);
}

} // namespace
