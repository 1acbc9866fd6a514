#pragma once
// Image files the tests make themselves (little-endian byte lists, BMP, PNG through libpng,
// GIF with an LZW encoder of its own) and the means to run a decoder on bytes in memory.
#include "graphics/imageimport/DibImage.h"
#include "graphics/imageimport/ImageFileStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <png.h>

using RgbRows = std::vector<std::vector<uint32_t>>; // 0xRRGGBB, top row first

class ByteWriter {
public:
    ByteWriter& u8(int value)
    {
        bytes.push_back(uint8_t(value));
        return *this;
    }
    ByteWriter& u16(int value) { return u8(value & 0xFF).u8((value >> 8) & 0xFF); }
    ByteWriter& u32(uint32_t value) { return u16(int(value & 0xFFFF)).u16(int(value >> 16)); }
    ByteWriter& text(const std::string& value) { return raw(std::vector<uint8_t>(value.begin(), value.end())); }
    ByteWriter& raw(std::initializer_list<int> values)
    {
        for (int value : values)
            u8(value);
        return *this;
    }
    ByteWriter& raw(const std::vector<uint8_t>& values)
    {
        bytes.insert(bytes.end(), values.begin(), values.end());
        return *this;
    }
    ByteWriter& fill(size_t count, int value) { return raw(std::vector<uint8_t>(count, uint8_t(value))); }
    size_t size() const { return bytes.size(); }

    std::vector<uint8_t> bytes;
};

// Decoding ---------------------------------------------------------------------------------

inline std::vector<uint8_t> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The bytes in a temporary file, read through the program's own stream.
struct TemporaryFileOf {
    explicit TemporaryFileOf(const std::vector<uint8_t>& bytes)
        : file(std::tmpfile())
    {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::rewind(file);
    }
    ~TemporaryFileOf() { std::fclose(file); }
    FILE* file;
};

class BytesStream : private TemporaryFileOf, public ImageFileStream {
public:
    explicit BytesStream(const std::vector<uint8_t>& bytes)
        : TemporaryFileOf(bytes)
        , ImageFileStream(file)
    {
    }
};

template <typename Decoder> bool decodeBytes(Decoder& decoder, const std::vector<uint8_t>& bytes)
{
    BytesStream stream(bytes);
    return decoder.decode(&stream);
}

inline bool dispatchBytes(DibImage& image, const std::vector<uint8_t>& bytes, long format)
{
    BytesStream stream(bytes);
    return image.decode(&stream, format);
}

// The error text of a decode that must fail.
template <typename Decoder> std::string failureOf(const std::vector<uint8_t>& bytes)
{
    Decoder decoder;
    EXPECT_FALSE(decodeBytes(decoder, bytes));
    return decoder.getLastError();
}

template <typename Decoder> std::string cancelledFailureOf(const std::vector<uint8_t>& bytes)
{
    Decoder decoder;
    decoder.setEscape(1);
    EXPECT_FALSE(decodeBytes(decoder, bytes));
    return decoder.getLastError();
}

// Every Step-th truncation of a valid file fails with an error text, or decodes what it
// can (when the format allows); none may crash, loop or touch memory outside a buffer.
template <typename Decoder>
void expectTruncationsEndCleanly(const std::vector<uint8_t>& bytes, bool mustFail, size_t step = 1)
{
    for (size_t length = 0; length < bytes.size(); length += step) {
        Decoder decoder;
        if (decodeBytes(decoder, std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(length)))) {
            EXPECT_FALSE(mustFail) << "length " << length;
        } else {
            EXPECT_STRNE(decoder.getLastError(), "") << "length " << length;
            // Nothing of a failed decode stays behind to pass for an image.
            EXPECT_FALSE(decoder.isValid()) << "length " << length;
            EXPECT_EQ(decoder.getWidth(), 0) << "length " << length;
        }
    }
}

// Colour of a pixel in picture coordinates (y from the top), as 0xRRGGBB.
inline uint32_t rgbAt(const DibImage& image, long x, long topRow)
{
    const RGBQUAD colour = image.getPixelColor(x, image.getHeight() - 1 - topRow);
    return (uint32_t(colour.rgbRed) << 16) | (uint32_t(colour.rgbGreen) << 8) | colour.rgbBlue;
}

// A pixel in picture coordinates (y from the top) and the colour, alpha or index expected
// there; a decoder's case checks what the decoded file shows.
struct Expected {
    long x, topRow;
    uint32_t value;
};

