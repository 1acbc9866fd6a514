#pragma once
// A colour of old documents: red, green and blue from 0 to 65535.
#include "story/oldformat/ZClass.h"

class ZColor : public ZThing {
    Z_DECLARE_CLASS(ZColor)
public:
    // Black.
    ZColor() = default;
    ZColor(uint16 Red, uint16 Green, uint16 Blue);
    ZColor(const ZColor& Other) = default;
    ZColor& operator=(const ZColor& Other) = default;

    // The three components, 16 bits each.
    void readFromFile(ZFile& F) override;
    void writeToFile(ZFile& F) override;

    void set(uint16 Red, uint16 Green, uint16 Blue);
    uint16 getRed() const { return m_red; }
    uint16 getGreen() const { return m_green; }
    uint16 getBlue() const { return m_blue; }
    bool operator==(const ZColor& Other) const;

    // A Windows COLORREF: red in the low byte, green in the second, blue in the third;
    // each byte stands for its value × 256.
    void setFromColorRef(uint32 ColorRef);
    uint32 toColorRef() const;

private:
    uint16 m_red = 0;
    uint16 m_green = 0;
    uint16 m_blue = 0;
};
