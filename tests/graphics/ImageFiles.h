#pragma once
// Image files for the image tests: BMP made by hand, PNG through libpng, and the small
// JPEG and TIFF files of the fixtures folder.
#include "foundation/KFileTypeHandler.h"
#include "tests/foundation/FileHelpers.h"
#include "tests/graphics/imageimport/ByteWriter.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include <png.h>

using RgbRows = std::vector<std::vector<uint32_t>>; // 0xRRGGBB, top row first

// A 24-bit BMP, stored bottom-up, or top-down with a negative height.
inline Bytes bmp24(const RgbRows& Rows, bool TopDown = false)
{
    const int width = int(Rows[0].size()), height = int(Rows.size());
    const int stride = (width * 3 + 3) / 4 * 4;
    ByteWriter file;
    file.text("BM").u32(uint32_t(14 + 40 + stride * height)).u32(0).u32(54);
    file.u32(40).u32(uint32_t(width)).u32(uint32_t(TopDown ? -height : height)).u16(1).u16(24);
    file.u32(0).u32(uint32_t(stride * height)).u32(2835).u32(2835).u32(0).u32(0);
    for (int i = 0; i < height; ++i) {
        const auto& row = Rows[size_t(TopDown ? i : height - 1 - i)];
        for (uint32_t rgb : row)
            file.u8(rgb & 0xFF).u8((rgb >> 8) & 0xFF).u8((rgb >> 16) & 0xFF);
        file.fill(size_t(stride - width * 3), 0);
    }
    return file.bytes;
}

// An 8-bit BMP with a palette of Colors (0xRRGGBB); Indices top row first.
inline Bytes bmp8(const std::vector<uint32_t>& Colors, const std::vector<std::vector<uint8_t>>& Indices)
{
    const int width = int(Indices[0].size()), height = int(Indices.size());
    const int stride = (width + 3) / 4 * 4;
    const uint32_t table = uint32_t(Colors.size() * 4);
    ByteWriter file;
    file.text("BM").u32(14 + 40 + table + uint32_t(stride * height)).u32(0).u32(54 + table);
    file.u32(40).u32(uint32_t(width)).u32(uint32_t(height)).u16(1).u16(8);
    file.u32(0).u32(uint32_t(stride * height)).u32(0).u32(0).u32(uint32_t(Colors.size())).u32(0);
    for (uint32_t rgb : Colors)
        file.u8(rgb & 0xFF).u8((rgb >> 8) & 0xFF).u8((rgb >> 16) & 0xFF).u8(0);
    for (int i = height - 1; i >= 0; --i) {
        for (uint8_t index : Indices[size_t(i)])
            file.u8(index);
        file.fill(size_t(stride - width), 0);
    }
    return file.bytes;
}

inline std::vector<uint8_t> rgbBytes(const RgbRows& Rows)
{
    std::vector<uint8_t> bytes;
    for (const auto& row : Rows)
        for (uint32_t rgb : row)
            bytes.insert(bytes.end(), {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)});
    return bytes;
}

inline Bytes pngFile(const RgbRows& Rows)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(Rows[0].size());
    image.height = png_uint_32(Rows.size());
    image.format = PNG_FORMAT_RGB;
    const std::vector<uint8_t> pixels = rgbBytes(Rows);
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
    Bytes encoded(size);
    png_image_write_to_memory(&image, encoded.data(), &size, 0, pixels.data(), 0, nullptr);
    encoded.resize(size);
    return encoded;
}

inline Bytes fixture(const char* Name)
{
    return readBytes(std::string(K_SOURCE_DIR) + "/tests/graphics/fixtures/" + Name);
}

// Images find their reader by the registered file types, which the application object
// registers in the program.
inline void registerFrameworkFileTypes()
{
    if (!KFileTypeHandler::hasExtension(KString("BMP")))
        KFileTypeHandler::registerFrameworkTypes();
}

inline const KFileType& fileTypeOf(const char* Extension)
{
    return KFileTypeHandler::getAssociationByExtension(KString(Extension));
}
