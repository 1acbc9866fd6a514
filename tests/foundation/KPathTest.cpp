// Paths of the four platform conventions, parsed and built, and the class blocks of paths
// and disk-object references.
#include "foundation/DiskWin32.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFileReference.h"
#include "foundation/KPath.h"
#include "foundation/KVolume.h"
#include "tests/foundation/ContainerHelpers.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

struct Parts {
    std::string server, volume;
    std::vector<std::string> directories;
    std::string name, extension;
};

Parts partsOf(const KPath& P)
{
    Parts parts{text(P.getServer()), text(P.getVolume()), {}, text(P.getName()), text(P.getExtension())};
    for (long i = 0; i < P.getDirectoryCount(); ++i)
        parts.directories.push_back(text(*P.getDirectory(i)));
    return parts;
}

std::string built(const KPath& P, uint8 Platform, uint8 Form = KPath::AsStored)
{
    KString out("stale");
    P.getPathText(out, Platform, Form);
    return text(out);
}

struct ParseCase {
    uint8 platform;
    const char* text;
    Parts parts;
    const char* rebuilt;
    uint8 kind;
};

TEST(KPath, ParsesAndBuildsEachPlatformsTexts)
{
    const ParseCase cases[] = {
        {2, "C:\\Program\\Data\\file.txt", {"", "C", {"Program", "Data"}, "file", "txt"}, "C:\\Program\\Data\\file.txt", 2},
        {2, "C:\\", {"", "C", {}, "", ""}, "C:\\", 0},
        {2, "C:\\Data\\", {"", "C", {"Data"}, "", ""}, "C:\\Data\\", 1},
        {2, "\\\\host\\share\\a.b", {"host", "", {"share"}, "a", "b"}, "\\\\host\\share\\a.b", 2},
        {2, "\\\\host", {"host", "", {}, "", ""}, "\\\\host\\", 3},
        {2, "\\Data\\x", {"", "", {"Data"}, "x", ""}, "Data\\x", 2},
        {2, "dir\\name.ext", {"", "", {"dir"}, "name", "ext"}, "dir\\name.ext", 2},
        {2, "a\\\\b", {"", "", {"a"}, "b", ""}, "a\\b", 2},
        {2, "archive.tar.gz", {"", "", {}, "archive.tar", "gz"}, "archive.tar.gz", 2},
        {2, "readme.", {"", "", {}, "readme.", ""}, "readme.", 2},
        {2, ".profile", {"", "", {}, ".profile", ""}, ".profile", 2},
        {2, "C:\\old.files\\", {"", "C", {"old.files"}, "", ""}, "C:\\old.files\\", 1},
        {0, "usr/lib/x", {"", "usr", {"lib"}, "x", ""}, "usr/lib/x", 2},
        {0, "/usr/lib/x", {"", "", {"usr", "lib"}, "x", ""}, "usr/lib/x", 2},
        {1, "Disk:Folder:File", {"", "Disk", {"Folder"}, "File", ""}, "Disk:Folder:File", 2},
        {1, ":Folder:File", {"", "", {"Folder"}, "File", ""}, ":Folder:File", 2},
        {1, "File", {"", "", {}, "File", ""}, ":File", 2},
        {1, "Disk:File", {"", "Disk", {}, "File", ""}, "Disk:File", 2},
        {1, "Disk:Pictures:", {"", "Disk", {"Pictures"}, "", ""}, "Disk:Pictures:", 1},
        {3, "a/b", {"", "", {"a"}, "b", ""}, "a/b", 2},
        {3, "x:/y", {"", "", {"x:"}, "y", ""}, "x:/y", 2},
        {7, "C:\\any/thing.txt", {"", "", {"C:\\any/thing.txt"}, "", ""}, "C:\\any/thing.txt", 1},
        {2, "", {"", "", {}, "", ""}, "", 3},
    };
    for (const ParseCase& c : cases) {
        KPath path;
        path.setPathText(KString(c.text), c.platform);
        const Parts parts = partsOf(path);
        EXPECT_TRUE(parts.server == c.parts.server && parts.volume == c.parts.volume) << c.text;
        EXPECT_EQ(parts.directories, c.parts.directories) << c.text;
        EXPECT_EQ(parts.name + "|" + parts.extension, c.parts.name + "|" + c.parts.extension) << c.text;
        EXPECT_EQ(built(path, c.platform), c.rebuilt) << c.text;
        EXPECT_EQ(path.getKind(), c.kind) << c.text;
    }
}

