// Damaged images that once crashed or hung a decoder, kept as found by the robustness
// runner (tests/graphics/fixtures/damaged, one folder per decoder; the runner's checked
// build opens them too, where an overflow or a read out of bounds traps). Each decodes, or
// fails with its message and leaves no image behind.
#include "tests/graphics/ImageBuilders.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(DamagedImages, EveryKeptImageDecodesOrFailsWithItsMessage)
{
    const std::pair<const char*, long> decoders[] = {{"bmp", DibImage::FormatBmp}, {"ico", DibImage::FormatIco},
        {"pcx", DibImage::FormatPcx}, {"wmf", DibImage::FormatMetafile}};
    size_t opened = 0;
    for (const auto& [folder, format] : decoders) {
        std::error_code none;
        for (const auto& entry : std::filesystem::directory_iterator(
                 std::string(K_SOURCE_DIR "/tests/graphics/fixtures/damaged/") + folder, none)) {
            DibImage image(format);
            if (!dispatchBytes(image, fileBytes(entry.path().string()), format)) {
                EXPECT_STRNE(image.getLastError(), "") << entry.path();
                EXPECT_FALSE(image.isValid()) << entry.path();
            }
            ++opened;
        }
    }
    EXPECT_GE(opened, 28u);
}

} // namespace
