// KFile: big-endian typed transfers in every mode, the error code, buffering.
#include "foundation/KFile.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

void writeTypedValues(KFile& F)
{
    F.writeLong(1);
    F.writeShort(-2);
    F.writeFloat(1.0f);
    F.writeDouble(1.0);
    F.writeChar('A');
    F.writeByte(0xFE);
}

const Bytes& typedValueBytes()
{
    static const Bytes bytes = ByteList()
                                   .longs({1})
                                   .raw({0xFF, 0xFE, 0x3F, 0x80, 0x00, 0x00})
                                   .raw({0x3F, 0xF0, 0, 0, 0, 0, 0, 0})
                                   .raw({'A', 0xFE});
    return bytes;
}

class KFileTest : public testing::Test {
protected:
    TemporaryFolder folder;
    std::string path = folder.file("data.bin");
};

TEST_F(KFileTest, TypedWritesAreBigEndianInEveryWritingMode)
{
    for (uint8 mode : {KFile::Direct, KFile::WriteBehind, KFile::Memory}) {
        {
            FreshFile file(path, mode);
            writeTypedValues(*file);
            file->close();
            EXPECT_EQ(file->getError(), 0) << int(mode);
        }
        EXPECT_EQ(readBytes(path), typedValueBytes()) << int(mode);
    }
}

TEST_F(KFileTest, TypedReadsInDirectAndReadAllModes)
{
    writeBytes(path, typedValueBytes());
    for (uint8 mode : {KFile::Direct, KFile::ReadAll}) {
        KFile file(windowsPath(path));
        file.setMode(mode);
        file.open();
        long l = 0;
        short s = 0;
        float f = 0;
        double d = 0;
        char c = 0;
        uint8 b = 0;
        EXPECT_EQ(file.readLong(l), 1);
        EXPECT_EQ(l, 1);
        EXPECT_EQ(file.readShort(s), -2);
        EXPECT_EQ(file.readFloat(f), 1.0f);
        EXPECT_EQ(file.readDouble(d), 1.0);
        file.readChar(c);
        file.readByte(b);
        EXPECT_EQ(c, 'A');
        EXPECT_EQ(b, 0xFE);
        EXPECT_EQ(file.getError(), 0) << int(mode);
        EXPECT_EQ(file.getPosition(), 20);
        file.close();
    }
}

TEST_F(KFileTest, ShortReadsGiveZerosAndError40)
{
    writeBytes(path, {0x12, 0x34, 0x56, 0x78, 0xAB, 0xCD});
    KFile file(windowsPath(path));
    file.open();
    long value = 7;
    file.readLong(value);
    EXPECT_EQ(file.getError(), 0);
    // Two bytes left: they form the high half.
    EXPECT_EQ(file.readLong(value), static_cast<long>(0xABCD0000));
    EXPECT_EQ(file.getError(), 40);
    file.clearError();
    EXPECT_EQ(file.readLong(value), 0);
    EXPECT_EQ(file.getError(), 40);
    file.close();

    // Read-all mode copies nothing of a read that would pass the end.
    KFile all(windowsPath(path));
    all.setMode(KFile::ReadAll);
    all.open();
    unsigned char buffer[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    EXPECT_EQ(all.read(buffer, 4), 4);
    EXPECT_EQ(all.read(buffer, 4), 0);
    EXPECT_EQ(all.getError(), 40);
    EXPECT_EQ(buffer[0], 0x12);
    EXPECT_EQ(all.getPosition(), 4);
    all.close();
}

TEST_F(KFileTest, MissingFileLeavesError33AndStaysClosed)
{
    KFile file(windowsPath(folder.file("missing.bin")));
    file.open();
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.getError(), 33);
    EXPECT_EQ(file.getSize(), 0);

    KFile inMissingFolder(windowsPath(folder.file("nowhere\\x.bin")));
    inMissingFolder.create();
    EXPECT_EQ(inMissingFolder.getError(), 33);
}

TEST_F(KFileTest, CreateEmptiesAndLeavesTheFileClosed)
{
    writeBytes(path, {1, 2, 3});
    KFile file(windowsPath(path));
    file.create();
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(readBytes(path).size(), 0u);
    file.open();
    EXPECT_TRUE(file.isOpen());
    EXPECT_EQ(file.getError(), 0);
    file.writeLong(5);
    // create on an open file closes it first.
    file.create();
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(readBytes(path).size(), 0u);
}

TEST_F(KFileTest, ReadOnlyFileOpensForReadingAndRefusesWrites)
{
    writeBytes(path, {0, 0, 0, 42});
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE probe = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        // A superuser's system lets anybody write: nothing to fall back from here.
        CloseHandle(probe);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        GTEST_SKIP() << "read-only files are writable for this user";
    }
    KFile file(windowsPath(path));
    file.open();
    EXPECT_TRUE(file.isOpen());
    EXPECT_EQ(file.getError(), 0);
    long value = 0;
    EXPECT_EQ(file.readLong(value), 42);
    file.writeLong(1);
    EXPECT_NE(file.getError(), 0);
    file.close();
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readBytes(path), (Bytes{0, 0, 0, 42}));
}

