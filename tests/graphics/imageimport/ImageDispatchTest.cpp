// Opening files, the dispatch by format code, and the file stream.
#include "graphics/imageimport/DibImage.h"
#include "graphics/imageimport/DibImageTga.h"
#include "graphics/imageimport/ImageFileStream.h"
#include "tests/graphics/ImageBuilders.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

const std::vector<uint8_t> kSmallWbmp = {0, 0, 8, 2, 0xF0, 0x0F};

TEST(ImageDispatch, TheFormatCodeChoosesTheDecoderWhoseResultOrMessageTheImageTakes)
{
    DibImage image(DibImage::FormatBmp);
    ASSERT_TRUE(dispatchBytes(image, kSmallWbmp, DibImage::FormatWbmp));
    EXPECT_EQ(image.getFormat(), DibImage::FormatWbmp);
    EXPECT_EQ(image.getWidth(), 8);
    EXPECT_EQ(rgbAt(image, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(rgbAt(image, 0, 1), 0u);

    DibImage failed(DibImage::FormatBmp);
    EXPECT_FALSE(dispatchBytes(failed, {1, 0, 8, 2}, DibImage::FormatWbmp));
    EXPECT_STREQ(failed.getLastError(), "Unsupported WBMP type");
    EXPECT_FALSE(failed.isValid());
    for (long format : {10L, -1L}) {
        EXPECT_FALSE(dispatchBytes(failed, kSmallWbmp, format));
        EXPECT_STREQ(failed.getLastError(), "Unsupported operation for this format");
        EXPECT_FALSE(failed.isValid());
    }
    failed.setLastError(std::string(400, 'x').c_str());
    EXPECT_EQ(std::string(failed.getLastError()), std::string(255, 'x'));

    // A null stream fails without a message.
    DibImageTga decoder;
    EXPECT_FALSE(decoder.decode(nullptr));
    EXPECT_STREQ(decoder.getLastError(), "");
}

TEST(ImageDispatch, FilesAreOpenedByPath)
{
    TemporaryFolder folder;
    const std::string path = folder.file("small.wbmp");
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(kSmallWbmp.data(), 1, kSmallWbmp.size(), file);
    std::fclose(file);

    DibImage image(path.c_str(), DibImage::FormatWbmp);
    EXPECT_EQ(image.getHeight(), 2);
    DibImage missing(folder.file("none.wbmp").c_str(), DibImage::FormatWbmp);
    EXPECT_FALSE(missing.isValid());
    EXPECT_STREQ(missing.getLastError(), "");
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
    EXPECT_TRUE(stream.close()); // not its own file: left open
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

} // namespace
