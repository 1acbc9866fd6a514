// KFile: big-endian typed transfers in every mode, the error code, buffering.
#include "foundation/KClassReader.h"
#include "foundation/KFile.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace {

class KFileTest : public testing::Test {
protected:
    TemporaryFolder folder;
    std::string path = folder.file("data.bin");
};

TEST_F(KFileTest, TypedValuesAreBigEndianInEveryMode)
{
    const Bytes expected = ByteList()
                               .longs({1})
                               .raw({0xFF, 0xFE, 0x3F, 0x80, 0x00, 0x00})
                               .raw({0x3F, 0xF0, 0, 0, 0, 0, 0, 0})
                               .raw({'A', 0xFE});
    for (uint8 mode : {KFile::Direct, KFile::WriteBehind, KFile::Memory}) {
        FreshFile file(path, mode);
        file->writeLong(1);
        file->writeShort(-2);
        file->writeFloat(1.0f);
        file->writeDouble(1.0);
        file->writeChar('A');
        file->writeByte(0xFE);
        file->close();
        EXPECT_EQ(file->getError(), 0) << int(mode);
        EXPECT_EQ(readBytes(path), expected) << int(mode);
    }
    for (uint8 mode : {KFile::Direct, KFile::ReadAll}) {
        OpenedFile file(path, mode);
        long l = 0;
        short s = 0;
        float f = 0;
        double d = 0;
        char c = 0;
        uint8 b = 0;
        EXPECT_TRUE(file.readLong(l) == 1 && l == 1 && file.readShort(s) == -2);
        EXPECT_TRUE(file.readFloat(f) == 1.0f && file.readDouble(d) == 1.0);
        file.readChar(c);
        file.readByte(b);
        EXPECT_TRUE(c == 'A' && b == 0xFE);
        EXPECT_EQ(file.getError(), 0) << int(mode);
        EXPECT_EQ(file.getPosition(), 20);
        if (mode == KFile::Direct) {
            file.setPosition(4);
            EXPECT_EQ(file.readShort(s), -2);
        }
    }
}

