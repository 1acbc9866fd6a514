#pragma once
// Runs a decoder class or the dispatch on bytes in memory.
#include "graphics/imageimport/DibImage.h"

#include <gtest/gtest.h>
#include "tests/graphics/imageimport/MemoryStream.h"

#include <string>
#include <vector>

template <typename Decoder>
bool decodeBytes(Decoder& decoder, const std::vector<uint8_t>& bytes)
{
    MemoryStream stream(bytes);
    return decoder.decode(&stream);
}

inline bool dispatchBytes(DibImage& image, const std::vector<uint8_t>& bytes, long format)
{
    MemoryStream stream(bytes);
    return image.decode(&stream, format);
}

// Colour of a pixel in picture coordinates (y from the top), as 0xRRGGBB.
inline uint32_t rgbAt(const DibImage& image, long x, long topRow)
{
    const RGBQUAD colour = image.getPixelColor(x, image.getHeight() - 1 - topRow);
    return (uint32_t(colour.rgbRed) << 16) | (uint32_t(colour.rgbGreen) << 8) | colour.rgbBlue;
}

// Every truncation of a valid file must fail cleanly, with a message, or decode what
// it can; none may crash or loop.
template <typename Decoder>
void expectEveryTruncationIsSafe(const std::vector<uint8_t>& bytes, bool mustFail)
{
    for (size_t length = 0; length < bytes.size(); ++length) {
        Decoder decoder;
        const bool decoded = decodeBytes(decoder, std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(length)));
        if (mustFail) {
            EXPECT_FALSE(decoded) << "length " << length;
            EXPECT_STRNE(decoder.getLastError(), "") << "length " << length;
        }
    }
}
