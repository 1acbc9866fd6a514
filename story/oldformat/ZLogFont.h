#pragma once
// A Windows LOGFONTA as an old style record stores it: the native description of a font.
#include "story/oldformat/ZNativeRecord.h"

class ZLogFont : public ZNativeRecord {
public:
    long getHeight() const { return getLong(0); }
    void setHeight(long Height) { setLong(0, Height); }
    long getWidth() const { return getLong(4); }
    void setWidth(long Width) { setLong(4, Width); }
    long getWeight() const { return getLong(16); }
    void setWeight(long Weight) { setLong(16, Weight); }
    bool isItalic() const { return getByte(20) != 0; }
    void setItalic(bool On) { setByte(20, On ? 1 : 0); }
    bool isUnderlined() const { return getByte(21) != 0; }
    void setUnderline(bool On) { setByte(21, On ? 1 : 0); }
    bool isStruckOut() const { return getByte(22) != 0; }
    void setStrikeOut(bool On) { setByte(22, On ? 1 : 0); }
    uint8 getCharSet() const { return getByte(23); }
    uint8 getPitchAndFamily() const { return getByte(27); }
    const char* getFaceName(char (&Out)[kFaceNameSize + 1]) const { return getText(kFaceNameOffset, Out); }
    void setFaceName(const char* Name) { setText(kFaceNameOffset, Name); }

private:
    static constexpr long kFaceNameOffset = 28;
};
