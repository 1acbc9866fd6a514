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

#include <functional>

namespace {

const long kThingID = 2069599424L;

class ClassBlocks : public testing::Test {
protected:
    // The bytes that Write puts into a fresh file.
    Bytes writtenBy(const std::function<void(KFile&)>& Write)
    {
        FreshFile file(path);
        Write(*file);
        file->close();
        return readBytes(path);
    }

    // A file holding a block of KThing with sections 1, 2 and 3 of one long each, and a
    // marker behind it, opened for reading.
    KFile& threeSections()
    {
        writtenBy([](KFile& F) {
            KClassWriter writer;
            writer.begin(F, KThing::getClassRecord());
            for (long id = 1; id <= 3; ++id) {
                writer.newSection(id);
                F.writeLong(id * 100);
            }
            writer.end();
            F.writeLong(0x7E57);
        });
        m_file.open();
        return m_file;
    }

    bool atMarker(KFile& F)
    {
        long value = 0;
        return F.readLong(value) == 0x7E57;
    }

    ReaderState reader;
    TemporaryFolder folder;
    std::string path = folder.file("block.bin");
    KFile m_file{windowsPath(path)};
};

TEST_F(ClassBlocks, WrittenLayoutEmptyBackPatchedAndNested)
{
    const Bytes empty = ByteList().longs({kThingID, 1, 0, 0});
    EXPECT_EQ(writtenBy([](KFile& F) {
                  KClassWriter writer;
                  writer.begin(F, KThing::getClassRecord());
                  writer.end();
              }),
              empty);
    m_file.open();
    KClassReader emptyReader;
    long version = -1, sections = -1, id = 0;
    emptyReader.begin(m_file, KThing::getClassRecord(), version, sections);
    emptyReader.nextSection(id);
    emptyReader.end();
    EXPECT_EQ(version, 1);
    EXPECT_EQ(sections, 0);
    EXPECT_EQ(id, -1);
    EXPECT_EQ(m_file.getPosition(), 16);
    m_file.close();

    EXPECT_EQ(writtenBy([](KFile& F) {
                  KClassWriter writer;
                  writer.begin(F, KThing::getClassRecord());
                  writer.newSection(1);
                  writer.newSection(2);
                  F.writeLong(0x0A0B0C0D);
                  writer.end();
              }),
              ByteList().longs({kThingID, 1, 8 + 12, 2}).longs({1, 8}).longs({2, 12, 0x0A0B0C0D}).bytes());

    // Nested blocks lie inside the owner's section.
    const Bytes ab = writtenStringBlock("ab");
    const Bytes none = writtenStringBlock("");
    const long outer = 8 + 4 + static_cast<long>(ab.size() + none.size());
    EXPECT_EQ(writtenBy([](KFile& F) {
                  KClassWriter writer;
                  writer.begin(F, KThing::getClassRecord());
                  writer.newSection(1);
                  F.writeLong(7);
                  KString("ab").writeToFile(F, 1);
                  KString().writeToFile(F, 1);
                  writer.end();
              }),
              ByteList().longs({kThingID, 1, outer, 1}).longs({1, outer, 7}).append(ab).append(none).bytes());
}

TEST_F(ClassBlocks, SectionsAReaderDoesNotTakeAreSteppedOver)
{
    // Read only section 1: the two others count as unread.
    KFile& file = threeSections();
    KClassReader first;
    ASSERT_TRUE(first.beginAtSection(file, KThing::getClassRecord(), 1));
    long value = 0;
    EXPECT_EQ(file.readLong(value), 100);
    EXPECT_EQ(first.getSectionBytesLeft(), 0);
    first.end();
    EXPECT_EQ(KClassReader::getUnreadSectionCount(), 1);
    EXPECT_TRUE(atMarker(file));

    // A loop that skips what it does not know counts nothing.
    KClassReader::resetLoadCounters();
    file.setPosition(0);
    KClassReader loop;
    long version = 0, sections = 0, id = 0;
    loop.begin(file, KThing::getClassRecord(), version, sections);
    ASSERT_EQ(sections, 3);
    for (long i = 0; i < sections; ++i) {
        loop.nextSection(id);
        if (id == 2)
            EXPECT_EQ(file.readLong(value), 200);
        else
            loop.skipSection();
    }
    loop.end();
    EXPECT_EQ(KClassReader::getUnreadSectionCount(), 0);
    EXPECT_TRUE(atMarker(file));

    file.setPosition(0);
    KClassReader().skipBlock(file);
    EXPECT_TRUE(atMarker(file));
    EXPECT_EQ(KClassReader::getMismatchedBlockCount(), 0);
}

TEST_F(ClassBlocks, BlockOfAnotherClassIsSkippedWholeOrReadWhenRefused)
{
    for (uint8 mode : {0, 1}) {
        KClassReader::resetLoadCounters();
        KClassReader::setUnknownClassMode(mode);
        KFile& file = threeSections();
        KDate date(2001, 2, 3);
        date.readFromFile(file);
        EXPECT_TRUE(date == KDate(2001, 2, 3));
        EXPECT_EQ(KClassReader::getMismatchedBlockCount(), 1);
        EXPECT_EQ(KClassReader::getUnreadSectionCount(), 0);
        EXPECT_TRUE(atMarker(file));
        EXPECT_EQ(file.getError(), 0);
        file.close();
    }

    writtenBy([](KFile& F) { KDate(1999, 12, 31).writeToFile(F, 1); });
    m_file.open();
    ReportCatcher catcher;
    KClassReader::resetLoadCounters();
    KClassReader::setUnknownClassMode(KClassReader::RefuseClass);
    KTime time;
    time.readFromFile(m_file);
    EXPECT_EQ(catcher.codes(), std::vector<int>{31});
    EXPECT_TRUE(catcher.caught(31, "KClassReader::begin"));
    // Read as if the IDs had matched.
    EXPECT_TRUE(time == KTime(1999, 12, 31));
    EXPECT_EQ(KClassReader::getMismatchedBlockCount(), 0);
}

TEST_F(ClassBlocks, MisuseIsReported)
{
    ReportCatcher catcher;
    FreshFile file(path);
    long version = 5, sections = 5, id = 5;
    {
        // Without a class, and left open when the writer or reader goes.
        KClassWriter writer, open;
        writer.begin(*file, nullptr);
        writer.newSection(1);
        writer.end();
        open.begin(*file, KThing::getClassRecord());
        KClassReader reader;
        reader.begin(*file, nullptr, version, sections);
        reader.nextSection(id);
        reader.skipSection();
        reader.end();
    }
    EXPECT_EQ(version + sections, 0);
    EXPECT_EQ(id, 5);
    EXPECT_EQ(catcher.codes(), (std::vector<int>{18, 18, 18, 18, 18, 18, 18, 43}));
    EXPECT_TRUE(catcher.caught(18, "KClassReader::skipSection"));
    EXPECT_TRUE(catcher.caught(43, "KClassWriter::~KClassWriter()"));
}

TEST_F(ClassBlocks, DamagedLengthsSetTheFileErrorAndReadNothing)
{
    const std::pair<const char*, Bytes> cases[] = {
        {"block larger than the file", ByteList().longs({kThingID, 1, 1000, 1, 1, 12, 5})},
        {"negative block size", ByteList().longs({kThingID, 1, -4, 1, 1, 12, 5})},
        {"more sections than fit", ByteList().longs({kThingID, 1, 12, 2, 1, 12, 5})},
        {"section beyond its block", ByteList().longs({kThingID, 1, 12, 1, 1, 100, 5})},
        {"section shorter than its header", ByteList().longs({kThingID, 1, 12, 1, 1, 4, 5})},
    };
    for (const auto& [what, bytes] : cases) {
        writeBytes(path, bytes);
        OpenedFile file(path);
        KClassReader reader;
        EXPECT_FALSE(reader.beginAtSection(file, KThing::getClassRecord(), 1)) << what;
        long id = 0;
        reader.nextSection(id);
        EXPECT_EQ(id, -1) << what;
        reader.end();
        EXPECT_EQ(file.getError(), KClassReader::kDamagedDataError) << what;
    }

    // A truncated block reads as zeros with the error set.
    writeBytes(path, ByteList().longs({kThingID, 1}).raw({0, 0}));
    OpenedFile file(path);
    KClassReader reader;
    long version = 0, sections = 7;
    reader.begin(file, KThing::getClassRecord(), version, sections);
    reader.end();
    EXPECT_EQ(sections, 0);
    EXPECT_EQ(file.getError(), 40);
}

} // namespace