struct DecoderCase {
    const char* name;
    std::vector<uint8_t> bytes;
    std::vector<Expected> colours;
    std::vector<Expected> alphas = {}; // none: the image has no alpha plane
    std::vector<Expected> indices = {};
    int bitCount = 0; // 0: any
};

template <typename Decoder> void expectDecoded(const DecoderCase& c)
{
    Decoder image;
    ASSERT_TRUE(decodeBytes(image, c.bytes)) << c.name << ": " << image.getLastError();
    if (c.bitCount) {
        EXPECT_EQ(image.getBitCount(), c.bitCount) << c.name;
    }
    for (const Expected& e : c.colours)
        EXPECT_EQ(rgbAt(image, e.x, e.topRow), e.value) << c.name << " at " << e.x << "," << e.topRow;
    EXPECT_EQ(image.isAlphaValid(), !c.alphas.empty()) << c.name;
    for (const Expected& e : c.alphas)
        EXPECT_EQ(image.alphaGet(e.x, image.getHeight() - 1 - e.topRow), e.value)
            << c.name << " alpha " << e.x << "," << e.topRow;
    for (const Expected& e : c.indices)
        EXPECT_EQ(image.getPixelIndex(e.x, image.getHeight() - 1 - e.topRow), e.value) << c.name << " index " << e.x;
}

// BMP ------------------------------------------------------------------------------------

// Header fields, palette (0xRRGGBB) and pixel bytes as stored; a negative height stores
// rows top first.
struct BmpLayout {
    int32_t width, height;
    int bits;
    uint32_t compression;
    std::vector<uint32_t> palette;
    std::vector<uint8_t> pixels;
    std::vector<uint32_t> masks = {};
    bool fileHeader = true;
};

inline std::vector<uint8_t> makeBmp(const BmpLayout& layout)
{
    ByteWriter info;
    info.u32(40)
        .u32(uint32_t(layout.width))
        .u32(uint32_t(layout.height))
        .u16(1)
        .u16(layout.bits)
        .u32(layout.compression);
    info.u32(uint32_t(layout.pixels.size())).u32(3780).u32(3780).u32(uint32_t(layout.palette.size())).u32(0);
    for (uint32_t mask : layout.masks)
        info.u32(mask);
    for (uint32_t colour : layout.palette)
        info.u32(colour);
    ByteWriter file;
    if (layout.fileHeader)
        file.text("BM").u32(uint32_t(14 + info.size() + layout.pixels.size())).u32(0).u32(uint32_t(14 + info.size()));
    return file.raw(info.bytes).raw(layout.pixels).bytes;
}

inline std::vector<uint8_t> bmp24(const RgbRows& rows, bool topDown = false)
{
    const int width = int(rows[0].size()), height = int(rows.size());
    ByteWriter pixels;
    for (int i = 0; i < height; ++i) {
        for (uint32_t rgb : rows[size_t(topDown ? i : height - 1 - i)])
            pixels.u8(rgb & 0xFF).u8((rgb >> 8) & 0xFF).u8((rgb >> 16) & 0xFF);
        pixels.fill(size_t((4 - width * 3 % 4) % 4), 0);
    }
    return makeBmp({width, topDown ? -height : height, 24, 0, {}, pixels.bytes});
}

// PNG ------------------------------------------------------------------------------------

struct PngLayout {
    int width, height, colourType, bitDepth;
    std::vector<uint8_t> rows; // packed as the file stores them, top row first
    std::vector<png_color> palette = {};
    std::vector<uint8_t> alphas = {};
    bool interlaced = false;
};

inline void appendPngBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

inline std::vector<uint8_t> encodePng(const PngLayout& layout)
{
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, appendPngBytes, nullptr);
    png_set_IHDR(png, info, png_uint_32(layout.width), png_uint_32(layout.height), layout.bitDepth, layout.colourType,
        layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
        PNG_FILTER_TYPE_DEFAULT);
    if (!layout.palette.empty())
        png_set_PLTE(png, info, layout.palette.data(), int(layout.palette.size()));
    if (!layout.alphas.empty())
        png_set_tRNS(png, info, layout.alphas.data(), int(layout.alphas.size()), nullptr);
    png_write_info(png, info);
    const size_t stride = layout.rows.size() / size_t(layout.height);
    std::vector<png_bytep> rows;
    for (int y = 0; y < layout.height; ++y)
        rows.push_back(const_cast<png_bytep>(&layout.rows[size_t(y) * stride]));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// GIF ------------------------------------------------------------------------------------

