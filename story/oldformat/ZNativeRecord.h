#pragma once
// The 60 raw bytes of a Windows structure stored inside an old style record, as they lay
// in memory: little-endian, whatever the rest of the document is. The bytes are kept as
// read, so that a record goes back out exactly as it came in; the named fields are read
// and written in place.
#include "foundation/KTypes.h"

#include <algorithm>
#include <array>

class ZNativeRecord {
public:
    static constexpr long kSize = 60;
    // A face name holds 31 characters and its terminator.
    static constexpr long kFaceNameSize = 32;

    using Bytes = std::array<unsigned char, kSize>;

    ZNativeRecord() { m_bytes.fill(0); }

    const Bytes& getBytes() const { return m_bytes; }
    void setBytes(const unsigned char* Bytes) { std::copy(Bytes, Bytes + kSize, m_bytes.begin()); }

protected:
    long getLong(long Offset) const;
    void setLong(long Offset, long Value);
    uint8 getByte(long Offset) const { return m_bytes[static_cast<std::size_t>(Offset)]; }
    void setByte(long Offset, uint8 Value) { m_bytes[static_cast<std::size_t>(Offset)] = Value; }
    // Up to the terminator, or the whole field when it has none.
    const char* getText(long Offset, char (&Out)[kFaceNameSize + 1]) const;
    // Cut to 31 characters and terminated; the rest of the field cleared.
    void setText(long Offset, const char* Text);

private:
    Bytes m_bytes;
};
