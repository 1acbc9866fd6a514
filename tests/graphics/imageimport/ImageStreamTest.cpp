// The streams the decoders read through when they are not the C library's: a whole file in
// memory, and a reader's own buffer over any stream. Both must be what a C stream would be
// to a decoder, down to where the end of the file is noticed.
#include "graphics/imageimport/DibImageGif.h"
#include "graphics/imageimport/DibImageTga.h"
#include "graphics/imageimport/ImageMemoryStream.h"
#include "graphics/imageimport/ImageStreamReader.h"
#include "tests/graphics/ImageBuilders.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::vector<uint8_t> countingBytes(size_t Count)
{
    std::vector<uint8_t> bytes(Count);
    for (size_t i = 0; i < Count; ++i)
        bytes[i] = uint8_t(i * 7 + i / 256);
    return bytes;
}

// One step on a stream, as text: what it gave, where it stands, whether it saw the end.
std::string step(ImageStream& Stream, int Operation)
{
    uint8_t buffer[16] = {};
    std::string done;
    switch (Operation) {
    case 0:
        done = std::to_string(Stream.getc());
        break;
    case 1:
        done = std::to_string(Stream.read(buffer, 3, 4)) + ":" + std::to_string(buffer[0]) + "," + std::to_string(buffer[11]);
        break;
    case 2:
        done = std::to_string(Stream.seek(-5, SEEK_CUR));
        break;
    case 3:
        done = std::to_string(Stream.seek(40, SEEK_SET));
        break;
    case 4:
        done = std::to_string(Stream.seek(-2, SEEK_END));
        break;
    default:
        done = std::to_string(Stream.seek(-100, SEEK_SET));
        break;
    }
    return done + " @" + std::to_string(Stream.tell()) + (Stream.eof() ? " end" : "");
}

TEST(ImageStreams, TheMemoryStreamBehavesAsTheCStreamAtEveryStep)
{
    const std::vector<uint8_t> bytes = countingBytes(29);
    BytesStream file(bytes);
    ImageMemoryStream memory(bytes);
    EXPECT_EQ(memory.size(), file.size());
    // Reads across the end (a partial item counts its bytes but not the item), seeks that
    // clear the end, past the end and before the start.
    const int operations[] = {1, 1, 0, 2, 1, 1, 1, 0, 0, 4, 0, 0, 0, 3, 0, 2, 5, 0, 1, 1, 1, 0};
    for (int operation : operations)
        EXPECT_EQ(step(memory, operation), step(file, operation)) << "operation " << operation;
}

TEST(ImageStreams, AReaderHandsOutTheStreamsBytesAndGivesBackWhatItDidNotUse)
{
    // More than the reader's buffer holds, so that reads cross its refills.
    const std::vector<uint8_t> bytes = countingBytes(200000);
    BytesStream stream(bytes);
    stream.seek(10, SEEK_SET);
    {
        ImageStreamReader reader(stream);
        EXPECT_EQ(reader.getc(), bytes[10]);
        std::vector<uint8_t> middle(150000);
        ASSERT_TRUE(reader.readAll(middle.data(), middle.size()));
        EXPECT_TRUE(std::equal(middle.begin(), middle.end(), bytes.begin() + 11));
        EXPECT_EQ(reader.getc(), bytes[150011]);
    }
    EXPECT_EQ(stream.tell(), 150012);
    EXPECT_FALSE(stream.eof());
    EXPECT_EQ(stream.getc(), bytes[150012]);

    // At the end the reader says so, and a short read gives what there is.
    ImageStreamReader reader(stream);
    std::vector<uint8_t> rest(60000);
    EXPECT_EQ(reader.read(rest.data(), rest.size()), bytes.size() - 150013);
    EXPECT_EQ(reader.getc(), -1);
}

// A decoder that notices the end of its file by the stream's end flag must fail at the same
// truncations, with the same message, from memory as from a file.
template <typename Decoder> void expectSameFromMemory(const std::vector<uint8_t>& Bytes)
{
    for (size_t length = 0; length <= Bytes.size(); ++length) {
        const std::vector<uint8_t> cut(Bytes.begin(), Bytes.begin() + long(length));
        Decoder fromFile, fromMemory;
        BytesStream file(cut);
        ImageMemoryStream memory(cut);
        const bool fileDecoded = fromFile.decode(&file);
        EXPECT_EQ(fromMemory.decode(&memory), fileDecoded) << "length " << length;
        EXPECT_STREQ(fromMemory.getLastError(), fromFile.getLastError()) << "length " << length;
        if (fileDecoded && fromMemory.isValid()) {
            for (long y = 0; y < fromFile.getHeight(); ++y)
                for (long x = 0; x < fromFile.getWidth(); ++x)
                    EXPECT_EQ(rgbAt(fromMemory, x, y), rgbAt(fromFile, x, y)) << "length " << length;
        }
    }
}

TEST(ImageStreams, DecodersFindTheEndOfAFileInMemoryWhereTheyFindItInTheFile)
{
    // Run-length TGA, 3 × 2: a run of two, a raw packet running into the next row.
    ByteWriter tga;
    tga.u8(0).u8(0).u8(10).u16(0).u16(0).u8(0).u16(0).u16(0).u16(3).u16(2).u8(24).u8(0x20);
    tga.u8(0x81).raw({1, 2, 3}).u8(0x03).raw({4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    expectSameFromMemory<DibImageTga>(tga.bytes);

    // GIF of 2 × 2 with a global table of two colours and one sub-block of data.
    ByteWriter gif;
    gif.text("GIF87a").u16(2).u16(2).u8(0x80).u8(0).u8(0).raw({0, 0, 0, 255, 255, 255});
    gif.u8(',').u16(0).u16(0).u16(2).u16(2).u8(0).u8(2).u8(2).raw({0x4C, 0x01}).u8(0).u8(';');
    expectSameFromMemory<DibImageGif>(gif.bytes);
}

} // namespace
