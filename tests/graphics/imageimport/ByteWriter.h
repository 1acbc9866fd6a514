#pragma once
// Builds little-endian file images for the decoder tests.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class ByteWriter {
public:
    ByteWriter& u8(int value)
    {
        bytes.push_back(uint8_t(value));
        return *this;
    }
    ByteWriter& u16(int value) { return u8(value & 0xFF).u8((value >> 8) & 0xFF); }
    ByteWriter& u32(uint32_t value) { return u16(int(value & 0xFFFF)).u16(int(value >> 16)); }
    ByteWriter& text(const std::string& value)
    {
        for (char c : value)
            bytes.push_back(uint8_t(c));
        return *this;
    }
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
    ByteWriter& fill(size_t count, int value)
    {
        bytes.insert(bytes.end(), count, uint8_t(value));
        return *this;
    }
    size_t size() const { return bytes.size(); }

    std::vector<uint8_t> bytes;
};
