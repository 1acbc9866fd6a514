// Class blocks: exact layout, nesting, skipping what a reader does not know, the load
// counters, the unknown-class modes and damaged lengths.
#include "foundation/KClassReader.h"
#include "foundation/KClassWriter.h"
#include "foundation/KDate.h"
#include "foundation/KString.h"
#include "foundation/KTime.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/support/ReportCatcher.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace {

const long kThingID = 2069599424L;

class ClassBlocks : public testing::Test {
protected:
    void SetUp() override
    {
        KClassReader::resetLoadCounters();
        m_mode = KClassReader::getUnknownClassMode();
    }
    void TearDown() override { KClassReader::setUnknownClassMode(m_mode); }

    // Reopens the file that the test wrote, for reading from its start.
    void reopen(KFile& F)
    {
        F.close();
        F.open();
    }

    TemporaryFolder folder;
    std::string path = folder.file("block.bin");
    uint8 m_mode = 1;
};

TEST_F(ClassBlocks, EmptyBlockIs16Bytes)
{
    FreshFile file(path);
    KClassWriter writer;
    writer.begin(*file, KThing::getClassRecord());
    writer.end();
    file->close();
    EXPECT_EQ(readBytes(path), ByteList().longs({kThingID, 1, 0, 0}).bytes());

    file->open();
    KClassReader reader;
    long version = -1, sections = -1, id = 0;
    reader.begin(*file, KThing::getClassRecord(), version, sections);
    EXPECT_EQ(version, 1);
    EXPECT_EQ(sections, 0);
    reader.nextSection(id);
    EXPECT_EQ(id, -1);
    reader.end();
    EXPECT_EQ(file->getPosition(), 16);
    EXPECT_EQ(file->getError(), 0);
}

TEST_F(ClassBlocks, SectionLengthsAreBackPatched)
{
    FreshFile file(path);
    KClassWriter writer;
    writer.begin(*file, KThing::getClassRecord());
    writer.newSection(1);
    writer.newSection(2);
    file->writeLong(0x0A0B0C0D);
    writer.end();
    file->close();
    EXPECT_EQ(readBytes(path), ByteList()
                                   .longs({kThingID, 1, 8 + 12, 2})
                                   .longs({1, 8})
                                   .longs({2, 12, 0x0A0B0C0D})
                                   .bytes());
}

TEST_F(ClassBlocks, NestedBlocksLieInsideTheOwnersSection)
{
    FreshFile file(path);
    KClassWriter writer;
    writer.begin(*file, KThing::getClassRecord());
    writer.newSection(1);
    file->writeLong(7);
    KString("ab").writeToFile(*file, 1);
    KString().writeToFile(*file, 1);
    writer.end();
    file->close();

    const long stringID = KString::getClassRecord()->getClassID();
    // "ab": 16 + section (8 + 2 + 4 + 3); the empty string: 16 + section (8 + 2 + 4).
    const Bytes ab = ByteList().longs({stringID, 1, 17, 1, 1, 17}).shorts({1}).longs({2}).text(std::string("ab", 3));
    const Bytes empty = ByteList().longs({stringID, 1, 14, 1, 1, 14}).shorts({1}).longs({0});
    const long outerSection = 8 + 4 + static_cast<long>(ab.size() + empty.size());
    EXPECT_EQ(readBytes(path), ByteList()
                                   .longs({kThingID, 1, outerSection, 1})
                                   .longs({1, outerSection, 7})
                                   .append(ab)
                                   .append(empty)
                                   .bytes());
}

// A block of KThing with sections 1, 2 and 3, each holding one long.
void writeThreeSections(KFile& F)
{
    KClassWriter writer;
    writer.begin(F, KThing::getClassRecord());
    for (long id = 1; id <= 3; ++id) {
        writer.newSection(id);
        F.writeLong(id * 100);
    }
    writer.end();
    F.writeLong(0x7E57);
}