TEST(KPath, BuildsForOtherPlatforms)
{
    KPath path;
    path.setPathText(KString("Disk:Folder:File"), 1);
    EXPECT_EQ(built(path, 2), "Disk:\\Folder\\File");
    EXPECT_EQ(built(path, 0), "Disk/Folder/File");
    EXPECT_EQ(built(path, 3), "DiskFolder/File");
    EXPECT_EQ(built(path, 9), "DiskFolderFile");

    path.clearVolume();
    EXPECT_EQ(built(path, 1), ":Folder:File");
    path.clearDirectories();
    EXPECT_EQ(built(path, 1), ":File");

    // The server prefix belongs to the Windows convention only.
    KPath network;
    network.setPathText(KString("\\\\host\\share\\a.b"), 2);
    EXPECT_EQ(built(network, 0), "share/a.b");
    // A form that is neither stored nor absolute gives only the server prefix.
    EXPECT_EQ(built(network, 2, 5), "\\\\host\\");
    EXPECT_EQ(built(network, 0, 5), "");
}

TEST(KPath, AbsoluteFormStartsAtTheProgramFolder)
{
    const std::string folder = text(getProgramFolderWin32());
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');

    KPath relative;
    relative.setPathText(KString("Media\\clip.wav"), 2);
    EXPECT_EQ(built(relative, 2, KPath::Absolute), folder + "Media\\clip.wav");

    for (const char* absolute : {"D:\\x.txt", "\\\\host\\share\\a.b"}) {
        KPath path;
        path.setPathText(KString(absolute), 2);
        EXPECT_EQ(built(path, 2, KPath::Absolute), absolute);
    }
}

TEST(KPath, FileNamesAndLeafNames)
{
    // Unlike a parsed path, a leading dot starts the extension.
    const std::pair<const char*, const char*> names[] = {
        {"archive.tar.gz", "archive.tar|gz"}, {".cfg", "|cfg"}, {"readme.", "readme.|"}, {"plain", "plain|"}};
    KPath path;
    for (const auto& [name, split] : names) {
        path.setFileName(KString(name));
        EXPECT_EQ(text(path.getName()) + "|" + text(path.getExtension()), split) << name;
    }
    path.setFileName(KString());
    EXPECT_TRUE(path.isEmpty());

    const std::pair<const char*, const char*> leaves[] = {
        {"", ""}, {"C:\\", "C"}, {"C:\\a\\b\\", "b"}, {"C:\\a\\b.txt", "b.txt"}, {"C:\\a\\b", "b"}};
    for (const auto& [pathText, leafText] : leaves) {
        path.setPathText(KString(pathText), 2);
        KString leaf("stale");
        path.getLeafName(leaf);
        EXPECT_EQ(text(leaf), leafText) << pathText;
    }
}

TEST(KPath, EqualityCopiesAndDirectories)
{
    KPath upper, lower;
    upper.setPathText(KString("C:\\Data\\File.txt"), 2);
    lower.setPathText(KString("C:\\data\\File.txt"), 2);
    EXPECT_TRUE(upper != lower);

    // Copies have their own directory strings; assignment replaces them.
    KPath copy(upper);
    EXPECT_TRUE(copy == upper);
    EXPECT_NE(copy.getDirectory(0), upper.getDirectory(0));
    KPath assigned;
    assigned.addDirectory(KString("gone"));
    assigned = upper;
    EXPECT_TRUE(assigned == upper && assigned.getDirectoryCount() == 1);
    KPath serverOnly;
    serverOnly.setPathText(KString("\\\\host"), 2);
    EXPECT_TRUE(serverOnly != KPath());

    // A heap string is shared, anything else copied; empty names are never stored.
    KStringPtr shared(new KString("shared"));
    copy.addDirectory(*shared);
    copy.addDirectory(KString());
    EXPECT_EQ(copy.getDirectory(1), shared.get());
    EXPECT_EQ(copy.getDirectoryCount(), 2);
}


long classID(const char* Name)
{
    return KClass::findClass(Name)->getClassID();
}

// The big-endian long at an offset of the bytes.
long longAt(const Bytes& B, std::size_t Offset)
{
    return static_cast<long>((uint32(B.at(Offset)) << 24) | (uint32(B.at(Offset + 1)) << 16)
                             | (uint32(B.at(Offset + 2)) << 8) | uint32(B.at(Offset + 3)));
}

class PathBlocks : public testing::Test {
protected:
    ReaderState reader;
    TemporaryFolder folder;
    std::string path = folder.file("path.bin");
    BlockFile blocks{path};
};

TEST_F(PathBlocks, PathsRoundTripWithTheServerInASecondSection)
{
    KPath local = windowsPath("C:\\Program\\Data\\file.txt");
    const Bytes localBytes = blocks.written(local);
    // One section, which begins with the volume's string block.
    EXPECT_EQ(longAt(localBytes, 0), classID("KPath"));
    EXPECT_EQ(longAt(localBytes, 12), 1);
    EXPECT_EQ(longAt(localBytes, 24), classID("KString"));
    KPath back;
    EXPECT_EQ(blocks.readBack(back), 0);
    EXPECT_TRUE(back == local);

    KPath network = windowsPath("\\\\host\\share\\a.b");
    EXPECT_EQ(longAt(blocks.written(network), 12), 2);
    KPath networkBack;
    EXPECT_EQ(blocks.readBack(networkBack), 0);
    EXPECT_TRUE(networkBack == network && networkBack.getServer() == KString("host"));
    EXPECT_EQ(KClassReader::getUnreadSectionCount(), 0);

    // A path read over one with a server does not keep that server.
    blocks.written(local);
    EXPECT_EQ(blocks.readBack(networkBack), 0);
    EXPECT_TRUE(networkBack == local);
}

