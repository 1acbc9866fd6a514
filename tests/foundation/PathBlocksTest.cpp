// The class blocks of paths and disk-object references.
#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KFileReference.h"
#include "foundation/KVolume.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace {

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
    EXPECT_TRUE(networkBack == network);
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
    EXPECT_TRUE(stored.getFirstDate() == KDate(1999, 12, 31));
    EXPECT_TRUE(stored.getSecondTime() == KTime(11, 21, 31));
    EXPECT_TRUE(stored.getPath() == windowsPath("C:\\a.txt"));

    KDiskObjectReference copy(stored);
    KDiskObjectReference back;
    EXPECT_EQ(blocks.roundTrip(copy, back), 0);
    EXPECT_TRUE(back == stored);
    EXPECT_TRUE(back.getSecondDate() == KDate(2000, 1, 1));
    EXPECT_TRUE(back.getFirstTime() == KTime());
    EXPECT_TRUE(back.getSecondTime() == KTime());
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
