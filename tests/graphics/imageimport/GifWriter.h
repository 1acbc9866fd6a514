#pragma once
// Writes GIF files for the decoder tests, with a real LZW encoder (variable code width,
// table reset at 4096 entries).
#include "tests/graphics/imageimport/ByteWriter.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

class GifWriter {
public:
    GifWriter(int screenWidth, int screenHeight, const std::vector<uint32_t>& globalTable, const char* version = "GIF89a")
    {
        m_file.text(version).u16(screenWidth).u16(screenHeight);
        m_file.u8(globalTable.empty() ? 0 : 0x80 | tableBits(globalTable.size())).u8(0).u8(0);
        writeTable(globalTable);
    }

    GifWriter& control(int disposal, int transparentIndex, int delay = 0)
    {
        m_file.raw({0x21, 0xF9, 4}).u8((disposal << 2) | (transparentIndex >= 0 ? 1 : 0)).u16(delay);
        m_file.u8(transparentIndex >= 0 ? transparentIndex : 0).u8(0);
        return *this;
    }

    GifWriter& comment(const std::string& text)
    {
        m_file.raw({0x21, 0xFE}).u8(int(text.size())).text(text).u8(0);
        return *this;
    }

    GifWriter& looping(int count)
    {
        m_file.raw({0x21, 0xFF, 11}).text("NETSCAPE2.0").raw({3, 1}).u16(count).u8(0);
        return *this;
    }

    // Pixels in picture order, top row first; interlaced frames are stored in pass order.
    GifWriter& frame(int left, int top, int width, int height, const std::vector<uint8_t>& pixels,
                     const std::vector<uint32_t>& localTable = {}, bool interlaced = false, int codeSize = 0)
    {
        m_file.u8(',').u16(left).u16(top).u16(width).u16(height);
        int flags = interlaced ? 0x40 : 0;
        if (!localTable.empty())
            flags |= 0x80 | tableBits(localTable.size());
        m_file.u8(flags);
        writeTable(localTable);
        std::vector<uint8_t> ordered = interlaced ? interlace(pixels, width, height) : pixels;
        if (!codeSize)
            codeSize = 8;
        m_file.u8(codeSize);
        const std::vector<uint8_t> data = compress(ordered, codeSize);
        for (size_t i = 0; i < data.size(); i += 255) {
            const size_t length = std::min<size_t>(255, data.size() - i);
            m_file.u8(int(length)).raw(std::vector<uint8_t>(data.begin() + long(i), data.begin() + long(i + length)));
        }
        m_file.u8(0);
        return *this;
    }

    std::vector<uint8_t> finish()
    {
        m_file.u8(';');
        return m_file.bytes;
    }

    static std::vector<uint8_t> compress(const std::vector<uint8_t>& pixels, int codeSize)
    {
        Bits bits;
        const int clear = 1 << codeSize, end = clear + 1;
        int width = codeSize + 1, next = end + 1;
        std::map<std::pair<int, int>, int> table;
        bits.put(clear, width);
        int prefix = -1;
        for (uint8_t pixel : pixels) {
            if (prefix < 0) {
                prefix = pixel;
                continue;
            }
            const auto found = table.find({prefix, pixel});
            if (found != table.end()) {
                prefix = found->second;
                continue;
            }
            bits.put(prefix, width);
            if (next < 4096) {
                table[{prefix, pixel}] = next++;
                if (next > (1 << width) && width < 12)
                    ++width;
            } else {
                bits.put(clear, width);
                table.clear();
                width = codeSize + 1;
                next = end + 1;
            }
            prefix = pixel;
        }
        if (prefix >= 0)
            bits.put(prefix, width);
        bits.put(end, width);
        return bits.flushed();
    }

private:
    struct Bits {
        void put(int code, int width)
        {
            buffer |= uint32_t(code) << count;
            count += width;
            while (count >= 8) {
                bytes.push_back(uint8_t(buffer));
                buffer >>= 8;
                count -= 8;
            }
        }
        std::vector<uint8_t>& flushed()
        {
            if (count > 0)
                bytes.push_back(uint8_t(buffer));
            count = 0;
            return bytes;
        }
        std::vector<uint8_t> bytes;
        uint32_t buffer = 0;
        int count = 0;
    };

    static int tableBits(size_t entries)
    {
        int bits = 0;
        while ((2u << bits) < entries)
            ++bits;
        return bits;
    }

    void writeTable(const std::vector<uint32_t>& table)
    {
        if (table.empty())
            return;
        const size_t entries = size_t(2) << tableBits(table.size());
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
