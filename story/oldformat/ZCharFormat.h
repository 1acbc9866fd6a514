#pragma once
// A RichEdit CHARFORMATA as an old style record stores it: the character format of the
// text, whose text colour is the style's colour.
#include "story/oldformat/ZNativeRecord.h"

class ZCharFormat : public ZNativeRecord {
public:
    // CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_SIZE | CFM_COLOR |
    // CFM_FACE | CFM_OFFSET | CFM_CHARSET.
    static constexpr uint32 kFullMask = 0xF800000F;
    static constexpr uint32 kColorMask = 0x40000000;

    uint32 getSize() const { return static_cast<uint32>(getLong(0)); }
    void setSize(uint32 Size) { setLong(0, static_cast<long>(Size)); }
    uint32 getMask() const { return static_cast<uint32>(getLong(4)); }
    void setMask(uint32 Mask) { setLong(4, static_cast<long>(Mask)); }
    uint32 getEffects() const { return static_cast<uint32>(getLong(8)); }
    void setEffects(uint32 Effects) { setLong(8, static_cast<long>(Effects)); }
    long getHeight() const { return getLong(12); }
    void setHeight(long Height) { setLong(12, Height); }
    long getOffset() const { return getLong(16); }
    void setOffset(long Offset) { setLong(16, Offset); }
    uint32 getTextColor() const { return static_cast<uint32>(getLong(20)); }
    void setTextColor(uint32 ColorRef) { setLong(20, static_cast<long>(ColorRef)); }
    uint8 getCharSet() const { return getByte(24); }
    void setCharSet(uint8 CharSet) { setByte(24, CharSet); }
    uint8 getPitchAndFamily() const { return getByte(25); }
    void setPitchAndFamily(uint8 PitchAndFamily) { setByte(25, PitchAndFamily); }
    const char* getFaceName(char (&Out)[kFaceNameSize + 1]) const { return getText(kFaceNameOffset, Out); }
    void setFaceName(const char* Name) { setText(kFaceNameOffset, Name); }

private:
    static constexpr long kFaceNameOffset = 26;
};
