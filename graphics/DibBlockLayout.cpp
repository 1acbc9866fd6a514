#include "graphics/DibBlockLayout.h"

namespace {
constexpr uint32 kCoreHeaderSize = 12;
constexpr uint32 kInfoHeaderSize = 40;
constexpr uint32 kLargestHeaderSize = 124;
constexpr uint32 kCompressionNone = 0;
constexpr uint32 kCompressionRLE8 = 1;
constexpr uint32 kCompressionRLE4 = 2;
constexpr uint32 kCompressionBitFields = 3;

uint32 read16(const uint8* At) { return uint32(At[0]) | uint32(At[1]) << 8; }
uint32 read32(const uint8* At) { return read16(At) | read16(At + 2) << 16; }

uint64_t strideOf(uint32 BitCount, uint64_t Width) { return (BitCount * Width + 31) / 32 * 4; }

bool readCoreLayout(const uint8* Block, uint64_t Size, DibBlockLayout& Layout)
{
    const uint32 width = read16(Block + 4), height = read16(Block + 6), bitCount = read16(Block + 10);
    if (width == 0 || height == 0)
        return false;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24)
        return false;
    const uint64_t tableSize = bitCount <= 8 ? (uint64_t(1) << bitCount) * 3 : 0;
    const uint64_t bitsOffset = kCoreHeaderSize + tableSize;
    if (bitsOffset + strideOf(bitCount, width) * height > Size)
        return false;
    Layout = {long(width), long(height), uint32(bitsOffset)};
    return true;
}

bool readInfoLayout(const uint8* Block, uint32 HeaderSize, uint64_t Size, DibBlockLayout& Layout)
{
    const int32 width = int32(read32(Block + 4)), height = int32(read32(Block + 8));
    const uint32 bitCount = read16(Block + 14), compression = read32(Block + 16);
    const uint32 imageSize = read32(Block + 20), colorsUsed = read32(Block + 32);
    if (width <= 0 || height == 0 || height == INT32_MIN)
        return false;
    const uint64_t rows = uint64_t(height < 0 ? -int64_t(height) : height);
    uint64_t pixelBytes = strideOf(bitCount, uint64_t(width)) * rows;
    switch (compression) {
    case kCompressionNone:
        if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
            return false;
        break;
    case kCompressionBitFields:
        if (bitCount != 16 && bitCount != 32)
            return false;
        break;
    case kCompressionRLE8:
    case kCompressionRLE4:
        // Compressed rows are as long as the header says; they cannot run top-down.
        if (bitCount != (compression == kCompressionRLE8 ? 8u : 4u) || height < 0 || imageSize == 0)
            return false;
        pixelBytes = imageSize;
        break;
    default:
        return false;
    }
    const uint64_t masks = compression == kCompressionBitFields && HeaderSize == kInfoHeaderSize ? 12 : 0;
    const uint64_t entries = colorsUsed ? colorsUsed : bitCount <= 8 ? uint64_t(1) << bitCount : 0;
    const uint64_t bitsOffset = HeaderSize + masks + entries * 4;
    if (bitsOffset + pixelBytes > Size)
        return false;
    Layout = {long(width), long(rows), uint32(bitsOffset)};
    return true;
}
} // namespace

bool readDibBlockLayout(const uint8* Block, uint32 Size, DibBlockLayout& Layout)
{
    if (!Block || Size < 4)
        return false;
    const uint32 headerSize = read32(Block);
    if (headerSize > Size)
        return false;
    if (headerSize == kCoreHeaderSize)
        return readCoreLayout(Block, Size, Layout);
    if (headerSize >= kInfoHeaderSize && headerSize <= kLargestHeaderSize)
        return readInfoLayout(Block, headerSize, Size, Layout);
    return false;
}
