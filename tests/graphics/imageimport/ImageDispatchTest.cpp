// Opening files, the dispatch by format code, and the file stream.
#include "graphics/imageimport/DibImage.h"
#include "graphics/imageimport/DibImageTga.h"
#include "graphics/imageimport/ImageFileStream.h"
#include "tests/graphics/imageimport/ByteWriter.h"
#include "tests/graphics/imageimport/DecoderTestSupport.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::vector<uint8_t> smallWbmp()
{
    return ByteWriter().raw({0, 0, 8, 2, 0xF0, 0x0F}).bytes;
}

TEST(ImageDispatch, CodesOutsideZeroToNineAreRefused)
{
    for (long format : {10L, -1L}) {
        DibImage image(DibImage::FormatBmp);
        EXPECT_FALSE(dispatchBytes(image, smallWbmp(), format));
        EXPECT_STREQ(image.getLastError(), "Unsupported operation for this format");
        EXPECT_FALSE(image.isValid());
    }
}

TEST(ImageDispatch, SuccessMovesTheDecodedImageAndItsFormat)
{
    DibImage image(DibImage::FormatBmp);
    ASSERT_TRUE(dispatchBytes(image, smallWbmp(), DibImage::FormatWbmp));
    EXPECT_EQ(image.getFormat(), DibImage::FormatWbmp);
    EXPECT_EQ(image.getWidth(), 8);
    EXPECT_EQ(rgbAt(image, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(rgbAt(image, 0, 1), 0u);
}

TEST(ImageDispatch, FailureCopiesTheMessageAndLeavesTheImageEmpty)
{
    DibImage image(DibImage::FormatBmp);
    EXPECT_FALSE(dispatchBytes(image, ByteWriter().raw({1, 0, 8, 2}).bytes, DibImage::FormatWbmp));
    EXPECT_STREQ(image.getLastError(), "Unsupported WBMP type");
    EXPECT_EQ(image.getWidth(), 0);
}

TEST(ImageDispatch, FilesAreOpenedByPath)
{
    TemporaryFolder folder;
    const std::string path = folder.file("small.wbmp");
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    const auto bytes = smallWbmp();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);

    DibImage image(path.c_str(), DibImage::FormatWbmp);
    EXPECT_EQ(image.getHeight(), 2);
    DibImage missing(folder.file("none.wbmp").c_str(), DibImage::FormatWbmp);
    EXPECT_FALSE(missing.isValid());
    EXPECT_STREQ(missing.getLastError(), "");
}

TEST(ImageDispatch, LastErrorKeepsAtMost255Characters)
{
    DibImage image(DibImage::FormatBmp);
    image.setLastError(std::string(400, 'x').c_str());
    EXPECT_EQ(std::string(image.getLastError()), std::string(255, 'x'));
}

TEST(ImageFileStream, SizeKeepsThePositionAndClosedStreamsAnswerNeutrally)
{
    FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    ImageFileStream stream(file);
    EXPECT_TRUE(stream.putc('a'));
    stream.write("bcd", 1, 3);
    stream.seek(1, SEEK_SET);
    EXPECT_EQ(stream.size(), 4);
    EXPECT_EQ(stream.tell(), 1);
    EXPECT_EQ(stream.getc(), 'b');
    EXPECT_TRUE(stream.close());   // not its own file: left open
    std::fclose(file);

    ImageFileStream empty(nullptr);
    char buffer[4];
    EXPECT_EQ(empty.read(buffer, 1, 4), 0u);
    EXPECT_FALSE(empty.seek(0, SEEK_SET));
    EXPECT_EQ(empty.size(), -1);
    EXPECT_EQ(empty.getc(), -1);
    EXPECT_TRUE(empty.eof());
    EXPECT_FALSE(empty.putc('x'));
}

TEST(ImageDecoders, NullStreamsFailWithoutAMessage)
{
    DibImageTga decoder;
    EXPECT_FALSE(decoder.decode(nullptr));
    EXPECT_STREQ(decoder.getLastError(), "");
}

} // namespace