TEST_F(ClassBlocks, UnreadSectionsAreSteppedOverAndCounted)
{
    FreshFile file(path);
    writeThreeSections(*file);
    reopen(*file);

    KClassReader reader;
    ASSERT_TRUE(reader.beginAtSection(*file, KThing::getClassRecord(), 1));
    long value = 0;
    EXPECT_EQ(file->readLong(value), 100);
    EXPECT_EQ(reader.getSectionBytesLeft(), 0);
    reader.end();
    EXPECT_EQ(KClassReader::getUnreadSectionCount(), 1);
    EXPECT_EQ(file->readLong(value), 0x7E57);
}

TEST_F(ClassBlocks, AReaderThatMeetsAnUnexpectedOnlySectionStillEndsAfterTheBlock)
{
    FreshFile file(path);
    KClassWriter writer;
    writer.begin(*file, KThing::getClassRecord());
    writer.newSection(7);
    file->writeLong(700);
    file->writeLong(701);
    writer.end();
    file->writeLong(0x7E57);
    reopen(*file);

    KClassReader reader;
    EXPECT_FALSE(reader.beginAtSection(*file, KThing::getClassRecord(), 1));
    reader.end();
    long value = 0;
    EXPECT_EQ(file->readLong(value), 0x7E57);
    // The one section was handed out: nothing counts as unread.
    EXPECT_EQ(KClassReader::getUnreadSectionCount(), 0);
}

TEST_F(ClassBlocks, LoopReaderSkipsUnknownSectionsWithoutCounting)
{
    FreshFile file(path);
    writeThreeSections(*file);
    reopen(*file);

    KClassReader reader;
    long version = 0, sections = 0, id = 0, value = 0;
    reader.begin(*file, KThing::getClassRecord(), version, sections);
    ASSERT_EQ(sections, 3);
    for (long i = 0; i < sections; ++i) {
        reader.nextSection(id);
        if (id == 2) {
            EXPECT_EQ(reader.getSectionBytesLeft(), 4);
            EXPECT_EQ(file->readLong(value), 200);
        } else {
            reader.skipSection();
        }
    }
    reader.end();
    EXPECT_EQ(KClassReader::getUnreadSectionCount(), 0);
    EXPECT_EQ(file->readLong(value), 0x7E57);
}

TEST_F(ClassBlocks, BlockOfAnotherClassIsSkippedWhole)
{
    for (uint8 mode : {0, 1}) {
        KClassReader::resetLoadCounters();
        KClassReader::setUnknownClassMode(mode);
        FreshFile file(path);
        writeThreeSections(*file);
        reopen(*file);

        KDate date(2001, 2, 3);
        date.readFromFile(*file);
        EXPECT_TRUE(date == KDate(2001, 2, 3));
        EXPECT_EQ(KClassReader::getMismatchedBlockCount(), 1);
        EXPECT_EQ(KClassReader::getUnreadSectionCount(), 0);
        long value = 0;
        EXPECT_EQ(file->readLong(value), 0x7E57);
        EXPECT_EQ(file->getError(), 0);
    }
}

TEST_F(ClassBlocks, RefusingModeReports31AndReadsOn)
{
    FreshFile file(path);
    KDate(1999, 12, 31).writeToFile(*file, 1);
    reopen(*file);

    ReportCatcher catcher;
    KClassReader::setUnknownClassMode(KClassReader::RefuseClass);
    KTime time;
    time.readFromFile(*file);
    EXPECT_EQ(catcher.codes(), std::vector<int>{31});
    EXPECT_TRUE(catcher.caught(31, "KClassReader::begin"));
    // Read as if the IDs had matched.
    EXPECT_TRUE(time == KTime(1999, 12, 31));
    EXPECT_EQ(KClassReader::getMismatchedBlockCount(), 0);
}