class GifWriter {
public:
    GifWriter(
        int screenWidth, int screenHeight, const std::vector<uint32_t>& globalTable, const char* version = "GIF89a")
    {
        m_file.text(version).u16(screenWidth).u16(screenHeight);
        m_file.u8(globalTable.empty() ? 0 : 0x80 | tableBits(globalTable.size())).u8(0).u8(0);
        writeTable(globalTable);
    }

    // A graphic control block, a comment, or the looping extension other programs add.
    GifWriter& control(int disposal, int transparentIndex, int delay = 0)
    {
        return extension(
            0xF9, {disposal << 2 | (transparentIndex >= 0), delay & 0xFF, delay >> 8, std::max(transparentIndex, 0)});
    }
    GifWriter& comment(const std::string& text) { return extension(0xFE, std::vector<int>(text.begin(), text.end())); }
    GifWriter& looping()
    {
        m_file.raw({0x21, 0xFF, 11}).text("NETSCAPE2.0").raw({3, 1, 0, 0, 0});
        return *this;
    }
    GifWriter& extension(int label, const std::vector<int>& data)
    {
        m_file.raw({0x21, label}).u8(int(data.size()));
        for (int byte : data)
            m_file.u8(byte);
        m_file.u8(0);
        return *this;
    }

    // Pixels in picture order, top row first; interlaced frames are stored in pass order.
    GifWriter& frame(int left, int top, int width, int height, const std::vector<uint8_t>& pixels,
        const std::vector<uint32_t>& localTable = {}, bool interlaced = false, int codeSize = 8)
    {
        m_file.u8(',').u16(left).u16(top).u16(width).u16(height);
        m_file.u8((interlaced ? 0x40 : 0) | (localTable.empty() ? 0 : 0x80 | tableBits(localTable.size())));
        writeTable(localTable);
        m_file.u8(codeSize);
        const std::vector<uint8_t> data = compress(interlaced ? interlace(pixels, width, height) : pixels, codeSize);
        for (size_t i = 0; i < data.size(); i += 255) {
            const size_t length = std::min<size_t>(255, data.size() - i);
            m_file.u8(int(length)).raw(std::vector<uint8_t>(data.begin() + long(i), data.begin() + long(i + length)));
        }
        m_file.u8(0);
        return *this;
    }

    std::vector<uint8_t> finish() { return m_file.u8(';').bytes; }

private:
    // LZW with variable code width and a table reset at 4096 entries.
    static std::vector<uint8_t> compress(const std::vector<uint8_t>& pixels, int codeSize)
    {
        std::vector<uint8_t> bytes;
        uint32_t buffer = 0;
        int count = 0;
        auto put = [&](int code, int width) {
            buffer |= uint32_t(code) << count;
            for (count += width; count >= 8; count -= 8, buffer >>= 8)
                bytes.push_back(uint8_t(buffer));
        };
        const int clear = 1 << codeSize, end = clear + 1;
        int width = codeSize + 1, next = end + 1, prefix = -1;
        std::map<std::pair<int, int>, int> table;
        put(clear, width);
        for (uint8_t pixel : pixels) {
            const auto found = table.find({prefix, pixel});
            if (prefix < 0 || found != table.end()) {
                prefix = prefix < 0 ? pixel : found->second;
                continue;
            }
            put(prefix, width);
            if (next < 4096) {
                table[{prefix, pixel}] = next++;
                if (next > (1 << width) && width < 12)
                    ++width;
            } else {
                put(clear, width);
                table.clear();
                width = codeSize + 1;
                next = end + 1;
            }
            prefix = pixel;
        }
        if (prefix >= 0)
            put(prefix, width);
        put(end, width);
        if (count > 0)
            bytes.push_back(uint8_t(buffer));
        return bytes;
    }

    static int tableBits(size_t entries)
    {
        int bits = 0;
        while ((2u << bits) < entries)
            ++bits;
        return bits;
    }

    void writeTable(const std::vector<uint32_t>& table)
    {
        const size_t entries = table.empty() ? 0 : size_t(2) << tableBits(table.size());
        for (size_t i = 0; i < entries; ++i) {
            const uint32_t colour = i < table.size() ? table[i] : 0;
            m_file.u8(int(colour >> 16) & 0xFF).u8(int(colour >> 8) & 0xFF).u8(int(colour) & 0xFF);
        }
    }

    static std::vector<uint8_t> interlace(const std::vector<uint8_t>& pixels, int width, int height)
    {
        std::vector<uint8_t> out;
        const int starts[4] = {0, 4, 2, 1}, steps[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int row = starts[pass]; row < height; row += steps[pass])
                out.insert(out.end(), pixels.begin() + row * width, pixels.begin() + (row + 1) * width);
        return out;
    }

    ByteWriter m_file;
};
