// The old file: big-endian numbers, strings whose line ends become CR LF, lines, the
// media file record, and reads past the end that change nothing.
#include "tests/story/oldformat/OldFormatTestSupport.h"

#include <windows.h>

namespace {

using OldFile = OldFormatTest;

TEST_F(OldFile, NumbersAndStringsAreWrittenBigEndian)
{
    writeBytes(path("numbers.lmt"), {});
    ZFile out(ZString(path("numbers.lmt").c_str()));
    out.open();
    out.writeShort(-2);
    out.writeLong(0x01020304);
    out.writeDouble(1.5);
    out.writeString(ZString("Hi"));
    out.writeLine(ZString("ok"));
    out.close();
    const Bytes stored = readBytes(path("numbers.lmt"));
    EXPECT_EQ(stored, OldBytes()
                          .bytes({0xFF, 0xFE, 1, 2, 3, 4, 0x3F, 0xF8, 0, 0, 0, 0, 0, 0})
                          .string("Hi")
                          .bytes({'o', 'k', '\r', '\n'})
                          .get());
    // Shorts, longs, strings and lines are read by the tests of the records and below; the
    // double only here.
    ZFile& in = fileOf(stored);
    in.seek(6);
    double d = 0;
    in.readDouble(d);
    EXPECT_EQ(d, 1.5);
    EXPECT_EQ(in.getError(), ZFile::NoError);
}

TEST_F(OldFile, EveryLineEndOfAStringReadsAsCRLF)
{
    const struct {
        std::string stored;
        std::string read;
    } cases[] = {
        {"a\rb\r", "a\r\nb\r\n"},
        {"\r", "\r\n"},
        {"a\r\nb", "a\r\nb"},
        {"", ""},
    };
    for (const auto& c : cases) {
        ZString text("old");
        fileOf(OldBytes().string(c.stored)).readString(text);
        EXPECT_EQ(std::string(text.getText(), static_cast<std::size_t>(text.getLength())), c.read) << c.stored;
    }
    // A negative length reads as the empty string and takes no text.
    ZFile& file = fileOf(OldBytes().shorts({-3}).bytes({'a', 'b', 'c'}));
    ZString text("old");
    file.readString(text);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_EQ(file.tell(), 2);
}

TEST_F(OldFile, LinesEndAtCRAtCRLFOrAfter255Characters)
{
    const std::string text = std::string(300, 'x') + "\r\na\rb\r";
    ZFile& file = fileOf(Bytes(text.begin(), text.end()));
    std::vector<long> lengths;
    std::string lines;
    for (ZString line; file.getError() == ZFile::NoError;) {
        file.readLine(line);
        lengths.push_back(line.getLength());
        if (line.getLength() < 10)
            lines += std::string(line.getText()) + "|";
    }
    EXPECT_EQ(lengths, (std::vector<long>{255, 45, 1, 1}));
    EXPECT_EQ(lines, "a|b|");
}

TEST_F(OldFile, AMacMediaRecordKeepsOnlyTheFileName)
{
    ZFile media;
    ASSERT_TRUE(read(media, OldBytes()
                                .header("ZFile")
                                .bytes({1})
                                .longs({3})
                                .bytes({9, 9, 9})
                                .longs({0x12345678})
                                .string("Disk:Pictures:Tree.pct")));
    EXPECT_EQ(media.getPath(), ZString("Tree.pct"));
    EXPECT_EQ(media.getMacValue(), 0x12345678);

    ASSERT_TRUE(read(media, OldBytes().file("Disk:Pictures:Tree.pct")));
    EXPECT_EQ(media.getPath(), ZString("Disk:Pictures:Tree.pct"));
    EXPECT_EQ(written(media), OldBytes().file("Disk:Pictures:Tree.pct").get());
    // A skipped block longer than the file is damage, and no further byte is read.
    EXPECT_FALSE(read(media, OldBytes().header("ZFile").bytes({1}).longs({1000, 0}).string("X")));
    EXPECT_EQ(damage(), "ZFile::readFromFile: Count Out Of Range");
    EXPECT_EQ(media.getPath(), ZString("Disk:Pictures:Tree.pct"));
}

TEST_F(OldFile, ReadsPastTheEndChangeNothing)
{
    ZFile& file = fileOf(OldBytes().bytes({1, 2, 3}));
    long value = 77;
    file.readLong(value);
    EXPECT_EQ(value, 77);
    EXPECT_EQ(file.getError(), ZFile::ReadFault);
    // The failure stays until the file is positioned again.
    char byte = 5;
    file.readByte(byte);
    EXPECT_EQ(byte, 5);
    file.seek(1);
    file.readByte(byte);
    EXPECT_EQ(byte, 2);
}

TEST_F(OldFile, AReadOnlyDocumentOpensForReading)
{
    writeBytes(path(), OldBytes().longs({42}));
    ASSERT_TRUE(SetFileAttributesA(path().c_str(), FILE_ATTRIBUTE_READONLY));
    ZFile file(ZString(path().c_str()));
    file.open();
    long value = 0;
    file.readLong(value);
    file.close();
    SetFileAttributesA(path().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(value, 42);

    ZFile missing(ZString(path("none.lmt").c_str()));
    missing.open();
    EXPECT_FALSE(missing.isOpen());
    EXPECT_EQ(missing.getError(), ZFile::NotFound);
}

} // namespace