TEST_F(ClassBlocks, SkipBlockStepsOverAnyClass)
{
    FreshFile file(path);
    writeThreeSections(*file);
    reopen(*file);
    KClassReader reader;
    reader.skipBlock(*file);
    long value = 0;
    EXPECT_EQ(file->readLong(value), 0x7E57);
    EXPECT_EQ(KClassReader::getMismatchedBlockCount(), 0);
}

TEST_F(ClassBlocks, MisuseIsReported)
{
    ReportCatcher catcher;
    FreshFile file(path);
    {
        KClassWriter writer;
        writer.begin(*file, nullptr);
        writer.newSection(1);
        writer.end();
        KClassReader reader;
        long version = 5, sections = 5, id = 5;
        reader.begin(*file, nullptr, version, sections);
        EXPECT_EQ(version, 0);
        EXPECT_EQ(sections, 0);
        reader.nextSection(id);
        EXPECT_EQ(id, 5);
        reader.skipSection();
        reader.end();
    }
    EXPECT_EQ(catcher.codes(), (std::vector<int>{18, 18, 18, 18, 18, 18, 18}));
    EXPECT_TRUE(catcher.caught(18, "KClassWriter::begin"));
    EXPECT_TRUE(catcher.caught(18, "KClassWriter::newSection"));
    EXPECT_TRUE(catcher.caught(18, "KClassWriter::end"));
    EXPECT_TRUE(catcher.caught(18, "KClassReader::begin"));
    EXPECT_TRUE(catcher.caught(18, "KClassReader::nextSection"));
    EXPECT_TRUE(catcher.caught(18, "KClassReader::skipSection"));
    EXPECT_TRUE(catcher.caught(18, "KClassReader::end"));

    catcher.clear();
    {
        KClassWriter writer;
        writer.begin(*file, KThing::getClassRecord());
    }
    reopen(*file);
    {
        KClassReader reader;
        long version = 0, sections = 0;
        reader.begin(*file, KThing::getClassRecord(), version, sections);
    }
    EXPECT_EQ(catcher.codes(), (std::vector<int>{43, 43}));
    EXPECT_TRUE(catcher.caught(43, "KClassWriter::~KClassWriter()"));
    EXPECT_TRUE(catcher.caught(43, "KClassReader::~KClassReader()"));
}

TEST_F(ClassBlocks, DamagedLengthsSetTheFileErrorAndReadNothing)
{
    struct Case {
        const char* what;
        Bytes bytes;
    };
    const Case cases[] = {
        {"block larger than the file", ByteList().longs({kThingID, 1, 1000, 1, 1, 12, 5})},
        {"negative block size", ByteList().longs({kThingID, 1, -4, 1, 1, 12, 5})},
        {"more sections than fit", ByteList().longs({kThingID, 1, 12, 2, 1, 12, 5})},
        {"section beyond its block", ByteList().longs({kThingID, 1, 12, 1, 1, 100, 5})},
        {"section shorter than its header", ByteList().longs({kThingID, 1, 12, 1, 1, 4, 5})},
    };
    for (const Case& c : cases) {
        writeBytes(path, c.bytes);
        KFile file(windowsPath(path));
        file.open();
        KClassReader reader;
        EXPECT_FALSE(reader.beginAtSection(file, KThing::getClassRecord(), 1)) << c.what;
        long id = 0;
        reader.nextSection(id);
        EXPECT_EQ(id, -1) << c.what;
        reader.end();
        EXPECT_EQ(file.getError(), KClassReader::kDamagedDataError) << c.what;
    }
}

TEST_F(ClassBlocks, TruncatedBlockReadsAsZerosWithTheErrorSet)
{
    writeBytes(path, ByteList().longs({kThingID, 1}).raw({0, 0}));
    KFile file(windowsPath(path));
    file.open();
    KClassReader reader;
    long version = 0, sections = 7;
    reader.begin(file, KThing::getClassRecord(), version, sections);
    EXPECT_EQ(sections, 0);
    reader.end();
    EXPECT_EQ(file.getError(), 40);
}

} // namespace
