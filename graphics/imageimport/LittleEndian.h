#pragma once
// Reads the little-endian fields of the image file headers out of byte buffers, whatever
// the alignment of the buffer.
#include <cstdint>

class LittleEndian {
public:
    static uint16_t u16(const uint8_t* bytes) { return uint16_t(bytes[0] | (bytes[1] << 8)); }
    static int16_t s16(const uint8_t* bytes) { return int16_t(u16(bytes)); }
    static uint32_t u32(const uint8_t* bytes)
    {
        return uint32_t(bytes[0]) | (uint32_t(bytes[1]) << 8) | (uint32_t(bytes[2]) << 16)
             | (uint32_t(bytes[3]) << 24);
    }
    static int32_t s32(const uint8_t* bytes) { return int32_t(u32(bytes)); }
    static void put16(uint8_t* bytes, uint16_t value)
    {
        bytes[0] = uint8_t(value);
        bytes[1] = uint8_t(value >> 8);
    }
    static void put32(uint8_t* bytes, uint32_t value)
    {
        put16(bytes, uint16_t(value));
        put16(bytes + 2, uint16_t(value >> 16));
    }
};