TEST_F(KFileTest, ShortReadsGiveZerosAndError40)
{
    writeBytes(path, {0x12, 0x34, 0x56, 0x78, 0xAB, 0xCD});
    OpenedFile file(path);
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
    OpenedFile all(path, KFile::ReadAll);
    unsigned char buffer[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    EXPECT_EQ(all.read(buffer, 4), 4);
    EXPECT_EQ(all.read(buffer, 4), 0);
    EXPECT_EQ(all.getError(), 40);
    EXPECT_EQ(buffer[0], 0x12);
    EXPECT_EQ(all.getPosition(), 4);
}

TEST_F(KFileTest, OpeningCreatingAndMissingFiles)
{
    OpenedFile missing(folder.file("missing.bin"));
    EXPECT_FALSE(missing.isOpen());
    EXPECT_EQ(missing.getError(), 33);
    EXPECT_EQ(missing.getSize(), 0);
    KFile inMissingFolder(windowsPath(folder.file("nowhere\\x.bin")));
    inMissingFolder.create();
    EXPECT_EQ(inMissingFolder.getError(), 33);

    // The size of a closed file leaves it closed.
    writeBytes(path, {0, 0, 0, 7});
    KFile file(windowsPath(path));
    EXPECT_EQ(file.getSize(), 4);
    EXPECT_FALSE(file.isOpen());
    // Opening twice keeps the first handle.
    file.open();
    file.open();
    EXPECT_NE(file.getError(), 0);
    long value = 0;
    EXPECT_EQ(file.readLong(value), 7);
    // create on an open file closes it first, and empties it.
    file.create();
    EXPECT_FALSE(file.isOpen());
    EXPECT_TRUE(readBytes(path).empty());

    ReportCatcher catcher;
    KFile unnamed;
    unnamed.create();
    unnamed.open();
    EXPECT_TRUE(catcher.caught(47, "void KFile::create()"));
    EXPECT_TRUE(catcher.caught(47, "void  KFile::open()"));
}

TEST_F(KFileTest, RefusedOperationsOfTheBufferedModes)
{
    ReportCatcher catcher;
    FreshFile behind(path, KFile::WriteBehind);
    char c = 0;
    EXPECT_EQ(behind->read(&c, 1), 0);
    behind->setPosition(0);
    behind->setMode(KFile::Direct);
    behind->close();
    OpenedFile all(path, KFile::ReadAll);
    EXPECT_EQ(all.write("ab", 2), 2);
    all.close();
    EXPECT_EQ(catcher.codes(), (std::vector<int>{46, 46, 45, 46}));
    EXPECT_TRUE(catcher.caught(46, "void KFile::setPosition(long Pos)"));
    EXPECT_TRUE(catcher.caught(46, "KFile::write(void* Buff,long Size)"));
    EXPECT_TRUE(readBytes(path).empty());

    // Memory mode serves no reads.
    FreshFile memory(folder.file("memory.bin"), KFile::Memory);
    memory->writeLong(3);
    memory->setPosition(0);
    long value = 9;
    EXPECT_EQ(memory->readLong(value), 0);
}

TEST_F(KFileTest, WriteBehindWritesWholeBuffers)
{
    const long buffer = KFile::kBufferSize;
    const std::vector<char> data(2 * buffer + 1, 'x');
    {
        FreshFile file(path, KFile::WriteBehind);
        EXPECT_EQ(file->write(data.data(), buffer), buffer);
        // Exactly one buffer's worth went out at once, and nothing waits.
        EXPECT_EQ(file->getSize(), buffer);
    }
    FreshFile file(path, KFile::WriteBehind);
    file->writeByte(1);
    EXPECT_EQ(file->getSize(), 0);
    EXPECT_EQ(file->write(data.data(), 2 * buffer), 2 * buffer);
    // Two full buffers are out; one byte waits for close.
    EXPECT_EQ(file->getSize(), 2 * buffer);
    EXPECT_EQ(file->getPosition(), 2 * buffer + 1);
    file->close();
    EXPECT_EQ(file->getError(), 0);
    Bytes expected(2 * buffer + 1, 'x');
    expected[0] = 1;
    EXPECT_EQ(readBytes(path), expected);
}

TEST_F(KFileTest, MemoryModeGrowsAndWritesUpToItsLength)
{
    FreshFile file(path, KFile::Memory);
    file->writeLong(0x01020304);
    file->setPosition(600000);
    file->writeLong(0x05060708);
    EXPECT_EQ(file->getSize(), 0);
    // Moving back and overwriting does not shorten what close writes.
    file->setPosition(2);
    file->writeShort(0x0A0B);
    file->close();
    EXPECT_EQ(file->getError(), 0);
    Bytes expected(600000, 0);
    expected[0] = 1;
    expected[1] = 2;
    expected[2] = 0x0A;
    expected[3] = 0x0B;
    EXPECT_EQ(readBytes(path), ByteList().append(expected).longs({0x05060708}).bytes());
}

// Documents are read whole: the block reader must find in the buffer exactly what it found
// in the file, through skipped sections, blocks left unread, far moves and the end.
TEST_F(KFileTest, AFileReadWholeReadsAsTheDirectFile)
{
    const long thingID = KThing::getClassRecord()->getClassID();
    ByteList content;
    // Block 1: three sections of which the reader takes the second only.
    content.longs({thingID, 1, 3 * 12, 3}).longs({1, 12, 11}).longs({2, 12, 22}).longs({3, 12, 33});
    // Block 2: a section left unread, then 600 000 bytes of padding and a last long.
    content.longs({thingID, 1, 16, 1}).longs({1, 16, 44, 55});
    content.append(Bytes(600000, 0x5A)).longs({66});
    writeBytes(path, content.bytes());

    auto transcript = [&](uint8 Mode) {
        ReaderState state;
        OpenedFile file(path, Mode);
        std::vector<long> seen;
        KClassReader first;
        long version = 0, count = 0, id = 0, value = 0;
        first.begin(file, KThing::getClassRecord(), version, count);
        for (long i = 0; i < count; ++i) {
            first.nextSection(id);
            seen.push_back(id);
            if (id == 2)
                seen.push_back(file.readLong(value));
            else
                first.skipSection();
        }
        first.end();
        KClassReader second;
        second.beginAtSection(file, KThing::getClassRecord(), 1);
        second.end();
        seen.push_back(file.getPosition());
        seen.push_back(file.getSize());
        file.setPosition(file.getSize() - 4);
        seen.push_back(file.readLong(value));
        seen.push_back(file.getError());
        // Past the end: nothing, and the end-of-file error.
        file.setPosition(file.getSize() + 100000);
        seen.push_back(file.readLong(value));
        seen.push_back(file.getError());
        return seen;
    };
    const std::vector<long> direct = transcript(KFile::Direct);
    EXPECT_EQ(direct, (std::vector<long>{1, 2, 22, 3, 16 + 36 + 16 + 16, long(content.bytes().size()), 66, 0, 0, 40}));
    EXPECT_EQ(transcript(KFile::ReadAll), direct);
}

} // namespace