TEST_F(KFileTest, OpeningTwiceKeepsTheFirstHandle)
{
    writeBytes(path, {0, 0, 0, 7});
    KFile file(windowsPath(path));
    file.open();
    file.open();
    EXPECT_NE(file.getError(), 0);
    EXPECT_TRUE(file.isOpen());
    long value = 0;
    EXPECT_EQ(file.readLong(value), 7);
}

TEST_F(KFileTest, EmptyPathReports47)
{
    ReportCatcher catcher;
    KFile file;
    file.create();
    file.open();
    EXPECT_TRUE(catcher.caught(47, "void KFile::create()"));
    EXPECT_TRUE(catcher.caught(47, "void  KFile::open()"));
    EXPECT_FALSE(file.isOpen());
}

TEST_F(KFileTest, RefusedOperationsOfTheBufferedModes)
{
    ReportCatcher catcher;
    FreshFile behind(path, KFile::WriteBehind);
    char c = 0;
    EXPECT_EQ(behind->read(&c, 1), 0);
    behind->setPosition(0);
    behind->setMode(KFile::Direct);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{46, 46, 45}));
    EXPECT_TRUE(catcher.caught(46, "long KFile::read(void* Buff,long Size)"));
    EXPECT_TRUE(catcher.caught(46, "void KFile::setPosition(long Pos)"));
    behind->close();

    catcher.clear();
    KFile all(windowsPath(path));
    all.setMode(KFile::ReadAll);
    all.open();
    EXPECT_EQ(all.write("ab", 2), 2);
    EXPECT_TRUE(catcher.caught(46, "KFile::write(void* Buff,long Size)"));
    all.close();
    EXPECT_EQ(readBytes(path).size(), 0u);

    // Memory mode serves no reads.
    FreshFile memory(folder.file("memory.bin"), KFile::Memory);
    memory->writeLong(3);
    memory->setPosition(0);
    long value = 9;
    EXPECT_EQ(memory->readLong(value), 0);
}

TEST_F(KFileTest, WriteBehindWritesWholeBuffers)
{
    const std::vector<char> data(2 * KFile::kBufferSize + 1, 'x');
    {
        FreshFile file(path, KFile::WriteBehind);
        EXPECT_EQ(file->write(data.data(), KFile::kBufferSize), KFile::kBufferSize);
        // Exactly one buffer's worth went out at once, and nothing waits.
        EXPECT_EQ(file->getSize(), KFile::kBufferSize);
        EXPECT_EQ(file->getPosition(), KFile::kBufferSize);
        file->close();
    }
    {
        FreshFile file(path, KFile::WriteBehind);
        file->writeByte(1);
        EXPECT_EQ(file->getSize(), 0);
        EXPECT_EQ(file->write(data.data(), 2 * KFile::kBufferSize), 2 * KFile::kBufferSize);
        // Two full buffers are out; one byte waits for close.
        EXPECT_EQ(file->getSize(), 2 * KFile::kBufferSize);
        EXPECT_EQ(file->getPosition(), 2 * KFile::kBufferSize + 1);
        file->close();
        EXPECT_EQ(file->getError(), 0);
    }
    const Bytes written = readBytes(path);
    ASSERT_EQ(written.size(), static_cast<std::size_t>(2 * KFile::kBufferSize + 1));
    EXPECT_EQ(written[0], 1);
    EXPECT_EQ(written[1], 'x');
    EXPECT_EQ(written.back(), 'x');
}

TEST_F(KFileTest, MemoryModeGrowsAndWritesUpToItsLength)
{
    {
        FreshFile file(path, KFile::Memory);
        file->writeLong(0x01020304);
        file->setPosition(600000);
        EXPECT_EQ(file->getPosition(), 600000);
        file->writeLong(0x05060708);
        EXPECT_EQ(file->getSize(), 0);
        // Moving back and overwriting does not shorten what close writes.
        file->setPosition(2);
        file->writeShort(0x0A0B);
        file->close();
        EXPECT_EQ(file->getError(), 0);
    }
    const Bytes written = readBytes(path);
    ASSERT_EQ(written.size(), 600004u);
    EXPECT_EQ(written[0], 1);
    EXPECT_EQ(written[2], 0x0A);
    EXPECT_EQ(written[3], 0x0B);
    EXPECT_EQ(written[4], 0);
    EXPECT_EQ(written[599999], 0);
    EXPECT_EQ(written[600000], 5);
    EXPECT_EQ(written[600003], 8);
}

TEST_F(KFileTest, SizeOfAClosedFileLeavesItClosed)
{
    writeBytes(path, Bytes(1234, 7));
    KFile file(windowsPath(path));
    file.setMode(KFile::ReadAll);
    EXPECT_EQ(file.getSize(), 1234);
    EXPECT_FALSE(file.isOpen());
    file.open();
    EXPECT_EQ(file.getSize(), 1234);
    file.close();
    EXPECT_FALSE(file.isOpen());
}

TEST_F(KFileTest, DirectModePositions)
{
    FreshFile file(path);
    file->writeLong(0x11223344);
    file->writeLong(0x55667788);
    file->setPosition(4);
    long value = 0;
    EXPECT_EQ(file->readLong(value), 0x55667788);
    file->setPosition(0);
    EXPECT_EQ(file->readLong(value), 0x11223344);
    EXPECT_EQ(file->getPosition(), 4);
    EXPECT_EQ(file->getSize(), 8);
    EXPECT_EQ(file->getError(), 0);
}

} // namespace
