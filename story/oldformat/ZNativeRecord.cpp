#include "story/oldformat/ZNativeRecord.h"

#include <cstring>

long ZNativeRecord::getLong(long Offset) const
{
    uint32 value = 0;
    for (long i = 3; i >= 0; --i)
        value = (value << 8) | m_bytes[static_cast<std::size_t>(Offset + i)];
    return static_cast<long>(value);
}

void ZNativeRecord::setLong(long Offset, long Value)
{
    const uint32 value = static_cast<uint32>(Value);
    for (long i = 0; i < 4; ++i)
        m_bytes[static_cast<std::size_t>(Offset + i)] = static_cast<unsigned char>(value >> (8 * i));
}

const char* ZNativeRecord::getText(long Offset, char (&Out)[kFaceNameSize + 1]) const
{
    std::memcpy(Out, &m_bytes[static_cast<std::size_t>(Offset)], kFaceNameSize);
    Out[kFaceNameSize] = 0;
    return Out;
}

void ZNativeRecord::setText(long Offset, const char* Text)
{
    unsigned char* field = &m_bytes[static_cast<std::size_t>(Offset)];
    std::memset(field, 0, kFaceNameSize);
    const std::size_t length = Text ? std::strlen(Text) : 0;
    std::memcpy(field, Text, length < kFaceNameSize - 1 ? length : kFaceNameSize - 1);
}