TEST_F(PathBlocks, DirectoriesThatAreNotStringsAreDamage)
{
    {
        FreshFile file(path);
        KClassWriter writer;
        writer.begin(*file, KPath::getClassRecord());
        writer.newSection(1);
        KString("C").writeToFile(*file, 1);
        KString("x").writeToFile(*file, 1);
        KString().writeToFile(*file, 1);
        KBag directories;
        directories.add(*new KString("kept"));
        directories.add(*new KDate(2000, 1, 1));
        directories.writeToFile(*file, 1);
        writer.end();
        file->close();
    }
    KPath path;
    EXPECT_EQ(blocks.readBack(path), KClassReader::kDamagedDataError);
    ASSERT_EQ(path.getDirectoryCount(), 1);
    EXPECT_TRUE(*path.getDirectory(0) == KString("kept"));
    EXPECT_TRUE(path.getName() == KString("x"));
}

TEST_F(PathBlocks, ReferencesCarryDatesThroughCopiesButNotTimes)
{
    {
        FreshFile file(path);
        KClassWriter writer;
        writer.begin(*file, KDiskObjectReference::getClassRecord());
        writer.newSection(1);
        file->writeShort(KPath::FileKind);
        KDate(1999, 12, 31).writeToFile(*file, 1);
        KDate(2000, 1, 1).writeToFile(*file, 1);
        KTime(10, 20, 30).writeToFile(*file, 1);
        KTime(11, 21, 31).writeToFile(*file, 1);
        windowsPath("C:\\a.txt").writeToFile(*file, 1);
        // Platform data of another system, which readers step over.
        writer.newSection(2);
        file->writeLong(0x12345678);
        writer.end();
        file->close();
    }
    KDiskObjectReference stored;
    EXPECT_EQ(blocks.readBack(stored), 0);
    EXPECT_EQ(KClassReader::getUnreadSectionCount(), 0);
    EXPECT_EQ(stored.getKind(), KPath::FileKind);
    EXPECT_TRUE(stored.getFirstDate() == KDate(1999, 12, 31) && stored.getSecondTime() == KTime(11, 21, 31));
    EXPECT_TRUE(stored.getPath() == windowsPath("C:\\a.txt"));
    KDiskObjectReference copy(stored), back;
    EXPECT_EQ(blocks.roundTrip(copy, back), 0);
    EXPECT_TRUE(back == stored && back.getSecondDate() == KDate(2000, 1, 1));
    EXPECT_TRUE(back.getFirstTime() == KTime() && back.getSecondTime() == KTime());
}

TEST_F(PathBlocks, FileReferencesWrapTheBaseBlockAndVolumesStoreIt)
{
    KFileReference reference(windowsPath("C:\\Docs\\story.tpd"));
    reference.setFileTypeHandle(0x545044);
    const Bytes bytes = blocks.written(reference);
    // One section of ID 1: the type handle, then the base block, whose section starts
    // with the kind as a short.
    EXPECT_EQ(longAt(bytes, 0), classID("KFileReference"));
    EXPECT_EQ(longAt(bytes, 12) + longAt(bytes, 16), 2);
    EXPECT_EQ(longAt(bytes, 24), 0x545044);
    EXPECT_EQ(longAt(bytes, 28), classID("KDiskObjectReference"));
    EXPECT_EQ(longAt(bytes, 44), 1);
    EXPECT_EQ(longAt(bytes, 52) >> 16, KPath::FileKind);
    KFileReference back;
    EXPECT_EQ(blocks.readBack(back), 0);
    EXPECT_TRUE(back == reference);
    EXPECT_EQ(back.getFileTypeHandle(), 0x545044);
    // A file object stores itself as its reference.
    KFile file(reference);
    EXPECT_EQ(blocks.written(file), bytes);

    KVolume volume;
    volume.setPath(windowsPath("D:\\x\\y.z"));
    EXPECT_EQ(longAt(blocks.written(volume), 0), classID("KDiskObjectReference"));
    KVolume volumeBack;
    EXPECT_EQ(blocks.readBack(volumeBack), 0);
    EXPECT_TRUE(volumeBack == volume);
    EXPECT_EQ(volumeBack.getKind(), KPath::VolumeKind);
}

} // namespace
